// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "gui/mainwindow/Form1.h"

#include "ApplicationInfo.h"
#include "catalogue/CatalogueUpdate.h"
#include "catalogue/ImageList.h"
#include "catalogue/ImageTitles.h"
#include "catalogue/SystemsCatalogue.h"
#include "catalogue/TextFile.h"
#include "core/NativeText.h"
#include "gui/about/FrmAbouttov.h"
#include "gui/mainwindow/MessageBoxes.h"
#include "gui/mainwindow/TitleLookup.h"
#include "gui/widgets/FileListBox.h"
#include "gui/widgets/SortedListBox.h"
#include "launch/LaunchCommand.h"
#include "launch/Recordings.h"
#include "platform/ProcessLauncher.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>
#include <QToolTip>

namespace Orvane
{

using namespace Qt::StringLiterals;

namespace
{

const QString useUpdateSystems = QStringLiteral("Use \"Update systems\" in the \"File\" menu to build it.");
const QString catalogueKept = QStringLiteral("The systems catalogue was not changed.");
// The stored state of "Only systems with images": "True" or "False".
const QString onlyWithImagesKey = QStringLiteral("OnlyWithImages");

} // namespace

Qt::WindowFlags fixedWindowFlags(QStringView platformName)
{
    // A fixed dialog frame: a close box, no minimise or maximise box, no resizing.
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                            Qt::MSWindowsFixedSizeDialogHint;
    // A Windows title bar shows its close box only along with the system menu; elsewhere the menu would add a
    // button the design does not have.
    if (platformName == u"windows")
        flags |= Qt::WindowSystemMenuHint;
    return flags;
}

Form1::Form1(QString programFolder, Form1Services services, QWidget* parent)
    : QMainWindow(parent), m_programFolder(std::move(programFolder)), m_shell(services.shell),
      m_messages(services.messages), m_options(services.options), m_opener(services.opener),
      m_ownLists(services.lists ? nullptr : std::make_unique<ListSource>(m_programFolder)),
      m_lists(services.lists ? services.lists : m_ownLists.get()),
      m_titles(new TitleLookup(m_shell, m_programFolder, this))
{
    setWindowFlags(fixedWindowFlags(QGuiApplication::platformName()));
    ui.setupUi(this);
    // Fixed to what its layout needs, the fixed client area under the menu bar, and kept so when the style gives
    // the menu bar another height once shown (the Windows style does): a size taken here would cut the client.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    layout()->activate();
    connectSignals();
    showLineTips();
}

// Descriptions and file names longer than the lists are wide, and systems whose descriptions begin alike, are told
// apart by hovering: a system's line tells its whole description and the folder its images go in, an image's its
// whole file name and what the emulator's lists call it, once the emulator said (asked off this thread).
void Form1::showLineTips()
{
    ui.EmulatedSystemList->setLineTip([this](const QString& description) -> QString {
        const std::optional<QString> systemName = m_lists->knownSystemNameFor(description);
        if (!systemName)
            return description;
        return description + u'\n' + QDir::toNativeSeparators(u"ROMS/" + *systemName);
    });
    // Typing that starts no description finds the systems by the names the emulator knows them by.
    ui.EmulatedSystemList->setSearchKey(
        [this](const QString& description) { return m_lists->knownSystemNames().value(description); });
    ui.GamesList->setLineTip([this](const QString& line) {
        const QString fileName = wholeFileName(line);
        return imageTip(fileName, m_titles->known(imageSystemName(line), fileName).value_or(TitleAnswer{}));
    });
    connect(ui.GamesList, &SortedListBox::lineTipShown, this, [this](int row, QPoint position) {
        m_tipRow = row;
        m_tipPosition = position;
        const QString line = ui.GamesList->line(row);
        m_titles->request(imageSystemName(line), wholeFileName(line));
    });
    connect(m_titles, &TitleLookup::answered, this, [this](const QString& systemName, const QString& fileName) {
        const QString line = ui.GamesList->line(m_tipRow);
        if (QToolTip::isVisible() && imageSystemName(line) == systemName && wholeFileName(line) == fileName)
            ui.GamesList->showLineTip(m_tipRow, m_tipPosition);
    });
}

void Form1::connectSignals()
{
    connect(ui.EmulatedSystemList, &SortedListBox::selectedIndexChanged, this, &Form1::EmulatedSystemList_Click);
    connect(ui.GamesList, &SortedListBox::doubleClick, this, &Form1::GamesList_DblClick);
    connect(ui.GamesList, &SortedListBox::mouseDown, this, &Form1::GamesList_MouseDown);
    connect(ui.GamesListCommand, &QPushButton::clicked, this, &Form1::GamesListCommand_Click);
    connect(ui.PlayButton, &QPushButton::clicked, this, &Form1::PlayButton_Click);
    connect(ui.Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(ui.Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
    connect(ui.INPFile, &FileListBox::mouseDown, this, &Form1::INPFile_MouseDown);
    connect(ui.UpdateSystemsMenu, &QAction::triggered, this, &Form1::UpdateSystemsMenu_Click);
    connect(ui.OnlyWithImagesMenu, &QAction::triggered, this, &Form1::OnlyWithImagesMenu_Click);
    connect(ui.SwapListCommand, &QPushButton::clicked, this, &Form1::SwapListCommand_Click);
    connect(ui.AboutButton, &QPushButton::clicked, this, &Form1::AboutButton_Click);
    connectOptionHandlers();
}

void Form1::moveToScreenCentre()
{
    const QScreen* target = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!target)
        return;
    const QRect area = target->availableGeometry();
    move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
}

void Form1::Form_Load()
{
    pointFileListAtRecordings();
    FillPlaybackList();
    RestoreOptions();
    ui.OnlyWithImagesMenu->setChecked(m_options.read(optionsSection, onlyWithImagesKey, u"False"_s) == u"True");
    LoadSystemsCatalogue();
}

void Form1::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!m_pendingMessages.isEmpty() || m_offerFirstUpdate)
        QTimer::singleShot(0, this, &Form1::showPendingMessages);
}

