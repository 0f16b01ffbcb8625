// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include "platform/Result.h"

#include <filesystem>
#include <string>
#include <vector>

namespace Orvane::Bridge
{

// The paths of the files in an archive (.zip, .7z) as it stores them, in the order of its directory, folders left
// out: a name the archive flags as UTF-8 comes as UTF-8 whatever the locale, an unflagged one as its bytes. Or,
// when the archive cannot be read to its end, why not, in words that follow "<file> cannot be read: " (a damaged
// or half-downloaded archive, a file that cannot be opened, a build of the bridge without an archive library).
PlatformResult<std::vector<std::string>> archiveEntries(const std::filesystem::path& archive);

} // namespace Orvane::Bridge
