// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT

// "Update systems" through the bridge against today's emulator, side by side with what the emulator itself takes:
// its "-listfull" alone, and its two listings run at once as the bridge runs them. The first update (the bridge
// asks the emulator) is held against the two listings; a repeated one (the emulator unchanged, its listings kept)
// against "-listfull" alone. Drives the real main window on the offscreen platform. Then a play's start: from the
// bridge's exec to the emulator's, with the listings and configuration kept (a probe in front of the emulator
// notes the moment it is started), beside the emulator's own start on the same cartridge.
//
//   orvane-bridge-bench [--runs N] [--emulator PATH]
//
// Exits with 77, saying why, where there is no emulator.

#include "bench/BenchWindow.h"
#include "core/NativeText.h"
#include "gui/mainwindow/Form1.h"
#include "gui/widgets/SortedListBox.h"
#include "platform/ProgramRun.h"
#include "platform/SystemProcessLauncher.h"
#include "platform/Utf8Path.h"
#include "settings/OptionStore.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QHelpEvent>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QToolTip>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <thread>

using namespace Orvane;

namespace
{

QString argumentAfter(const QStringList& arguments, const QString& option, QString fallback)
{
    const qsizetype at = arguments.indexOf(option);
    return at >= 0 && at + 1 < arguments.size() ? arguments.at(at + 1) : fallback;
}

// A program folder with the bridge as MESS.EXE, told which emulator to drive, and `files` beside it.
bool makeProgramFolder(const QString& folder, const QString& emulator,
                       const QList<std::pair<QString, QByteArray>>& files)
{
    QDir().mkpath(folder + QStringLiteral("/ROMS"));
    QFile::copy(QStringLiteral(ORVANE_BRIDGE), folder + QStringLiteral("/MESS.EXE"));
    QFile::setPermissions(folder + QStringLiteral("/MESS.EXE"), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    QList<std::pair<QString, QByteArray>> all = files;
    all.append({QStringLiteral("bridge.ini"), "emulator=" + emulator.toUtf8() + "\n"});
    for (const auto& [name, content] : all) {
        QDir().mkpath(QFileInfo(folder + u'/' + name).path());
        QFile file(folder + u'/' + name);
        if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
            return false;
    }
    return true;
}

struct UpdateFigures
{
    std::vector<double> listFull, bothListings, firstUpdate, repeatedUpdate;
    int systems = 0;
};

// The emulator's listings alone, and "Update systems" in the window, first and repeated.
UpdateFigures measureUpdates(const QString& folder, const QString& emulator, const QString& scratch, int runs)
{
    const std::filesystem::path nativeFolder = platformPath(folder);
    const std::filesystem::path nativeEmulator = platformPath(emulator);
    SystemProcessLauncher launcher;
    Bench::PrintedMessages messages;
    Bench::NoOpener opener;
    const std::unique_ptr<OptionStore> options = OptionStore::inFile(scratch + QStringLiteral("/config/Orvane.conf"));
    Form1 window(folder, Form1Services{launcher, messages, *options, opener});
    window.Form_Load();
    window.show();
    QApplication::processEvents();
    auto* systems = window.findChild<SortedListBox*>(QStringLiteral("EmulatedSystemList"));

    UpdateFigures figures;
    const auto list = [&](const char* option, const char* output) {
        if (const auto run = runAndWait({nativeEmulator, {option}, nativeFolder, nativeFolder / output}); !run)
            std::fprintf(stderr, "%s\n", run.error().c_str());
    };
    for (int run = 0; run < runs; ++run) {
        figures.listFull.push_back(Bench::milliseconds([&] { list("-listfull", "alone.txt"); }));
        figures.bothListings.push_back(Bench::milliseconds([&] {
            std::thread media([&] { list("-listmedia", "media.txt"); });
            list("-listfull", "full.txt");
            media.join();
        }));
        // A first update: the bridge has kept nothing of this emulator yet.
        QDir(folder + QStringLiteral("/bridge-cache")).removeRecursively();
        figures.firstUpdate.push_back(Bench::milliseconds([&] { window.UpdateSystemsMenu_Click(); }));
        figures.repeatedUpdate.push_back(Bench::milliseconds([&] { window.UpdateSystemsMenu_Click(); }));
        if (systems->count() < 1000)
            std::fprintf(stderr, "only %d systems after the update\n", systems->count());
    }
    figures.systems = systems->count();
    return figures;
}

struct PlayFigures
{
    std::vector<double> playStart, emulatorStart;
};

// A play's start through the bridge, with everything kept warm by a first play, beside the emulator's own start.
PlayFigures measurePlays(const QString& playFolder, const QString& emulator, const QString& probeFile, int runs)
{
    qputenv("ORVANE_PROBE_EMULATOR", emulator.toUtf8());
    qputenv("ORVANE_PROBE_FILE", probeFile.toUtf8());
    const std::filesystem::path folder = platformPath(playFolder);
    const auto bridge = [&](std::vector<std::string> arguments) {
        return runAndWait({folder / "MESS.EXE", std::move(arguments), folder, folder / "out.txt"});
    };
    PlayFigures figures;
    if (const auto update = bridge({"-listfull"}); !update || update->exitCode != 0)
        std::fprintf(stderr, "the play folder's update failed\n");
    for (int run = 0; run <= runs; ++run) {
        const auto before = std::chrono::system_clock::now().time_since_epoch();
        if (const auto played = bridge({"a2600", "Cart.a26"}); !played || played->exitCode != 0)
            std::fprintf(stderr, "the play through the probe failed\n");
        QFile probe(probeFile);
        if (!probe.open(QIODevice::ReadOnly))
            continue;
        const double startedAt = probe.readAll().toDouble();
        if (run == 0) // the first play keeps the configuration
            continue;
        figures.playStart.push_back((startedAt - std::chrono::duration<double, std::nano>(before).count()) / 1e6);
        figures.emulatorStart.push_back(Bench::milliseconds([&] {
            (void)runAndWait({platformPath(emulator),
                              {"a2600", "-cart", (folder / "ROMS/a2600/Cart.a26").string(), "-video", "none", "-sound",
                               "none", "-nothrottle", "-seconds_to_run", "1"},
                              folder,
                              folder / "emulator.txt"});
        }));
    }
    return figures;
}

struct IdentifyFigures
{
    std::vector<double> kept, firstNes, tip;
};

// "-identify" as a whole process: a cartridge with its system's index kept, the first question for the NES (six
// lists indexed), and in the window, how long a tip takes to show what the lists say once Qt asks for it.
IdentifyFigures measureIdentify(const QString& folder, int runs)
{
    const std::filesystem::path nativeFolder = platformPath(folder);
    const auto identify = [&](const char* system, const char* image) {
        return Bench::milliseconds([&] {
            (void)runAndWait(
                {nativeFolder / "MESS.EXE", {"-identify", system, image}, nativeFolder, nativeFolder / "id.txt"});
        });
    };
    IdentifyFigures figures;
    identify("a2600", "Cart.a26");
    for (int run = 0; run < runs; ++run) {
        figures.kept.push_back(identify("a2600", "Cart.a26"));
        for (const QString& kept :
             QDir(folder + QStringLiteral("/bridge-cache")).entryList({QStringLiteral("list-nes*")}))
            QFile::remove(folder + QStringLiteral("/bridge-cache/") + kept);
        figures.firstNes.push_back(identify("nes", "Cart.nes"));
    }
    SystemProcessLauncher launcher;
    Bench::PrintedMessages messages;
    Bench::NoOpener opener;
    QTemporaryDir config;
    const std::unique_ptr<OptionStore> options = OptionStore::inFile(config.filePath(QStringLiteral("Orvane.conf")));
    QFile::copy(folder + QStringLiteral("/Orvane.sys"), folder + QStringLiteral("/Orvane.sys.bench"));
    QFile catalogue(folder + QStringLiteral("/Orvane.sys"));
    if (catalogue.open(QIODevice::WriteOnly))
        catalogue.write("Name:     Description:\r\na2600     \"Atari 2600\"\r\n");
    catalogue.close();
    // Each run a new window, as a new session: the emulator's index is kept, no answer is.
    for (int run = 0; run < runs; ++run) {
        Form1 window(folder, Form1Services{launcher, messages, *options, opener});
        window.Form_Load();
        window.show();
        QApplication::processEvents();
        auto* images = window.findChild<SortedListBox*>(QStringLiteral("GamesList"));
        if (images->count() == 0)
            break;
        const QPoint at = images->visualRect(images->model()->index(0, 0)).center();
        QElapsedTimer clock;
        clock.start();
        QHelpEvent help(QEvent::ToolTip, at, images->viewport()->mapToGlobal(at));
        QApplication::sendEvent(images->viewport(), &help);
        while (!QToolTip::text().contains(u'\n') && clock.elapsed() < 10000)
            QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        figures.tip.push_back(clock.nsecsElapsed() / 1e6);
        QToolTip::hideText();
    }
    QFile::remove(folder + QStringLiteral("/Orvane.sys"));
    QFile::rename(folder + QStringLiteral("/Orvane.sys.bench"), folder + QStringLiteral("/Orvane.sys"));
    return figures;
}

void printFigures(const QString& emulator, const UpdateFigures& updates, const PlayFigures& plays,
                  const IdentifyFigures& titles, int runs)
{
    std::printf("Update systems through the bridge against %s, %d systems listed; median of %d runs\n\n",
                qPrintable(emulator), updates.systems, runs);
    std::printf("| Action | Time | Held against | Its time | Ratio |\n|---|---:|---|---:|---:|\n");
    std::printf("| first update, menu command to lists reloaded | %.0f ms | both listings at once | %.0f ms | %.2f |\n",
                Bench::median(updates.firstUpdate), Bench::median(updates.bothListings),
                Bench::median(updates.firstUpdate) / Bench::median(updates.bothListings));
    std::printf("| repeated update (emulator unchanged) | %.0f ms | -listfull alone | %.0f ms | %.2f |\n",
                Bench::median(updates.repeatedUpdate), Bench::median(updates.listFull),
                Bench::median(updates.repeatedUpdate) / Bench::median(updates.listFull));
    std::printf("\n| Play start | Time |\n|---|---:|\n");
    std::printf("| bridge's exec to the emulator's exec (listings and configuration kept) | %.1f ms |\n",
                Bench::median(plays.playStart));
    std::printf("| the emulator's own start to its first emulated second (no window, unthrottled) | %.0f ms |\n",
                Bench::median(plays.emulatorStart));
    std::printf("\n| Titles | Time |\n|---|---:|\n");
    std::printf("| -identify, a cartridge, the system's index kept (whole process) | %.1f ms |\n",
                Bench::median(titles.kept));
    std::printf("| -identify, the first for the NES (its lists indexed) | %.0f ms |\n", Bench::median(titles.firstNes));
    std::printf("| an image's tip, from Qt asking to the title shown | %.1f ms |\n", Bench::median(titles.tip));
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    const int runs = std::max(1, argumentAfter(arguments, QStringLiteral("--runs"), QStringLiteral("3")).toInt());
    const QString emulator =
        argumentAfter(arguments, QStringLiteral("--emulator"),
                      QStandardPaths::findExecutable(QStringLiteral("mame"), {QStringLiteral("/usr/games")}));
    if (emulator.isEmpty()) {
        std::printf("SKIPPED: no emulator (Debian's package mame) to measure against.\n");
        return 77;
    }

    QTemporaryDir scratch;
    // The emulator reads and writes its own folders under the home: it gets one of the benchmark's, so nothing of
    // the user's is read or changed.
    const QString home = scratch.filePath(QStringLiteral("home"));
    for (const auto& [variable, place] : {std::pair{"HOME", ""},
                                          {"XDG_CONFIG_HOME", "/.config"},
                                          {"XDG_DATA_HOME", "/.local/share"},
                                          {"XDG_CACHE_HOME", "/.cache"},
                                          {"XDG_RUNTIME_DIR", "/runtime"}}) {
        QDir().mkpath(home + QLatin1String(place));
        qputenv(variable, QFile::encodeName(home + QLatin1String(place)));
    }
    const QString folder = scratch.filePath(QStringLiteral("my program"));
    const QString playFolder = scratch.filePath(QStringLiteral("play folder"));
    if (!makeProgramFolder(folder, emulator,
                           {{QStringLiteral("Orvane.sys"), "Name:     Description:\r\nnone      \"None\"\r\n"}}) ||
        !makeProgramFolder(playFolder, QStringLiteral(ORVANE_PLAY_PROBE),
                           {{QStringLiteral("ROMS/a2600/Cart.a26"), QByteArray(4096, '\xea')}}))
        return 1;
    const UpdateFigures updates = measureUpdates(folder, emulator, scratch.path(), runs);
    const PlayFigures plays = measurePlays(playFolder, emulator, scratch.filePath(QStringLiteral("probe.txt")), runs);
    QDir().mkpath(folder + QStringLiteral("/ROMS/a2600"));
    QDir().mkpath(folder + QStringLiteral("/ROMS/nes"));
    QFile::copy(playFolder + QStringLiteral("/ROMS/a2600/Cart.a26"), folder + QStringLiteral("/ROMS/a2600/Cart.a26"));
    QFile::copy(playFolder + QStringLiteral("/ROMS/a2600/Cart.a26"), folder + QStringLiteral("/ROMS/nes/Cart.nes"));
    const IdentifyFigures titles = measureIdentify(folder, runs);
    printFigures(emulator, updates, plays, titles, runs);
    return 0;
}
