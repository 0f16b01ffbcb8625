// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "app/PreparedLists.h"

#include "catalogue/ImageList.h"
#include "catalogue/LineOrder.h"
#include "catalogue/TextFile.h"
#include "platform/HeapMemory.h"

#include <QFileInfo>

#include <algorithm>
#include <future>

namespace Orvane
{

PreparedLists prepareLists(const QString& programFolder, bool imagesBesideSort)
{
    PreparedLists lists;
    lists.cataloguePath = locateInFolder(programFolder, QLatin1String(catalogueFileName));
    // Reading and sorting the catalogue takes some seven bytes of memory for each byte of the file, nearly all of
    // it in small blocks: six of them are mapped in at once rather than a page at a time as they are touched.
    mapHeapAhead(static_cast<std::size_t>(std::min(QFileInfo(lists.cataloguePath).size(), largestMappedAhead / 6) * 6));
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
        const std::optional<QString> folder = name ? imageFolderFor(programFolder, *name) : std::nullopt;
        if (!folder)
            return QStringList();
        // A folder's own size grows with the names it holds (some 64 bytes a name on ext4, less elsewhere), and
        // each name's line takes some 300 bytes to build and sort: four times the folder's size stays below.
        mapHeapAhead(static_cast<std::size_t>(std::min(QFileInfo(*folder).size(), largestMappedAhead / 16) * 4));
        return imageLinesFor(programFolder, *name);
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
