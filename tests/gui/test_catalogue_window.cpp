// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "ProgramFolder.h"
#include "RecordingLauncher.h"
#include "RecordingMessages.h"
#include "RecordingOpener.h"
#include "Unprivileged.h"
#include "WindowControls.h"
#include "app/StartupLists.h"

#include "catalogue/ImageList.h"
#include "gui/mainwindow/Form1.h"
#include "gui/widgets/FileListBox.h"
#include "gui/widgets/SortedListBox.h"
#include "platform/SystemProcessLauncher.h"
#include "settings/OptionStore.h"

#include <QAction>
#include <QComboBox>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <QTextDocument>
#include <QTimer>
#include <QToolTip>

#include <unistd.h>

#include <memory>

using namespace Orvane;
using namespace Qt::StringLiterals;

namespace
{

const QByteArray header = "Name:     Description:\r\n";
const QByteArray twoSystems = header + "xyz12     \"X Y Z\"\r\nabc       \"Alpha Beta Computer\"\r\n";

QStringList shownNames(const SortedListBox* list)
{
    QStringList names;
    for (const QString& line : list->lines())
        names << shownFileName(line);
    return names;
}

} // namespace

class TestCatalogueWindow final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void startUpShowsTheSystemsAndTheFirstImages();
    void preparedListsShowTheSameWindow_data();
    void preparedListsShowTheSameWindow();
    void outdatedPreparedListsAreNotShown();
    void startUpWithoutCatalogueOrRecordings_data();
    void startUpWithoutCatalogueOrRecordings();
    void firstStartOffersTheUpdate();
    void shortCatalogueLinesAreCounted();
    void updateRebuildsTheCatalogue();
    void updateInASharedFolderOrThroughAHardLink();
    void failedUpdateKeepsTheCatalogue_data();
    void failedUpdateKeepsTheCatalogue();
    void cancelledUpdateKeepsTheCatalogue();
    void updateListRereadsTheFolders();
    void systemWithoutFolderEmptiesTheList();
    void foldersBroughtFromWindowsKeepTheirCase();
    void recordingButtons();
    void standInKeepsRecordings();
    void tipsShowEachLineWholeAndTheImagesTitles();
    void onlySystemsWithImages();
    void typingFindsSystemsByTheirShortNames();

private:
    void startWindow(std::optional<PreparedLists> prepared = std::nullopt);
    // A null text leaves the program folder without a catalogue.
    void replaceCatalogue(const QByteArray& catalogue)
    {
        QFile::remove(m_folder->filePath(u"Orvane.sys"_s));
        if (!catalogue.isNull())
            m_folder->write(u"Orvane.sys"_s, catalogue);
    }
    template <typename Widget> Widget* control(const char* name) const { return findControl<Widget>(*m_window, name); }

    std::unique_ptr<ProgramFolder> m_folder;
    std::unique_ptr<SystemProcessLauncher> m_native;
    std::unique_ptr<RecordingLauncher> m_shell;
    RecordingMessages m_messages;
    RecordingOpener m_opener;
    std::unique_ptr<QTemporaryDir> m_config;
    std::unique_ptr<OptionStore> m_options;
    std::unique_ptr<ListSource> m_lists;
    std::unique_ptr<Form1> m_window;
};

void TestCatalogueWindow::init()
{
    m_folder = std::make_unique<ProgramFolder>();
    m_folder->installStandIn();
    m_folder->write(u"Orvane.sys"_s, twoSystems);
    m_folder->write(u"listfull.txt"_s, "zed       \"Zed Machine\"\r\nbeta      \"Beta Box\"\r\n");
    for (const QString& image : {u"ROMS/abc/B.ROM"_s, u"ROMS/abc/a.rom"_s, u"ROMS/abc/c.rom"_s, u"ROMS/abc/dir.txt"_s,
                                 u"ROMS/beta/one.bin"_s, u"INP/b.inp"_s, u"INP/a.INP"_s, u"INP/c.txt"_s})
        m_folder->write(image, "x");
    m_native = std::make_unique<SystemProcessLauncher>();
    m_shell = std::make_unique<RecordingLauncher>(m_native.get());
    m_messages = RecordingMessages();
    m_config = std::make_unique<QTemporaryDir>();
    m_options = OptionStore::inFile(m_config->filePath(u"Orvane/Orvane.conf"_s));
}

