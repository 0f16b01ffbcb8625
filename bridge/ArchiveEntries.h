// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include "platform/Result.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace Orvane::Bridge
{

// A file in an archive, as the archive stores it.
struct ArchiveEntry
{
    std::string path;        // a name the archive flags as UTF-8 comes as UTF-8 whatever the locale; an unflagged
                             // one as its bytes (on Windows read as UTF-8, as the emulator reads it)
    std::uintmax_t size = 0; // unpacked, as the archive says
};

// What an archive (.zip, .7z) holds, in the order of its directory.
struct ArchiveListing
{
    std::vector<ArchiveEntry> files; // regular files only: no folders, no links
    std::size_t unreadableNames = 0; // files whose name cannot be read as the archive flags it (not UTF-8)
};

// The archive's listing, or, when it cannot be read to its end, why not, in words that follow "<file> cannot be
// read: " (a damaged or half-downloaded archive, a file that cannot be opened, a build of the bridge without an
// archive library). A whole archive that holds nothing is an empty listing.
PlatformResult<ArchiveListing> archiveEntries(const std::filesystem::path& archive);

// The bytes of one file of an archive, as the listing names it, unpacked; at most `largest` of them.
PlatformResult<std::string> archiveEntryBytes(const std::filesystem::path& archive, const std::string& entry,
                                              std::size_t largest);

// The size and CRC-32 a zip's directory gives one of its files, read without unpacking anything; nothing when the
// file is no zip or names no such file.
struct StoredChecksum
{
    std::uint64_t size = 0;
    std::uint32_t crc = 0;
};
std::optional<StoredChecksum> zipStoredChecksum(const std::filesystem::path& archive, const std::string& entry);

} // namespace Orvane::Bridge
