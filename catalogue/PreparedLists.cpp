// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "catalogue/PreparedLists.h"

#include "catalogue/ImageList.h"
#include "catalogue/LineOrder.h"
#include "catalogue/TextFile.h"

#include <algorithm>
#include <future>

namespace Orvane
{

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
                                        [&catalogue](const CatalogueSystem& left, const CatalogueSystem& right) {
                                            return lineLess(catalogue.description(left), catalogue.description(right));
                                        });
    lists.firstSystemName = catalogue.systemNameFor(catalogue.description(*first));
    const auto listImages = [&programFolder, name = lists.firstSystemName] {
        return name ? imageLinesFor(programFolder, *name) : LineList();
    };
    std::future<LineList> images;
    if (imagesBesideSort)
        images = std::async(std::launch::async, listImages);
    // The catalogue keeps its own order: the sorted list shares the lines, not the list.
    lists.sortedDescriptions = catalogue.descriptions();
    lists.sortedDescriptions->sort();
    lists.firstImageLines = images.valid() ? images.get() : listImages();
    return lists;
}

} // namespace Orvane
