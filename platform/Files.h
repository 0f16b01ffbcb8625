// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include "platform/Result.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace Orvane
{

// Every file Orvane and the bridge keep is read and written here, so that the rule for a whole write is one: a
// reader never sees half a file, and what fails is undone before the reason comes back. Reasons read
// "Cannot read <file>: ..." or "Cannot write <file>: ...".

// A file's whole content (an empty file is an empty text), or why it cannot be read. Only a regular file (a link
// to one will do) of at most `largest` bytes is read: a pipe or a device would never end.
inline constexpr std::uintmax_t largestFileRead = 256 * 1024 * 1024;
PlatformResult<std::string> readWholeFile(const std::filesystem::path& file, std::uintmax_t largest = largestFileRead);

// Replaces the file's content whole: written under a name of this process's own beside it, then moved onto it, so
// that a failure, or another process writing at the same time, never leaves half a file. A file with other hard
// links, or in a folder that takes no new file (a shared program folder: the folder read-only, its files
// writable), is written where it lies instead (overwriteInPlace).
PlatformResult<void> replaceWholeFile(const std::filesystem::path& file, std::string_view content);

// Writing a file where it lies, for a file whose folder takes no new file or that has other hard links, which a
// file moved onto it would leave behind.

// Appends `content` in one write at the end of an existing file; on a short or failed write the file is cut
// back to its old length.
PlatformResult<void> appendInPlace(const std::filesystem::path& file, std::string_view content);

// Replaces the content of an existing file with `content`; when that cannot be written whole, the old bytes are
// put back.
PlatformResult<void> overwriteInPlace(const std::filesystem::path& file, std::string_view content);

// Writes `content` to a file made afresh under `file`: never an existing file, nor a link planted under the name
// (it fails when anything is there). A write that fails removes what it made.
PlatformResult<void> writeNewFile(const std::filesystem::path& file, std::string_view content);

// `file` with a suffix no other process, and no other call in this one, uses: ".<process>-<count>".
std::filesystem::path scratchNameBeside(const std::filesystem::path& file);

// Whether the file is one of several hard links to the same content.
bool hasOtherLinks(const std::filesystem::path& file);

// The file as a reason names it: with the platform's own separators.
std::string shownPath(const std::filesystem::path& file);

} // namespace Orvane
