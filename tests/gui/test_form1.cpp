// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "RecordingLauncher.h"
#include "RecordingMessages.h"
#include "RecordingOpener.h"
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

    void windowIsFixedUnderItsMenu();
    void statesAtStart();
    void programChoiceIsExclusive();
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

    RecordingLauncher* m_shell = nullptr;
    RecordingMessages m_messages;
    RecordingOpener m_opener;
    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<OptionStore> m_options;
    Form1* m_window = nullptr;
};

void TestForm1::init()
{
    m_shell = new RecordingLauncher;
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

void TestForm1::windowIsFixedUnderItsMenu()
{
    // The captions, controls and client area are held against the window's table; here, how the window sits.
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
    QCOMPARE(control<QMenu>("FileMenu")->actions().size(), 2);
}

void TestForm1::statesAtStart()
{
    // Captions, enabled and visible are held against the window's table; here, the values the controls start with.
    for (QComboBox* list : m_window->findChildren<QComboBox*>()) {
        QCOMPARE(list->currentIndex(), -1);
        QVERIFY(!list->isEditable());
    }
    QVERIFY(control<QRadioButton>("OriginalMameOption")->isChecked());
    QCOMPARE(control<CheckBox>("AdditionalParamCheck")->checkValue(), 0);
    QCOMPARE(control<SortedListBox>("GamesList")->tag(), QStringLiteral("Full"));
    QCOMPARE(control<SortedListBox>("GamesList")->selectedIndex(), -1);
    QCOMPARE(control<QSlider>("FrameskipSlider")->value(), 0);

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

    // Only a launch writes the command band: not a list reloaded, a line picked or an option changed.
    QTest::mouseClick(control<QPushButton>("GamesListCommand"), Qt::LeftButton);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rowCentre(list, 0));
    QTest::mouseClick(control<QRadioButton>("AlternateMameOption"), Qt::LeftButton);
    control<QSlider>("FrameskipSlider")->setValue(2);
    QCOMPARE(label->text(), expected);
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
