// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "Favourites.h"

#include "TextFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

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

FavouritesRead readFavourites(const QString& path)
{
    if (!QFileInfo::exists(path))
        return {true, {}, {}};
    TextFileRead file = readTextLines(path);
    return {file.ok, std::move(file.lines), file.error};
}

QStringList parseFavourites(const QByteArray& bytes)
{
    return splitLines(decodeText(bytes));
}

bool appendFavourite(const QString& path, const QString& line, QString& error)
{
    const QString shown = QDir::toNativeSeparators(path);
    if (holdsLineEnd(line)) {
        error = u"Cannot add it to " + shown + u": its name holds a line end, which a favourites line cannot.";
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append)) {
        error = u"Cannot write " + shown + u": " + file.errorString();
        return false;
    }
    const qint64 sizeBefore = file.size();
    const QByteArray bytes = encodedLine(line);
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        error = u"Cannot write " + shown + u": " + file.errorString();
        // Leave no half line behind.
        file.resize(sizeBefore);
        return false;
    }
    return true;
}

bool rewriteFavourites(const QString& path, const QStringList& lines, QString& error)
{
    const QString shown = QDir::toNativeSeparators(path);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        error = u"Cannot write " + shown + u": " + file.errorString();
        return false;
    }
    for (const QString& line : lines)
        file.write(encodedLine(line));
    if (!file.commit()) {
        error = u"Cannot write " + shown + u": " + file.errorString();
        return false;
    }
    return true;
}

} // namespace Orvane
