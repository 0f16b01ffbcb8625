// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "ProgramFolder.h"
#include "RecordingLauncher.h"
#include "RecordingMessages.h"
#include "RecordingOpener.h"
#include "SettingsFile.h"
#include "Unprivileged.h"

#include "catalogue/Favourites.h"
#include "catalogue/ImageList.h"
#include "gui/mainwindow/Form1.h"
#include "gui/widgets/SortedListBox.h"
#include "settings/OptionStore.h"

#include <QGroupBox>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QTest>

#include <memory>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

using namespace Orvane;
using namespace Qt::StringLiterals;

class TestFavouritesWindow final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void rightPressAddsTheSelectedLine();
    void cancelWritesNothingButStoresThePosition();
    void swapShowsTheFavouritesOfEverySystem();
    void removingFavourites();
    void missingEmptyOrUnreadableFavourites();
    void loadingImagesLeavesTheFavouritesMode();
    void readOnlyFolderLosesNothing();
    void hardLinkedFavouritesStayOneFile();
    void lineEndsCannotBeFavourites();
    void appendKeepsTheFilesEncodingAndItsLines_data();
    void appendKeepsTheFilesEncodingAndItsLines();
    void appendToAPipeIsRefused();
    void appendOnAFullDiskIsWholeOrNothing();

private:
    void start();
    void select(int row);
    void rightPress();
    // The hidden, disabled button reaches its handler through its own signal, as it would if it were shown.
    void swapList() { emit m_window->findChild<QPushButton*>(u"SwapListCommand"_s)->clicked(); }
    SortedListBox* games() const { return m_window->findChild<SortedListBox*>(u"GamesList"_s); }
    SortedListBox* systems() const { return m_window->findChild<SortedListBox*>(u"EmulatedSystemList"_s); }
    QString frameCaption() const { return m_window->findChild<QGroupBox*>(u"Frame1"_s)->title(); }
    QMap<QString, QString> gamesSettings() const { return storedSettings(m_settingsFile, u"Games"_s); }

    std::unique_ptr<ProgramFolder> m_folder;
    std::unique_ptr<QTemporaryDir> m_config;
    QString m_settingsFile;
    RecordingLauncher m_shell;
    RecordingMessages m_messages;
    RecordingOpener m_opener;
    std::unique_ptr<OptionStore> m_options;
    std::unique_ptr<Form1> m_window;
};

void TestFavouritesWindow::init()
{
    m_folder = std::make_unique<ProgramFolder>();
    m_folder->write(u"Orvane.sys"_s, "h\r\ncoleco    \"Coleco\"\r\nzx        \"Zed X\"\r\n");
    for (const QString& image :
         {u"ROMS/coleco/game1.rom"_s, u"ROMS/coleco/game2.rom"_s, u"ROMS/coleco/game3.rom"_s, u"ROMS/zx/manic.tap"_s})
        m_folder->write(image, "x");
    m_config = std::make_unique<QTemporaryDir>();
    m_settingsFile = m_config->filePath(u"Orvane/Orvane.conf"_s);
    m_options = OptionStore::inFile(m_settingsFile);
    m_messages = RecordingMessages();
    m_shell.started.clear();
}

void TestFavouritesWindow::cleanup()
{
    m_window.reset();
    m_options.reset();
    m_config.reset();
    m_folder.reset();
}