void TestCatalogueWindow::cleanup()
{
    m_window.reset();
    m_options.reset();
    m_config.reset();
    m_shell.reset();
    m_native.reset();
    m_folder.reset();
}

void TestCatalogueWindow::startWindow(std::optional<PreparedLists> prepared)
{
    m_lists = std::make_unique<ListSource>(m_folder->path());
    m_window = std::make_unique<Form1>(m_folder->path(),
                                       Form1Services{*m_shell, m_messages, *m_options, m_opener, m_lists.get()});
    if (prepared)
        m_lists->takePrepared(std::move(*prepared));
    m_window->Form_Load();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void TestCatalogueWindow::startUpShowsTheSystemsAndTheFirstImages()
{
    startWindow();
    auto* systems = control<SortedListBox>("EmulatedSystemList");
    QCOMPARE(systems->lines(), (QStringList{u"Alpha Beta Computer"_s, u"X Y Z"_s}));
    QCOMPARE(systems->selectedIndex(), 0);
    auto* images = control<SortedListBox>("GamesList");
    QCOMPARE(shownNames(images), (QStringList{u"a.rom"_s, u"B.ROM"_s, u"c.rom"_s}));
    QCOMPARE(images->line(0), buildImageLine(u"a.rom"_s, u"abc"_s));
    QCOMPARE(images->selectedIndex(), -1);
    // Hovering a line tells the system's folder, and an image's whole name; the lists themselves have no tip.
    const auto hover = [](SortedListBox* list, int row) {
        const QPoint at = list->visualRect(list->model()->index(row, 0)).center();
        QHelpEvent help(QEvent::ToolTip, at, list->viewport()->mapToGlobal(at));
        QApplication::sendEvent(list->viewport(), &help);
        return QToolTip::text();
    };
    QCOMPARE(hover(systems, 1), u"X Y Z\nROMS/xyz12"_s);
    QCOMPARE(hover(images, 2), u"c.rom"_s);
    QVERIFY(systems->toolTip().isEmpty() && images->toolTip().isEmpty());
    auto* recordings = control<QComboBox>("PlaybackCombo");
    QCOMPARE(recordings->count(), 2);
    QCOMPARE(recordings->itemText(0), u"a"_s);
    QCOMPARE(recordings->itemText(1), u"b"_s);
    QCOMPARE(recordings->currentIndex(), 0);
    auto* files = control<FileListBox>("INPFile");
    QCOMPARE(files->folder(), m_folder->filePath(u"INP"_s));
    QCOMPARE(files->pattern(), u"*.INP"_s);
    QVERIFY(m_messages.informed.isEmpty());
}

void TestCatalogueWindow::preparedListsShowTheSameWindow_data()
{
    QTest::addColumn<QByteArray>("catalogue");
    QTest::addColumn<int>("messages");
    QTest::newRow("systems") << twoSystems << 0;
    QTest::newRow("short lines") << header + "short\r\nabc       \"Alpha Beta Computer\"\r\nab\r\n" << 1;
    QTest::newRow("no folder for the first system") << header + "zzz       \"A first\"\r\n" + twoSystems << 0;
    QTest::newRow("header only") << header << 1;
    QTest::newRow("missing") << QByteArray() << 1;
}

void TestCatalogueWindow::preparedListsShowTheSameWindow()
{
    QFETCH(QByteArray, catalogue);
    QFETCH(int, messages);
    replaceCatalogue(catalogue);
    // A missing catalogue is a question (answered Cancel here), every other problem a message.
    m_messages.answers = {false, false, false};
    const auto shown = [&] { return m_messages.informed + std::exchange(m_messages.asked, {}); };
    startWindow();
    const QStringList systems = control<SortedListBox>("EmulatedSystemList")->lines();
    const int selected = control<SortedListBox>("EmulatedSystemList")->selectedIndex();
    const QStringList images = control<SortedListBox>("GamesList")->lines();
    QTRY_COMPARE(m_messages.informed.size() + m_messages.asked.size(), messages);
    const QStringList informed = shown();
    m_messages.informed.clear();
    m_window.reset();

    // Each way of preparing ahead gives the same window, and start-up is over once the window has its lists.
    for (const bool imagesBesideSort : {true, false}) {
        StartupLists startup(m_folder->path(), [imagesBesideSort](const QString& folder) {
            return prepareLists(folder, imagesBesideSort);
        });
        startWindow(startup.take(m_folder->path()));
        QCOMPARE(control<SortedListBox>("EmulatedSystemList")->lines(), systems);
        QCOMPARE(control<SortedListBox>("EmulatedSystemList")->selectedIndex(), selected);
        QCOMPARE(control<SortedListBox>("GamesList")->lines(), images);
        QVERIFY(!m_lists->holdsPrepared());
        QTRY_COMPARE(m_messages.informed.size() + m_messages.asked.size(), messages);
        QCOMPARE(shown(), informed);
        m_messages.informed.clear();
        m_window.reset();
    }
}

void TestCatalogueWindow::outdatedPreparedListsAreNotShown()
{
    // Prepared, then the catalogue is rebuilt before the window takes the lists: the window shows the new one.
    std::optional<PreparedLists> prepared = StartupLists(m_folder->path()).take(m_folder->path());
    QVERIFY(prepared);
    m_folder->write(u"Orvane.sys"_s, header + m_folder->read(u"listfull.txt"_s));
    startWindow(std::move(prepared));
    QCOMPARE(control<SortedListBox>("EmulatedSystemList")->lines(), (QStringList{u"Beta Box"_s, u"Zed Machine"_s}));
    QCOMPARE(control<SortedListBox>("GamesList")->lines(), QStringList{buildImageLine(u"one.bin"_s, u"beta"_s)});
    m_window.reset();

    // Lists prepared for another program folder are never shown.
    ProgramFolder other;
    other.write(u"Orvane.sys"_s, header + "other     \"Other Machine\"\r\n");
    other.write(u"ROMS/other/other.bin"_s, "x");
    startWindow(StartupLists(other.path()).take(other.path()));
    QCOMPARE(control<SortedListBox>("EmulatedSystemList")->lines(), (QStringList{u"Beta Box"_s, u"Zed Machine"_s}));
    QCOMPARE(control<SortedListBox>("GamesList")->lines(), QStringList{buildImageLine(u"one.bin"_s, u"beta"_s)});
    QVERIFY(m_messages.informed.isEmpty());
}

void TestCatalogueWindow::startUpWithoutCatalogueOrRecordings_data()
{
    QTest::addColumn<QByteArray>("catalogue");
    QTest::addColumn<QString>("message");
    QTest::newRow("empty") << QByteArray("") << u"The systems catalogue %1 lists no systems."_s;
    QTest::newRow("header only") << header << u"The systems catalogue %1 lists no systems."_s;
}

void TestCatalogueWindow::startUpWithoutCatalogueOrRecordings()
{
    QFETCH(QByteArray, catalogue);
    QFETCH(QString, message);
    replaceCatalogue(catalogue);
    QDir(m_folder->filePath(u"INP"_s)).removeRecursively();
    startWindow();
    // The window comes up with empty lists and says once what to do.
    QVERIFY(control<SortedListBox>("EmulatedSystemList")->lines().isEmpty());
    QVERIFY(control<SortedListBox>("GamesList")->lines().isEmpty());
    QCOMPARE(control<QComboBox>("PlaybackCombo")->count(), 0);
    QCOMPARE(control<QComboBox>("PlaybackCombo")->currentIndex(), -1);
    QTRY_COMPARE(m_messages.informed.size(), 1);
    QVERIFY2(m_messages.informed.first().startsWith(message.arg(m_folder->filePath(u"Orvane.sys"_s))),
             qPrintable(m_messages.informed.first()));
    QVERIFY(m_messages.informed.first().endsWith(u"Use \"Update systems\" in the \"File\" menu to build it."_s));
}

void TestCatalogueWindow::firstStartOffersTheUpdate()
{
    // No catalogue file is how every install starts: OK runs the update, Cancel carries on with empty lists.
    for (const bool answer : {false, true}) {
        replaceCatalogue(QByteArray());
        m_messages.answers = {answer};
        startWindow();
        QTRY_COMPARE(m_messages.asked.size(), 1);
        QCOMPARE(m_messages.asked.takeFirst(),
                 u"There is no systems catalogue "_s + m_folder->filePath(u"Orvane.sys"_s) +
                     u" yet.\nRun \"Update systems\" now to ask MESS.EXE for the systems it supports?"_s);
        QVERIFY(m_messages.informed.isEmpty());
        QCOMPARE(m_shell->hidden.size(), std::size_t(answer ? 1 : 0));
        QCOMPARE(control<SortedListBox>("EmulatedSystemList")->lines(),
                 answer ? (QStringList{u"Beta Box"_s, u"Zed Machine"_s}) : QStringList());
    }
}

void TestCatalogueWindow::shortCatalogueLinesAreCounted()
{
    m_folder->write(u"Orvane.sys"_s, header + "short\r\nabc       \"Alpha Beta Computer\"\r\n\r\nab\r\n\r\n");
    startWindow();
    QCOMPARE(control<SortedListBox>("EmulatedSystemList")->lines(), QStringList{u"Alpha Beta Computer"_s});
    QCOMPARE(shownNames(control<SortedListBox>("GamesList")).size(), 3);
    QTRY_COMPARE(m_messages.informed.size(), 1);
    QCOMPARE(m_messages.informed.first(), u"3 lines of the systems catalogue "_s + m_folder->filePath(u"Orvane.sys"_s) +
                                              u" are shorter than 12 characters and were skipped."_s);
}

void TestCatalogueWindow::updateRebuildsTheCatalogue()
{
    // The update asks MESS.EXE, whichever program plays.
    QVERIFY(m_options->write("Options", u"OriginalMameOption"_s, u"False"_s).ok());
    QVERIFY(m_options->write("Options", u"AlternateMameOption"_s, u"True"_s).ok());
    QVERIFY(m_options->write("Options", u"AlternateMameText"_s, u"emu9"_s).ok());
    startWindow();
    control<QAction>("UpdateSystemsMenu")->trigger();
    QCOMPARE(m_shell->hidden,
             (std::vector<std::string>{m_folder->filePath(u"MESS.EXE"_s).toStdString() + " -listfull"}));
    QCOMPARE(m_folder->read(u"Orvane.sys"_s), header + m_folder->read(u"listfull.txt"_s));
    auto* systems = control<SortedListBox>("EmulatedSystemList");
    QCOMPARE(systems->lines(), (QStringList{u"Beta Box"_s, u"Zed Machine"_s}));
    QCOMPARE(systems->selectedIndex(), 0);
    QCOMPARE(control<SortedListBox>("GamesList")->lines(), QStringList{buildImageLine(u"one.bin"_s, u"beta"_s)});
    QVERIFY(m_messages.informed.isEmpty());
    QVERIFY(!QFile::exists(m_folder->filePath(u".Orvane.sys.new"_s)));

    // A MESS.EXE that is there but has no short name is not called missing.
    m_shell->shortPathRefusal = "the short name of MESS.EXE could not be had: it is 256 characters or longer";
    control<QAction>("UpdateSystemsMenu")->trigger();
    QCOMPARE(m_messages.informed, QStringList{u"Cannot update the systems: the short name of MESS.EXE could not be "
                                              u"had: it is 256 characters or longer.\nThe systems catalogue was not "
                                              u"changed."_s});
}

void TestCatalogueWindow::updateInASharedFolderOrThroughAHardLink()
{
    // A shared program folder: the folder takes no new file, the catalogue may be written. The update is written
    // where the catalogue lies.
    const QString catalogue = m_folder->filePath(u"Orvane.sys"_s);
    QFile::setPermissions(catalogue, QFileDevice::Permissions(0x6666));
    QFile::setPermissions(m_folder->path(), QFileDevice::Permissions(0x5555));
    startWindow();
    {
        AsUnprivilegedUser unprivileged;
        control<QAction>("UpdateSystemsMenu")->trigger();
    }
    QFile::setPermissions(m_folder->path(), QFileDevice::Permissions(0x7755));
    QVERIFY2(m_messages.informed.isEmpty(), qPrintable(m_messages.informed.join(u" | ")));
    const QByteArray updated = header + m_folder->read(u"listfull.txt"_s);
    QCOMPARE(m_folder->read(u"Orvane.sys"_s), updated);
    QCOMPARE(control<SortedListBox>("EmulatedSystemList")->lines(), (QStringList{u"Beta Box"_s, u"Zed Machine"_s}));

    // A catalogue with a second hard link stays one file with it.
    m_folder->write(u"Orvane.sys"_s, twoSystems);
    QCOMPARE(::link(QFile::encodeName(catalogue).constData(),
                    QFile::encodeName(m_folder->filePath(u"linked.sys"_s)).constData()),
             0);
    control<QAction>("UpdateSystemsMenu")->trigger();
    QVERIFY(m_messages.informed.isEmpty());
    QCOMPARE(m_folder->read(u"linked.sys"_s), updated);
}

void TestCatalogueWindow::failedUpdateKeepsTheCatalogue_data()
{
    QTest::addColumn<QString>("emulator"); // empty: none at all
    QTest::addColumn<QString>("message");
    // The reasons themselves are the update's own (test_catalogue_update): here, how the window shows one.
    QTest::newRow("no emulator") << QString() << u"Cannot update the systems: there is no MESS.EXE in %1."_s;
    QTest::newRow("exits with an error")
        << u"#!/bin/sh\necho 'no ROM path set' >&2\nexit 3\n"_s
        << u"Cannot update the systems: MESS.EXE -listfull failed with exit code 3.\nno ROM path set"_s;
}

void TestCatalogueWindow::failedUpdateKeepsTheCatalogue()
{
    QFETCH(QString, emulator);
    QFETCH(QString, message);
    QFile::remove(m_folder->filePath(u"MESS.EXE"_s));
    if (!emulator.isEmpty())
        m_folder->write(u"MESS.EXE"_s, emulator.toUtf8(), true);
    startWindow();
    const QByteArray before = m_folder->read(u"Orvane.sys"_s);
    control<SortedListBox>("EmulatedSystemList")->setSelectedIndex(1);

    control<QAction>("UpdateSystemsMenu")->trigger();
    QCOMPARE(m_folder->read(u"Orvane.sys"_s), before);
    QCOMPARE(control<SortedListBox>("EmulatedSystemList")->lines(),
             (QStringList{u"Alpha Beta Computer"_s, u"X Y Z"_s}));
    QCOMPARE(control<SortedListBox>("EmulatedSystemList")->selectedIndex(), 1);
    QCOMPARE(m_messages.informed.size(), 1);
    const QString expected =
        QString(message).replace(u"%1"_s, m_folder->path()).replace(u"%2"_s, m_folder->filePath(u"MESS.EXE"_s));
    QVERIFY2(m_messages.informed.first().startsWith(expected), qPrintable(m_messages.informed.first()));
    QVERIFY(m_messages.informed.first().endsWith(u"\nThe systems catalogue was not changed."_s));
    QCOMPARE(QDir(m_folder->path()).entryList({u"*.new"_s}, QDir::Files | QDir::Hidden), QStringList());
}

void TestCatalogueWindow::cancelledUpdateKeepsTheCatalogue()
{
    // Far longer than the test's time limit: only a cancel that ends the emulator lets the test finish.
    m_folder->write(u"MESS.EXE"_s, "#!/bin/sh\necho 'abc       \"Partial\"'\nsleep 600\n", true);
    startWindow();
    const QByteArray before = m_folder->read(u"Orvane.sys"_s);
    bool sawProgress = false;
    QTimer look;
    connect(&look, &QTimer::timeout, this, [&] {
        auto* progress = m_window->findChild<QProgressDialog*>();
        sawProgress = progress && progress->isVisible() && progress->isModal();
        if (auto* cancel = sawProgress ? progress->findChild<QPushButton*>() : nullptr)
            QTest::mouseClick(cancel, Qt::LeftButton);
    });
    look.start(100);
    control<QAction>("UpdateSystemsMenu")->trigger();
    QVERIFY(sawProgress);
    QCOMPARE(m_folder->read(u"Orvane.sys"_s), before);
    QCOMPARE(control<SortedListBox>("EmulatedSystemList")->lines().size(), 2);
    QVERIFY(m_messages.informed.isEmpty());
    QCOMPARE(QDir(m_folder->path()).entryList({u"*.new"_s}, QDir::Files | QDir::Hidden), QStringList());
}

void TestCatalogueWindow::updateListRereadsTheFolders()
{
    startWindow();
    m_folder->write(u"ROMS/abc/d.rom"_s, "x");
    m_folder->write(u"INP/new.INP"_s, "x");
    QTest::mouseClick(control<QPushButton>("GamesListCommand"), Qt::LeftButton);
    QCOMPARE(shownNames(control<SortedListBox>("GamesList")),
             (QStringList{u"a.rom"_s, u"B.ROM"_s, u"c.rom"_s, u"d.rom"_s}));
    // The file list was read afresh, but the recordings list only follows on a refresh.
    QCOMPARE(control<FileListBox>("INPFile")->count(), 3);
    QCOMPARE(control<QComboBox>("PlaybackCombo")->count(), 2);

    // A catalogue that no longer names the selected system, or that cannot be read any more, leaves the images
    // as they are.
    const QStringList shown = control<SortedListBox>("GamesList")->lines();
    m_folder->write(u"Orvane.sys"_s, header + "xyz12     \"X Y Z\"\r\nother     \"Another system\"\r\n");
    QTest::mouseClick(control<QPushButton>("GamesListCommand"), Qt::LeftButton);
    QCOMPARE(control<SortedListBox>("GamesList")->lines(), shown);
    replaceCatalogue(QByteArray());
    QVERIFY(QDir().mkdir(m_folder->filePath(u"Orvane.sys"_s)));
    QTest::mouseClick(control<QPushButton>("GamesListCommand"), Qt::LeftButton);
    QCOMPARE(control<SortedListBox>("GamesList")->lines(), shown);
    QVERIFY(m_messages.informed.isEmpty());
}

void TestCatalogueWindow::systemWithoutFolderEmptiesTheList()
{
    startWindow();
    auto* systems = control<SortedListBox>("EmulatedSystemList");
    QTest::keyClick(systems, Qt::Key_Down);
    QCOMPARE(systems->selectedIndex(), 1);
    QVERIFY(control<SortedListBox>("GamesList")->lines().isEmpty());
    QVERIFY(m_messages.informed.isEmpty());
    // Back to the first system: its images return.
    QTest::keyClick(systems, Qt::Key_Up);
    QCOMPARE(shownNames(control<SortedListBox>("GamesList")).size(), 3);
}

void TestCatalogueWindow::foldersBroughtFromWindowsKeepTheirCase()
{
    QVERIFY(QDir(m_folder->path()).rename(u"ROMS"_s, u"roms"_s));
    QVERIFY(QDir(m_folder->filePath(u"roms"_s)).rename(u"abc"_s, u"ABC"_s));
    QVERIFY(QDir(m_folder->path()).rename(u"INP"_s, u"inp"_s));
    QVERIFY(QFile::rename(m_folder->filePath(u"Orvane.sys"_s), m_folder->filePath(u"ORVANE.SYS"_s)));
    startWindow();
    QCOMPARE(control<SortedListBox>("EmulatedSystemList")->lines().size(), 2);
    QCOMPARE(shownNames(control<SortedListBox>("GamesList")), (QStringList{u"a.rom"_s, u"B.ROM"_s, u"c.rom"_s}));
    QCOMPARE(control<QComboBox>("PlaybackCombo")->count(), 2);
    QVERIFY(m_messages.informed.isEmpty());
}

void TestCatalogueWindow::recordingButtons()
{
    startWindow();
    auto* images = control<SortedListBox>("GamesList");
    QTest::mouseClick(images->viewport(), Qt::LeftButton, {},
                      images->visualRect(images->model()->index(2, 0)).center());
    QCOMPARE(images->selectedIndex(), 2);
    // A press on an image line proposes its system's name for the next recording.
    QCOMPARE(control<QLineEdit>("RecText")->text(), u"abc"_s);

    // The hidden buttons and the file list reach their handlers through their own signals.
    emit control<QPushButton>("Command1")->clicked();
    QCOMPARE(m_shell->started.back(), std::string("MESS abc \"c.rom\" -playback a "));
    control<QLineEdit>("RecText")->setText(u" my run "_s);
    emit control<QPushButton>("Command2")->clicked();
    QCOMPARE(m_shell->started.back(), std::string("MESS abc \"c.rom\" -record  my run  "));

    // A right press on the file list re-reads the recordings; a left press does not.
    m_folder->write(u"INP/0.INP"_s, "x");
    auto* files = control<FileListBox>("INPFile");
    auto* recordings = control<QComboBox>("PlaybackCombo");
    recordings->setCurrentIndex(1);
    emit files->mouseDown(Qt::LeftButton, {}, {});
    QCOMPARE(recordings->count(), 2);
    QCOMPARE(recordings->currentIndex(), 1);
    emit files->mouseDown(Qt::RightButton, {}, {});
    QCOMPARE(files->count(), 3);
    QCOMPARE(recordings->count(), 3);
    QCOMPARE(recordings->itemText(0), u"0"_s);
    QCOMPARE(recordings->currentIndex(), 0);
}

void TestCatalogueWindow::standInKeepsRecordings()
{
    QProcess standIn;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"ORVANE_STANDIN_LOG"_s, m_folder->filePath(u"standin.log"_s));
    standIn.setProcessEnvironment(environment);
    standIn.setWorkingDirectory(m_folder->path());
    standIn.start(m_folder->filePath(u"MESS.EXE"_s), {u"abc"_s, u"a.rom"_s, u"-record"_s, u"first try"_s});
    QVERIFY(standIn.waitForFinished());
    QCOMPARE(standIn.exitCode(), 0);
    QCOMPARE(m_folder->read(u"INP/first try.INP"_s), QByteArray("abc a.rom\r\n"));

    standIn.start(m_folder->filePath(u"MESS.EXE"_s), {u"abc"_s, u"a.rom"_s, u"-playback"_s, u"first try"_s});
    QVERIFY(standIn.waitForFinished());
    QCOMPARE(standIn.exitCode(), 0);
    standIn.start(m_folder->filePath(u"MESS.EXE"_s), {u"abc"_s, u"a.rom"_s, u"-playback"_s, u"never"_s});
    QVERIFY(standIn.waitForFinished());
    QCOMPARE(standIn.exitCode(), 1);
    QVERIFY(standIn.readAllStandardError().contains("No recording \"never\""));
    standIn.start(m_folder->filePath(u"MESS.EXE"_s), {u"abc"_s, u"missing.rom"_s});
    QVERIFY(standIn.waitForFinished());
    QCOMPARE(standIn.exitCode(), 1);
    QVERIFY(standIn.readAllStandardError().contains("No image \"missing.rom\""));
}

