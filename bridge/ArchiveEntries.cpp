// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "bridge/ArchiveEntries.h"

#include "platform/Utf8Locale.h"

#include <archive.h>
#include <archive_entry.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <memory>
#include <string_view>

namespace Orvane::Bridge
{

namespace
{

// An archive holding more files than this is no image a user keeps; its listing is not held in memory.
constexpr std::size_t entriesRead = 100000;

std::string reasonOf(struct archive* reader, bool opening)
{
    const char* said = archive_error_string(reader);
    const std::string reason = said && *said ? said : "no reason given";
    // A file that cannot be opened says so as the system does; anything else is the archive's own fault.
    const int error = archive_errno(reader);
    if (opening && (error == ENOENT || error == EACCES || error == EPERM || error == EISDIR || error == ELOOP))
        return std::strerror(error);
    return "it is damaged or incomplete (" + reason + ")";
}

// A path as the system spells it: bytes on POSIX, wide characters on Windows.
[[maybe_unused]] int openFile(struct archive* reader, const char* path)
{
    return archive_read_open_filename(reader, path, 64 * 1024);
}
[[maybe_unused]] int openFile(struct archive* reader, const wchar_t* path)
{
    return archive_read_open_filename_w(reader, path, 64 * 1024);
}

// A zip that holds nothing is its end record alone, which libarchive does not take for an archive at all.
bool isEmptyZip(const std::filesystem::path& archive)
{
    std::ifstream input(archive, std::ios::binary);
    char record[22] = {};
    input.read(record, sizeof record);
    const auto half = [&](int at) {
        return static_cast<unsigned char>(record[at]) | static_cast<unsigned char>(record[at + 1]) << 8;
    };
    return input.gcount() == sizeof record && std::string_view(record, 4) == std::string_view("PK\x05\x06", 4) &&
           half(8) == 0 && half(10) == 0;
}

} // namespace

PlatformResult<ArchiveListing> archiveEntries(const std::filesystem::path& archive)
{
    // A zip flags UTF-8 names, which libarchive turns into the current locale's characters: in the C locale a
    // non-ASCII name has none, and the entry would come without a name.
    const ThreadUtf8Locale utf8;
    const std::unique_ptr<struct archive, int (*)(struct archive*)> reader(archive_read_new(), archive_read_free);
    if (!reader)
        return Failure(std::string("out of memory"));
    // A zip is read by its central directory, as the emulator reads it: one cut short has none, and is refused.
    archive_read_support_format_zip_seekable(reader.get());
    archive_read_support_format_7zip(reader.get());
    // Where there is no UTF-8 locale (Windows), a name without the flag is read as the emulator reads it: as UTF-8,
    // not in the ANSI code page.
    if (!utf8.active())
        archive_read_set_options(reader.get(), "zip:hdrcharset=UTF-8");
    if (openFile(reader.get(), archive.c_str()) != ARCHIVE_OK) {
        if (isEmptyZip(archive))
            return ArchiveListing{};
        return Failure(reasonOf(reader.get(), true));
    }
    ArchiveListing listing;
    archive_entry* entry = nullptr;
    int status;
    // A warning (a name that could not be converted, say) ends no listing: only an error does.
    while ((status = archive_read_next_header(reader.get(), &entry)) == ARCHIVE_OK || status == ARCHIVE_WARN) {
        // In a UTF-8 locale the multibyte name is a flagged name in UTF-8 and an unflagged one as stored; elsewhere
        // (Windows) only the UTF-8 form holds every name.
        const char* name = utf8.active() ? archive_entry_pathname(entry) : archive_entry_pathname_utf8(entry);
        if (!name)
            name = utf8.active() ? archive_entry_pathname_utf8(entry) : archive_entry_pathname(entry);
        // A link inside an archive names some other file, perhaps one outside it: it is no image.
        if (archive_entry_filetype(entry) == AE_IFREG) {
            if (!name || !*name)
                ++listing.unreadableNames;
            else if (name[std::strlen(name) - 1] != '/')
                listing.files.push_back({name, archive_entry_size_is_set(entry)
                                                   ? static_cast<std::uintmax_t>(archive_entry_size(entry))
                                                   : 0});
        }
        if (listing.files.size() > entriesRead)
            return Failure("it holds more than " + std::to_string(entriesRead) + " files");
        if (archive_read_data_skip(reader.get()) < ARCHIVE_WARN)
            return Failure(reasonOf(reader.get(), false));
    }
    if (status != ARCHIVE_EOF)
        return Failure(reasonOf(reader.get(), false));
    return listing;
}

} // namespace Orvane::Bridge
