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
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <thread>

using namespace Orvane;

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    int runs = 3;
    if (const qsizetype at = arguments.indexOf(QStringLiteral("--runs")); at >= 0 && at + 1 < arguments.size())
        runs = std::max(1, arguments.at(at + 1).toInt());
    QString emulator = QStandardPaths::findExecutable(QStringLiteral("mame"), {QStringLiteral("/usr/games")});
    if (const qsizetype at = arguments.indexOf(QStringLiteral("--emulator")); at >= 0 && at + 1 < arguments.size())
        emulator = arguments.at(at + 1);
    if (emulator.isEmpty()) {
        std::printf("SKIPPED: no emulator (Debian's package mame) to measure against.\n");
        return 77;
    }

    QTemporaryDir scratch;
    const QString folder = scratch.filePath(QStringLiteral("my program"));
    QDir().mkpath(folder + QStringLiteral("/ROMS"));
    QFile::copy(QStringLiteral(ORVANE_BRIDGE), folder + QStringLiteral("/MESS.EXE"));
    QFile::setPermissions(folder + QStringLiteral("/MESS.EXE"), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    QFile settings(folder + QStringLiteral("/bridge.ini"));
    if (!settings.open(QIODevice::WriteOnly) || settings.write("emulator=" + emulator.toUtf8() + "\n") < 0)
        return 1;
    settings.close();
    QFile catalogue(folder + QStringLiteral("/Orvane.sys"));
    if (!catalogue.open(QIODevice::WriteOnly) ||
        catalogue.write("Name:     Description:\r\nnone      \"None\"\r\n") < 0)
        return 1;
    catalogue.close();

    const std::filesystem::path nativeFolder = platformPath(folder);
    const std::filesystem::path nativeEmulator = platformPath(emulator);
    SystemProcessLauncher shell(nativeFolder);
    Bench::PrintedMessages messages;
    Bench::NoOpener opener;
    const std::unique_ptr<OptionStore> options =
        OptionStore::inFile(scratch.filePath(QStringLiteral("config/Orvane.conf")));
    Form1 window(folder, Form1Services{shell, messages, *options, opener});
    window.Form_Load();
    window.show();
    QApplication::processEvents();
    auto* systems = window.findChild<SortedListBox*>(QStringLiteral("EmulatedSystemList"));

    std::vector<double> listFull, bothListings, firstUpdate, repeatedUpdate;
    const auto list = [&](const char* option, const char* output) {
        if (const auto run = runAndWait({nativeEmulator, {option}, nativeFolder, nativeFolder / output}); !run)
            std::fprintf(stderr, "%s\n", run.error().c_str());
    };
    for (int run = 0; run < runs; ++run) {
        listFull.push_back(Bench::milliseconds([&] { list("-listfull", "alone.txt"); }));
        bothListings.push_back(Bench::milliseconds([&] {
            std::thread media([&] { list("-listmedia", "media.txt"); });
            list("-listfull", "full.txt");
            media.join();
        }));
        // A first update: the bridge has kept nothing of this emulator yet.
        QDir(folder + QStringLiteral("/bridge-cache")).removeRecursively();
        firstUpdate.push_back(Bench::milliseconds([&] { window.UpdateSystemsMenu_Click(); }));
        repeatedUpdate.push_back(Bench::milliseconds([&] { window.UpdateSystemsMenu_Click(); }));
        if (systems->count() < 1000)
            std::fprintf(stderr, "only %d systems after the update\n", systems->count());
    }

    // A play's start, with everything kept warm by a first play.
    const QString playFolder = scratch.filePath(QStringLiteral("play folder"));
    QDir().mkpath(playFolder + QStringLiteral("/ROMS/a2600"));
    QFile::copy(QStringLiteral(ORVANE_BRIDGE), playFolder + QStringLiteral("/MESS.EXE"));
    QFile::setPermissions(playFolder + QStringLiteral("/MESS.EXE"), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    QFile playSettings(playFolder + QStringLiteral("/bridge.ini"));
    QFile cartridge(playFolder + QStringLiteral("/ROMS/a2600/Cart.a26"));
    if (!playSettings.open(QIODevice::WriteOnly) ||
        playSettings.write("emulator=" + QByteArray(ORVANE_PLAY_PROBE) + "\n") < 0 ||
        !cartridge.open(QIODevice::WriteOnly) || cartridge.write(QByteArray(4096, '\xea')) < 0)
        return 1;
    playSettings.close();
    cartridge.close();
    const QString probeFile = scratch.filePath(QStringLiteral("probe.txt"));
    qputenv("ORVANE_PROBE_EMULATOR", emulator.toUtf8());
    qputenv("ORVANE_PROBE_FILE", probeFile.toUtf8());
    const std::filesystem::path nativePlayFolder = platformPath(playFolder);
    const auto bridge = [&](std::vector<std::string> arguments) {
        return runAndWait(
            {nativePlayFolder / "MESS.EXE", std::move(arguments), nativePlayFolder, nativePlayFolder / "out.txt"});
    };
    std::vector<double> playStart, emulatorStart;
    if (const auto update = bridge({"-listfull"}); !update || update->exitCode != 0)
        std::fprintf(stderr, "the play folder's update failed\n");
    for (int run = 0; run <= runs; ++run) {
        const auto before = std::chrono::system_clock::now().time_since_epoch();
        if (const auto played = bridge({"a2600", "Cart.a26"}); !played || played->exitCode != 0)
            std::fprintf(stderr, "the play through the probe failed\n");
        QFile probe(probeFile);
        if (!probe.open(QIODevice::ReadOnly))
            return 1;
        const double startedAt = probe.readAll().toDouble();
        if (run > 0) // the first play keeps the configuration
            playStart.push_back((startedAt - std::chrono::duration<double, std::nano>(before).count()) / 1e6);
        if (run > 0)
            emulatorStart.push_back(Bench::milliseconds([&] {
                (void)runAndWait({nativeEmulator,
                                  {"a2600", "-cart", (nativePlayFolder / "ROMS/a2600/Cart.a26").string(), "-video",
                                   "none", "-sound", "none", "-nothrottle", "-seconds_to_run", "1"},
                                  nativePlayFolder,
                                  nativePlayFolder / "emulator.txt"});
            }));
    }

    std::printf("Update systems through the bridge against %s, %d systems listed; median of %d runs\n\n",
                qPrintable(emulator), systems->count(), runs);
    std::printf("| Action | Time | Held against | Its time | Ratio |\n|---|---:|---|---:|---:|\n");
    std::printf("| first update, menu command to lists reloaded | %.0f ms | both listings at once | %.0f ms | %.2f |\n",
                Bench::median(firstUpdate), Bench::median(bothListings),
                Bench::median(firstUpdate) / Bench::median(bothListings));
    std::printf("| repeated update (emulator unchanged) | %.0f ms | -listfull alone | %.0f ms | %.2f |\n",
                Bench::median(repeatedUpdate), Bench::median(listFull),
                Bench::median(repeatedUpdate) / Bench::median(listFull));
    std::printf("\n| Play start | Time |\n|---|---:|\n");
    std::printf("| bridge's exec to the emulator's exec (listings and configuration kept) | %.1f ms |\n",
                Bench::median(playStart));
    std::printf("| the emulator's own start to its first emulated second (no window, unthrottled) | %.0f ms |\n",
                Bench::median(emulatorStart));
    return 0;
}
