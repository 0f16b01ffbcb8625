// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "catalogue/PreparedLists.h"

#include "catalogue/FolderListing.h"
#include "catalogue/ImageList.h"
#include "catalogue/LineOrder.h"
#include "catalogue/TextFile.h"
#include "platform/StartupMemory.h"

#include <QFileInfo>

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

PreparedLists prepareLists(const QString& programFolder)
{
    PreparedLists lists;
    lists.cataloguePath = locateInFolder(programFolder, QLatin1String(catalogueFileName));
    // The entries, the descriptions in list order and their sort take about eight times the file's size.
    takePagesInOneStep(static_cast<std::size_t>(std::max<qint64>(QFileInfo(lists.cataloguePath).size(), 0)) * 8);
    Result<SystemsCatalogue>& read = lists.catalogue.read(lists.cataloguePath);
    if (!read || read->entries.empty())
        return lists;
    SystemsCatalogue& catalogue = read.value();
    // The first system in list order is known from one pass, so its images are listed on another thread while
    // the descriptions are sorted here.
    const auto first = std::min_element(catalogue.entries.cbegin(), catalogue.entries.cend(),
                                        [](const CatalogueEntry& left, const CatalogueEntry& right) {
                                            return lineLess(left.description, right.description);
                                        });
    lists.firstSystemName = catalogue.systemNameFor(first->description);
    std::future<QStringList> images;
    if (lists.firstSystemName) {
        images = std::async(std::launch::async, [&programFolder, name = *lists.firstSystemName] {
            const std::optional<QString> folder = imageFolderFor(programFolder, name);
            if (!folder)
                return QStringList();
            // An image line takes about five times what its name takes in the folder's own listing.
            takePagesInOneStep(static_cast<std::size_t>(std::max<qint64>(QFileInfo(*folder).size(), 0)) * 5);
            return imageLinesIn(*folder, name);
        });
    }
    lists.sortedDescriptions = catalogue.takeDescriptions();
    sortLines(lists.sortedDescriptions);
    if (images.valid())
        lists.firstImageLines = images.get();
    return lists;
}

} // namespace Orvane
