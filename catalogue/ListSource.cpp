// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "catalogue/ListSource.h"

#include "catalogue/LineOrder.h"
#include "catalogue/TextFile.h"

namespace Orvane
{

ListSource::ListSource(QString programFolder, std::unique_ptr<StartupLists> startup)
    : m_programFolder(std::move(programFolder)), m_startup(std::move(startup))
{
    if (m_startup && m_startup->programFolder() != m_programFolder)
        m_startup.reset();
}

QString ListSource::cataloguePath() const
{
    return locateInFolder(m_programFolder, QLatin1String(catalogueFileName));
}

void ListSource::takePreparedCatalogue()
{
    if (!m_startup)
        return;
    if (std::optional<CatalogueReader> prepared = m_startup->takeCatalogue(cataloguePath()))
        m_reader = std::move(*prepared);
}

const Result<SystemsCatalogue>& ListSource::catalogue()
{
    takePreparedCatalogue();
    const std::uint64_t readsBefore = m_reader.reads();
    const Result<SystemsCatalogue>& current = m_reader.read(cataloguePath());
    // Read again: the file changed since it was prepared, and so did what the prepared lists show. A catalogue
    // with nothing to list needs none of them either.
    if (m_reader.reads() != readsBefore || !current || current->empty())
        finishStartup();
    return current;
}

QStringList ListSource::sortedDescriptions()
{
    takePreparedCatalogue();
    if (m_startup) {
        if (std::optional<QStringList> prepared = m_startup->takeSortedDescriptions())
            return std::move(*prepared);
    }
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

QStringList ListSource::imageLines(const QString& systemName)
{
    takePreparedCatalogue();
    std::optional<QStringList> prepared = m_startup ? m_startup->takeImageLines(systemName) : std::nullopt;
    return prepared ? std::move(*prepared) : imageLinesFor(m_programFolder, systemName);
}

void ListSource::adopt(SystemsCatalogue catalogue)
{
    finishStartup();
    m_reader.adopt(cataloguePath(), std::move(catalogue));
}

void ListSource::finishStartup()
{
    if (m_startup)
        m_startup->finish();
}

} // namespace Orvane
