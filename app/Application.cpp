// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "Application.h"

#include "ApplicationInfo.h"
#include "DocumentOpener.h"
#include "Form1.h"
#include "MessageBoxes.h"
#include "NativeShell.h"
#include "OptionStore.h"

#include <QApplication>
#include <QFile>

namespace Orvane
{

int runOrvane(QApplication& application)
{
    const QString title = QString::fromLatin1(ApplicationInfo::title);
    // The settings store is addressed by the application's title.
    QApplication::setOrganizationName(title);
    QApplication::setApplicationName(title);
    QApplication::setApplicationVersion(QStringLiteral("%1.%2.%3")
                                            .arg(ApplicationInfo::versionMajor)
                                            .arg(ApplicationInfo::versionMinor)
                                            .arg(ApplicationInfo::versionRevision));

    const QString programFolder = QApplication::applicationDirPath();
    NativeShell shell(QFile::encodeName(programFolder).toStdString());
    DesktopMessageBoxes messages;
    const std::unique_ptr<OptionStore> options = OptionStore::forUser();
    DesktopDocumentOpener opener(programFolder);
    Form1 window(programFolder, {shell, messages, *options, opener});
    window.Form_Load();
    window.moveToScreenCentre();
    window.show();
    return application.exec();
}

} // namespace Orvane
