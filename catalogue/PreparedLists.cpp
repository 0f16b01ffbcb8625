// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "catalogue/PreparedLists.h"

#include "catalogue/FolderListing.h"
#include "catalogue/ImageList.h"
#include "catalogue/LineOrder.h"
#include "catalogue/TextFile.h"

#include <algorithm>
#include <future>

namespace Orvane
{

// A system name comes from a file that other programs write; it names one folder inside ROMS, never a path.
static bool isPlainFolderName(const QString& name)
{
    return !name.isEmpty() && name != u"." && name != u".." && !name.contains(u'/') && !name.contains(u'\\');
}

std::optional<QString> imageFolderFor(const QString& programFolder, const QString& systemName)
{
    if (!isPlainFolderName(systemName))
        return std::nullopt;
    return locateInFolder(locateInFolder(programFolder, QStringLiteral("ROMS")), systemName);
}

// The lines are built as the names are read, without a list of the names in between.
static QStringList imageLinesIn(const QString& folder, const QString& systemName)
{
    QStringList lines;
    const Result<void> listed = forEachFile(folder, QStringLiteral("*.*"), [&](const QString& name) {
        if (!isFolderNote(name))
            lines.append(buildImageLine(name, systemName));
    });
    // A folder that cannot be read lists nothing, as a system without a folder does.
    if (!listed)
        return {};
    sortLines(lines);
    return lines;
}

QStringList imageLinesFor(const QString& programFolder, const QString& systemName)
{
    const std::optional<QString> folder = imageFolderFor(programFolder, systemName);
    return folder ? imageLinesIn(*folder, systemName) : QStringList();
}

PreparedLists prepareLists(const QString& programFolder, bool imagesBesideSort)
{
    PreparedLists lists;
    lists.cataloguePath = locateInFolder(programFolder, QLatin1String(catalogueFileName));
    const Result<SystemsCatalogue>& read = lists.catalogue.read(lists.cataloguePath);
    if (!read || read->empty())
        return lists;
    const SystemsCatalogue& catalogue = read.value();
    // The first system in list order is known from one pass, so its images are listed on another thread while
    // the descriptions are sorted here.
    const auto first = std::min_element(catalogue.entries().cbegin(), catalogue.entries().cend(),
                                        [](const CatalogueEntry& left, const CatalogueEntry& right) {
                                            return lineLess(left.description, right.description);
                                        });
    lists.firstSystemName = catalogue.systemNameFor(first->description);
    const auto listImages = [&programFolder, name = lists.firstSystemName] {
        return name ? imageLinesFor(programFolder, *name) : QStringList();
    };
    std::future<QStringList> images;
    if (imagesBesideSort)
        images = std::async(std::launch::async, listImages);
    // The catalogue keeps its own order: the sorted list shares the lines, not the list.
    lists.sortedDescriptions = catalogue.descriptions();
    sortLines(*lists.sortedDescriptions);
    lists.firstImageLines = images.valid() ? images.get() : listImages();
    return lists;
}

} // namespace Orvane
