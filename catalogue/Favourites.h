// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>

namespace Orvane
{

// One favourites file for every system: whole image lines, one per line, in the order they were added.
inline constexpr char favouritesFileName[] = "Orvane.fav";

struct FavouritesRead
{
    bool ok = false;
    QStringList lines;
    QString error;
};

// A missing favourites file is an empty one: nobody has added a favourite yet.
FavouritesRead readFavourites(const QString& path);
// The lines of a favourites file's bytes.
QStringList parseFavourites(const QByteArray& bytes);

// Appends one line, creating the file when it is missing. A line with a line end in it cannot be kept as one
// line and is refused, never written in pieces. Returns false with the reason in `error`.
bool appendFavourite(const QString& path, const QString& line, QString& error);

// Replaces the whole file with `lines`. The file is replaced in one step, so a failure leaves it as it was.
bool rewriteFavourites(const QString& path, const QStringList& lines, QString& error);

} // namespace Orvane
