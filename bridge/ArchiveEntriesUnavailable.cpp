// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
// The bridge built without an archive library (the Windows build): an archive shows no entries, so it goes to a
// system's only media, and is otherwise refused with the media that would take it.
#include "bridge/ArchiveEntries.h"

namespace Orvane::Bridge
{

PlatformResult<std::vector<std::string>> archiveEntries(const std::filesystem::path&)
{
    return std::vector<std::string>();
}

} // namespace Orvane::Bridge
