// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "catalogue/Favourites.h"

#include "catalogue/TextFile.h"
#include "launch/NativeText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace Orvane
{

static QByteArray encodedLine(const QString& line)
{
    return line.toUtf8() + "\r\n";
}

static bool holdsLineEnd(const QString& line)
{
    return line.contains(u'\r') || line.contains(u'\n');
}

Result<QStringList> readFavourites(const QString& path)
{
    if (!QFileInfo::exists(path))
        return QStringList();
    return readTextLines(path);
}

QStringList parseFavourites(const QByteArray& bytes)
{
    return splitLines(decodeText(bytes));
}

Result<void> appendFavourite(const QString& path, const QString& line)
{
    const QString shown = QDir::toNativeSeparators(path);
    if (holdsLineEnd(line))
        return Failure(u"Cannot add it to " + shown + u": its name holds a line end, which a favourites line cannot.");
    // What the file holds is kept byte for byte: the new line goes behind it in the encoding the file already
    // uses, so a file brought from an older installation in Latin-1 is not turned into a mix of two encodings.
    QByteArray bytes;
    if (QFileInfo::exists(path)) {
        // A pipe or a device would block the window or take the line nowhere; it is refused unopened.
        Result<QByteArray> file = readBytes(path);
        if (!file)
            return Failure(u"Cannot write " + file.error());
        bytes = std::move(file).value();
    }
    const bool latin1 = !isValidUtf8(bytes);
    const bool writable = latin1 ? std::all_of(line.cbegin(), line.cend(), [](QChar c) { return c.unicode() <= 0xFF; })
                                 : !holdsCarriedBytes(line);
    if (!writable)
        return Failure(u"Cannot add it to " + shown + u": its name cannot be written in the file's encoding (" +
                       (latin1 ? u"Latin-1" : u"UTF-8") + u").");
    // A last line left without its end would otherwise be joined with the new one.
    if (!bytes.isEmpty() && !bytes.endsWith('\n') && !bytes.endsWith('\r'))
        bytes += "\r\n";
    bytes += (latin1 ? line.toLatin1() : line.toUtf8()) + "\r\n";
    // Written whole beside the file and moved onto it in one step: a full disk leaves the file as it was, never
    // with half a line that the next add would join.
    return replaceFile(path, bytes);
}

Result<void> rewriteFavourites(const QString& path, const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += encodedLine(line);
    return replaceFile(path, bytes);
}

} // namespace Orvane
