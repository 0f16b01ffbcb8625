// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include "platform/Result.h"

#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

namespace Orvane
{

// Every file Orvane and the bridge keep is read and written here, by one rule: a reader never sees half a file,
// what fails is undone before the reason comes back, and nothing put where a kept file belongs (a link, a pipe, a
// device, a folder) is ever read or written through. Each file is opened relative to its folder, never following a
// link that is not allowed below. Reasons read "Cannot read <file>: ..." or "Cannot write <file>: ...".

// Who keeps a file decides what may stand in its place.
enum class KeptBy
{
    // The program's own files (the bridge's cache, log and aliases, a recording): never reached through a link, and
    // their folder is no link either. A link in a file's place is replaced or removed (the link itself), never
    // followed; a file with other hard links is replaced, so the other names keep what they held.
    Program,
    // Files users keep, share and sync (the catalogue, the favourites, the settings): a link in the file's place
    // that belongs to the user running the program is followed (to a regular file only), one that belongs to anyone
    // else is refused; a file with other hard links is written where it lies, so that it stays one file. Appends
    // reach the disk before they are reported done.
    User,
};

// The largest file read whole: far more than any catalogue or listing.
inline constexpr std::uintmax_t largestFileRead = 256 * 1024 * 1024;

// A kept file opened for reading: a C run-time descriptor that the caller owns and closes (QFile can take it).
struct OpenedFile
{
    int descriptor = -1;
    std::uintmax_t size = 0;
};
// Only a regular file of at most `largest` bytes is opened, so a read never blocks and always ends.
PlatformResult<OpenedFile> openKeptFile(const std::filesystem::path& file, KeptBy keeper,
                                        std::uintmax_t largest = largestFileRead);

// A kept file's whole content (an empty file is an empty text); nothing when there is no file of that name.
PlatformResult<std::optional<std::string>> readKeptFile(const std::filesystem::path& file, KeptBy keeper,
                                                        std::uintmax_t largest = largestFileRead);

// Whether a kept file may be read and written where it is (for a library that opens it itself): when there is none
// yet, or it is one; else why not, in words that follow "<file>: ".
PlatformResult<void> checkKeptFile(const std::filesystem::path& file, KeptBy keeper);
// Makes room for a file that a library makes and removes itself under `file` (a lock file): a link in its place is
// removed, the link itself; a pipe, a device or a folder there is refused, in words that follow "<file>: ".
PlatformResult<void> clearLinkFrom(const std::filesystem::path& file);

// Replaces the file's content whole: written under a name of this process's own beside it (see scratchNameBeside),
// then moved onto it, so that a failure, or another process writing at the same time, never leaves half a file.
// A user's file with other hard links, a user's own link, or a file in a folder that takes no new file (a shared
// program folder: the folder read-only, its files writable) is written where it lies instead, its old content put
// back when the new cannot be written whole.
PlatformResult<void> replaceWholeFile(const std::filesystem::path& file, std::string_view content, KeptBy keeper);

// Appends `content` in one write at the end of the file, made when there is none; on a short or failed write the
// file is cut back to its old length.
PlatformResult<void> appendToFile(const std::filesystem::path& file, std::string_view content, KeptBy keeper);

// A file made afresh under `file`'s name with this process's own tail (never over anything that is there, a link
// included), for output that is checked before it replaces `file`: its path and an open descriptor the caller owns.
struct ScratchFile
{
    std::filesystem::path path;
    int descriptor = -1;
};
PlatformResult<ScratchFile> makeScratchFile(const std::filesystem::path& file);

// `file` with a tail no other process, and no other call in this one, uses: ".<process>-<count>".
std::filesystem::path scratchNameBeside(const std::filesystem::path& file);

// Makes sure `folder` is a folder of the program's own: made when absent; a link in its place is removed (the link
// itself) and the folder made; anything else there is refused.
PlatformResult<void> makeOwnFolder(const std::filesystem::path& folder);

// Removes what writes that never finished left in `folder` (the program was killed while writing): only files under
// one of `names` with a scratch tail (scratchNameBeside), regular, with no other hard link, belonging to the user
// running the program and older than any write takes. Never through a link, never anything else.
void sweepLeftovers(const std::filesystem::path& folder, std::initializer_list<std::string_view> names, KeptBy keeper);

// Whether a name is `name` followed by a scratch tail; a `name` that ends in '*' stands for every name it starts.
bool isScratchNameOf(std::string_view candidate, std::string_view name);

// The file as a reason names it: with the platform's own separators.
std::string shownPath(const std::filesystem::path& file);

// Why a file larger than `largest` bytes is not read: "it is larger than <N> MB".
std::string tooLargeReason(std::uintmax_t largest);

} // namespace Orvane
