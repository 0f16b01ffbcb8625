// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "gui/about/DocumentOpener.h"

#include <QFile>
#include <QUrl>

#ifdef Q_OS_WIN
#include "launch/NativeText.h"
#include "platform/DocumentShell.h"
#include "platform/Utf8Path.h"
#else
#include <QDesktopServices>
#endif

namespace Orvane
{

bool DesktopDocumentOpener::open(const QString& target)
{
#ifdef Q_OS_WIN
    return openWithShell(toNativeBytes(target), pathFromUtf8(toNativeBytes(m_programFolder))).started;
#else
    // A path is a local file; anything with a scheme (https:, mailto:) is an address.
    const bool address = target.startsWith(u"mailto:") || target.contains(u"://");
    return QDesktopServices::openUrl(address ? QUrl(target) : QUrl::fromLocalFile(target));
#endif
}

} // namespace Orvane