void Form1::report(const QString& text)
{
    m_pendingMessages.append(text);
    if (isVisible())
        showPendingMessages();
}

void Form1::showPendingMessages()
{
    const QStringList messages = std::exchange(m_pendingMessages, {});
    for (const QString& text : messages)
        m_messages.inform(this, text);
    if (std::exchange(m_offerFirstUpdate, false) &&
        m_messages.confirm(this, u"There is no systems catalogue " + QDir::toNativeSeparators(cataloguePath()) +
                                     u" yet.\nRun \"Update systems\" now to ask " + emulatorAsKnown(m_programFolder) +
                                     u" for the systems it supports?"))
        UpdateSystemsMenu_Click();
}

QString Form1::cataloguePath() const
{
    return m_lists->cataloguePath();
}

void Form1::pointFileListAtRecordings()
{
    // A missing recordings folder just leaves the list empty.
    (void)ui.INPFile->setFolderAndPattern(locateInFolder(m_programFolder, QLatin1String(recordingsFolderName)),
                                          QLatin1String(recordingsPattern));
}

void Form1::FillPlaybackList()
{
    ui.PlaybackCombo->clear();
    QStringList files;
    for (int index = 0; index < ui.INPFile->count(); ++index)
        files.append(ui.INPFile->fileName(index));
    ui.PlaybackCombo->addItems(recordingNames(files));
    ui.PlaybackCombo->setCurrentIndex(ui.PlaybackCombo->count() > 0 ? 0 : -1);
}

void Form1::LoadSystemsCatalogue()
{
    const QString path = cataloguePath();
    const Result<SystemsCatalogue>& catalogue = m_lists->catalogue();
    if (!catalogue || catalogue->empty()) {
        // The window still comes up, empty, and says how to get a catalogue.
        ui.EmulatedSystemList->clear();
        ui.GamesList->clear();
        // No catalogue at all is how every install starts: the user is offered the update rather than told off.
        if (!catalogue && !QFileInfo::exists(path)) {
            m_offerFirstUpdate = true;
            if (isVisible())
                showPendingMessages();
            return;
        }
        const QString problem =
            catalogue ? QString(u"The systems catalogue " + QDir::toNativeSeparators(path) + u" lists no systems.")
                      : QString(u"Cannot read the systems catalogue " + catalogue.error() + u'.');
        report(problem + u'\n' + useUpdateSystems);
        return;
    }
    // Taken before the selection, which loads the images and may read the catalogue again.
    const int skippedLines = catalogue->skippedLines();
    LineList descriptions = m_lists->sortedDescriptions();
    if (ui.OnlyWithImagesMenu->isChecked())
        descriptions = m_lists->withImagesOnly(descriptions);
    ui.EmulatedSystemList->setSortedLines(std::move(descriptions));
    ui.EmulatedSystemList->setSelectedIndex(0);
    if (skippedLines == 1)
        report(u"1 line of the systems catalogue " + QDir::toNativeSeparators(path) +
               u" is shorter than 12 characters and was skipped.");
    else if (skippedLines > 1)
        report(QString::number(skippedLines) + u" lines of the systems catalogue " + QDir::toNativeSeparators(path) +
               u" are shorter than 12 characters and were skipped.");
}

