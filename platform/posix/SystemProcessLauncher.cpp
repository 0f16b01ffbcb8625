// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "platform/SystemProcessLauncher.h"

#include "platform/ProgramSearch.h"

namespace Orvane
{

namespace fs = std::filesystem;

PlatformResult<std::string> SystemProcessLauncher::shortPath(const std::string& path)
{
    // POSIX paths have no short form: the path of the existing file, spelt as it is on disk.
    const fs::path full{path};
    const auto found = findEntryIgnoringCase(full.parent_path(), full.filename().string());
    std::error_code error;
    if (!found || !fs::exists(*found, error))
        return Failure("there is no " + path);
    return found->string();
}

} // namespace Orvane
