// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include "core/Result.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <optional>

namespace Orvane
{

// Text files come from Windows and from other programs: a file that is valid UTF-8 is read as UTF-8, any other
// as Latin-1, so no byte is ever lost or stops a load.
QString decodeText(const QByteArray& bytes);
// Whether decodeText reads these bytes as UTF-8 (rather than Latin-1).
bool isValidUtf8(QByteArrayView bytes);

// Lines end at CR LF, LF or CR; the end is not part of the line. A last line without an end is still a line,
// and a file that ends with a line end has no extra empty line.
QStringList splitLines(const QString& text);

// Where the line that starts at `from` ends, in text or in bytes: the index of its end (`size` when it has none)
// and the index the next line starts at.
struct LineEnd
{
    qsizetype end;
    qsizetype next;
};
template <typename Character> LineEnd findLineEnd(const Character* text, qsizetype size, qsizetype from)
{
    qsizetype index = from;
    if constexpr (sizeof(Character) == 1) {
        // In bytes, eight at a time up to the eight that may hold a line end: a catalogue's 45,000 lines are read
        // this way at every start.
        constexpr std::uint64_t ones = 0x0101010101010101u;
        constexpr std::uint64_t highs = ones * 0x80;
        for (; index + 8 <= size; index += 8) {
            std::uint64_t word;
            std::memcpy(&word, text + index, sizeof word);
            const std::uint64_t lineFeeds = word ^ (ones * '\n');
            const std::uint64_t returns = word ^ (ones * '\r');
            // A byte that is zero in either sets its high bit here, and no other byte makes the whole test true.
            if ((((lineFeeds - ones) & ~lineFeeds) | ((returns - ones) & ~returns)) & highs)
                break;
        }
    }
    for (; index < size; ++index) {
        if (text[index] != Character('\n') && text[index] != Character('\r'))
            continue;
        const bool pair = text[index] == Character('\r') && index + 1 < size && text[index + 1] == Character('\n');
        return LineEnd{index, index + (pair ? 2 : 1)};
    }
    return LineEnd{size, size};
}

// The largest text file Orvane reads: today's catalogue is about 3 MB; a file twenty times that size is no
// catalogue or favourites list but something gone wrong, and reading it would only stall the window.
inline constexpr qint64 largestTextFile = 64 * 1024 * 1024;
// Why a text larger than that is refused (a file that grew past it while it was read included).
QString tooLargeText();

// Reads a whole text file in one pass, as a user's kept file (platform/Files.h): anything but a regular file (a
// folder, a pipe, a device, a link of another user's) is refused without being read, so a read never blocks; so is
// a file larger than largestTextFile. A refusal names the file and the reason.
Result<QStringList> readTextLines(const std::filesystem::path& path);
Result<QByteArray> readBytes(const std::filesystem::path& path);
// The same for a file that may not be there yet: nothing when there is none.
Result<std::optional<QByteArray>> readUserFile(const std::filesystem::path& path);
// Opens a text file for reading after the same checks.
Result<void> openTextFile(const std::filesystem::path& path, QFile& file);

// Replaces the file's content with `bytes` in one step: written beside it, then moved onto it, so a failure (a
// full disk included) leaves the file as it was. A file with other hard links, the user's own link, or a file in a
// folder that takes no new file is written where it lies, its old content put back when the new cannot be written
// whole.
Result<void> replaceFile(const std::filesystem::path& path, const QByteArray& bytes);

// The file as a message names it, with the system's own separators.
QString shownFile(const std::filesystem::path& path);

// The entry `name` of `folder`: spelt exactly when it exists, otherwise any entry of that name in another letter
// case (names brought over from Windows keep their spelling); the exact spelling when there is none.
QString locateInFolder(const QString& folder, const QString& name);

} // namespace Orvane
