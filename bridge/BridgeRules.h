// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include "platform/Result.h"

#include "bridge/EmulatorListings.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace Orvane::Bridge
{

// The bridge's settings file, "bridge.ini" beside it: lines "key=value"; blank lines and lines starting with '#'
// are skipped, as is a UTF-8 byte-order mark; a value in double quotes is taken without them.
//   emulator=PROGRAM          the emulator to drive: a path, or a name looked for as Orvane looks for programs
//   play-arguments=ARGUMENTS  added to every play start, split as a command line is
inline constexpr char settingsFileName[] = "bridge.ini";
struct Settings
{
    std::string emulator;
    std::vector<std::string> playArguments;
};
// The settings, or the reason (with the line number) why the text is not such a file.
PlatformResult<Settings> parseSettings(std::string_view text);

// What Orvane asks for: MESS <system> "<file>" [-record NAME | -playback NAME].
struct PlayRequest
{
    std::string system; // as the classic catalogue names it: an alias
    std::string file;
    std::string recordName;
    std::string playbackName;
};
PlatformResult<PlayRequest> parsePlayArguments(const std::vector<std::string>& arguments);

// A setting of the emulator from its "-showconfig" output ("rompath", "inipath"), as it stands (it may name
// $HOME, and a value with blanks comes in quotes).
std::optional<std::string> configuredValue(std::string_view showConfig, std::string_view key);

// What a play needs of the emulator's configuration, as "-showconfig" prints it.
struct EmulatorConfiguration
{
    std::string romPath;
    std::string iniPath;
    std::string hashPath; // where its software lists are
};

// How the environment is read, so that tests can give their own.
using EnvironmentLookup = std::optional<std::string> (*)(const std::string& name);
std::optional<std::string> processEnvironment(const std::string& name);

// A list of folders as the emulator reads it from its ini files: split at ';', double quotes removed, $VAR,
// ${VAR} (and %VAR% where `percentVariables`, as on Windows) replaced by the environment's value (an unset one by
// nothing), a leading ~ by $HOME, and a relative folder taken from `base` (the emulator's own folder; left as it is
// when `base` is empty). Empty entries are dropped; every other is kept, in order.
std::vector<std::string> expandedFolderList(std::string_view value, const std::string& base, EnvironmentLookup lookup,
                                            bool percentVariables);

// A file the emulator said it could not find ("co19156.u8 NOT FOUND (tried in a5200)"), and the first set it
// looked in (the system's own; empty when it named none).
struct MissingFile
{
    std::string name;
    std::string set;
};
std::vector<MissingFile> missingFiles(std::string_view errorOutput);

// What a user reads when a play fails: the reason, each file the emulator missed with the place it belongs (in a
// folder named after its set, or inside a zip of that name, in the emulator's own first ROM folder when it has one,
// else in the program folder's), and where the emulator was told to look.
std::string playFailureText(const std::string& reason, const std::vector<MissingFile>& missing,
                            const std::vector<std::string>& romFolders);

// Everything the emulator is started with for one play: the system, its media switch and the image's absolute
// path, the ROM folders (the program folder's ROMS first, then the emulator's own), the recordings folder and the
// recording asked for, then the arguments of the settings. The emulator runs in the program folder, which names
// its own ROMS and INP relative to it: a folder name holding ';' cannot split the list.
struct PlayStart
{
    std::string system;
    Media media;
    std::string imagePath;
    std::vector<std::string> romFolders;
    std::string iniPath; // empty unless the emulator's own must be passed on
    std::string recordingsFolder;
    std::string recordFile;   // empty unless recording
    std::string playbackFile; // empty unless playing back
    std::vector<std::string> extraArguments;
};
std::vector<std::string> emulatorArguments(const PlayStart& start);

} // namespace Orvane::Bridge
