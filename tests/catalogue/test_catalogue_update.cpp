// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
// "Update systems" as a rule, without a window: the real shell on a program folder of the test's own, with an
// emulator script that answers as each case needs.
#include "ProgramFolder.h"

#include "catalogue/CatalogueUpdate.h"
#include "core/NativeText.h"
#include "platform/SystemProcessLauncher.h"

#include <QDir>
#include <QTest>

using namespace Orvane;
using namespace Qt::StringLiterals;

namespace
{

const QByteArray oldCatalogue = "Name:     Description:\r\nold       \"Old system\"\r\n";

// Waits for the emulator, or gives up at once as a user pressing Cancel would.
class WaitingProgress final : public UpdateProgress
{
public:
    explicit WaitingProgress(bool giveUp) : m_giveUp(giveUp) {}
    bool waitFor(RunningProgram& process) override
    {
        if (m_giveUp) {
            process.kill();
            return false;
        }
        process.wait();
        return true;
    }

private:
    bool m_giveUp;
};

} // namespace

class TestCatalogueUpdate final : public QObject
{
    Q_OBJECT

private slots:
    void outcomes_data();
    void outcomes();
    void theEmulatorIsNamedAsInstalled();
};

void TestCatalogueUpdate::outcomes_data()
{
    QTest::addColumn<QByteArray>("emulator"); // empty: none at all
    QTest::addColumn<bool>("giveUp");
    QTest::addColumn<QString>("reason"); // empty: the update is taken, or given up
    QTest::newRow("lists systems") << QByteArray("#!/bin/sh\nprintf 'Name:\\r\\nabc       \"Alpha\"\\r\\n'\n") << false
                                   << QString();
    QTest::newRow("no emulator") << QByteArray() << false << u"there is no MESS.EXE in %1."_s;
    QTest::newRow("fails") << QByteArray("#!/bin/sh\necho 'no ROM path' >&2\nexit 3\n") << false
                           << u"MESS.EXE -listfull failed with exit code 3.\nno ROM path"_s;
    QTest::newRow("lists nothing") << QByteArray("#!/bin/sh\necho 'Name:'\n") << false
                                   << u"MESS.EXE -listfull listed no systems."_s;
    QTest::newRow("crashes") << QByteArray("#!/bin/sh\necho 'abc       \"Half\"'\nkill -SEGV $$\n") << false
                             << u"MESS.EXE -listfull crashed (signal 11)."_s;
    QTest::newRow("cannot be run") << QByteArray("not a program") << false << u"Cannot start %1/MESS.EXE: "_s;
    QTest::newRow("given up") << QByteArray("#!/bin/sh\nexec sleep 30\n") << true << QString();
}

void TestCatalogueUpdate::outcomes()
{
    QFETCH(QByteArray, emulator);
    QFETCH(bool, giveUp);
    QFETCH(QString, reason);
    ProgramFolder program;
    program.write(u"Orvane.sys"_s, oldCatalogue);
    if (!emulator.isEmpty())
        program.write(u"MESS.EXE"_s, emulator, true);
    SystemProcessLauncher shell;
    WaitingProgress progress(giveUp);
    Result<std::optional<SystemsCatalogue>> updated = updateCatalogue(shell, program.path(), progress);

    QCOMPARE(updated.ok(), reason.isEmpty());
    if (!reason.isEmpty())
        QVERIFY2(updated.error().startsWith(reason.arg(program.path())), qPrintable(updated.error()));
    const bool taken = updated.ok() && updated.value().has_value();
    QCOMPARE(taken, !giveUp && reason.isEmpty());
    if (taken)
        QCOMPARE(updated.value()->entries().size(), std::size_t(1));
    // Only a taken update changes the catalogue; nothing else is left behind either way.
    QCOMPARE(program.read(u"Orvane.sys"_s) == oldCatalogue, !taken);
    QCOMPARE(QDir(program.path()).entryList(QDir::Files | QDir::Hidden).size(), emulator.isEmpty() ? 1 : 2);
}

void TestCatalogueUpdate::theEmulatorIsNamedAsInstalled()
{
    ProgramFolder folder;
    folder.write(u"MESS.EXE"_s, "an emulator of the user's", true);
    QCOMPARE(emulatorAsKnown(folder.path()), u"MESS.EXE"_s);
    folder.write(u"orvane-bridge"_s, "the bridge", true);
    QCOMPARE(emulatorAsKnown(folder.path()), u"MESS.EXE"_s);
    folder.write(u"MESS.EXE"_s, "the bridge", true);
    QCOMPARE(emulatorAsKnown(folder.path()), u"mame (through MESS.EXE)"_s);
    folder.write(u"bridge.ini"_s, "# mine\nemulator = \"/opt/emu/mame0261\"\n");
    QCOMPARE(emulatorAsKnown(folder.path()), u"mame0261 (through MESS.EXE)"_s);
}

QTEST_GUILESS_MAIN(TestCatalogueUpdate)
#include "test_catalogue_update.moc"
