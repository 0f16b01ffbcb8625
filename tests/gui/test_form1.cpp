// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "RecordingMessages.h"
#include "RecordingOpener.h"
#include "RecordingShell.h"
#include "WindowControls.h"

#include "gui/mainwindow/Form1.h"
#include "gui/widgets/CheckControls.h"
#include "gui/widgets/FileListBox.h"
#include "gui/widgets/SortedListBox.h"
#include "settings/OptionStore.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace Orvane;
using namespace Qt::StringLiterals;

class TestForm1 final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void windowIsFixedWithTheDesignedClientArea();
    void everyControlExistsByNameAndKind();
    void geometryCaptionsAndFontsBySample();
    void statesAtStart();
    void tabOrderFollowsTheDesign();
    void programChoiceIsExclusive();
    void listsStartWithTheirDesignTimeLinesSorted();
    void sortedListsIgnoreCaseFirst();
    void playStartsTheSelectedLine();
    void playWithTheAlternateBuild();
    void doubleClickPlays();
    void onlyALeftPressMovesTheSelection();
    void failedStartIsNotReported();

private:
    template <typename Widget> Widget* control(const char* name) const { return findControl<Widget>(*m_window, name); }
    QPoint rowCentre(SortedListBox* list, int row) const
    {
        return list->visualRect(list->model()->index(row, 0)).center();
    }

    RecordingShell* m_shell = nullptr;
    RecordingMessages m_messages;
    RecordingOpener m_opener;
    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<OptionStore> m_options;
    Form1* m_window = nullptr;
};

void TestForm1::init()
{
    m_shell = new RecordingShell;
    m_messages = RecordingMessages();
    m_folder = std::make_unique<QTemporaryDir>();
    m_options = OptionStore::inFile(m_folder->filePath(u"config/Orvane/Orvane.conf"_s));
    m_window = new Form1(m_folder->filePath(u"program"_s), {*m_shell, m_messages, *m_options, m_opener});
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
}

void TestForm1::cleanup()
{
    delete m_window;
    delete m_shell;
    m_options.reset();
    m_folder.reset();
}

void TestForm1::windowIsFixedWithTheDesignedClientArea()
{
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Orvane (alpha 6)"));
    QCOMPARE(m_window->centralWidget()->size(), QSize(658, 313));
    QCOMPARE(m_window->centralWidget()->y(), m_window->menuBar()->height());
    QCOMPARE(m_window->height(), m_window->menuBar()->height() + 313);
    QCOMPARE(m_window->minimumSize(), m_window->maximumSize());
    const Qt::WindowFlags flags = m_window->windowFlags();
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    QVERIFY(!(fixedWindowFlags(u"xcb") & Qt::WindowSystemMenuHint));
    QVERIFY(fixedWindowFlags(u"windows").testFlags(Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint));
    QVERIFY(!m_window->windowIcon().pixmap(32, 32).isNull());

    QCOMPARE(m_window->menuBar()->actions().size(), 1);
    auto* fileMenu = control<QMenu>("FileMenu");
    QCOMPARE(fileMenu->title(), QStringLiteral("File"));
    QCOMPARE(fileMenu->actions().size(), 1);
    QCOMPARE(fileMenu->actions().first()->objectName(), QStringLiteral("UpdateSystemsMenu"));
    QCOMPARE(fileMenu->actions().first()->text(), QStringLiteral("Update systems"));
    QVERIFY(fileMenu->actions().first()->shortcut().isEmpty());
}

