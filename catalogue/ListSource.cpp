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

QStringList ListSource::imageLines(const QString& systemName)
{
    return imageLinesFor(m_programFolder, systemName);
}

void ListSource::adopt(SystemsCatalogue catalogue)
{
    m_reader.adopt(cataloguePath(), std::move(catalogue));
}

} // namespace Orvane
