// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include "platform/Result.h"

#include <filesystem>
#include <string_view>

namespace Orvane
{

// Writing a file where it lies, for a file whose folder takes no new file (a shared program folder: the folder
// read-only, its files writable) or that has other hard links, which a file moved onto it would leave behind.
// Each keeps the promise of a whole write another way: what fails is undone before the reason comes back.

// Appends `content` in one write at the end of an existing file; on a short or failed write the file is cut
// back to its old length.
PlatformResult<void> appendInPlace(const std::filesystem::path& file, std::string_view content);

// Replaces the content of an existing file with `content`; when that cannot be written whole, the old bytes are
// put back.
PlatformResult<void> overwriteInPlace(const std::filesystem::path& file, std::string_view content);

// Writes `content` to a file made afresh under `file`: never an existing file, nor a link planted under the name
// (it fails when anything is there). A write that fails removes what it made.
PlatformResult<void> writeNewFile(const std::filesystem::path& file, std::string_view content);

// Whether the file is one of several hard links to the same content.
bool hasOtherLinks(const std::filesystem::path& file);

} // namespace Orvane
