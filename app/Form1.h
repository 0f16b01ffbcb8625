// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include "Form1Ui.h"

#include <QMainWindow>

namespace Orvane
{

class Shell;

// The main window. Every user action is one of its handlers, named after the control and the event.
class Form1 final : public QMainWindow
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Form1)

public:
    // `programFolder` holds the emulator, the catalogue and the image folders; every process starts there.
    Form1(QString programFolder, Shell& shell, QWidget* parent = nullptr);

    QString programFolder() const { return m_programFolder; }

    // Places the window in the middle of its screen; nothing else would on a desktop without a window manager.
    void moveToScreenCentre();

    void PlayButton_Click();
    void GamesList_DblClick();

    // Starts the emulator on the selected image line with `extraArgument` behind it, and shows the command line.
    void BuildAndLaunch(const QString& extraArgument);

private:
    void connectSignals();

    Form1Ui ui;
    QString m_programFolder;
    Shell& m_shell;
};

} // namespace Orvane
