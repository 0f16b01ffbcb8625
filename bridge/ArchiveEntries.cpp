// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "bridge/ArchiveEntries.h"

#include <archive.h>
#include <archive_entry.h>

#include <memory>

namespace Orvane::Bridge
{

PlatformResult<std::vector<std::string>> archiveEntries(const std::filesystem::path& archive)
{
    const std::unique_ptr<struct archive, int (*)(struct archive*)> reader(archive_read_new(), archive_read_free);
    if (!reader)
        return Failure(std::string("cannot read archives: out of memory"));
    archive_read_support_format_zip(reader.get());
    archive_read_support_format_7zip(reader.get());
    if (archive_read_open_filename(reader.get(), archive.c_str(), 64 * 1024) != ARCHIVE_OK)
        return Failure("cannot read the archive " + archive.string() + ": " + archive_error_string(reader.get()));
    std::vector<std::string> names;
    archive_entry* entry = nullptr;
    int status;
    while ((status = archive_read_next_header(reader.get(), &entry)) == ARCHIVE_OK || status == ARCHIVE_WARN) {
        if (archive_entry_filetype(entry) != AE_IFDIR) {
            const char* name = archive_entry_pathname_utf8(entry);
            if (!name)
                name = archive_entry_pathname(entry);
            if (name)
                names.emplace_back(std::filesystem::path(name).filename().string());
        }
        archive_read_data_skip(reader.get());
    }
    if (status != ARCHIVE_EOF)
        return Failure("cannot read the archive " + archive.string() + ": " + archive_error_string(reader.get()));
    return names;
}

} // namespace Orvane::Bridge
