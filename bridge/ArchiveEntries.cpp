// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "bridge/ArchiveEntries.h"

#include "platform/Utf8Locale.h"

#include <archive.h>
#include <archive_entry.h>

#include <algorithm>
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

namespace
{

// The reader of one archive, named as the listing names its files.
struct Reader
{
    ThreadUtf8Locale utf8;
    std::unique_ptr<struct archive, int (*)(struct archive*)> archive{archive_read_new(), archive_read_free};

    // The file's name as archiveEntries gives it.
    const char* nameOf(archive_entry* entry) const
    {
        // In a UTF-8 locale the multibyte name is a flagged name in UTF-8 and an unflagged one as stored; elsewhere
        // (Windows) only the UTF-8 form holds every name.
        const char* name = utf8.active() ? archive_entry_pathname(entry) : archive_entry_pathname_utf8(entry);
        if (!name)
            name = utf8.active() ? archive_entry_pathname_utf8(entry) : archive_entry_pathname(entry);
        return name;
    }
};

// Opens the archive for reading, as archiveEntries reads it: zip by its central directory, or 7z.
PlatformResult<void> open(Reader& reader, const std::filesystem::path& path)
{
    if (!reader.archive)
        return Failure(std::string("out of memory"));
    archive_read_support_format_zip_seekable(reader.archive.get());
    archive_read_support_format_7zip(reader.archive.get());
    // Where there is no UTF-8 locale (Windows), a name without the flag is read as the emulator reads it: as UTF-8,
    // not in the ANSI code page.
    if (!reader.utf8.active())
        archive_read_set_options(reader.archive.get(), "zip:hdrcharset=UTF-8");
    if (openFile(reader.archive.get(), path.c_str()) != ARCHIVE_OK)
        return Failure(reasonOf(reader.archive.get(), true));
    return {};
}

} // namespace

PlatformResult<std::string> archiveEntryBytes(const std::filesystem::path& archive, const std::string& wanted,
                                              std::size_t largest)
{
    Reader reader;
    if (auto opened = open(reader, archive); !opened)
        return Failure(opened.error());
    archive_entry* entry = nullptr;
    int status;
    while ((status = archive_read_next_header(reader.archive.get(), &entry)) == ARCHIVE_OK || status == ARCHIVE_WARN) {
        const char* name = reader.nameOf(entry);
        if (archive_entry_filetype(entry) != AE_IFREG || !name || wanted != name) {
            if (archive_read_data_skip(reader.archive.get()) < ARCHIVE_WARN)
                return Failure(reasonOf(reader.archive.get(), false));
            continue;
        }
        std::string bytes;
        char piece[64 * 1024];
        la_ssize_t got;
        while ((got = archive_read_data(reader.archive.get(), piece, sizeof piece)) > 0) {
            if (bytes.size() + static_cast<std::size_t>(got) > largest)
                return Failure("its file \"" + wanted + "\" is larger than " + std::to_string(largest >> 20) + " MB");
            bytes.append(piece, static_cast<std::size_t>(got));
        }
        if (got < 0)
            return Failure(reasonOf(reader.archive.get(), false));
        return bytes;
    }
    if (status != ARCHIVE_EOF)
        return Failure(reasonOf(reader.archive.get(), false));
    return Failure("it holds no file \"" + wanted + "\"");
}

std::optional<StoredChecksum> zipStoredChecksum(const std::filesystem::path& archive, const std::string& wanted)
{
    std::ifstream input(archive, std::ios::binary);
    input.seekg(0, std::ios::end);
    const std::streamoff size = input.tellg();
    if (!input || size < 22)
        return std::nullopt;
    // The end record is within the last 64 KB (its comment is at most that long).
    const std::streamoff tail = std::min<std::streamoff>(size, 65536 + 22);
    std::string end(static_cast<std::size_t>(tail), '\0');
    input.seekg(size - tail);
    input.read(end.data(), tail);
    const std::size_t record = end.rfind(std::string_view("PK\x05\x06", 4));
    if (!input || record == std::string::npos || record + 22 > end.size())
        return std::nullopt;
    const auto little = [](std::string_view bytes, std::size_t at, int count) {
        std::uint64_t value = 0;
        for (int index = count - 1; index >= 0; --index)
            value = value << 8 | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(index)]);
        return value;
    };
    const std::uint64_t directorySize = little(end, record + 12, 4);
    const std::uint64_t directoryStart = little(end, record + 16, 4);
    if (directorySize > 64 * 1024 * 1024 || directoryStart + directorySize > static_cast<std::uint64_t>(size))
        return std::nullopt;
    std::string directory(static_cast<std::size_t>(directorySize), '\0');
    input.seekg(static_cast<std::streamoff>(directoryStart));
    input.read(directory.data(), static_cast<std::streamsize>(directorySize));
    if (!input)
        return std::nullopt;
    // The name as the archive stores it; libarchive reads a backslash as a separator, as it is on Windows.
    for (std::size_t at = 0; at + 46 <= directory.size() && directory.compare(at, 4, "PK\x01\x02") == 0;) {
        const std::size_t nameLength = little(directory, at + 28, 2);
        const std::size_t rest = nameLength + little(directory, at + 30, 2) + little(directory, at + 32, 2);
        std::string name = directory.substr(at + 46, nameLength);
        std::replace(name.begin(), name.end(), '\\', '/');
        if (name == wanted)
            return StoredChecksum{little(directory, at + 24, 4),
                                  static_cast<std::uint32_t>(little(directory, at + 16, 4))};
        at += 46 + rest;
    }
    return std::nullopt;
}

PlatformResult<ArchiveListing> archiveEntries(const std::filesystem::path& archive)
{
    Reader reader;
    if (auto opened = open(reader, archive); !opened) {
        if (isEmptyZip(archive))
            return ArchiveListing{};
        return Failure(opened.error());
    }
    ArchiveListing listing;
    archive_entry* entry = nullptr;
    int status;
    // A warning (a name that could not be converted, say) ends no listing: only an error does.
    while ((status = archive_read_next_header(reader.archive.get(), &entry)) == ARCHIVE_OK || status == ARCHIVE_WARN) {
        const char* name = reader.nameOf(entry);
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
        if (archive_read_data_skip(reader.archive.get()) < ARCHIVE_WARN)
            return Failure(reasonOf(reader.archive.get(), false));
    }
    if (status != ARCHIVE_EOF)
        return Failure(reasonOf(reader.archive.get(), false));
    return listing;
}

} // namespace Orvane::Bridge
