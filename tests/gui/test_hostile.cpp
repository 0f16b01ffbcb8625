// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "HostileTree.h"
#include "ProgramFolder.h"
#include "RecordingLauncher.h"
#include "RecordingMessages.h"
#include "RecordingOpener.h"
#include "SettingsFile.h"
#include "Unprivileged.h"

#include "catalogue/ImageList.h"
#include "gui/mainwindow/Form1.h"
#include "gui/widgets/SortedListBox.h"
#include "platform/SystemProcessLauncher.h"
#include "settings/OptionStore.h"

#include <QAction>
#include <QComboBox>
#include <QDirIterator>
#include <QLineEdit>
#include <QScopeGuard>
#include <QSettings>
#include <QTest>

#include <cstdio>
#include <functional>
#include <memory>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

using namespace Orvane;
using namespace Qt::StringLiterals;

// Files, folders and programs that other people made: nothing crashes, nothing blocks, nothing runs that should
// not, the user hears of what failed, and what could not be replaced stays byte for byte as it was.
class TestHostile final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void hostileImageNamesReachTheEmulatorAsOneArgument();
    void aNameWithALineEndIsNoFavourite();
    void hostileCatalogues_data();
    void hostileCatalogues();
    void hostileImageFolders();
    void hostileSettingsFiles();
    void unwritableSettingsAreReportedOnce();
    void hostileEmulators_data();
    void hostileEmulators();
    void readOnlyProgramFolderKeepsTheCatalogue();
    void missingTemporaryFolderEndsNothing();
    void hostileTree_data();
    void hostileTree();

private:
    void start(ProcessLauncher& shell);
    QList<QByteArray> loggedArguments() const;

    std::unique_ptr<ProgramFolder> m_folder;
    std::unique_ptr<QTemporaryDir> m_config;
    QString m_settingsFile;
    RecordingMessages m_messages;
    RecordingOpener m_opener;
    std::unique_ptr<SystemProcessLauncher> m_native;
    // The window's services outlive it: it asks the shell off its own thread.
    std::unique_ptr<RecordingLauncher> m_recording;
    std::unique_ptr<OptionStore> m_options;
    std::unique_ptr<Form1> m_window;
};

void TestHostile::init()
{
    m_folder = std::make_unique<ProgramFolder>();
    m_folder->installStandIn();
    m_folder->write(u"Orvane.sys"_s, "h\r\nhostile   \"Hostile names\"\r\n");
    m_folder->write(u"listfull.txt"_s, "hostile   \"Hostile names\"\r\n");
    m_config = std::make_unique<QTemporaryDir>();
    m_settingsFile = m_config->filePath(u"Orvane/Orvane.conf"_s);
    // Some checks run as the user nobody: the folders must let nobody in, and the settings must stay writable.
    const auto everyone = QFileDevice::Permissions(0x7777);
    const auto readable = QFileDevice::Permissions(0x7755);
    QDir().mkpath(QFileInfo(m_settingsFile).path());
    QFile::setPermissions(m_config->path(), everyone);
    QFile::setPermissions(QFileInfo(m_settingsFile).path(), everyone);
    QFile::setPermissions(m_folder->path(), readable);
    m_options = OptionStore::inFile(m_settingsFile);
    m_native = std::make_unique<SystemProcessLauncher>();
    m_recording = std::make_unique<RecordingLauncher>();
    m_messages = RecordingMessages();
    qputenv("ORVANE_STANDIN_LOG", QFile::encodeName(m_folder->filePath(u"standin.log"_s)));
}

void TestHostile::cleanup()
{
    qunsetenv("ORVANE_STANDIN_LOG");
    m_window.reset();
    m_options.reset();
    m_recording.reset();
    m_native.reset();
    m_config.reset();
    // Folders made unreadable for a test must be opened again to be removed.
    std::function<void(const QString&)> reopen = [&](const QString& folder) {
        QFile::setPermissions(folder, QFileDevice::Permissions(0x7700));
        for (const QFileInfo& entry : QDir(folder).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden))
            if (!entry.isSymLink())
                reopen(entry.filePath());
    };
    reopen(m_folder->path());
    m_folder.reset();
}

