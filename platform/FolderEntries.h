// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include "platform/Result.h"

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace Orvane
{

// Reads the names in `folder` one at a time, in the order the file system keeps them, and hands each plain file
// that is not hidden (a link to a plain file counts; folders, devices, pipes, sockets and broken links do not; on
// POSIX a name starting with a dot is hidden, on Windows a file marked hidden or system) to `takeFile`, its
// name in the file system's bytes (UTF-8 on Windows), until `takeFile` says false. An image folder holds 100,000 names:
// no path object is built for each. Gives the reason when the folder could not be read.
PlatformResult<void> forEachFileIn(const std::filesystem::path& folder,
                                   const std::function<bool(std::string_view)>& takeFile);

} // namespace Orvane
