// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "SystemsCatalogue.h"

#include "TextColumns.h"
#include "TextFile.h"

#include <QFile>

#include <filesystem>

namespace Orvane
{

std::optional<CatalogueEntry> parseCatalogueLine(QStringView line)
{
    const qsizetype length = characterCount(line);
    if (length < 12)
        return std::nullopt;
    return CatalogueEntry{trimBlanks(leftCharacters(line, 8)), leftCharacters(charactersFrom(line, 12), length - 12)};
}

QStringList SystemsCatalogue::descriptions() const
{
    QStringList result;
    result.reserve(static_cast<qsizetype>(entries.size()));
    for (const CatalogueEntry& entry : entries)
        result.append(entry.description);
    return result;
}

std::optional<QString> SystemsCatalogue::systemNameFor(const QString& description) const
{
    for (auto entry = entries.crbegin(); entry != entries.crend(); ++entry) {
        if (entry->description == description)
            return entry->systemName;
    }
    return std::nullopt;
}

SystemsCatalogue readSystemsCatalogue(const QString& path)
{
    SystemsCatalogue catalogue;
    TextFileRead file = readTextLines(path);
    if (!file.ok) {
        catalogue.error = file.error;
        return catalogue;
    }
    catalogue.ok = true;
    if (file.lines.size() < 2)
        return catalogue;
    catalogue.entries.reserve(static_cast<std::size_t>(file.lines.size() - 1));
    for (qsizetype index = 1; index < file.lines.size(); ++index) {
        if (auto entry = parseCatalogueLine(file.lines.at(index))) {
            catalogue.entries.push_back(std::move(*entry));
            continue;
        }
        // A blank line at the very end is how some editors leave a file; it is no system and no damage.
        const bool emptyLastLine = index == file.lines.size() - 1 && file.lines.at(index).isEmpty();
        if (!emptyLastLine)
            ++catalogue.skippedLines;
    }
    return catalogue;
}

const SystemsCatalogue& CatalogueReader::read(const QString& path)
{
    namespace fs = std::filesystem;
    const fs::path native(QFile::encodeName(path).toStdString());
    std::error_code sizeError;
    std::error_code timeError;
    const std::uintmax_t size = fs::file_size(native, sizeError);
    const auto modified = fs::last_write_time(native, timeError);
    if (sizeError || timeError) {
        // Nothing to compare with: read, and so report, whatever is there.
        m_signature.reset();
        m_catalogue = readSystemsCatalogue(path);
        return m_catalogue;
    }
    const Signature signature{path, size, modified.time_since_epoch().count()};
    if (m_signature != signature) {
        m_catalogue = readSystemsCatalogue(path);
        m_signature = m_catalogue.ok ? std::optional<Signature>(signature) : std::nullopt;
    }
    return m_catalogue;
}

} // namespace Orvane
