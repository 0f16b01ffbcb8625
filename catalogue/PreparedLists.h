// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include "catalogue/SystemsCatalogue.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace Orvane
{

// What the window shows first, prepared on another thread while the window is being built: the catalogue, its
// descriptions in list order, and the image lines of the system that the list selects first. Nothing here is
// shown as it is: the window checks that the catalogue it reads is the one prepared.
struct PreparedLists
{
    QString cataloguePath;
    CatalogueReader catalogue;
    std::optional<LineList> sortedDescriptions; // none when the catalogue lists nothing
    std::optional<QString> firstSystemName;
    LineList firstImageLines; // sorted
};

// `imagesBesideSort`: the first system's images are listed on another thread while the descriptions sort.
PreparedLists prepareLists(const QString& programFolder, bool imagesBesideSort = true);

} // namespace Orvane
