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
// are skipped.
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

// The emulator's own ROM path from its "-showconfig" output, as it stands (it may name $HOME).
std::optional<std::string> configuredRomPath(std::string_view showConfig);

// Everything the emulator is started with for one play: the system, its media switch and the image's absolute
// path, the ROM path (the program folder's ROMS first, then the emulator's own), the recordings folder and the
// recording asked for, then the arguments of the settings.
struct PlayStart
{
    std::string system;
    Media media;
    std::string imagePath;
    std::string romPath;
    std::string recordingsFolder;
    std::string recordFile;   // empty unless recording
    std::string playbackFile; // empty unless playing back
    std::vector<std::string> extraArguments;
};
std::vector<std::string> emulatorArguments(const PlayStart& start);

} // namespace Orvane::Bridge
