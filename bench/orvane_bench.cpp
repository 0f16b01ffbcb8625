// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT

// Drives the real main window on the offscreen platform over a generated program folder of today's sizes and
// prints, for start-up, a click on the 100,000-image system and "Update systems", the median time of Orvane
// against the floor of the same work in plain C++, and the peak resident memory. Then whole starts, each in a
// fresh process: Orvane with every start-up trick, without each in turn, and the plain C++ floor.
//
//   orvane-bench [--runs N] [--small] [--check] [--folder PATH] [--generate-only]
//   orvane-bench --first-system CATALOGUE   prints the short name of the system its list shows first
//
// Each figure is the median of N runs, and each ratio the median of the ratios of runs made one after the other,
// so that the machine's drift over the runs cancels out.
// --small uses a small folder and --check verifies every list after every action (the CTest smoke test does
// both); the figures are printed either way and never judged. --generate-only writes the folder and stops.

#include "bench/BenchFolder.h"
#include "bench/Floors.h"

#include "bench/BenchWindow.h"
#include "catalogue/ImageList.h"
#include "catalogue/LineOrder.h"
#include "catalogue/ListSource.h"
#include "catalogue/SystemsCatalogue.h"
#include "gui/mainwindow/Form1.h"
#include "gui/widgets/SortedListBox.h"
#include "platform/SystemProcessLauncher.h"
#include "settings/OptionStore.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

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

// Milliseconds from starting `command` to the byte it writes once its lists are there.
double startedUntilReady(const std::vector<std::string>& command)
{
    int ready[2];
    if (pipe(ready) != 0)
        return -1;
    QElapsedTimer clock;
    clock.start();
    const pid_t child = fork();
    if (child == 0) {
        dup2(ready[1], STDOUT_FILENO);
        std::vector<char*> arguments;
        for (const std::string& argument : command)
            arguments.push_back(const_cast<char*>(argument.c_str()));
        arguments.push_back(nullptr);
        execv(arguments.front(), arguments.data());
        _exit(127);
    }
    close(ready[1]);
    char byte = 0;
    const bool told = child > 0 && read(ready[0], &byte, 1) == 1;
    const double elapsed = clock.nsecsElapsed() / 1e6;
    close(ready[0]);
    if (child > 0)
        waitpid(child, nullptr, 0);
    return told ? elapsed : -1;
}

struct Figures
{
    std::vector<double> orvane, floor;
    void add(double figure, double floorFigure)
    {
        orvane.push_back(figure);
        floor.push_back(floorFigure);
    }
    double ratio() const
    {
        std::vector<double> ratios;
        for (std::size_t index = 0; index < orvane.size(); ++index)
            ratios.push_back(orvane[index] / floor[index]);
        return Bench::median(ratios);
    }
};

void printRow(const char* name, const Figures& figures)
{
    std::printf("| %s | %.1f ms | %.1f ms | %.2f |\n", name, Bench::median(figures.orvane),
                Bench::median(figures.floor), figures.ratio());
}

// Whole starts in fresh processes, each way taken in turn in every round: every start-up trick, without each, and
// the floor. Gives false when a start did not report its lists.
bool measureFreshStarts(const QString& folder, const QString& settings, int rounds)
{
    const std::string probe = ORVANE_STARTUP_PROBE;
    const std::string program = QFile::encodeName(folder).toStdString();
    const std::string settingsFile = QFile::encodeName(settings).toStdString();
    struct Way
    {
        const char* name;
        std::vector<std::string> command;
        Figures figures;
    };
    std::vector<Way> ways{
        {"every trick", {probe, program, settingsFile}, {}},
        {"without preparing ahead", {probe, program, settingsFile, "--without", "prepare-ahead"}, {}},
        {"without images beside the sort", {probe, program, settingsFile, "--without", "images-beside-sort"}, {}},
    };
    // The first start writes the settings a returning user has; it is not counted.
    startedUntilReady(ways.front().command);
    for (int round = 0; round < rounds; ++round) {
        for (Way& way : ways) {
            const double floor = startedUntilReady({ORVANE_STARTUP_FLOOR, program});
            const double start = startedUntilReady(way.command);
            if (floor < 0 || start < 0)
                return false;
            way.figures.add(start, floor);
        }
    }
    std::printf("\nA whole start in a fresh process, exec to the lists shown (offscreen), median of %d rounds\n\n",
                rounds);
    std::printf("| Start | Orvane | Floor | Ratio |\n|---|---:|---:|---:|\n");
    for (const Way& way : ways)
        printRow(way.name, way.figures);
    return true;
}

} // namespace

