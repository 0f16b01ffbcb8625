// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include "Form1Ui.h"

#include <QMainWindow>
#include <QStringList>

namespace Orvane
{

class HiddenProcess;
class MessageBoxes;
class Shell;

// The main window. Every user action is one of its handlers, named after the control and the event.
class Form1 final : public QMainWindow
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Form1)

public:
    // `programFolder` holds the emulator, the catalogue and the image folders; every process starts there.
    Form1(QString programFolder, Shell& shell, MessageBoxes& messages, QWidget* parent = nullptr);

    QString programFolder() const { return m_programFolder; }

    // Places the window in the middle of its screen; nothing else would on a desktop without a window manager.
    void moveToScreenCentre();

    // Runs once, before the window is first shown: the recordings, then the systems and the first system's images.
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

    // Starts the emulator on the selected image line with `extraArgument` behind it, and shows the command line.
    void BuildAndLaunch(const QString& extraArgument);
    // Fills the systems list from the catalogue and selects the first system, which loads its images.
    void LoadSystemsCatalogue();
    // Lists the image folder of the selected system. Fails quietly: the list keeps what it showed, or is empty
    // when the system's folder cannot be read.
    void LoadImageList();
    void FillPlaybackList();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void connectSignals();
    QString cataloguePath() const;
    void pointFileListAtRecordings();
    // Shows a message now, or as soon as the window is shown when it is not yet.
    void report(const QString& text);
    void showPendingMessages();
    // Waits for the update's process with a progress dialog; false when the user cancelled it.
    bool waitForUpdate(HiddenProcess& process);

    Form1Ui ui;
    QString m_programFolder;
    Shell& m_shell;
    MessageBoxes& m_messages;
    QStringList m_pendingMessages;
};

} // namespace Orvane