void TestFavouritesWindow::start()
{
    m_window = std::make_unique<Form1>(m_folder->path(), Form1Services{m_shell, m_messages, *m_options, m_opener});
    m_window->Form_Load();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void TestFavouritesWindow::select(int row)
{
    QTest::mouseClick(games()->viewport(), Qt::LeftButton, {},
                      games()->visualRect(games()->model()->index(row, 0)).center());
}

void TestFavouritesWindow::rightPress()
{
    // Over the last line, wherever the selection is: the press acts on the selected line.
    const QPoint elsewhere = games()->visualRect(games()->model()->index(games()->count() - 1, 0)).center();
    QTest::mousePress(games()->viewport(), Qt::RightButton, {}, elsewhere);
    QTest::mouseRelease(games()->viewport(), Qt::RightButton, {}, elsewhere);
}

void TestFavouritesWindow::rightPressAddsTheSelectedLine()
{
    start();
    select(0);
    rightPress();
    QCOMPARE(m_messages.asked, QStringList{u"Add game1.rom"_s});
    QCOMPARE(m_messages.informed, QStringList{u"game1.rom\nhas been added in your favourites list !"_s});
    const QByteArray line = buildImageLine(u"game1.rom"_s, u"coleco"_s).toUtf8();
    QCOMPARE(m_folder->read(u"Orvane.fav"_s), line + "\r\n");
    QCOMPARE(gamesSettings().value(u"LastFull"_s), u"0"_s);

    // The same line again is kept twice.
    rightPress();
    QCOMPARE(m_folder->read(u"Orvane.fav"_s), line + "\r\n" + line + "\r\n");
    QCOMPARE(games()->selectedIndex(), 0);

    // What this version does not offer stays disabled for the whole run, not only at start.
    QTest::keyClick(systems(), Qt::Key_Down);
    QTest::mouseClick(m_window->findChild<QPushButton*>(u"GamesListCommand"_s), Qt::LeftButton);
    for (const char* name : {"SwapListCommand", "Command1", "Command2", "PlaybackCombo", "RecText"})
        QVERIFY2(!m_window->findChild<QWidget*>(QLatin1String(name))->isEnabled(), name);
}

void TestFavouritesWindow::cancelWritesNothingButStoresThePosition()
{
    start();
    select(1);
    m_messages.answers = {false};
    rightPress();
    QCOMPARE(m_messages.asked, QStringList{u"Add game2.rom"_s});
    QVERIFY(m_messages.informed.isEmpty());
    QVERIFY(!QFile::exists(m_folder->filePath(u"Orvane.fav"_s)));
    QCOMPARE(gamesSettings().value(u"LastFull"_s), u"1"_s);

    // With nothing selected a right press only stores the position.
    games()->setSelectedIndex(-1);
    m_window->GamesList_MouseDown(Qt::RightButton, {}, {});
    QCOMPARE(m_messages.asked.size(), 1);
    QCOMPARE(gamesSettings().value(u"LastFull"_s), u"-1"_s);
}

void TestFavouritesWindow::swapShowsTheFavouritesOfEverySystem()
{
    start();
    select(2);
    rightPress();
    QTest::keyClick(systems(), Qt::Key_Down);
    select(0);
    rightPress();
    QCOMPARE(frameCaption(), QString());

    swapList();
    QCOMPARE(games()->tag(), u"Fav"_s);
    QCOMPARE(frameCaption(), u"Games [Favourites list]"_s);
    QCOMPARE(games()->lines(),
             (QStringList{buildImageLine(u"game3.rom"_s, u"coleco"_s), buildImageLine(u"manic.tap"_s, u"zx"_s)}));
    QCOMPARE(games()->selectedIndex(), 0); // "LastFav" is absent: the first line

    // Each favourite launches its own system.
    select(0);
    m_window->PlayButton_Click();
    QCOMPARE(m_shell.started.back(), std::string("MESS coleco \"game3.rom\" "));
    select(1);
    QCOMPARE(gamesSettings().value(u"LastFav"_s), u"1"_s);
    m_window->PlayButton_Click();
    QCOMPARE(m_shell.started.back(), std::string("MESS zx \"manic.tap\" "));

    // Back to the full list, re-read from the folder; the favourites list reopens on the line last pressed.
    m_folder->write(u"ROMS/zx/new.tap"_s, "x");
    swapList();
    QCOMPARE(games()->tag(), u"Full"_s);
    QCOMPARE(frameCaption(), u"Games [Full list]"_s);
    QCOMPARE(games()->count(), 2);
    swapList();
    QCOMPARE(games()->selectedIndex(), 1);
}

void TestFavouritesWindow::removingFavourites()
{
    const QString line = buildImageLine(u"game1.rom"_s, u"coleco"_s);
    const QString later = buildImageLine(u"game2.rom"_s, u"coleco"_s);
    // Kept in the order they were added, shown sorted; a removal writes what is shown.
    m_folder->write(u"Orvane.fav"_s, (later + u"\r\n" + line + u"\r\n" + later + u"\r\n").toUtf8());
    start();
    swapList();
    QCOMPARE(games()->lines(), (QStringList{line, later, later}));
    select(1);
    rightPress();
    QCOMPARE(m_messages.asked, QStringList{u"Remove game2.rom"_s});
    QCOMPARE(m_messages.informed, QStringList{u"game2.rom\nhas been removed from your favourites list !"_s});
    QCOMPARE(games()->lines(), (QStringList{line, later}));
    QCOMPARE(m_folder->read(u"Orvane.fav"_s), (line + u"\r\n" + later + u"\r\n").toUtf8());

    select(0);
    m_messages.answers = {false};
    rightPress();
    QCOMPARE(games()->count(), 2);
    rightPress();
    select(0);
    rightPress();
    QVERIFY(games()->lines().isEmpty());
    QVERIFY(QFile::exists(m_folder->filePath(u"Orvane.fav"_s)));
    QCOMPARE(m_folder->read(u"Orvane.fav"_s), QByteArray());
    // The stored position is now past the end: the next showing selects nothing.
    swapList();
    swapList();
    QCOMPARE(games()->selectedIndex(), -1);
}

void TestFavouritesWindow::missingEmptyOrUnreadableFavourites()
{
    start();
    swapList();
    QCOMPARE(games()->tag(), u"Fav"_s);
    QVERIFY(games()->lines().isEmpty());
    swapList();

    m_folder->write(u"Orvane.fav"_s, "");
    swapList();
    QVERIFY(games()->lines().isEmpty());
    swapList();

    // The stored favourites index is read as the rounded number of its text; one past the list selects nothing.
    // The full list's is stored but never restored: the start shows the first system's images, none selected.
    m_folder->write(u"Orvane.fav"_s, "one\r\ntwo\r\n");
    for (const auto& [stored, selected] : {std::pair{u"5"_s, -1}, std::pair{u"0.6"_s, 1}}) {
        m_window.reset();
        QSettings settings(m_settingsFile, QSettings::IniFormat);
        settings.setValue(u"Games/LastFav"_s, stored);
        settings.setValue(u"Games/LastFull"_s, stored);
        settings.sync();
        m_options = OptionStore::inFile(m_settingsFile);
        start();
        QCOMPARE(games()->count(), 3);
        QCOMPARE(games()->selectedIndex(), -1);
        swapList();
        QCOMPARE(games()->count(), 2);
        QCOMPARE(games()->selectedIndex(), selected);
    }
    QVERIFY(m_messages.informed.isEmpty());

    // A favourites "file" that cannot be read leaves the full list and says so.
    swapList();
    QFile::remove(m_folder->filePath(u"Orvane.fav"_s));
    QVERIFY(QDir(m_folder->path()).mkdir(u"Orvane.fav"_s));
    const QStringList full = games()->lines();
    swapList();
    QCOMPARE(games()->tag(), u"Full"_s);
    QCOMPARE(games()->lines(), full);
    QCOMPARE(m_messages.informed.size(), 1);
    QVERIFY(
        m_messages.informed.first().startsWith(u"Cannot read the favourites "_s + m_folder->filePath(u"Orvane.fav"_s)));
}

void TestFavouritesWindow::loadingImagesLeavesTheFavouritesMode()
{
    m_folder->write(u"Orvane.fav"_s, (buildImageLine(u"game1.rom"_s, u"coleco"_s) + u"\r\n").toUtf8());
    start();
    swapList();
    QTest::keyClick(systems(), Qt::Key_Down);
    QCOMPARE(games()->tag(), u"Full"_s);
    QCOMPARE(frameCaption(), u"Games [Full list]"_s);
    QCOMPARE(games()->lines(), QStringList{buildImageLine(u"manic.tap"_s, u"zx"_s)});
    // A right press now adds, and never rewrites the favourites with image lines.
    select(0);
    rightPress();
    QCOMPARE(m_messages.asked, QStringList{u"Add manic.tap"_s});
    QCOMPARE(m_folder->read(u"Orvane.fav"_s).count("\r\n"), 2);
}

void TestFavouritesWindow::readOnlyFolderLosesNothing()
{
    const QString line = buildImageLine(u"game1.rom"_s, u"coleco"_s);
    start();
    // The settings stay writable for everyone: only the program folder is read-only here.
    QDir().mkpath(QFileInfo(m_settingsFile).path());
    for (const QString& path : {m_config->path(), QFileInfo(m_settingsFile).path(), m_settingsFile})
        QFile::setPermissions(path, QFileDevice::Permissions(0x7777));
    QFile::setPermissions(m_folder->path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::ReadOther |
                                                QFileDevice::ExeOther | QFileDevice::ReadGroup | QFileDevice::ExeGroup);
    select(0);
    {
        AsUnprivilegedUser unprivileged;
        rightPress();
    }
    QVERIFY(!QFile::exists(m_folder->filePath(u"Orvane.fav"_s)));
    QVERIFY2(m_messages.informed.size() == 1, qPrintable(m_messages.informed.join(u" | ")));
    QVERIFY2(m_messages.informed.first().startsWith(u"Cannot write "_s + m_folder->filePath(u"Orvane.fav"_s) + u": "),
             qPrintable(m_messages.informed.first()));

    // A removal that cannot rewrite the file keeps the line in the list and in the file.
    QFile::setPermissions(m_folder->path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    m_folder->write(u"Orvane.fav"_s, (line + u"\r\n").toUtf8());
    QFile::setPermissions(m_folder->filePath(u"Orvane.fav"_s), QFileDevice::ReadOwner | QFileDevice::ReadOther);
    QFile::setPermissions(m_folder->path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::ReadOther |
                                                QFileDevice::ExeOther);
    swapList();
    select(0);
    {
        AsUnprivilegedUser unprivileged;
        rightPress();
    }
    QFile::setPermissions(m_folder->path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QCOMPARE(games()->lines(), QStringList{line});
    QCOMPARE(m_folder->read(u"Orvane.fav"_s), (line + u"\r\n").toUtf8());
    QCOMPARE(m_messages.informed.size(), 2);
    QVERIFY(m_messages.informed.last().startsWith(u"Cannot write "_s + m_folder->filePath(u"Orvane.fav"_s) + u": "));

    // A shared program folder: the folder takes no new file, but the favourites file may be written. An add and a
    // removal are written where the file lies.
    const QString other = buildImageLine(u"game2.rom"_s, u"coleco"_s);
    QFile::setPermissions(m_folder->filePath(u"Orvane.fav"_s), QFileDevice::Permissions(0x6666));
    QFile::setPermissions(m_folder->path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::ReadOther |
                                                QFileDevice::ExeOther);
    swapList();
    select(1);
    {
        AsUnprivilegedUser unprivileged;
        rightPress();
        swapList();
        select(0);
        rightPress();
    }
    QFile::setPermissions(m_folder->path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QCOMPARE(m_messages.informed.size(), 4);
    QCOMPARE(m_folder->read(u"Orvane.fav"_s), (other + u"\r\n").toUtf8());
}

void TestFavouritesWindow::hardLinkedFavouritesStayOneFile()
{
    // The favourites kept in another place as well, by a second hard link: both names keep showing one file.
    m_folder->write(u"Orvane.fav"_s, QByteArray());
    const QString link = m_folder->filePath(u"linked.fav"_s);
    QCOMPARE(
        ::link(QFile::encodeName(m_folder->filePath(u"Orvane.fav"_s)).constData(), QFile::encodeName(link).constData()),
        0);
    start();
    select(0);
    rightPress();
    select(1);
    rightPress();
    QCOMPARE(m_folder->read(u"linked.fav"_s), m_folder->read(u"Orvane.fav"_s));
    QCOMPARE(m_folder->read(u"linked.fav"_s).count('\n'), 2);
    swapList();
    select(0);
    rightPress();
    QCOMPARE(m_folder->read(u"linked.fav"_s), m_folder->read(u"Orvane.fav"_s));
    QCOMPARE(m_folder->read(u"linked.fav"_s).count('\n'), 1);
}

void TestFavouritesWindow::lineEndsCannotBeFavourites()
{
    const QString path = m_folder->filePath(u"Orvane.fav"_s);
    for (const QString& name : {u"two\nlines.rom"_s, u"two\rlines.rom"_s}) {
        const Result<void> refused = appendFavourite(platformPath(path), buildImageLine(name, u"coleco"_s));
        QVERIFY(!refused.ok());
        QVERIFY(refused.error().contains(u"line end"_s));
        QVERIFY(!QFile::exists(path));
    }
    QVERIFY(appendFavourite(platformPath(path), u"plain"_s).ok());
    QCOMPARE(readFavourites(platformPath(path)).value(), QStringList{u"plain"_s});
}

void TestFavouritesWindow::appendKeepsTheFilesEncodingAndItsLines_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QByteArray>("after"); // empty: refused, the file unchanged
    const QByteArray latin1 = "caf\xe9.rom\r\n";
    const QByteArray utf8 = "caf\xc3\xa9.rom\r\n";
    QTest::newRow("Latin-1 file, Latin-1 line") << latin1 << u"\u00e9t\u00e9.rom"_s << latin1 + "\xe9t\xe9.rom\r\n";
    QTest::newRow("Latin-1 file, line beyond Latin-1") << latin1 << u"\u2615.rom"_s << QByteArray();
    QTest::newRow("UTF-8 file") << utf8 << u"\u2615.rom"_s << utf8 + "\xe2\x98\x95.rom\r\n";
    QTest::newRow("no file yet") << QByteArray() << u"\u00e9.rom"_s << QByteArray("\xc3\xa9.rom\r\n");
    QTest::newRow("last line without its end") << QByteArray("a") << u"b"_s << QByteArray("a\r\nb\r\n");
    QTest::newRow("name that is not text") << utf8 << u"bad\xdcff.rom"_s << QByteArray();
}

void TestFavouritesWindow::appendKeepsTheFilesEncodingAndItsLines()
{
    QFETCH(QByteArray, before);
    QFETCH(QString, line);
    QFETCH(QByteArray, after);
    const QString path = m_folder->filePath(u"Orvane.fav"_s);
    if (!before.isEmpty())
        m_folder->write(u"Orvane.fav"_s, before);
    const Result<void> added = appendFavourite(platformPath(path), line);
    QCOMPARE(added.ok(), !after.isEmpty());
    if (after.isEmpty())
        QVERIFY2(added.error().startsWith(u"Cannot add it to "_s + path + u": "), qPrintable(added.error()));
    QCOMPARE(m_folder->read(u"Orvane.fav"_s), after.isEmpty() ? before : after);
    // A removal keeps the encoding too: taking the new line away gives back what the file held.
    if (!after.isEmpty() && before.endsWith('\n')) {
        QVERIFY(rewriteFavourites(platformPath(path), parseFavourites(before)).ok());
        QCOMPARE(m_folder->read(u"Orvane.fav"_s), before);
    }
}

void TestFavouritesWindow::appendToAPipeIsRefused()
{
    // Opening a pipe for writing waits for a reader: the window would hang.
    const QString path = m_folder->filePath(u"Orvane.fav"_s);
    QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    const Result<void> refused = appendFavourite(platformPath(path), u"line"_s);
    QVERIFY(!refused.ok());
    QCOMPARE(refused.error(), u"Cannot write "_s + path + u": it is a pipe, not a file");
}

void TestFavouritesWindow::appendOnAFullDiskIsWholeOrNothing()
{
    // A small file system of its own, filled up, in a mount namespace of its own so nothing else sees it.
    QStringList unshare{u"--mount"_s};
    if (::geteuid() != 0)
        unshare = QStringList{u"--user"_s, u"--map-root-user"_s, u"--mount"_s};
    const QString line(5000, u'x');
    const QString script = uR"(set -e
mount -t tmpfs -o size=64k tmpfs "$1"
printf 'first\r\n' > "$1/Orvane.fav"
dd if=/dev/zero of="$1/filler" bs=4k 2>/dev/null || true
"$2" "$1/Orvane.fav" "$3" || true
od -An -v -c "$1/Orvane.fav" | tr -d ' \n'; echo
rm "$1/filler"
"$2" "$1/Orvane.fav" "$3"
od -An -v -c "$1/Orvane.fav" | tr -d ' \n'; echo
)"_s;
    QProcess process;
    process.start(u"unshare"_s, unshare + QStringList{u"sh"_s, u"-c"_s, script, u"sh"_s, m_folder->path(),
                                                      QStringLiteral(ORVANE_FAVOURITE_APPEND), line});
    QVERIFY(process.waitForFinished(60000));
    if (process.exitCode() != 0 && process.readAllStandardOutput().isEmpty())
        QSKIP(qPrintable(u"no file system of the test's own: "_s +
                         QString::fromLocal8Bit(process.readAllStandardError())));
    const QStringList output = QString::fromUtf8(process.readAllStandardOutput()).split(u'\n');
    QVERIFY2(output.size() >= 4, qPrintable(output.join(u'|')));
    QVERIFY2(output.at(0).startsWith(u"Cannot write "_s + m_folder->path() + u"/Orvane.fav: "),
             qPrintable(output.at(0)));
    QCOMPARE(output.at(1), u"first\\r\\n"_s);
    QCOMPARE(output.at(2), u"added"_s);
    QCOMPARE(output.at(3), u"first\\r\\n"_s + line + u"\\r\\n");
}

QTEST_MAIN(TestFavouritesWindow)
#include "test_favourites_window.moc"
