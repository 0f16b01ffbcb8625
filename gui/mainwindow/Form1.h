// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include "catalogue/CatalogueUpdate.h"
#include "catalogue/ListSource.h"
#include "gui/mainwindow/Form1Ui.h"
#include "gui/mainwindow/ListMode.h"
#include "gui/mainwindow/OptionBinding.h"
#include "settings/OptionStore.h"

#include <QMainWindow>
#include <QStringList>

#include <memory>
#include <optional>

namespace Orvane
{

class DocumentOpener;
class RunningProgram;
class MessageBoxes;
class OptionStore;
class ProcessLauncher;
class TitleLookup;

// What the window asks of the world outside it; tests put doubles in their place.
struct Form1Services
{
    ProcessLauncher& shell;
    MessageBoxes& messages;
    OptionStore& options; // keeps the option values and the list positions between runs
    DocumentOpener& opener;
    // The lists to show; without one the window reads its program folder's files itself.
    ListSource* lists = nullptr;
};

// The frame of the main window on the named Qt platform.
Qt::WindowFlags fixedWindowFlags(QStringView platformName);

// The main window. Every user action is one of its handlers, named after the control and the event.
class Form1 final : public QMainWindow, private UpdateProgress
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Form1)

public:
    // `programFolder` holds the emulator, the catalogue and the image folders; every process starts there.
    Form1(QString programFolder, Form1Services services, QWidget* parent = nullptr);

    QString programFolder() const { return m_programFolder; }

    // Places the window in the middle of its screen; nothing else would on a desktop without a window manager.
    void moveToScreenCentre();

    // Runs once, before the window is first shown: the recordings, the stored options, then the systems and the
    // first system's images.
    void Form_Load();

    void EmulatedSystemList_Click();
    void GamesList_DblClick();
    void GamesList_MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint position);
    void GamesListCommand_Click();
    void PlayButton_Click();
    void Command1_Click();
    void Command2_Click();
    void INPFile_MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint position);
    void UpdateSystemsMenu_Click();
    void OnlyWithImagesMenu_Click();
    void SwapListCommand_Click();
    void AboutButton_Click();

    // The option handlers with an effect beyond storing their value.
    void OriginalMameOption_Click();
    void AlternateMameOption_Click();
    void AdditionalParamCheck_Click();
    void FrameskipSlider_Change();

    // Starts the emulator on the selected image line with `extraArgument` behind it, and shows the command line.
    void BuildAndLaunch(const QString& extraArgument);
    // Fills the systems list from the catalogue and selects the first system, which loads its images.
    void LoadSystemsCatalogue();
    // Lists the image folder of the selected system. Fails quietly: the list keeps what it showed, or is empty
    // when the system's folder cannot be read.
    void LoadImageList();
    void FillPlaybackList();
    // Replaces the list with the favourites and selects the one last pressed. False, with a message and the
    // list as it was, when the favourites file cannot be read.
    bool LoadFavouritesList();
    // Puts every stored option value back into its control, as the user's change would.
    void RestoreOptions();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void connectSignals();
    void showLineTips();
    void connectOptionHandlers();
    // Stores the control's value under its name.
    void storeOption(const OptionControl& control);
    void storeSetting(const char* section, const QString& key, const QString& value);
    void setListMode(ListMode mode);
    ListMode listMode() const;
    std::filesystem::path favouritesPath() const;
    void addFavourite(const QString& line, const QString& name);
    void removeFavourite(int row, const QString& name);
    QString cataloguePath() const;
    void pointFileListAtRecordings();
    // Shows a message now, or as soon as the window is shown when it is not yet.
    void report(const QString& text);
    void showPendingMessages();
    // The update's progress dialog: the window takes no input while the emulator runs, but keeps painting.
    bool waitFor(RunningProgram& process) override;

    Form1Ui ui;
    QString m_programFolder;
    ProcessLauncher& m_shell;
    MessageBoxes& m_messages;
    OptionStore& m_options;
    DocumentOpener& m_opener;
    std::unique_ptr<ListSource> m_ownLists;
    ListSource* m_lists;
    QStringList m_pendingMessages;
    // Set at start-up when there is no catalogue file: once shown, the window asks whether to build one.
    bool m_offerFirstUpdate = false;
    // Set while the store refuses writes, so a failing store is reported once, not on every keystroke.
    bool m_storeFailureReported = false;
    // What the emulator's lists call the images, asked for when a tip needs it.
    TitleLookup* m_titles;
    // The image line whose tip shows, and where: it is shown again once its title is known.
    int m_tipRow = -1;
    QPoint m_tipPosition;
};

} // namespace Orvane
