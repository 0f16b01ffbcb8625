// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "Form1.h"

#include "LaunchCommand.h"
#include "Shell.h"
#include "SortedListBox.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

namespace Orvane
{

Form1::Form1(QString programFolder, Shell& shell, QWidget* parent)
    : QMainWindow(parent), m_programFolder(std::move(programFolder)), m_shell(shell)
{
    // A fixed dialog frame: a close box, no minimise or maximise box, no resizing.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    ui.setupUi(this);
    const QSize client = centralWidget()->size();
    setFixedSize(client.width(), menuBar()->sizeHint().height() + client.height());
    connectSignals();
}

void Form1::connectSignals()
{
    connect(ui.PlayButton, &QPushButton::clicked, this, &Form1::PlayButton_Click);
    connect(ui.GamesList, &SortedListBox::doubleClick, this, &Form1::GamesList_DblClick);
}

void Form1::moveToScreenCentre()
{
    const QScreen* target = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!target)
        return;
    const QRect area = target->availableGeometry();
    move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
}

void Form1::PlayButton_Click()
{
    BuildAndLaunch(QString());
}

void Form1::GamesList_DblClick()
{
    PlayButton_Click();
}

void Form1::BuildAndLaunch(const QString& extraArgument)
{
    // With nothing selected the line reads as empty, and the command still starts.
    const QString selectedLine = ui.GamesList->line(ui.GamesList->selectedIndex());
    const ProgramChoice choice{ui.OriginalMameOption->isChecked(), ui.AlternateMameText->text()};
    const QString command = buildLaunchCommand(choice, selectedLine, extraArgument);
    ui.CommandlineLabel->setText(command);
    // A program that cannot start is not reported: the command line in the label is all the user gets.
    const StartResult result = m_shell.startDetached(command.toStdString());
    if (!result.started)
        qInfo("%s", result.error.c_str());
}

} // namespace Orvane