void TestHostile::start(ProcessLauncher& shell)
{
    m_window = std::make_unique<Form1>(m_folder->path(), Form1Services{shell, m_messages, *m_options, m_opener});
    m_window->Form_Load();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

QList<QByteArray> TestHostile::loggedArguments() const
{
    QList<QByteArray> arguments;
    for (const QByteArray& line : m_folder->read(u"standin.log"_s).split('\n')) {
        if (!line.startsWith("arg="))
            continue;
        QByteArray value;
        for (qsizetype index = 4; index < line.size(); ++index) {
            if (line[index] == '\\' && index + 1 < line.size()) {
                const char escaped = line[++index];
                value += escaped == 'n' ? '\n' : escaped == 'r' ? '\r' : escaped;
            } else {
                value += line[index];
            }
        }
        arguments << value;
    }
    return arguments;
}

void TestHostile::hostileImageNamesReachTheEmulatorAsOneArgument()
{
    // Names as a shell would run them, names that would split a Windows command line, and names no program
    // expects; each must reach the emulator as one argument holding exactly the file's bytes.
    const QList<QByteArray> names{"$(touch pwned1).rom",
                                  "`touch pwned2`.rom",
                                  "a; touch pwned3.rom",
                                  "a & b.rom",
                                  "a | b.rom",
                                  "-x.rom",
                                  "  blanks at both ends  ",
                                  "new\nline.rom",
                                  "caf\xc3\xa9 \xe2\x98\x95 \xf0\x9d\x84\x9e.rom",
                                  QByteArray(251, 'n') + ".rom",
                                  "quote\"d.rom",
                                  "a\" -x \"b.rom",
                                  "ends in a backslash\\",
                                  "back\\\\\"slashes \\ before\\\\ a quote\"\"\"",
                                  "bad\xff\xfe.rom",
                                  "lone \xc3 and \xed\xb2\x80 surrogate.rom"};
    const QByteArray folder = QFile::encodeName(m_folder->filePath(u"ROMS/hostile/"_s));
    QDir().mkpath(m_folder->filePath(u"ROMS/hostile"_s));
    // Made with the bytes as they are: a name that is not UTF-8 cannot go through QFile.
    for (const QByteArray& name : names)
        QVERIFY2(std::fclose(std::fopen(QByteArray(folder + name).constData(), "w")) == 0, name.constData());
    const auto removeNames = qScopeGuard([&] {
        for (const QByteArray& name : names)
            ::unlink(QByteArray(folder + name).constData());
    });

    start(*m_native);
    auto* games = m_window->findChild<SortedListBox*>(u"GamesList"_s);
    QCOMPARE(games->count(), names.size());
    for (int row = 0; row < games->count(); ++row) {
        games->setSelectedIndex(row);
        m_window->PlayButton_Click();
    }
    QTRY_COMPARE_WITH_TIMEOUT(m_folder->read(u"standin.log"_s).count("run\n"), names.size(), 20000);

    QList<QByteArray> arrived;
    const QList<QByteArray> arguments = loggedArguments();
    QCOMPARE(arguments.size(), 2 * names.size());
    for (int index = 0; index < arguments.size(); index += 2) {
        QCOMPARE(arguments.at(index), "hostile");
        arrived << arguments.at(index + 1);
    }
    for (const QByteArray& name : names)
        QVERIFY2(arrived.contains(name), (u"missing: "_s + QString::fromUtf8(name)).toUtf8().constData());
    for (const QString& trap : {u"pwned1"_s, u"pwned2"_s, u"pwned3"_s})
        QVERIFY2(!QFile::exists(m_folder->filePath(trap)) && !QFile::exists(trap), qPrintable(trap));
    QVERIFY(m_messages.informed.isEmpty());
}

void TestHostile::aNameWithALineEndIsNoFavourite()
{
    m_folder->write(u"ROMS/hostile/new\nline.rom"_s, "x");
    RecordingLauncher& shell = *m_recording;
    start(shell);
    auto* games = m_window->findChild<SortedListBox*>(u"GamesList"_s);
    games->setSelectedIndex(0);
    m_window->GamesList_MouseDown(Qt::RightButton, {}, {});
    QCOMPARE(m_messages.asked.size(), 1);
    QCOMPARE(m_messages.informed.size(), 1);
    QVERIFY2(m_messages.informed.first().contains(u"line end"_s), qPrintable(m_messages.informed.first()));
    QVERIFY(!QFile::exists(m_folder->filePath(u"Orvane.fav"_s)));
}

void TestHostile::hostileCatalogues_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("systems");
    QTest::addColumn<bool>("message");
    QTest::newRow("empty") << u"empty"_s << 0 << true;
    QTest::newRow("header only") << u"header"_s << 0 << true;
    QTest::newRow("binary garbage") << u"garbage"_s << -1 << false;
    QTest::newRow("only CR line ends") << u"cr"_s << 2 << false;
    QTest::newRow("a 1 MB line") << u"long"_s << 1 << false;
    QTest::newRow("1,000,000 lines") << u"million"_s << 1000000 << false;
    QTest::newRow("a folder") << u"folder"_s << 0 << true;
    QTest::newRow("a FIFO") << u"fifo"_s << 0 << true;
    QTest::newRow("unreadable") << u"unreadable"_s << 0 << true;
    QTest::newRow("over 64 MB") << u"huge"_s << 0 << true;
}

