// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "catalogue/ListSource.h"

#include "catalogue/ImageList.h"
#include "catalogue/LineOrder.h"
#include "catalogue/TextFile.h"

#include <utility>

namespace Orvane
{

QString ListSource::cataloguePath() const
{
    return locateInFolder(m_programFolder, QLatin1String(catalogueFileName));
}

void ListSource::takePrepared(PreparedLists prepared)
{
    m_prepared = std::move(prepared);
    m_preparedCatalogueServed = false;
}

const Result<SystemsCatalogue>& ListSource::catalogue()
{
    if (m_prepared) {
        // Until the first system's images are served, start-up is one load of the window, and the file was
        // compared with what was prepared a moment ago.
        if (m_preparedCatalogueServed)
            return m_reader.last();
        // Lists prepared for another catalogue are never shown.
        if (m_prepared->cataloguePath == cataloguePath()) {
            m_reader = std::move(m_prepared->catalogue);
            m_preparedCatalogueServed = true;
        } else {
            m_prepared.reset();
        }
    }
    const std::uint64_t readsBefore = m_reader.reads();
    const Result<SystemsCatalogue>& current = m_reader.read(cataloguePath());
    // Read again: the file changed since it was prepared, and so did what the prepared lists show. A catalogue
    // with nothing to list needs none of them either.
    if (m_prepared && (m_reader.reads() != readsBefore || !current || current->empty()))
        m_prepared.reset();
    return current;
}

LineList ListSource::sortedDescriptions()
{
    if (m_prepared && m_preparedCatalogueServed && m_prepared->sortedDescriptions)
        return *std::exchange(m_prepared->sortedDescriptions, std::nullopt);
    const Result<SystemsCatalogue>& catalogue = m_reader.last();
    LineList descriptions = catalogue ? catalogue->descriptions() : LineList();
    descriptions.sort();
    return descriptions;
}

std::optional<QString> ListSource::systemNameFor(QStringView description)
{
    const Result<SystemsCatalogue>& current = catalogue();
    return current ? current->systemNameFor(description) : std::nullopt;
}

std::optional<QString> ListSource::knownSystemNameFor(QStringView description) const
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
        for (const CatalogueSystem& entry : known->entries())
            m_systemNames.insert(known->description(entry).toString(), entry.systemName.toString());
    }
    m_systemNamesRead = m_reader.reads();
    return m_systemNames;
}

LineList ListSource::withImagesOnly(const LineList& descriptions) const
{
    const Result<SystemsCatalogue>& known = m_reader.last();
    if (!known)
        return {};
    const FoldersWithImages folders(m_programFolder);
    // The descriptions whose last line names a system with images: looked at from the last line up, each decided by
    // the first line met, so that 45,000 lines make no text each.
    QSet<QStringView> decided, shown;
    const std::vector<CatalogueSystem>& entries = known->entries();
    QSet<QStringView> candidates;
    for (const CatalogueSystem& entry : entries) {
        if (folders.holds(entry.systemName.view()))
            candidates.insert(known->description(entry));
    }
    for (auto entry = entries.crbegin(); entry != entries.crend() && decided.size() < candidates.size(); ++entry) {
        const QStringView description = known->description(*entry);
        if (!candidates.contains(description) || decided.contains(description))
            continue;
        decided.insert(description);
        if (folders.holds(entry->systemName.view()))
            shown.insert(description);
    }
    return descriptions.filtered([&shown](QStringView description) { return shown.contains(description); });
}

LineList ListSource::imageLines(const QString& systemName)
{
    // The first system's lines serve the one load that start-up begins with; start-up is over after it either way.
    std::optional<LineList> prepared;
    if (m_prepared && m_preparedCatalogueServed && m_prepared->firstSystemName == systemName)
        prepared = std::move(m_prepared->firstImageLines);
    m_prepared.reset();
    return prepared ? std::move(*prepared) : imageLinesFor(m_programFolder, systemName);
}

void ListSource::adopt(SystemsCatalogue catalogue)
{
    m_prepared.reset();
    m_reader.adopt(cataloguePath(), std::move(catalogue));
}

} // namespace Orvane
