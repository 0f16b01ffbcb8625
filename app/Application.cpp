// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "app/Application.h"

#include "ApplicationInfo.h"
#include "core/NativeText.h"
#include "gui/about/DocumentOpener.h"
#include "gui/mainwindow/Form1.h"
#include "gui/mainwindow/MessageBoxes.h"
#include "platform/ProgramRun.h"
#include "platform/SystemProcessLauncher.h"
#include "platform/ThisProgram.h"
#include "platform/Utf8Path.h"
#include "settings/OptionStore.h"

#include <QApplication>
#include <QFileInfo>

namespace Orvane
{

std::unique_ptr<StartupLists> startPreparingLists()
{
    // Where QCoreApplication finds the program too; the window takes the lists only for its own folder.
    const QString program = QFileInfo(fromNativeBytes(runningProgramPath().string())).canonicalFilePath();
    if (program.isEmpty())
        return nullptr;
    return std::make_unique<StartupLists>(QFileInfo(program).path());
}

int runOrvane(QApplication& application, std::unique_ptr<StartupLists> startup)
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
    SystemProcessLauncher shell;
    DesktopMessageBoxes messages;
    const std::unique_ptr<OptionStore> options = OptionStore::forUser();
    DesktopDocumentOpener opener(programFolder);
    ListSource lists(programFolder);
    Form1 window(programFolder, {shell, messages, *options, opener, &lists});
    // The lists prepared while the window was built are handed over for its first load.
    if (std::optional<PreparedLists> prepared = startup ? startup->take(programFolder) : std::nullopt)
        lists.takePrepared(std::move(*prepared));
    startup.reset();
    window.Form_Load();
    window.moveToScreenCentre();
    window.show();
    return application.exec();
}

} // namespace Orvane