void TestHostile::hostileCatalogues()
{
    QFETCH(QString, kind);
    QFETCH(int, systems);
    QFETCH(bool, message);
    const QString path = m_folder->filePath(u"Orvane.sys"_s);
    QFile::remove(path);
    if (kind == u"empty") {
        m_folder->write(u"Orvane.sys"_s, "");
    } else if (kind == u"header") {
        m_folder->write(u"Orvane.sys"_s, "Name:     Description:\r\n");
    } else if (kind == u"garbage") {
        QByteArray bytes;
        for (int index = 0; index < 65536; ++index)
            bytes += char((index * 7919 + index / 13) & 0xff);
        m_folder->write(u"Orvane.sys"_s, bytes);
    } else if (kind == u"cr") {
        m_folder->write(u"Orvane.sys"_s, "h\rabc       \"Alpha\"\rxyz       \"Zed\"\r");
    } else if (kind == u"long") {
        m_folder->write(u"Orvane.sys"_s, "h\r\nlong      \"" + QByteArray(1 << 20, 'x') + "\"\r\n");
    } else if (kind == u"million") {
        QByteArray bytes = "h\r\n";
        bytes.reserve(20 * 1000000);
        for (int index = 0; index < 1000000; ++index)
            bytes +=
                "s" + QByteArray::number(index).rightJustified(7, '0') + "  \"S" + QByteArray::number(index) + "\"\r\n";
        m_folder->write(u"Orvane.sys"_s, bytes);
    } else if (kind == u"folder") {
        QVERIFY(QDir(m_folder->path()).mkdir(u"Orvane.sys"_s));
    } else if (kind == u"fifo") {
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    } else if (kind == u"unreadable") {
        m_folder->write(u"Orvane.sys"_s, "h\r\nabc       \"Alpha\"\r\n");
        QFile::setPermissions(path, QFileDevice::Permissions());
    } else if (kind == u"huge") {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.resize(65 * 1024 * 1024));
    }
    const QByteArray before =
        QFileInfo(path).isFile() && kind != u"unreadable" ? m_folder->read(u"Orvane.sys"_s) : QByteArray();
    RecordingLauncher& shell = *m_recording;
    {
        AsUnprivilegedUser unprivileged;
        start(shell);
    }
    auto* list = m_window->findChild<SortedListBox*>(u"EmulatedSystemList"_s);
    if (systems >= 0)
        QCOMPARE(list->count(), systems);
    QTRY_COMPARE(m_messages.informed.size(), message ? 1 : 0);
    if (message)
        QVERIFY2(m_messages.informed.first().contains(path), qPrintable(m_messages.informed.first()));
    if (!before.isNull())
        QCOMPARE(m_folder->read(u"Orvane.sys"_s), before);
}

