// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include "catalogue/SystemsCatalogue.h"
#include "catalogue/TextFile.h"

// The catalogue as its definition reads it: the whole file decoded as one text, split into lines, the header
// dropped, every other line parsed; the readers take shorter ways and must agree with this one.
inline Orvane::SystemsCatalogue referenceCatalogue(const QByteArray& bytes)
{
    std::vector<Orvane::CatalogueEntry> entries;
    int skippedLines = 0;
    const QString text = Orvane::decodeText(bytes);
    const QStringList lines = Orvane::splitLines(text);
    for (qsizetype index = 1; index < lines.size(); ++index) {
        if (auto entry = Orvane::parseCatalogueLine(lines.at(index)))
            entries.push_back(*entry);
        else if (index != lines.size() - 1 || !lines.at(index).isEmpty())
            ++skippedLines;
    }
    return Orvane::SystemsCatalogue(std::move(entries), skippedLines);
}

inline bool sameCatalogue(const Orvane::SystemsCatalogue& left, const Orvane::SystemsCatalogue& right)
{
    if (left.skippedLines() != right.skippedLines() || left.entries().size() != right.entries().size())
        return false;
    for (std::size_t index = 0; index < left.entries().size(); ++index) {
        const Orvane::CatalogueSystem& a = left.entries()[index];
        const Orvane::CatalogueSystem& b = right.entries()[index];
        if (a.systemName != b.systemName || left.description(a) != right.description(b))
            return false;
    }
    return left.descriptions().toStringList() == right.descriptions().toStringList();
}

// A file the reader could not read agrees with no catalogue.
inline bool sameCatalogue(const Orvane::Result<Orvane::SystemsCatalogue>& read, const Orvane::SystemsCatalogue& right)
{
    return read.ok() && sameCatalogue(read.value(), right);
}
