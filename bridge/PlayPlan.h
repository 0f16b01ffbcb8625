// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include "platform/Result.h"

#include "bridge/ArchiveEntries.h"
#include "bridge/BridgeRules.h"
#include "bridge/EmulatorListings.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace Orvane::Bridge
{

// The path through an archive to one of its entries, as the emulator opens it: the name as the archive stores it
// ("." parts, doubled or leading separators and backslashes included). Nothing when the name climbs out of the
// archive with ".." (it could reach a file beside the archive, so it is never handed on) or names no file.
std::optional<std::string> pathInsideArchive(std::string_view storedName);

// The emulator's name for the system a play asks for: a system's own name always means that system (`ownMedia`:
// whether the emulator lists media under the name asked for), else the system the alias was given to.
std::string systemAskedFor(const std::string& name, const AliasTable& aliases, bool ownMedia);

// Everything a play needs, gathered by the bridge's shell: the planner reads no file and starts nothing.
struct PlayFacts
{
    PlayRequest request;
    std::string system;                         // the emulator's name for it
    std::filesystem::path romsFolder;           // the program folder's ROMS, as found on disk
    std::optional<std::filesystem::path> image; // the file found in it, absolute; nothing when there is none
    std::vector<Media> media;                   // the system's, as the emulator lists them
    // For an archive: what it holds, or the reason it cannot be read.
    std::optional<PlatformResult<ArchiveListing>> archiveEntries;
    EmulatorConfiguration configuration;
    std::filesystem::path emulatorFolder;
    std::filesystem::path recordingsFolder;  // the program folder's INP, as found on disk
    std::optional<std::string> playbackFile; // the recording's name as found there, when playing one back
    std::vector<std::string> playArguments;  // from the bridge's settings
    EnvironmentLookup environment = processEnvironment;
};

struct PlayPlan
{
    std::vector<std::string> arguments; // the emulator's, after its program
    MediaChoice choice;
    std::vector<std::string> romFolders; // where the emulator looks for system ROMs, absolute, in its order
    std::vector<std::string> notes;      // what the log should say about the choice
};

// The emulator's start for a play, or the words that refuse it; every refusal names the image file.
PlatformResult<PlayPlan> planPlay(const PlayFacts& facts);

} // namespace Orvane::Bridge
