// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "app/Application.h"

#include "ApplicationInfo.h"
#include "catalogue/PreparedLists.h"
#include "gui/about/DocumentOpener.h"
#include "gui/mainwindow/Form1.h"
#include "gui/mainwindow/MessageBoxes.h"
#include "launch/NativeText.h"
#include "platform/NativeShell.h"
#include "platform/ProgramRun.h"
#include "platform/StartupMemory.h"
#include "platform/Utf8Path.h"
#include "settings/OptionStore.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <future>

namespace Orvane
{

std::future<PreparedLists> startPreparingLists()
{
    // Where QCoreApplication finds the program too; the window takes the lists only for its own catalogue.
    const QString program = QFileInfo(fromNativeBytes(runningProgramPath().string())).canonicalFilePath();
    if (program.isEmpty())
        return {};
    // Qt takes the first thread that uses it for the main thread: that must be this one, not a preparing one.
    QThread::currentThread();
    holdStartupMemory();
    return std::async(std::launch::async, prepareLists, QFileInfo(program).path());
}

int runOrvane(QApplication& application, std::future<PreparedLists> preparedLists)
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
    NativeShell shell(pathFromUtf8(toNativeBytes(programFolder)));
    DesktopMessageBoxes messages;
    const std::unique_ptr<OptionStore> options = OptionStore::forUser();
    DesktopDocumentOpener opener(programFolder);
    Form1 window(programFolder, {shell, messages, *options, opener});
    if (preparedLists.valid())
        window.usePreparedLists(std::move(preparedLists));
    window.Form_Load();
    releaseStartupMemory();
    window.moveToScreenCentre();
    window.show();
    return application.exec();
}

} // namespace Orvane