void TestForm1::everyControlExistsByNameAndKind()
{
    const auto expectKind = [this](const QMetaObject& kind, const QStringList& names) {
        for (const QString& name : names) {
            const auto matches = m_window->findChildren<QWidget*>(name);
            QVERIFY2(matches.size() == 1, qPrintable(name));
            QVERIFY2(kind.cast(matches.first()), qPrintable(name + u" is not a " + QLatin1String(kind.className())));
        }
    };
    expectKind(QGroupBox::staticMetaObject,
               {u"Frame1"_s, u"Frame2"_s, u"Frame3"_s, u"Frame4"_s, u"Frame5"_s, u"Frame6"_s});
    expectKind(SortedListBox::staticMetaObject, {u"EmulatedSystemList"_s, u"GamesList"_s});
    expectKind(FileListBox::staticMetaObject, {u"INPFile"_s});
    expectKind(QRadioButton::staticMetaObject, {u"OriginalMameOption"_s, u"AlternateMameOption"_s});
    expectKind(CheckBox::staticMetaObject,
               {u"AdditionalParamCheck"_s, u"BeamCheck"_s, u"FlickerCheck"_s, u"SbOplCheck"_s});
    expectKind(ToggleCheckButton::staticMetaObject, {u"CheatCheck"_s});
    expectKind(QLineEdit::staticMetaObject,
               {u"AlternateMameText"_s, u"AdditionalParamText"_s, u"RecText"_s, u"BeamText"_s, u"FlickerText"_s});
    expectKind(QSlider::staticMetaObject, {u"FrameskipSlider"_s});
    expectKind(QFrame::staticMetaObject, {u"Line1"_s});
    expectKind(QPushButton::staticMetaObject, {u"SwapListCommand"_s, u"GamesListCommand"_s, u"AboutButton"_s,
                                               u"Command1"_s, u"Command2"_s, u"PlayButton"_s});
    expectKind(QComboBox::staticMetaObject,
               {u"PlaybackCombo"_s, u"VideoCombo"_s, u"DoubleCombo"_s, u"DepthCombo"_s, u"VGAFreqCombo"_s,
                u"ScanlinesCombo"_s, u"VESACombo"_s, u"VSyncCombo"_s, u"RotateCombo"_s, u"FlipCombo"_s,
                u"AntialiasCombo"_s, u"AudioCombo"_s, u"SampleRateCombo"_s, u"BitRateCombo"_s, u"JoyCombo"_s});
    QStringList labels{u"CommandlineLabel"_s, u"FrameskipLabel"_s};
    for (int number = 1; number <= 15; ++number)
        labels << u"Label"_s + QString::number(number);
    expectKind(QLabel::staticMetaObject, labels);
}

void TestForm1::geometryCaptionsAndFontsBySample()
{
    // Twips converted at 15 to the pixel, relative to the control's frame.
    QCOMPARE(control<SortedListBox>("GamesList")->geometry(), QRect(232, 24, 209, 272));
    QCOMPARE(control<QPushButton>("PlayButton")->geometry(), QRect(8, 272, 169, 25));
    QCOMPARE(control<QComboBox>("AntialiasCombo")->geometry(), QRect(8, 32, 97, 18));
    QCOMPARE(control<QLabel>("CommandlineLabel")->geometry(), QRect(8, 304, 537, 17));

    QCOMPARE(control<QGroupBox>("Frame5")->title(), QStringLiteral("General"));
    QCOMPARE(control<QGroupBox>("Frame1")->title(), QString());
    QCOMPARE(control<QRadioButton>("AlternateMameOption")->text(), QStringLiteral("Altenate build:"));
    QCOMPARE(control<QRadioButton>("AlternateMameOption")->toolTip(),
             QStringLiteral("Use non-official MAME like PentiuMame..."));
    QCOMPARE(control<QLineEdit>("AlternateMameText")->text(), QStringLiteral("Pmame31"));
    QCOMPARE(control<QLabel>("CommandlineLabel")->text(), QStringLiteral("Debug"));
    QCOMPARE(control<QLabel>("FrameskipLabel")->text(), QStringLiteral("Frameskip: 0"));
    QCOMPARE(control<QPushButton>("PlayButton")->toolTip(), QStringLiteral("Play now !"));
    QCOMPARE(control<QComboBox>("RotateCombo")->itemText(3), QStringLiteral("Anit-clockwise"));
    QCOMPARE(control<QComboBox>("AudioCombo")->count(), 9);
    QCOMPARE(control<QComboBox>("JoyCombo")->itemText(7), QStringLiteral("Wingman Extreme or Warrior"));

    // The lists keep their columns on any machine; the play button stands out.
    QVERIFY(QFontInfo(control<SortedListBox>("GamesList")->font()).fixedPitch());
    QVERIFY(QFontInfo(control<QLineEdit>("AdditionalParamText")->font()).fixedPitch());
    QVERIFY(control<QPushButton>("PlayButton")->font().bold());
    QCOMPARE(control<QPushButton>("PlayButton")->font().pointSizeF(), 10.2);
    QCOMPARE(control<QLabel>("CommandlineLabel")->font().pointSizeF(), 6.0);
    QCOMPARE(control<QComboBox>("VideoCombo")->font().pointSizeF(), 7.2);

    auto* slider = control<QSlider>("FrameskipSlider");
    QCOMPARE(slider->minimum(), 0);
    QCOMPARE(slider->maximum(), 3);
    QCOMPARE(slider->pageStep(), 5);
    QCOMPARE(slider->value(), 0);
}

