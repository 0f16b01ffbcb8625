// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include "core/Result.h"

#include <QString>

#include <QStringList>
#include <filesystem>

namespace Orvane
{

// One favourites file for every system: whole image lines, one per line, in the order they were added.
inline constexpr char favouritesFileName[] = "Orvane.fav";

// A missing favourites file is an empty one: nobody has added a favourite yet.
Result<QStringList> readFavourites(const std::filesystem::path& path);
// The lines of a favourites file's bytes.
QStringList parseFavourites(const QByteArray& bytes);

// Appends one line in the encoding the file already uses, creating the file when it is missing. A line with a
// line end in it cannot be kept as one line and is refused, never written in pieces.
Result<void> appendFavourite(const std::filesystem::path& path, const QString& line);

// Replaces the whole file with `lines`, in the encoding it already uses. A failure leaves it as it was.
Result<void> rewriteFavourites(const std::filesystem::path& path, const QStringList& lines);

} // namespace Orvane