void Form1::OnlyWithImagesMenu_Click()
{
    storeSetting(optionsSection, onlyWithImagesKey, ui.OnlyWithImagesMenu->isChecked() ? u"True"_s : u"False"_s);
    LoadSystemsCatalogue();
}

void Form1::EmulatedSystemList_Click()
{
    LoadImageList();
}

void Form1::GamesListCommand_Click()
{
    LoadImageList();
}

void Form1::LoadImageList()
{
    const int selected = ui.EmulatedSystemList->selectedIndex();
    if (selected < 0)
        return;
    const std::optional<QString> systemName = m_lists->systemNameFor(ui.EmulatedSystemList->line(selected));
    if (!systemName)
        return;

    // The list now holds images, whatever it showed before; a removal must never write them as favourites.
    if (listMode() == ListMode::Favourites)
        setListMode(ListMode::Full);
    ui.GamesList->setSortedLines(m_lists->imageLines(*systemName));
    m_tipRow = -1;
    // The emulator prepares what it knows of the system's images while the user looks at the list (not while the
    // window starts: nothing but what shows it runs then).
    if (isVisible() && ui.GamesList->count() > 0)
        m_titles->request(*systemName, wholeFileName(ui.GamesList->line(0)));
    // Recordings made since the last load show up in the file list too.
    pointFileListAtRecordings();
}

void Form1::PlayButton_Click()
{
    BuildAndLaunch(QString());
}

void Form1::GamesList_DblClick()
{
    PlayButton_Click();
}

void Form1::Command1_Click()
{
    BuildAndLaunch(playbackArgument(ui.PlaybackCombo->currentText()));
}

void Form1::Command2_Click()
{
    BuildAndLaunch(recordArgument(ui.RecText->text()));
}

void Form1::INPFile_MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers, QPoint)
{
    if (button != Qt::RightButton)
        return;
    (void)ui.INPFile->refresh();
    FillPlaybackList();
}

void Form1::AboutButton_Click()
{
    // The About window exists only while it is shown, so each showing builds it and its version line afresh.
    const ApplicationDescription application{QString::fromLatin1(ApplicationInfo::title), ApplicationInfo::versionMajor,
                                             ApplicationInfo::versionMinor, ApplicationInfo::versionRevision,
                                             m_programFolder};
    FrmAbouttov about(application, m_opener, this);
    about.exec();
}

void Form1::BuildAndLaunch(const QString& extraArgument)
{
    // With nothing selected the line reads as empty, and the command still starts.
    const QString selectedLine = ui.GamesList->line(ui.GamesList->selectedIndex());
    const ProgramChoice choice{ui.OriginalMameOption->isChecked(), ui.AlternateMameText->text()};
    const QString command = buildLaunchCommand(choice, selectedLine, extraArgument);
    ui.CommandlineLabel->setText(command);
    // A program that cannot start is not reported: the command line in the label is all the user gets.
    const PlatformResult<void> started =
        m_shell.startDetached(ProgramRun::fromCommandLine(toNativeBytes(command), platformPath(m_programFolder)));
    if (!started)
        qInfo("%s", started.error().c_str());
}

void Form1::UpdateSystemsMenu_Click()
{
    Result<std::optional<SystemsCatalogue>> updated = updateCatalogue(m_shell, m_programFolder, *this);
    if (!updated) {
        report(u"Cannot update the systems: " + updated.error() + u'\n' + catalogueKept);
        return;
    }
    // Given up: the catalogue and the lists stay as they were.
    if (!updated.value())
        return;
    // What was checked is what now lies at the catalogue's place: no need to read it again.
    m_lists->adopt(std::move(*updated.value()));
    LoadSystemsCatalogue();
}

bool Form1::waitFor(RunningProgram& process)
{
    // The user can give up.
    QApplication::setOverrideCursor(Qt::BusyCursor);
    QProgressDialog progress(u"Asking " + QLatin1String(emulatorFileName) + u" for the systems it supports…",
                             QStringLiteral("Cancel"), 0, 0, this);
    progress.setWindowTitle(windowTitle());
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    progress.setAutoReset(false);
    progress.setAutoClose(false);

    bool cancelled = false;
    QEventLoop loop;
    QTimer poll;
    connect(&poll, &QTimer::timeout, &loop, [&] {
        if (process.finished())
            loop.quit();
    });
    connect(&progress, &QProgressDialog::canceled, &loop, [&] {
        cancelled = true;
        process.kill();
        loop.quit();
    });
    poll.start(20);
    progress.show();
    loop.exec();
    QApplication::restoreOverrideCursor();
    return !cancelled;
}

} // namespace Orvane
