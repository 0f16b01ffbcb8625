// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "bridge/ArchiveEntries.h"

#include <archive.h>
#include <archive_entry.h>

#include <cerrno>
#include <clocale>
#include <cstring>
#include <locale.h>
#include <memory>

namespace Orvane::Bridge
{

namespace
{

// A zip flags UTF-8 names, which libarchive turns into the current locale's characters: in the C locale a
// non-ASCII name has none, and the entry would come without a name. The reading thread takes a UTF-8 locale for
// the while, so flagged names arrive as UTF-8 and unflagged ones as the bytes stored.
class Utf8Locale
{
public:
    Utf8Locale()
    {
        for (const char* name : {"C.UTF-8", "C.utf8", "en_US.UTF-8"}) {
            if ((m_locale = ::newlocale(LC_CTYPE_MASK, name, nullptr)))
                break;
        }
        if (m_locale)
            m_previous = ::uselocale(m_locale);
    }
    ~Utf8Locale()
    {
        if (m_locale) {
            ::uselocale(m_previous);
            ::freelocale(m_locale);
        }
    }
    Utf8Locale(const Utf8Locale&) = delete;
    Utf8Locale& operator=(const Utf8Locale&) = delete;

private:
    locale_t m_locale = nullptr;
    locale_t m_previous = nullptr;
};

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

} // namespace

PlatformResult<std::vector<std::string>> archiveEntries(const std::filesystem::path& archive)
{
    const Utf8Locale utf8;
    const std::unique_ptr<struct archive, int (*)(struct archive*)> reader(archive_read_new(), archive_read_free);
    if (!reader)
        return Failure(std::string("out of memory"));
    // A zip is read by its central directory, as the emulator reads it: one cut short has none, and is refused.
    archive_read_support_format_zip_seekable(reader.get());
    archive_read_support_format_7zip(reader.get());
    if (archive_read_open_filename(reader.get(), archive.c_str(), 64 * 1024) != ARCHIVE_OK)
        return Failure(reasonOf(reader.get(), true));
    std::vector<std::string> names;
    archive_entry* entry = nullptr;
    int status;
    // A warning (a name that could not be converted, say) ends no listing: only an error does.
    while ((status = archive_read_next_header(reader.get(), &entry)) == ARCHIVE_OK || status == ARCHIVE_WARN) {
        const char* name = archive_entry_pathname(entry);
        if (!name)
            name = archive_entry_pathname_utf8(entry);
        if (name && *name && archive_entry_filetype(entry) != AE_IFDIR && name[std::strlen(name) - 1] != '/')
            names.emplace_back(name);
        if (names.size() > entriesRead)
            return Failure("it holds more than " + std::to_string(entriesRead) + " files");
        if (archive_read_data_skip(reader.get()) < ARCHIVE_WARN)
            return Failure(reasonOf(reader.get(), false));
    }
    if (status != ARCHIVE_EOF)
        return Failure(reasonOf(reader.get(), false));
    return names;
}

} // namespace Orvane::Bridge
