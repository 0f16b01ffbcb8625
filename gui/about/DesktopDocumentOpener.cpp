// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "gui/about/DocumentOpener.h"

#include <QFile>
#include <QUrl>
#include <QWidget>

#include "core/NativeText.h"
#include "platform/DesktopDocuments.h"
#include "platform/Utf8Path.h"

#include <QDesktopServices>

namespace Orvane
{

bool DesktopDocumentOpener::open(const QString& target, QWidget* owner)
{
    if (systemOpensDocuments())
        return openDocument(owner ? static_cast<NativeWindow>(owner->winId()) : 0, toNativeBytes(target),
                            platformPath(m_programFolder))
            .ok();
    // A path is a local file; anything with a scheme (https:, mailto:) is an address.
    const bool address = target.startsWith(u"mailto:") || target.contains(u"://");
    return QDesktopServices::openUrl(address ? QUrl(target) : QUrl::fromLocalFile(target));
}

} // namespace Orvane
