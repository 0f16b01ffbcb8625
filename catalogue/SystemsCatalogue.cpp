// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "SystemsCatalogue.h"

#include "TextColumns.h"
#include "TextFile.h"

#include <QFile>

#include <algorithm>

#include <filesystem>

namespace Orvane
{

static bool holdsSurrogates(QStringView text)
{
    return std::any_of(text.begin(), text.end(), [](QChar character) { return character.isSurrogate(); });
}

std::optional<CatalogueEntry> parseCatalogueLine(QStringView line)
{
    // Where every character is one UTF-16 unit (nearly always), columns are indexes.
    if (!holdsSurrogates(line)) {
        if (line.size() < 12)
            return std::nullopt;
        return CatalogueEntry{trimBlanks(line.left(8)), line.mid(11, line.size() - 12).toString()};
    }
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

static SystemsCatalogue parseText(const QString& text);

SystemsCatalogue readSystemsCatalogue(const QString& path)
{
    const TextRead file = readText(path);
    if (!file.ok) {
        SystemsCatalogue catalogue;
        catalogue.error = file.error;
        return catalogue;
    }
    return parseText(file.text);
}

SystemsCatalogue parseSystemsCatalogue(const QByteArray& bytes)
{
    return parseText(decodeText(bytes));
}

static SystemsCatalogue parseText(const QString& text)
{
    SystemsCatalogue catalogue;
    catalogue.ok = true;
    const QList<QStringView> lines = splitLineViews(text);
    if (lines.size() < 2)
        return catalogue;
    catalogue.entries.reserve(static_cast<std::size_t>(lines.size() - 1));
    for (qsizetype index = 1; index < lines.size(); ++index) {
        if (auto entry = parseCatalogueLine(lines.at(index))) {
            catalogue.entries.push_back(std::move(*entry));
            continue;
        }
        // A blank line at the very end is how some editors leave a file; it is no system and no damage.
        const bool emptyLastLine = index == lines.size() - 1 && lines.at(index).isEmpty();
        if (!emptyLastLine)
            ++catalogue.skippedLines;
    }
    return catalogue;
}

std::optional<CatalogueReader::Signature> CatalogueReader::signatureOf(const QString& path)
{
    namespace fs = std::filesystem;
    const fs::path native(QFile::encodeName(path).toStdString());
    std::error_code sizeError;
    std::error_code timeError;
    const std::uintmax_t size = fs::file_size(native, sizeError);
    const auto modified = fs::last_write_time(native, timeError);
    if (sizeError || timeError)
        return std::nullopt;
    return Signature{path, size, static_cast<std::int64_t>(modified.time_since_epoch().count())};
}

const SystemsCatalogue& CatalogueReader::read(const QString& path)
{
    const std::optional<Signature> signature = signatureOf(path);
    // Without a signature there is nothing to compare with: read, and so report, whatever is there.
    if (!signature || m_signature != signature) {
        m_catalogue = readSystemsCatalogue(path);
        m_signature = m_catalogue.ok ? signature : std::nullopt;
    }
    return m_catalogue;
}

void CatalogueReader::adopt(const QString& path, SystemsCatalogue catalogue)
{
    m_catalogue = std::move(catalogue);
    m_signature = m_catalogue.ok ? signatureOf(path) : std::nullopt;
}

} // namespace Orvane
