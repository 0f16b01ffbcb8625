// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "catalogue/ListSource.h"

#include "catalogue/ImageList.h"
#include "catalogue/LineOrder.h"
#include "catalogue/TextFile.h"

namespace Orvane
{

QString ListSource::cataloguePath() const
{
    return locateInFolder(m_programFolder, QLatin1String(catalogueFileName));
}

const Result<SystemsCatalogue>& ListSource::catalogue()
{
    return m_reader.read(cataloguePath());
}

QStringList ListSource::sortedDescriptions()
{
    const Result<SystemsCatalogue>& catalogue = m_reader.last();
    QStringList descriptions = catalogue ? catalogue->descriptions() : QStringList();
    sortLines(descriptions);
    return descriptions;
}

std::optional<QString> ListSource::systemNameFor(const QString& description)
{
    const Result<SystemsCatalogue>& current = catalogue();
    return current ? current->systemNameFor(description) : std::nullopt;
}

std::optional<QString> ListSource::knownSystemNameFor(const QString& description) const
{
    const Result<SystemsCatalogue>& known = m_reader.last();
    return known ? known->systemNameFor(description) : std::nullopt;
}

const QHash<QString, QString>& ListSource::knownSystemNames()
{
    if (m_systemNamesRead == m_reader.reads())
        return m_systemNames;
    m_systemNames.clear();
    if (const Result<SystemsCatalogue>& known = m_reader.last()) {
        m_systemNames.reserve(static_cast<qsizetype>(known->entries().size()));
        for (const CatalogueEntry& entry : known->entries())
            m_systemNames.insert(entry.description, entry.systemName.toString());
    }
    m_systemNamesRead = m_reader.reads();
    return m_systemNames;
}

QStringList ListSource::withImagesOnly(const QStringList& descriptions) const
{
    const Result<SystemsCatalogue>& known = m_reader.last();
    if (!known)
        return {};
    const FoldersWithImages folders(m_programFolder);
    // The descriptions whose last line names a system with images: looked at from the last line up, each decided by
    // the first line met, so that 45,000 lines make no text each.
    QSet<QString> decided, shown;
    const std::vector<CatalogueEntry>& entries = known->entries();
    QSet<QString> candidates;
    for (const CatalogueEntry& entry : entries) {
        if (folders.holds(entry.systemName.view()))
            candidates.insert(entry.description);
    }
    for (auto entry = entries.crbegin(); entry != entries.crend() && decided.size() < candidates.size(); ++entry) {
        if (!candidates.contains(entry->description) || decided.contains(entry->description))
            continue;
        decided.insert(entry->description);
        if (folders.holds(entry->systemName.view()))
            shown.insert(entry->description);
    }
    QStringList kept;
    for (const QString& description : descriptions) {
        if (shown.contains(description))
            kept.append(description);
    }
    return kept;
}

QStringList ListSource::imageLines(const QString& systemName)
{
    return imageLinesFor(m_programFolder, systemName);
}

void ListSource::adopt(SystemsCatalogue catalogue)
{
    m_reader.adopt(cataloguePath(), std::move(catalogue));
}

} // namespace Orvane
