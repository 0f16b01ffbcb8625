// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "core/TextColumns.h"

namespace Orvane
{

// The UTF-16 index at which the character `characters` (0-based) starts, or the text's size past the end.
static qsizetype unitIndexOfCharacter(QStringView text, qsizetype characters)
{
    qsizetype index = 0;
    while (characters > 0 && index < text.size()) {
        const bool pair = text[index].isHighSurrogate() && index + 1 < text.size() && text[index + 1].isLowSurrogate();
        index += pair ? 2 : 1;
        --characters;
    }
    return index;
}

qsizetype characterCount(QStringView text)
{
    qsizetype count = 0;
    for (qsizetype index = 0; index < text.size(); ++count) {
        const bool pair = text[index].isHighSurrogate() && index + 1 < text.size() && text[index + 1].isLowSurrogate();
        index += pair ? 2 : 1;
    }
    return count;
}

QString charactersFrom(QStringView text, qsizetype firstColumn)
{
    if (firstColumn < 1)
        firstColumn = 1;
    return text.mid(unitIndexOfCharacter(text, firstColumn - 1)).toString();
}

QString leftCharacters(QStringView text, qsizetype count)
{
    return text.left(unitIndexOfCharacter(text, qMax<qsizetype>(count, 0))).toString();
}

QString trimBlanks(QStringView text)
{
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && text[start] == u' ')
        ++start;
    while (end > start && text[end - 1] == u' ')
        --end;
    return text.mid(start, end - start).toString();
}

} // namespace Orvane
