// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "gui/about/AboutInfo.h"

#include "catalogue/TextFile.h"

#include <QDir>

namespace Orvane
{

QString versionLine(const QString& title, int major, int minor, int revision)
{
    return title + u" v" + QString::number(major) + u'.' + QString::number(minor) + u'.' + QString::number(revision);
}

QString mailLink(const QString& title)
{
    return u"mailto:" + QLatin1String(makerMailAddress) + u"?Subject=" + title + u" program";
}

QString helpPagePath(const QString& programFolder, const QString& title)
{
    // Found in any letter case, as every file Orvane names in its program folder.
    return QDir::toNativeSeparators(locateInFolder(programFolder, title + u".htm"));
}

} // namespace Orvane
