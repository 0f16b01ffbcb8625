// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "gui/mainwindow/Form1Ui.h"
#include "gui/mainwindow/ListMode.h"

#include "gui/widgets/CheckControls.h"
#include "gui/widgets/ControlBuilder.h"
#include "gui/widgets/FileListBox.h"
#include "gui/widgets/SortedListBox.h"
#include "gui/widgets/WindowIcon.h"

#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>

namespace Orvane
{

namespace
{

// Until the first fill, both lists show a column ruler and a placeholder word.
const QStringList designTimeLines{
    QStringLiteral("123456789012345678901234567890123456789012345678901234567890"),
    QStringLiteral("games"),
};

QLabel* plainLabel(QLabel* label)
{
    // Captions that come from files or command lines are shown as they are, never as markup.
    label->setTextFormat(Qt::PlainText);
    return label;
}

} // namespace

void Form1Ui::setupUi(QMainWindow* window)
{
    window->setObjectName(QStringLiteral("Form1"));
    window->setWindowTitle(QStringLiteral("Orvane (alpha 6)"));
    window->setWindowIcon(makeWindowIcon());

    auto* client = new QWidget(window);
    client->setFixedSize(twipsToPixels(9864), twipsToPixels(4692));
    window->setCentralWidget(client);

    ControlBuilder builder;

    Frame1 = builder.add<QGroupBox>(client, "Frame1", twipsRect(120, 0, 6732, 4572), 0, FontStyle::Normal);
    Label14 = builder.add<QLabel>(Frame1, "Label14", twipsRect(120, 120, 3132, 252), 59, FontStyle::Normal,
                                  QStringLiteral("Systems:"));
    EmulatedSystemList =
        builder.add<SortedListBox>(Frame1, "EmulatedSystemList", twipsRect(120, 360, 3132, 4080), 58, FontStyle::Fixed);
    EmulatedSystemList->setLines(designTimeLines);
    Line1 = builder.add<QFrame>(Frame1, "Line1", QRect(twipsToPixels(3360), twipsToPixels(240), 1, twipsToPixels(4080)),
                                0, FontStyle::Normal);
    Line1->setFrameShape(QFrame::VLine);
    Line1->setFrameShadow(QFrame::Plain);
    QPalette linePalette = Line1->palette();
    linePalette.setColor(QPalette::WindowText, linePalette.color(QPalette::Disabled, QPalette::WindowText));
    Line1->setPalette(linePalette);
    Label15 = builder.add<QLabel>(Frame1, "Label15", twipsRect(3480, 120, 3132, 252), 60, FontStyle::Normal,
                                  QStringLiteral("Images:"));
    GamesList = builder.add<SortedListBox>(Frame1, "GamesList", twipsRect(3480, 360, 3132, 4080), 57, FontStyle::Fixed);
    GamesList->setLines(designTimeLines);
    GamesList->setTag(listModeTag(ListMode::Full));

    Frame5 = builder.add<QGroupBox>(client, "Frame5", twipsRect(6960, 0, 2772, 4572), 7, FontStyle::Normal,
                                    QStringLiteral("General"));
    OriginalMameOption = builder.add<QRadioButton>(Frame5, "OriginalMameOption", twipsRect(120, 240, 1332, 252), 8,
                                                   FontStyle::Normal, QStringLiteral("Original MESS"));
    OriginalMameOption->setChecked(true);
    OriginalMameOption->setToolTip(QStringLiteral("Use original MAME DOS release"));
    AboutButton = builder.add<QPushButton>(Frame5, "AboutButton", twipsRect(2400, 240, 252, 252), 26, FontStyle::Bold,
                                           QStringLiteral("?"));
    AlternateMameOption = builder.add<QRadioButton>(Frame5, "AlternateMameOption", twipsRect(120, 480, 1332, 252), 9,
                                                    FontStyle::Normal, QStringLiteral("Altenate build:"));
    AlternateMameOption->setToolTip(QStringLiteral("Use non-official MAME like PentiuMame..."));
    AlternateMameText = builder.add<QLineEdit>(Frame5, "AlternateMameText", twipsRect(120, 720, 2532, 288), 10,
                                               FontStyle::Fixed, QStringLiteral("Pmame31"));
    AlternateMameText->setEnabled(false);
    AdditionalParamCheck = builder.add<CheckBox>(Frame5, "AdditionalParamCheck", twipsRect(120, 1200, 1812, 252), 25,
                                                 FontStyle::Normal, QStringLiteral("Additional parameters:"));
    AdditionalParamText = builder.add<QLineEdit>(Frame5, "AdditionalParamText", twipsRect(120, 1440, 2532, 288), 24,
                                                 FontStyle::Fixed, QString());
    AdditionalParamText->setEnabled(false);
    CheatCheck = builder.add<ToggleCheckButton>(Frame5, "CheatCheck", twipsRect(120, 1920, 2532, 252), 42,
                                                FontStyle::Normal, QStringLiteral("Enable cheat"));
    CheatCheck->setToolTip(QStringLiteral("Enable cheat"));
    CheatCheck->setVisible(false);
    Command1 = builder.add<QPushButton>(Frame5, "Command1", twipsRect(120, 2280, 1212, 252), 45, FontStyle::Bold,
                                        QStringLiteral("Playback"));
    Command1->setToolTip(QStringLiteral("Play now !"));
    PlaybackCombo = builder.addList(Frame5, "PlaybackCombo", twipsRect(1440, 2280, 1212, 264), 44, {});
    Command2 = builder.add<QPushButton>(Frame5, "Command2", twipsRect(120, 2640, 1212, 252), 46, FontStyle::Bold,
                                        QStringLiteral("Record"));
    Command2->setToolTip(QStringLiteral("Play now !"));
    RecText = builder.add<QLineEdit>(Frame5, "RecText", twipsRect(1440, 2640, 1212, 252), 47, FontStyle::Small,
                                     QStringLiteral("Default"));
    // The recording controls are not offered to the user in this version.
    for (QWidget* hidden : std::initializer_list<QWidget*>{Command1, PlaybackCombo, Command2, RecText}) {
        hidden->setEnabled(false);
        hidden->setVisible(false);
    }
    PlayButton = builder.add<QPushButton>(Frame5, "PlayButton", twipsRect(120, 4080, 2532, 372), 43,
                                          FontStyle::LargeBold, QStringLiteral("Play"));
    PlayButton->setToolTip(QStringLiteral("Play now !"));

    // These lie on the upper right corner of Frame1, so they are made after it to stay on top.
    SwapListCommand = builder.add<QPushButton>(client, "SwapListCommand", twipsRect(4680, 120, 972, 192), 41,
                                               FontStyle::Normal, QStringLiteral("Swap list"));
    SwapListCommand->setEnabled(false);
    GamesListCommand = builder.add<QPushButton>(client, "GamesListCommand", twipsRect(5760, 120, 972, 192), 40,
                                                FontStyle::Normal, QStringLiteral("Update list"));
    CommandlineLabel = plainLabel(builder.add<QLabel>(client, "CommandlineLabel", twipsRect(120, 4560, 8052, 252), 27,
                                                      FontStyle::Tiny, QStringLiteral("Debug")));
    // Only the label's top nine pixels lie inside the window: its text starts at the top, so the whole line shows.
    CommandlineLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    // Below the client area: they take part in the program but the fixed window never shows them.
    setupOptionFrames(*this, client, builder);
    INPFile = builder.add<FileListBox>(client, "INPFile", twipsRect(8280, 7320, 1452, 264), 48, FontStyle::Normal);

    FileMenu = window->menuBar()->addMenu(QStringLiteral("File"));
    FileMenu->setObjectName(QStringLiteral("FileMenu"));
    UpdateSystemsMenu = FileMenu->addAction(QStringLiteral("Update systems"));
    UpdateSystemsMenu->setObjectName(QStringLiteral("UpdateSystemsMenu"));
    OnlyWithImagesMenu = FileMenu->addAction(QStringLiteral("Only systems with images"));
    OnlyWithImagesMenu->setObjectName(QStringLiteral("OnlyWithImagesMenu"));
    OnlyWithImagesMenu->setCheckable(true);

    builder.applyTabOrder();
}

} // namespace Orvane
