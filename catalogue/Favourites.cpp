// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "catalogue/Favourites.h"

#include "catalogue/TextFile.h"
#include "core/NativeText.h"
#include "platform/Files.h"

#include <algorithm>
#include <optional>

namespace Orvane
{

static bool holdsLineEnd(const QString& line)
{
    return line.contains(u'\r') || line.contains(u'\n');
}

// The bytes of the favourites file as it is; no file is an empty one.
static Result<QByteArray> favouritesBytes(const std::filesystem::path& path)
{
    Result<std::optional<QByteArray>> file = readUserFile(path);
    if (!file)
        return Failure(file.error());
    return file.value().value_or(QByteArray());
}

Result<QStringList> readFavourites(const std::filesystem::path& path)
{
    const Result<QByteArray> bytes = favouritesBytes(path);
    if (!bytes)
        return Failure(bytes.error());
    return parseFavourites(bytes.value());
}

QStringList parseFavourites(const QByteArray& bytes)
{
    return splitLines(decodeText(bytes));
}

namespace
{

// What the file holds, before a write: a pipe or a device would block the window or take the line nowhere, and a
// link of another user's leads to someone else's file; each is refused unread.
Result<QByteArray> currentBytes(const std::filesystem::path& path)
{
    Result<QByteArray> file = favouritesBytes(path);
    if (!file)
        return Failure(u"Cannot write " + file.error());
    return file;
}

// The line in the file's encoding, or nothing when the encoding cannot hold it.
std::optional<QByteArray> encodedIn(bool latin1, const QString& line)
{
    if (latin1)
        return std::all_of(line.cbegin(), line.cend(), [](QChar c) { return c.unicode() <= 0xFF; })
                   ? std::optional(line.toLatin1())
                   : std::nullopt;
    return holdsCarriedBytes(line) ? std::nullopt : std::optional(line.toUtf8());
}

QString encodingRefusal(const std::filesystem::path& path, bool latin1)
{
    return u"Cannot add it to " + shownFile(path) + u": its name cannot be written in the file's encoding (" +
           (latin1 ? u"Latin-1" : u"UTF-8") + u").";
}

} // namespace

Result<void> appendFavourite(const std::filesystem::path& path, const QString& line)
{
    if (holdsLineEnd(line))
        return Failure(u"Cannot add it to " + shownFile(path) +
                       u": its name holds a line end, which a favourites line cannot.");
    // What the file holds is kept byte for byte: the new line goes behind it in the encoding the file already
    // uses, so a file brought from an older installation in Latin-1 is not turned into a mix of two encodings.
    const Result<QByteArray> file = currentBytes(path);
    if (!file)
        return Failure(file.error());
    const QByteArray& bytes = file.value();
    const bool latin1 = !isValidUtf8(bytes);
    const std::optional<QByteArray> encoded = encodedIn(latin1, line);
    if (!encoded)
        return Failure(encodingRefusal(path, latin1));
    QByteArray added;
    // A last line left without its end would otherwise be joined with the new one.
    if (!bytes.isEmpty() && !bytes.endsWith('\n') && !bytes.endsWith('\r'))
        added += "\r\n";
    added += *encoded + "\r\n";
    // A new file is made whole or not at all.
    if (bytes.isEmpty())
        return replaceFile(path, added);
    // Appended where the file lies, as one write: a full disk cuts it back to what it held, never leaving half a
    // line that the next add would join; a folder that takes no new file, or another hard link, sees it too.
    return fromPlatform(appendToFile(path, added.toStdString(), KeptBy::User));
}

Result<void> rewriteFavourites(const std::filesystem::path& path, const QStringList& lines)
{
    // The file keeps its encoding, as an append keeps it.
    const Result<QByteArray> file = currentBytes(path);
    if (!file)
        return Failure(file.error());
    const bool latin1 = !isValidUtf8(file.value());
    QByteArray bytes;
    for (const QString& line : lines) {
        const std::optional<QByteArray> encoded = encodedIn(latin1, line);
        if (!encoded)
            return Failure(encodingRefusal(path, latin1));
        bytes += *encoded + "\r\n";
    }
    return replaceFile(path, bytes);
}

} // namespace Orvane