namespace
{

// Rests the pointer on a line: the list is asked for its tip.
void hoverLine(SortedListBox* list, int row)
{
    const QPoint at = list->visualRect(list->model()->index(row, 0)).center();
    QHelpEvent help(QEvent::ToolTip, at, list->viewport()->mapToGlobal(at));
    QApplication::sendEvent(list->viewport(), &help);
}

// The tip as drawn: the text of the label that shows it, and how many lines of its font it takes on the screen.
QString drawnTip()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* label = qobject_cast<QLabel*>(widget);
        if (!label || !widget->inherits("QTipLabel") || !widget->isVisible())
            continue;
        const int lines =
            qRound(double(label->contentsRect().height() - 2 * label->margin()) / label->fontMetrics().lineSpacing());
        return QString::number(lines) + u" lines: " + label->text();
    }
    return QString();
}

Orvane::ProcessOutcome answered(int exitCode, const std::string& output)
{
    Orvane::ProcessOutcome outcome;
    outcome.exitedNormally = true;
    outcome.exitCode = exitCode;
    outcome.output = output;
    return outcome;
}

} // namespace

void TestCatalogueWindow::tipsShowEachLineWholeAndTheImagesTitles()
{
    replaceCatalogue(header + "snespal   \"Super Nintendo Entertainment System (PAL)\"\r\n" +
                     "snesnew   \"Super Nintendo Entertainment System (PAL) <b>New</b>\"\r\n");
    for (const QString& image : {u"ROMS/snespal/game.sfc"_s, u"ROMS/snespal/none.sfc"_s, u"ROMS/snespal/other.sfc"_s})
        m_folder->write(image, "x");
    m_shell->answer = [](const ProgramRun& run) -> PlatformResult<ProcessOutcome> {
        if (run.arguments.at(2) == "game.sfc")
            return answered(0, "snes:game\tThe Long Game Title\t1994\tMaker\tpartial\nsnes:game2\tAlt\t\t\tyes\n");
        return answered(1, {});
    };
    startWindow();
    auto* systems = control<SortedListBox>("EmulatedSystemList");
    auto* images = control<SortedListBox>("GamesList");
    // Each on a line of its own, however long, and shown as it is written, never read as markup.
    hoverLine(systems, 0);
    QCOMPARE(drawnTip(), u"2 lines: Super Nintendo Entertainment System (PAL)\nROMS/snespal"_s);
    hoverLine(systems, 1);
    QCOMPARE(drawnTip(), u"2 lines: <p style='white-space:pre'>Super Nintendo Entertainment System (PAL) &lt;b&gt;New"
                         u"&lt;/b&gt;<br>ROMS/snesnew</p>"_s);
    hoverLine(images, 0);
    QTRY_COMPARE(drawnTip(), u"4 lines: game.sfc\nThe Long Game Title\n1994, Maker\npartly working"_s);
    hoverLine(images, 1);
    QTRY_COMPARE(drawnTip(), u"2 lines: none.sfc\nnot in the emulator's lists"_s);
    // An emulator that does not know the question (the classic one prints its usage) is not asked it again.
    m_shell->answer = [](const ProgramRun&) -> PlatformResult<ProcessOutcome> {
        return answered(1, "Usage: MESS <system> <image>\n");
    };
    hoverLine(images, 2);
    QTRY_COMPARE(m_shell->askedSoFar().size(), std::size_t(3));
    QTest::qWait(50);
    hoverLine(images, 2);
    QCOMPARE(drawnTip(), u"1 lines: other.sfc"_s);
    QCOMPARE(m_shell->askedSoFar().size(), std::size_t(3));
    QCOMPARE(m_shell->askedSoFar().front(), (std::vector<std::string>{"-identify", "snespal", "game.sfc"}));
}

