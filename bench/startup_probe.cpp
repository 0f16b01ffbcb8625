// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
// One start of Orvane as its main() makes it, in a fresh process, for the start-up figures: the lists prepared
// from the first moment (with the ways of doing so named on the command line left out), the application, the
// window loaded and shown on the offscreen platform (or on the platform QT_QPA_PLATFORM names). Writes one byte to
// standard output the moment the window shows its lists, then ends without tearing anything down.
//
//   orvane-startup-probe PROGRAM_FOLDER SETTINGS_FILE [--without prepare-ahead|images-beside-sort]...
#include "app/StartupLists.h"
#include "bench/BenchWindow.h"
#include "gui/mainwindow/Form1.h"
#include "platform/SystemProcessLauncher.h"
#include "settings/OptionStore.h"

#include <QApplication>
#include <QFile>
#include <QWindow>

#include <cstdlib>
#include <cstring>
#include <unistd.h>

int main(int argc, char* argv[])
{
    if (argc < 3)
        return 2;
    const QString folder = QFile::decodeName(argv[1]);
    // The ways of starting sooner, each left out on request to see what it is worth.
    bool prepareAhead = true;
    bool imagesBesideSort = true;
    for (int index = 3; index + 1 < argc; index += 2) {
        const char* without = argv[index + 1];
        if (std::strcmp(without, "prepare-ahead") == 0)
            prepareAhead = false;
        else if (std::strcmp(without, "images-beside-sort") == 0)
            imagesBesideSort = false;
        else
            return 2;
    }
    std::unique_ptr<Orvane::StartupLists> startup;
    if (prepareAhead)
        startup = std::make_unique<Orvane::StartupLists>(folder, [imagesBesideSort](const QString& programFolder) {
            return Orvane::prepareLists(programFolder, imagesBesideSort);
        });
    // Offscreen unless told otherwise: under Xvfb the timing script has the window mapped on a real X server.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    Orvane::SystemProcessLauncher shell;
    Orvane::Bench::PrintedMessages messages;
    Orvane::Bench::NoOpener opener;
    const std::unique_ptr<Orvane::OptionStore> options = Orvane::OptionStore::inFile(QFile::decodeName(argv[2]));
    Orvane::ListSource lists(folder);
    Orvane::Form1 window(folder, {shell, messages, *options, opener, &lists});
    if (std::optional<Orvane::PreparedLists> prepared = startup ? startup->take(folder) : std::nullopt)
        lists.takePrepared(std::move(*prepared));
    window.Form_Load();
    window.show();
    QApplication::processEvents();
    // On a real display the window is on the screen once the server has exposed it.
    while (window.windowHandle() && !window.windowHandle()->isExposed())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    const char shown = 1;
    const bool told = write(STDOUT_FILENO, &shown, 1) == 1;
    std::_Exit(told ? 0 : 1);
}
