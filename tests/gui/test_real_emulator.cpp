// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
// Record and Playback with the emulator users really have, through the bridge as MESS.EXE: the recording is a real
// one, and it replays. Skipped where the emulator is not installed.
#include "ProgramFolder.h"
#include "RecordingMessages.h"
#include "RecordingOpener.h"

#include "core/NativeText.h"
#include "gui/mainwindow/Form1.h"
#include "gui/widgets/FileListBox.h"
#include "gui/widgets/SortedListBox.h"
#include "platform/SystemProcessLauncher.h"
#include "platform/Utf8Path.h"
#include "settings/OptionStore.h"

#include <QComboBox>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>

#include <memory>

using namespace Orvane;
using namespace Qt::StringLiterals;

class TestRealEmulator final : public QObject
{
    Q_OBJECT

private slots:
    void recordThenPlayBack();
};

void TestRealEmulator::recordThenPlayBack()
{
    if (QStandardPaths::findExecutable(u"mame"_s, {u"/usr/games"_s, u"/usr/bin"_s}).isEmpty())
        QSKIP("the emulator (Debian's package mame) is not installed");
    // The emulator reads and writes its folders under the home (its ini, cfg, snapshots): it gets one of the
    // test's own, so nothing of the user's is read or changed.
    QTemporaryDir home;
    for (const auto& [variable, place] : {std::pair{"HOME", ""},
                                          {"XDG_CONFIG_HOME", "/.config"},
                                          {"XDG_DATA_HOME", "/.local/share"},
                                          {"XDG_CACHE_HOME", "/.cache"}}) {
        QDir().mkpath(home.path() + QLatin1String(place));
        qputenv(variable, QFile::encodeName(home.path() + QLatin1String(place)));
    }
    ProgramFolder program;
    QFile bridge(QStringLiteral(ORVANE_BRIDGE));
    QVERIFY(bridge.open(QIODevice::ReadOnly));
    program.write(u"MESS.EXE"_s, bridge.readAll(), true);
    // No window of its own here, and a couple of emulated seconds as fast as the machine can run them.
    program.write(u"bridge.ini"_s,
                  "play-arguments=-video none -sound none -skip_gameinfo -nothrottle -seconds_to_run 2\n");
    program.write(u"Orvane.sys"_s, "Name:     Description:\r\na2600     \"Atari 2600 (NTSC)\"\r\n");
    QProcess cartridge;
    QDir().mkpath(program.filePath(u"ROMS/a2600"_s));
    QDir().mkpath(program.filePath(u"INP"_s));
    cartridge.start(u"python3"_s, {QStringLiteral(ORVANE_MAKE_CARTRIDGE), program.filePath(u"ROMS/a2600/Cart.a26"_s)});
    QVERIFY(cartridge.waitForFinished() && cartridge.exitCode() == 0);

    QTemporaryDir config;
    const std::unique_ptr<OptionStore> options = OptionStore::inFile(config.filePath(u"Orvane.conf"_s));
    SystemProcessLauncher shell;
    RecordingMessages messages;
    RecordingOpener opener;
    Form1 window(program.path(), {shell, messages, *options, opener});
    window.Form_Load();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto* games = window.findChild<SortedListBox*>(u"GamesList"_s);
    QCOMPARE(games->count(), 1);
    games->setSelectedIndex(0);
    const auto played = [&] { return program.read(u"bridge.log"_s).count("ended with exit code 0"); };

    // The hidden buttons are reached through their own signals, as a shown button would be.
    window.findChild<QLineEdit*>(u"RecText"_s)->setText(u"run1"_s);
    emit window.findChild<QPushButton*>(u"Command2"_s)->clicked();
    QTRY_COMPARE_WITH_TIMEOUT(played(), 1, 60000);
    QVERIFY2(QFileInfo(program.filePath(u"INP/run1.inp"_s)).size() > 0, program.read(u"bridge.log"_s).constData());

    // The recordings list learns of it on a right press, and Playback replays it.
    emit window.findChild<FileListBox*>(u"INPFile"_s)->mouseDown(Qt::RightButton, {}, {});
    auto* recordings = window.findChild<QComboBox*>(u"PlaybackCombo"_s);
    QCOMPARE(recordings->currentText(), u"run1"_s);
    emit window.findChild<QPushButton*>(u"Command1"_s)->clicked();
    QTRY_COMPARE_WITH_TIMEOUT(played(), 2, 60000);
    QVERIFY(program.read(u"bridge.log"_s).contains("-playback run1.inp"));
    QVERIFY(messages.informed.isEmpty());
}

QTEST_MAIN(TestRealEmulator)
#include "test_real_emulator.moc"