void TestCatalogueWindow::onlySystemsWithImages()
{
    replaceCatalogue(twoSystems + "empty     \"Empty\"\r\nbeta      \"Beta Box\"\r\n");
    m_folder->write(u"ROMS/empty/dir.txt"_s, "notes only");
    startWindow();
    auto* systems = control<SortedListBox>("EmulatedSystemList");
    auto* only = m_window->findChild<QAction*>(u"OnlyWithImagesMenu"_s);
    QVERIFY(!only->isChecked());
    QCOMPARE(systems->count(), 4);
    only->trigger();
    QCOMPARE(systems->lines(), (QStringList{u"Alpha Beta Computer"_s, u"Beta Box"_s}));
    QCOMPARE(systems->selectedIndex(), 0);
    QCOMPARE(m_options->read(optionsSection, u"OnlyWithImages"_s, {}), u"True"_s);
    // Kept: a new start shows the shorter list, and typing finds systems in it alone.
    m_window.reset();
    startWindow();
    systems = control<SortedListBox>("EmulatedSystemList");
    QVERIFY(m_window->findChild<QAction*>(u"OnlyWithImagesMenu"_s)->isChecked());
    QCOMPARE(systems->lines(), (QStringList{u"Alpha Beta Computer"_s, u"Beta Box"_s}));
    m_window->findChild<QAction*>(u"OnlyWithImagesMenu"_s)->trigger();
    QCOMPARE(systems->count(), 4);
    QCOMPARE(m_options->read(optionsSection, u"OnlyWithImages"_s, {}), u"False"_s);
}

void TestCatalogueWindow::typingFindsSystemsByTheirShortNames()
{
    startWindow();
    auto* systems = control<SortedListBox>("EmulatedSystemList");
    systems->setFocus();
    // A description's start first; where none starts so, the name the emulator knows the system by.
    QTest::keyClicks(systems, u"x"_s);
    QCOMPARE(systems->selectedIndex(), 1);
    QTest::qWait(QApplication::keyboardInputInterval() + 50);
    QTest::keyClicks(systems, u"abc"_s);
    QCOMPARE(systems->selectedIndex(), 0);
    QTest::qWait(QApplication::keyboardInputInterval() + 50);
    QTest::keyClicks(systems, u"xyz1"_s);
    QCOMPARE(systems->selectedIndex(), 1);
}

QTEST_MAIN(TestCatalogueWindow)
#include "test_catalogue_window.moc"