void TestHostile::hostileImageFolders()
{
    m_folder->write(u"Orvane.sys"_s, "h\r\nnone      \"No folder\"\r\nlocked    \"Locked\"\r\nodd       \"Odd\"\r\n");
    QDir().mkpath(m_folder->filePath(u"ROMS/locked"_s));
    m_folder->write(u"ROMS/locked/a.rom"_s, "x");
    QFile::setPermissions(m_folder->filePath(u"ROMS/locked"_s), QFileDevice::Permissions());
    const QString odd = m_folder->filePath(u"ROMS/odd/"_s);
    m_folder->write(u"ROMS/odd/game.rom"_s, "x");
    QVERIFY(QFile::link(odd + u"loop.rom"_s, odd + u"loop.rom"_s));
    QVERIFY(QDir(odd).mkdir(u"folder.rom"_s));
    QCOMPARE(::mkfifo(QFile::encodeName(odd + u"pipe.rom"_s).constData(), 0600), 0);
    const int unixSocket = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    qstrncpy(address.sun_path, QFile::encodeName(odd + u"socket.rom"_s).constData(), sizeof address.sun_path);
    QCOMPARE(::bind(unixSocket, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);

    RecordingLauncher& shell = *m_recording;
    AsUnprivilegedUser unprivileged;
    start(shell);
    auto* systems = m_window->findChild<SortedListBox*>(u"EmulatedSystemList"_s);
    auto* games = m_window->findChild<SortedListBox*>(u"GamesList"_s);
    QCOMPARE(systems->line(0), u"Locked"_s);
    QVERIFY(games->lines().isEmpty());
    systems->setSelectedIndex(1);
    QVERIFY(games->lines().isEmpty());
    systems->setSelectedIndex(2);
    QCOMPARE(games->lines(), QStringList{buildImageLine(u"game.rom"_s, u"odd"_s)});
    ::close(unixSocket);
    QVERIFY(m_messages.informed.isEmpty());
}

void TestHostile::hostileSettingsFiles()
{
    QDir().mkpath(QFileInfo(m_settingsFile).path());
    QByteArray binary;
    for (int index = 0; index < 4096; ++index)
        binary += char((index * 31) & 0xff);
    for (const QByteArray& content :
         {QByteArray("[Options\nVideoCombo=\"unclosed\nJoyCombo=@Variant(\\0\\0\\0\\x7f)\n=\n[[]]\n"), binary}) {
        QFile file(m_settingsFile);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
        file.close();
        m_options = OptionStore::inFile(m_settingsFile);
        RecordingLauncher& shell = *m_recording;
        start(shell);
        // Whatever the file held, every control holds a value it can take.
        QVERIFY(m_window->findChild<QComboBox*>(u"VideoCombo"_s)->currentIndex() >= -1);
        m_window.reset();
    }
}

void TestHostile::unwritableSettingsAreReportedOnce()
{
    RecordingLauncher& shell = *m_recording;
    start(shell);
    QFile settings(m_settingsFile);
    QVERIFY(settings.open(QIODevice::ReadOnly));
    const QByteArray content = settings.readAll();
    settings.close();
    const QString folder = QFileInfo(m_settingsFile).path();
    const auto setWritable = [&](bool writable) {
        const auto readable =
            QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::ReadOther | QFileDevice::ExeOther;
        QFile::setPermissions(folder, writable ? QFileDevice::Permissions(0x7777) : readable);
        QFile::setPermissions(m_settingsFile, writable ? QFileDevice::Permissions(0x6666)
                                                       : QFileDevice::ReadOwner | QFileDevice::ReadOther);
    };
    auto* text = m_window->findChild<QLineEdit*>(u"BeamText"_s);
    setWritable(false);
    {
        AsUnprivilegedUser unprivileged;
        text->setText(u"2"_s);
        text->setText(u"3"_s);
    }
    QCOMPARE(m_messages.informed.size(), 1);
    QVERIFY2(m_messages.informed.first().startsWith(u"Cannot write the settings file "_s + m_settingsFile),
             qPrintable(m_messages.informed.first()));
    QFile after(m_settingsFile);
    QVERIFY(after.open(QIODevice::ReadOnly));
    QCOMPARE(after.readAll(), content);

    // Writable again: the next change is stored and says nothing; unwritable once more, the user hears again.
    setWritable(true);
    {
        AsUnprivilegedUser unprivileged;
        text->setText(u"4"_s);
    }
    QCOMPARE(m_messages.informed.size(), 1);
    QCOMPARE(QSettings(m_settingsFile, QSettings::IniFormat).value(u"Options/BeamText"_s).toString(), u"4"_s);
    setWritable(false);
    {
        AsUnprivilegedUser unprivileged;
        text->setText(u"5"_s);
    }
    QCOMPARE(m_messages.informed.size(), 2);

    // A start writes back only what the store does not hold already: with every value there, it writes nothing
    // and so has nothing to report.
    setWritable(true);
    text->setText(u"6"_s);
    setWritable(false);
    m_window.reset();
    {
        AsUnprivilegedUser unprivileged;
        start(shell);
    }
    setWritable(true);
    QCOMPARE(m_messages.informed.size(), 2);
}

void TestHostile::hostileEmulators_data()
{
    QTest::addColumn<QByteArray>("emulator");
    QTest::addColumn<bool>("executable");
    QTest::addColumn<QString>("message");
    QTest::newRow("not executable") << QByteArray("#!/bin/sh\necho x\n") << false << u"Cannot find the program"_s;
    QTest::newRow("prints 100 MB") << QByteArray("#!/bin/sh\nhead -c 100000000 /dev/zero | tr '\\0' 'a'\n") << true
                                   << u"larger than 64 MB"_s;
    QTest::newRow("ends on a signal") << QByteArray("#!/bin/sh\nkill -KILL $$\n") << true << u"crashed (signal 9)"_s;
}

void TestHostile::hostileEmulators()
{
    QFETCH(QByteArray, emulator);
    QFETCH(bool, executable);
    QFETCH(QString, message);
    m_folder->write(u"MESS.EXE"_s, emulator, executable);
    if (!executable)
        QFile::setPermissions(m_folder->filePath(u"MESS.EXE"_s), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    start(*m_native);
    const QByteArray before = m_folder->read(u"Orvane.sys"_s);
    m_window->findChild<QAction*>(u"UpdateSystemsMenu"_s)->trigger();
    QCOMPARE(m_folder->read(u"Orvane.sys"_s), before);
    QCOMPARE(m_messages.informed.size(), 1);
    QVERIFY2(m_messages.informed.first().contains(message), qPrintable(m_messages.informed.first()));
    QCOMPARE(QDir(m_folder->path()).entryList({u"Orvane.sys.*"_s}, QDir::Files | QDir::Hidden | QDir::System),
             QStringList());
}

void TestHostile::readOnlyProgramFolderKeepsTheCatalogue()
{
    start(*m_native);
    const QByteArray before = m_folder->read(u"Orvane.sys"_s);
    QFile::setPermissions(m_folder->path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::ReadOther |
                                                QFileDevice::ExeOther | QFileDevice::ReadGroup | QFileDevice::ExeGroup);
    {
        AsUnprivilegedUser unprivileged;
        m_window->findChild<QAction*>(u"UpdateSystemsMenu"_s)->trigger();
    }
    QCOMPARE(m_folder->read(u"Orvane.sys"_s), before);
    QCOMPARE(m_messages.informed.size(), 1);
    QVERIFY2(m_messages.informed.first().startsWith(u"Cannot update the systems: Cannot write "_s),
             qPrintable(m_messages.informed.first()));
}

void TestHostile::missingTemporaryFolderEndsNothing()
{
    m_folder->write(u"listfull.txt"_s, "hostile   \"Hostile names\"\r\nother     \"Other\"\r\n");
    start(*m_native);
    const QByteArray temporary = qgetenv("TMPDIR");
    qputenv("TMPDIR", QFile::encodeName(m_folder->filePath(u"no such folder"_s)));
    const auto restore = qScopeGuard([&] {
        if (temporary.isNull())
            qunsetenv("TMPDIR");
        else
            qputenv("TMPDIR", temporary);
    });
    m_window->findChild<QAction*>(u"UpdateSystemsMenu"_s)->trigger();
    QVERIFY2(m_messages.informed.isEmpty(), qPrintable(m_messages.informed.join(u" | ")));
    QCOMPARE(m_window->findChild<SortedListBox*>(u"EmulatedSystemList"_s)->count(), 2);
}

void TestHostile::hostileTree_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QString>("path"); // relative to the program folder, or "settings/..." to the settings' folder
    QTest::addColumn<int>("plant");
    const QList<QPair<QString, QStringList>> operations{
        {u"update"_s, {u"Orvane.sys"_s}},
        {u"favourite"_s, {u"Orvane.fav"_s}},
        {u"option"_s, {u"settings/Orvane.conf"_s, u"settings/Orvane.conf.lock"_s}},
        {u"recording"_s, {u"INP/rec.INP"_s}},
    };
    for (const auto& [operation, paths] : operations) {
        for (const QString& path : paths) {
            for (const auto& [plant, name] : HostileTree::plants())
                QTest::addRow("%s, %s at %s", qPrintable(operation), name, qPrintable(path))
                    << operation << path << static_cast<int>(plant);
        }
    }
}

// Each operation that writes, once for each thing another user or a careless one may have put at each file it
// touches: the victim's files stay byte for byte as they were, nothing is left running, and the operation is done
// or refused in words naming the file.
void TestHostile::hostileTree()
{
    QFETCH(QString, operation);
    QFETCH(QString, path);
    QFETCH(int, plant);
    const auto planted = static_cast<HostileTree::Plant>(plant);
    const HostileTree::Victim victim(QFile::encodeName(m_folder->filePath(u"victim"_s)).toStdString());
    const QString file =
        path.startsWith(u"settings/"_s) ? QFileInfo(m_settingsFile).path() + path.mid(8) : m_folder->filePath(path);
    m_folder->write(u"ROMS/hostile/game.rom"_s, "x");
    const std::filesystem::path at = QFile::encodeName(file).toStdString();
    m_options.reset();
    if (!HostileTree::plant(planted, at, victim))
        QSKIP("this system cannot make it");
    // The user's own link to their file is followed by design; one of another user's is the hostile one.
    const bool usersFile = !path.endsWith(u".lock"_s) && !path.startsWith(u"INP/"_s);
    if (usersFile && HostileTree::isLink(planted) && !HostileTree::giveToAnotherUser(at))
        QSKIP("only the administrator can make a link that belongs to another user");
    const std::string before = victim.state();
    m_options = OptionStore::inFile(m_settingsFile);
    start(*m_native);
    // A catalogue that cannot be read leaves no image to pick: the update is what brings it back.
    if (auto* games = m_window->findChild<SortedListBox*>(u"GamesList"_s); games->count() > 0)
        games->setSelectedIndex(0);
    // What the start said is not the operation's answer; but a settings store that refuses says so once, at its
    // first write, which the start makes.
    if (operation != u"option")
        m_messages.informed.clear();
    bool done = false;
    if (operation == u"update") {
        m_window->findChild<QAction*>(u"UpdateSystemsMenu"_s)->trigger();
        done = QFileInfo(file).isFile() && m_folder->read(u"Orvane.sys"_s).contains("Hostile names");
    } else if (operation == u"favourite") {
        m_window->GamesList_MouseDown(Qt::RightButton, {}, {});
        done = QFileInfo(file).isFile() && m_folder->read(u"Orvane.fav"_s).contains("game.rom");
    } else if (operation == u"option") {
        m_window->findChild<QLineEdit*>(u"BeamText"_s)->setText(u"7"_s);
        // Read only where it is a file: the test's own reader would wait on a pipe as the store once did.
        done = QFileInfo(m_settingsFile).isFile() && !QFileInfo(m_settingsFile).isSymLink() &&
               QSettings(m_settingsFile, QSettings::IniFormat).value(u"Options/BeamText"_s).toString() == u"7"_s;
    } else {
        m_window->BuildAndLaunch(u"-record rec"_s);
        QTRY_VERIFY_WITH_TIMEOUT(m_folder->read(u"standin.log"_s).contains("arg=rec"), 10000);
    }
    // Nothing that the operation started is left: the stand-in and whatever it started have ended.
    QTRY_COMPARE_WITH_TIMEOUT(HostileTree::processesFrom(QFile::encodeName(m_folder->path()).toStdString()), 0, 10000);
    if (operation == u"recording") {
        const QByteArray log = m_folder->read(u"standin.log"_s);
        done = QFileInfo(file).isFile() && !QFileInfo(file).isSymLink();
        if (!done)
            QVERIFY2(log.contains("fail=") && log.contains("rec.INP"), log.constData());
    } else if (!done) {
        QVERIFY2(m_messages.informed.join(u' ').contains(QFileInfo(file).fileName()),
                 qPrintable(m_messages.informed.join(u" | ")));
    }
    QCOMPARE(victim.state(), before);
    m_window.reset();
    std::error_code ignored;
    std::filesystem::remove_all(at, ignored);
}

QTEST_MAIN(TestHostile)
#include "test_hostile.moc"
