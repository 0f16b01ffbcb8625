// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
// The bridge built without an archive library (the Windows build): an archive's entries are unknown, so an archive
// goes to a system's only media, and is otherwise refused with a reason.
#include "bridge/ArchiveEntries.h"

namespace Orvane::Bridge
{

PlatformResult<std::vector<std::string>> archiveEntries(const std::filesystem::path&)
{
    return Failure(std::string("this build of the bridge cannot look into archives"));
}

} // namespace Orvane::Bridge