void TestForm1::statesAtStart()
{
    QVERIFY(!control<QPushButton>("SwapListCommand")->isEnabled());
    for (const char* hidden : {"CheatCheck", "Command1", "Command2", "PlaybackCombo", "RecText"}) {
        QVERIFY2(control<QWidget>(hidden)->isHidden(), hidden);
        QVERIFY2(!control<QWidget>(hidden)->isEnabled(), hidden);
    }
    for (QComboBox* list : m_window->findChildren<QComboBox*>()) {
        QVERIFY2(!list->isEnabled(), qPrintable(list->objectName()));
        QCOMPARE(list->currentIndex(), -1);
        QVERIFY(!list->isEditable());
    }
    QVERIFY(!control<QLineEdit>("AlternateMameText")->isEnabled());
    QVERIFY(!control<QLineEdit>("AdditionalParamText")->isEnabled());
    QVERIFY(control<QSlider>("FrameskipSlider")->isEnabled());
    QVERIFY(control<QRadioButton>("OriginalMameOption")->isChecked());
    QCOMPARE(control<CheckBox>("AdditionalParamCheck")->checkValue(), 0);
    QCOMPARE(control<SortedListBox>("GamesList")->tag(), QStringLiteral("Full"));

    // What the user can operate lies inside the client area; the option frames and the file list lie below it.
    QWidget* client = m_window->centralWidget();
    for (const char* reachable : {"EmulatedSystemList", "GamesList", "GamesListCommand", "PlayButton", "AboutButton",
                                  "AdditionalParamCheck", "AlternateMameOption"}) {
        QWidget* widget = control<QWidget>(reachable);
        QVERIFY2(widget->isVisible() && widget->isEnabled(), reachable);
        const QRect onClient(widget->mapTo(client, QPoint(0, 0)), widget->size());
        QVERIFY2(client->rect().contains(onClient), reachable);
    }
    for (const char* below : {"Frame2", "Frame3", "Frame6", "INPFile"})
        QVERIFY2(control<QWidget>(below)->mapTo(client, QPoint(0, 0)).y() >= client->height(), below);
}

void TestForm1::tabOrderFollowsTheDesign()
{
    // The whole designed tab order of the controls that take focus; labels and frames between them take none.
    const QList<const char*> order{"FrameskipSlider",
                                   "VideoCombo",
                                   "AudioCombo",
                                   "OriginalMameOption",
                                   "AlternateMameOption",
                                   "AlternateMameText",
                                   "SampleRateCombo",
                                   "BitRateCombo",
                                   "SbOplCheck",
                                   "DoubleCombo",
                                   "DepthCombo",
                                   "VGAFreqCombo",
                                   "AdditionalParamText",
                                   "AdditionalParamCheck",
                                   "AboutButton",
                                   "ScanlinesCombo",
                                   "VESACombo",
                                   "VSyncCombo",
                                   "RotateCombo",
                                   "FlipCombo",
                                   "JoyCombo",
                                   "GamesListCommand",
                                   "SwapListCommand",
                                   "CheatCheck",
                                   "PlayButton",
                                   "PlaybackCombo",
                                   "Command1",
                                   "Command2",
                                   "RecText",
                                   "INPFile",
                                   "AntialiasCombo",
                                   "FlickerCheck",
                                   "BeamCheck",
                                   "FlickerText",
                                   "BeamText",
                                   "GamesList",
                                   "EmulatedSystemList"};
    QList<std::pair<const char*, const char*>> neighbours;
    for (qsizetype index = 1; index < order.size(); ++index)
        neighbours.append(std::pair{order[index - 1], order[index]});
    const auto nextTabStop = [](QWidget* widget) {
        do
            widget = widget->nextInFocusChain();
        while (!(widget->focusPolicy() & Qt::TabFocus));
        return widget;
    };
    for (const auto& [first, second] : neighbours)
        QVERIFY2(nextTabStop(control<QWidget>(first)) == control<QWidget>(second),
                 qPrintable(QStringLiteral("%1 -> %2").arg(QLatin1String(first), QLatin1String(second))));
}

