// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringView>

namespace Orvane
{

// The fixed-column texts (image lines, catalogue lines) count characters, so a name outside the Basic
// Multilingual Plane takes one column, not the two UTF-16 units it is stored in.

qsizetype characterCount(QStringView text);

// The characters from the 1-based column `firstColumn` to the end; empty when the text is shorter.
QString charactersFrom(QStringView text, qsizetype firstColumn);

// The first `count` characters (all of them when the text is shorter).
QString leftCharacters(QStringView text, qsizetype count);

// Removes blanks (spaces only, as the fixed columns are padded with them) from both ends.
QString trimBlanks(QStringView text);

} // namespace Orvane
