// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include "platform/Result.h"

#include <filesystem>
#include <string>
#include <vector>

namespace Orvane::Bridge
{

// The names of the files in an archive (.zip, .7z), in the order of its directory, folders left out; or why they
// cannot be read (a damaged archive, or a build of the bridge without an archive library).
PlatformResult<std::vector<std::string>> archiveEntries(const std::filesystem::path& archive);

} // namespace Orvane::Bridge