void TestForm1::programChoiceIsExclusive()
{
    auto* original = control<QRadioButton>("OriginalMameOption");
    auto* alternate = control<QRadioButton>("AlternateMameOption");
    QTest::mouseClick(alternate, Qt::LeftButton);
    QVERIFY(alternate->isChecked());
    QVERIFY(!original->isChecked());
    QTest::mouseClick(original, Qt::LeftButton);
    QVERIFY(original->isChecked());
    QVERIFY(!alternate->isChecked());
}

void TestForm1::listsStartWithTheirDesignTimeLinesSorted()
{
    const QStringList designTime{u"123456789012345678901234567890123456789012345678901234567890"_s, u"games"_s};
    QCOMPARE(control<SortedListBox>("EmulatedSystemList")->lines(), designTime);
    QCOMPARE(control<SortedListBox>("GamesList")->lines(), designTime);
    QCOMPARE(control<SortedListBox>("GamesList")->selectedIndex(), -1);
}

void TestForm1::sortedListsIgnoreCaseFirst()
{
    auto* list = control<SortedListBox>("GamesList");
    list->setLines({u"c.rom"_s, u"B.ROM"_s, u"a.rom"_s, u"A.rom"_s});
    QCOMPARE(list->lines(), (QStringList{u"A.rom"_s, u"a.rom"_s, u"B.ROM"_s, u"c.rom"_s}));
    list->addLine(u"b.rom"_s);
    list->addLine(u"0.rom"_s);
    list->addLine(u"zz"_s);
    QCOMPARE(list->lines(),
             (QStringList{u"0.rom"_s, u"A.rom"_s, u"a.rom"_s, u"B.ROM"_s, u"b.rom"_s, u"c.rom"_s, u"zz"_s}));
}

void TestForm1::playStartsTheSelectedLine()
{
    auto* list = control<SortedListBox>("GamesList");
    auto* play = control<QPushButton>("PlayButton");
    auto* label = control<QLabel>("CommandlineLabel");

    // The design-time line "games" has no launch field.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rowCentre(list, 1));
    QCOMPARE(list->selectedIndex(), 1);
    QTest::mouseClick(play, Qt::LeftButton);
    QCOMPARE(m_shell->started, (std::vector<std::string>{"MESS  "}));
    QCOMPARE(label->text(), QStringLiteral("MESS  "));

    const QString name = u"<b>$(touch x) & \"é\".rom"_s;
    list->setLines({name.leftJustified(63, u' ') + u"lumen \"" + name + u'"'});
    QCOMPARE(list->selectedIndex(), -1);
    QTest::mouseClick(play, Qt::LeftButton);
    QCOMPARE(m_shell->started.back(), std::string("MESS  "));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rowCentre(list, 0));
    QTest::mouseClick(play, Qt::LeftButton);
    const QString expected = u"MESS lumen \"" + name + u"\" ";
    QCOMPARE(QString::fromStdString(m_shell->started.back()), expected);
    // The label shows the very string handed over, as text, trailing blank included.
    QCOMPARE(label->text(), expected);
    QCOMPARE(label->textFormat(), Qt::PlainText);

    // Only the label's top rows lie inside the window: every row of its text must be among them, as drawn.
    const QImage alone = label->grab().toImage();
    const QImage window = m_window->centralWidget()->grab().toImage();
    const int visibleRows = window.height() - label->y();
    QVERIFY(visibleRows < label->height());
    const QRgb background = alone.pixel(alone.width() - 1, alone.height() - 1);
    int inkRows = 0;
    for (int y = 0; y < alone.height(); ++y) {
        bool ink = false;
        for (int x = 0; x < alone.width(); ++x)
            ink = ink || alone.pixel(x, y) != background;
        if (!ink)
            continue;
        ++inkRows;
        QVERIFY2(y < visibleRows, qPrintable(u"text drawn below the window's edge, in row "_s + QString::number(y)));
        for (int x = 0; x < alone.width(); ++x)
            QCOMPARE(window.pixel(label->x() + x, label->y() + y), alone.pixel(x, y));
    }
    QVERIFY(inkRows >= 5);
}