namespace
{

struct WindowFigures
{
    Figures startUp, click, update, onlyWithImages;
};

// What the lists must hold, worked out independently of the window; only kept when checking, so that the memory
// figure is the window's own.
struct ExpectedLists
{
    QStringList sortedDescriptions, firstLines, bigLines;
};

// The window's start-up, a click on the big system and an update, each against its floor, `runs` times.
WindowFigures measureWindow(const Bench::GeneratedFolder& folder, const ExpectedLists& expected, Checker& check,
                            const QString& configFile, int runs)
{
    SystemProcessLauncher launcher;
    Bench::PrintedMessages messages;
    Bench::NoOpener opener;
    const std::unique_ptr<OptionStore> options = OptionStore::inFile(configFile);
    WindowFigures figures;
    const std::string nativeFolder = QFile::encodeName(folder.path).toStdString();
    for (int run = 0; run < runs; ++run) {
        auto window = std::make_unique<Form1>(folder.path, Form1Services{launcher, messages, *options, opener});
        auto* systems = window->findChild<SortedListBox*>(QStringLiteral("EmulatedSystemList"));
        auto* games = window->findChild<SortedListBox*>(QStringLiteral("GamesList"));
        const auto checkFirstSystem = [&](const char* after) {
            if (!check.enabled)
                return;
            check.expect(systems->lines() == expected.sortedDescriptions, after);
            check.expect(systems->selectedIndex() == 0, after);
            check.expect(games->lines() == expected.firstLines, after);
        };

        const double startUpTime = Bench::milliseconds([&] { window->Form_Load(); });
        checkFirstSystem("start-up: the sorted systems, the first selected, its images");
        window->show();
        QApplication::processEvents();

        const int bigRow = static_cast<int>(systems->lines().indexOf(folder.bigDescription));
        const double clickTime = Bench::milliseconds([&] { systems->setSelectedIndex(bigRow); });
        if (check.enabled)
            check.expect(games->lines() == expected.bigLines, "click: every image of the big system, exact lines");

        const double updateTime = Bench::milliseconds([&] { window->UpdateSystemsMenu_Click(); });
        checkFirstSystem("update: the sorted systems again, the first selected, its images");

        // "Only systems with images": in the window, the list holds the systems with images alone.
        auto* only = window->findChild<QAction*>(QStringLiteral("OnlyWithImagesMenu"));
        only->trigger();
        if (check.enabled)
            check.expect(systems->count() == 2, "only the two systems with images are listed");
        only->trigger();
        window.reset();

        figures.startUp.add(startUpTime, Bench::milliseconds([&] { Bench::Floor::startUp(nativeFolder); }));
        figures.click.add(clickTime, Bench::milliseconds([&] {
                              Bench::Floor::systemClick(nativeFolder, folder.bigDescription.toStdString());
                          }));
        figures.update.add(updateTime, Bench::milliseconds([&] { Bench::Floor::updateSystems(nativeFolder); }));
        // Its filter against the least any filter does: one listing of ROMS, and one look at each system's name.
        ListSource lists(folder.path);
        (void)lists.catalogue();
        const LineList sorted = lists.sortedDescriptions();
        const double filterTime = Bench::milliseconds([&] { (void)lists.withImagesOnly(sorted); });
        figures.onlyWithImages.add(filterTime, Bench::milliseconds([&] {
                                       const QStringList roms =
                                           QDir(folder.path + QStringLiteral("/ROMS"))
                                               .entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::NoSort);
                                       const QSet<QString> named(roms.cbegin(), roms.cend());
                                       int found = 0;
                                       for (const CatalogueSystem& entry : lists.catalogue()->entries())
                                           found += named.contains(entry.systemName.toString());
                                       (void)found;
                                   }));
    }
    return figures;
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
    // The system a catalogue's list shows first, for the start-up timing under Xvfb.
    if (const qsizetype at = arguments.indexOf(QStringLiteral("--first-system"));
        at >= 0 && at + 1 < arguments.size()) {
        const Result<SystemsCatalogue> catalogue = readSystemsCatalogue(arguments.at(at + 1));
        if (!catalogue || catalogue->empty())
            return 1;
        QStringList descriptions = catalogue->descriptions().toStringList();
        sortLines(descriptions);
        std::printf("%s\n", qPrintable(catalogue->systemNameFor(descriptions.first()).value_or(QString())));
        return 0;
    }
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
    Bench::GeneratedFolder folder = Bench::generateProgramFolder(folderPath, sizes, QStringLiteral(ORVANE_STANDIN));
    if (arguments.contains(QStringLiteral("--generate-only")))
        return 0;
    ExpectedLists expected;
    if (check.enabled) {
        expected.sortedDescriptions = folder.descriptions;
        sortLines(expected.sortedDescriptions);
        expected.firstLines = expectedLines(folder.path, folder.firstSystem);
        expected.bigLines = expectedLines(folder.path, folder.bigSystem);
        check.expect(expected.bigLines.size() == sizes.bigSystemImages, "the big system's folder holds every image");
    }
    const QString configFile = scratch.filePath(QStringLiteral("config/Orvane.conf"));
    const WindowFigures figures = measureWindow(folder, expected, check, configFile, runs);

    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("Orvane benchmark: %d systems, %d + %d images, %d recordings; median of %d runs\n\n", sizes.systems,
                sizes.firstSystemImages, sizes.bigSystemImages, sizes.recordings, runs);
    std::printf("| Action | Orvane | Floor | Ratio |\n|---|---:|---:|---:|\n");
    printRow("start-up to the first system's images", figures.startUp);
    printRow("click on the 100,000-image system", figures.click);
    printRow("Update systems to the reloaded lists", figures.update);
    printRow("Only systems with images: the filter, against one listing of ROMS and a look at each name",
             figures.onlyWithImages);
    std::printf("\nPeak resident memory: %.1f MB\n", usage.ru_maxrss / 1024.0);
    if (!measureFreshStarts(folder.path, configFile, runs * 2 + 1))
        check.expect(false, "every fresh start showed its lists");
    if (check.enabled)
        std::printf("Checks: %s\n", check.failures ? "FAILED" : "all lists as expected");
    return check.failures ? 1 : 0;
}
