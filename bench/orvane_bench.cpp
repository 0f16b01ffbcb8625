// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT

// Drives the real main window on the offscreen platform over a generated program folder of today's sizes and
// prints, for start-up, a click on the 100,000-image system and "Update systems", the median time of Orvane
// against the floor of the same work in plain C++, and the peak resident memory.
//
//   orvane-bench [--runs N] [--small] [--check] [--folder PATH] [--generate-only]
//
// --small uses a small folder and --check verifies every list after every action (the CTest smoke test does
// both); the figures are printed either way and never judged. --generate-only writes the folder and stops.

#include "bench/BenchFolder.h"
#include "bench/Floors.h"

#include "bench/BenchWindow.h"
#include "catalogue/ImageList.h"
#include "catalogue/LineOrder.h"
#include "gui/mainwindow/Form1.h"
#include "gui/widgets/SortedListBox.h"
#include "platform/NativeShell.h"
#include "settings/OptionStore.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <sys/resource.h>

using namespace Orvane;

namespace
{

struct Checker
{
    bool enabled = false;
    int failures = 0;

    void expect(bool condition, const char* what)
    {
        if (enabled && !condition) {
            ++failures;
            std::fprintf(stderr, "CHECK FAILED: %s\n", what);
        }
    }
};

QStringList expectedLines(const QString& folder, const QString& system)
{
    QStringList names = QDir(folder + u"/ROMS/" + system).entryList(QDir::Files);
    QStringList lines = buildImageLines(names, system);
    sortLines(lines);
    return lines;
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    int runs = 5;
    if (const qsizetype at = arguments.indexOf(QStringLiteral("--runs")); at >= 0 && at + 1 < arguments.size())
        runs = std::max(1, arguments.at(at + 1).toInt());
    Bench::FolderSizes sizes;
    if (arguments.contains(QStringLiteral("--small")))
        sizes = {300, 200, 1000, 20};
    Checker check;
    check.enabled = arguments.contains(QStringLiteral("--check"));

    QTemporaryDir scratch;
    QString folderPath = scratch.filePath(QStringLiteral("program"));
    if (const qsizetype at = arguments.indexOf(QStringLiteral("--folder")); at >= 0 && at + 1 < arguments.size())
        folderPath = arguments.at(at + 1);
    std::fprintf(stderr, "Generating %s ...\n", qPrintable(folderPath));
    const QString standIn = QStringLiteral(ORVANE_STANDIN);
    Bench::GeneratedFolder folder = Bench::generateProgramFolder(folderPath, sizes, standIn);
    if (arguments.contains(QStringLiteral("--generate-only")))
        return 0;
    // What the lists must hold, worked out independently of the window; only kept when checking, so that the
    // memory figure is the window's own.
    QStringList sortedDescriptions, firstLines, bigLines;
    if (check.enabled) {
        sortedDescriptions = folder.descriptions;
        sortLines(sortedDescriptions);
        firstLines = expectedLines(folder.path, folder.firstSystem);
        bigLines = expectedLines(folder.path, folder.bigSystem);
        check.expect(bigLines.size() == sizes.bigSystemImages, "the big system's folder holds every image");
    }

    NativeShell shell(QFile::encodeName(folder.path).toStdString());
    Bench::PrintedMessages messages;
    Bench::NoOpener opener;
    const std::unique_ptr<OptionStore> options =
        OptionStore::inFile(scratch.filePath(QStringLiteral("config/Orvane.conf")));

    std::vector<double> startUp, click, update, startUpFloor, clickFloor, updateFloor;
    const std::string nativeFolder = QFile::encodeName(folder.path).toStdString();
    for (int run = 0; run < runs; ++run) {
        auto window = std::make_unique<Form1>(folder.path, Form1Services{shell, messages, *options, opener});
        auto* systems = window->findChild<SortedListBox*>(QStringLiteral("EmulatedSystemList"));
        auto* games = window->findChild<SortedListBox*>(QStringLiteral("GamesList"));
        const auto checkFirstSystem = [&](const char* after) {
            if (!check.enabled)
                return;
            check.expect(systems->lines() == sortedDescriptions, after);
            check.expect(systems->selectedIndex() == 0, after);
            check.expect(games->lines() == firstLines, after);
        };

        startUp.push_back(Bench::milliseconds([&] { window->Form_Load(); }));
        checkFirstSystem("start-up: the sorted systems, the first selected, its images");
        window->show();
        QApplication::processEvents();

        const int bigRow = static_cast<int>(systems->lines().indexOf(folder.bigDescription));
        click.push_back(Bench::milliseconds([&] { systems->setSelectedIndex(bigRow); }));
        if (check.enabled)
            check.expect(games->lines() == bigLines, "click: every image of the big system, exact lines");

        update.push_back(Bench::milliseconds([&] { window->UpdateSystemsMenu_Click(); }));
        checkFirstSystem("update: the sorted systems again, the first selected, its images");
        window.reset();

        startUpFloor.push_back(Bench::milliseconds([&] { Bench::Floor::startUp(nativeFolder); }));
        clickFloor.push_back(
            Bench::milliseconds([&] { Bench::Floor::systemClick(nativeFolder, folder.bigDescription.toStdString()); }));
        updateFloor.push_back(Bench::milliseconds([&] { Bench::Floor::updateSystems(nativeFolder); }));
    }

    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("Orvane benchmark: %d systems, %d + %d images, %d recordings; median of %d runs\n\n", sizes.systems,
                sizes.firstSystemImages, sizes.bigSystemImages, sizes.recordings, runs);
    std::printf("| Action | Orvane | Floor | Ratio |\n|---|---:|---:|---:|\n");
    const auto row = [](const char* name, const std::vector<double>& figure, const std::vector<double>& floor) {
        std::printf("| %s | %.1f ms | %.1f ms | %.2f |\n", name, Bench::median(figure), Bench::median(floor),
                    Bench::median(figure) / Bench::median(floor));
    };
    row("start-up to the first system's images", startUp, startUpFloor);
    row("click on the 100,000-image system", click, clickFloor);
    row("Update systems to the reloaded lists", update, updateFloor);
    std::printf("\nPeak resident memory: %.1f MB\n", usage.ru_maxrss / 1024.0);
    if (check.enabled)
        std::printf("Checks: %s\n", check.failures ? "FAILED" : "all lists as expected");
    return check.failures ? 1 : 0;
}