void TestForm1::playWithTheAlternateBuild()
{
    auto* list = control<SortedListBox>("GamesList");
    list->setLines({u"a.bin"_s.leftJustified(63, u' ') + u"zephyr \"a.bin\""});
    list->setSelectedIndex(0);
    QTest::mouseClick(control<QRadioButton>("AlternateMameOption"), Qt::LeftButton);
    control<QLineEdit>("AlternateMameText")->setText(u"my emu/pmame31"_s);
    QTest::mouseClick(control<QPushButton>("PlayButton"), Qt::LeftButton);
    QCOMPARE(m_shell->started.back(), std::string("my emu/pmame31 zephyr \"a.bin\" "));
    control<QLineEdit>("AlternateMameText")->clear();
    m_window->PlayButton_Click();
    QCOMPARE(m_shell->started.back(), std::string(" zephyr \"a.bin\" "));
}

void TestForm1::doubleClickPlays()
{
    auto* list = control<SortedListBox>("GamesList");
    list->setLines({u"a.bin"_s.leftJustified(63, u' ') + u"zephyr \"a.bin\"",
                    u"b.bin"_s.leftJustified(63, u' ') + u"zephyr \"b.bin\""});
    const QPoint second = rowCentre(list, 1);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, second);
    QCOMPARE(m_shell->started, (std::vector<std::string>{"MESS zephyr \"b.bin\" "}));
    // A double-click below the last line still plays the selected one.
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, QPoint(5, list->viewport()->height() - 3));
    QCOMPARE(m_shell->started.size(), std::size_t(2));
    QCOMPARE(m_shell->started.back(), std::string("MESS zephyr \"b.bin\" "));
}

void TestForm1::onlyALeftPressMovesTheSelection()
{
    auto* list = control<SortedListBox>("GamesList");
    list->setLines({u"a"_s, u"b"_s, u"c"_s});
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rowCentre(list, 0));
    QCOMPARE(list->selectedIndex(), 0);
    QList<int> pressedButtons;
    connect(list, &SortedListBox::mouseDown, this,
            [&](Qt::MouseButton button, Qt::KeyboardModifiers, QPoint) { pressedButtons << button; });
    m_messages.answers = {false};
    QTest::mousePress(list->viewport(), Qt::RightButton, {}, rowCentre(list, 2));
    QTest::mouseRelease(list->viewport(), Qt::RightButton, {}, rowCentre(list, 2));
    QCOMPARE(list->selectedIndex(), 0);
    // The question was about the selected line, not the one under the pointer.
    QCOMPARE(m_messages.asked, QStringList{u"Add a"_s});
    QTest::mousePress(list->viewport(), Qt::LeftButton, {}, rowCentre(list, 1));
    QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, rowCentre(list, 1));
    QCOMPARE(list->selectedIndex(), 1);
    QCOMPARE(pressedButtons, (QList<int>{Qt::RightButton, Qt::LeftButton}));

    // No press clears the selection, and only the left one moves it: in both lists.
    for (SortedListBox* box : {list, control<SortedListBox>("EmulatedSystemList")}) {
        box->setLines({u"a"_s, u"b"_s, u"c"_s});
        QTest::mouseClick(box->viewport(), Qt::LeftButton, {}, rowCentre(box, 1));
        QTest::mouseClick(box->viewport(), Qt::LeftButton, Qt::ControlModifier, rowCentre(box, 1));
        QCOMPARE(box->selectedIndex(), 1);
        QTest::keyClick(box, Qt::Key_Space, Qt::ControlModifier);
        QCOMPARE(box->selectedIndex(), 1);
        QTest::mouseClick(box->viewport(), Qt::MiddleButton, {}, rowCentre(box, 2));
        QCOMPARE(box->selectedIndex(), 1);
        QTest::mouseClick(box->viewport(), Qt::LeftButton, Qt::ControlModifier, rowCentre(box, 0));
        QCOMPARE(box->selectedIndex(), 0);
    }
}

void TestForm1::failedStartIsNotReported()
{
    m_shell->startSucceeds = false;
    QTest::mouseClick(control<QPushButton>("PlayButton"), Qt::LeftButton);
    QCOMPARE(control<QLabel>("CommandlineLabel")->text(), QStringLiteral("MESS  "));
    QVERIFY(m_messages.informed.isEmpty());
}

QTEST_MAIN(TestForm1)
#include "test_form1.moc"
