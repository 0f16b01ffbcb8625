// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "RecordingLauncher.h"
#include "RecordingMessages.h"
#include "RecordingOpener.h"

#include "gui/about/FrmAbouttov.h"
#include "gui/mainwindow/Form1.h"
#include "gui/mainwindow/MessageBoxes.h"
#include "gui/widgets/SortedListBox.h"
#include "settings/OptionStore.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QScrollBar>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <memory>
#include <optional>

using namespace Orvane;
using namespace Qt::StringLiterals;

namespace
{

// The table's columns, and the kinds of control it names by the class each is built as.
enum Column
{
    WindowColumn,
    ContainerColumn,
    NameColumn,
    KindColumn,
    PositionColumn,
    ShownColumn,
    ToolTipColumn,
    EnabledColumn,
    VisibleColumn,
    FontColumn,
    TabColumn,
    ColumnCount
};

const QHash<QString, QString>& kindsByClass()
{
    static const QHash<QString, QString> kinds{
        {u"QGroupBox"_s, u"frame"_s},
        {u"QLabel"_s, u"label"_s},
        {u"QPushButton"_s, u"button"_s},
        {u"QToolButton"_s, u"picture button"_s},
        {u"Orvane::SortedListBox"_s, u"list box"_s},
        {u"Orvane::FileListBox"_s, u"file list"_s},
        {u"QFrame"_s, u"line"_s},
        {u"QRadioButton"_s, u"option button"_s},
        {u"QLineEdit"_s, u"text box"_s},
        {u"Orvane::CheckBox"_s, u"check box"_s},
        {u"Orvane::ToggleCheckButton"_s, u"push-button check box"_s},
        {u"QComboBox"_s, u"drop-down list"_s},
        {u"QSlider"_s, u"slider"_s},
    };
    return kinds;
}

bool takesFocus(const QString& kind)
{
    return kind != u"frame" && kind != u"label" && kind != u"line" && kind != u"window" && !kind.startsWith(u"menu");
}

QString yesNo(bool value)
{
    return value ? u"yes"_s : u"no"_s;
}

QString quoted(const QString& text)
{
    return u'"' + text + u'"';
}

// Twips as the window has them: whole pixels, 15 twips each.
QString twips(int pixels)
{
    return QString::number(pixels * 15);
}

QString shownItems(const QAbstractItemModel* model)
{
    QStringList items;
    for (int row = 0; row < model->rowCount(); ++row)
        items << QString::number(row) + u' ' + quoted(model->index(row, 0).data().toString());
    return items.isEmpty() ? u"none"_s : items.join(u", "_s);
}

// What a control shows in the table's sixth column: its caption or text, its items, or a slider's steps.
QString shownColumn(const QWidget* widget)
{
    if (const auto* slider = qobject_cast<const QSlider*>(widget))
        return u"positions %1 to %2, arrow keys %3, page keys %4, %5"_s.arg(slider->minimum())
            .arg(slider->maximum())
            .arg(slider->singleStep())
            .arg(slider->pageStep())
            .arg(slider->tickPosition() != QSlider::NoTicks && slider->tickInterval() == 1 ? u"a tick per position"_s
                                                                                           : u"other ticks"_s);
    if (const auto* list = qobject_cast<const QComboBox*>(widget))
        return shownItems(list->model());
    if (const auto* list = qobject_cast<const QAbstractItemView*>(widget))
        return shownItems(list->model());
    if (const auto* frame = qobject_cast<const QGroupBox*>(widget))
        return quoted(frame->title());
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
        return quoted(button->text());
    if (const auto* label = qobject_cast<const QLabel*>(widget))
        return quoted(label->text());
    if (const auto* text = qobject_cast<const QLineEdit*>(widget))
        return quoted(text->text());
    return u"none"_s;
}

// The table's line for each control of a running window, as the table writes it, by the control's name.
class WindowAsTable
{
public:
    explicit WindowAsTable(QWidget* window) : m_window(window), m_mainWindow(qobject_cast<QMainWindow*>(window)) {}

    QHash<QString, QString> lines() const
    {
        QHash<QString, QString> lines;
        const QString window = m_window->objectName();
        QWidget* client = m_mainWindow ? m_mainWindow->centralWidget() : m_window;
        const QRect area = client->rect();
        QString caption = quoted(m_window->windowTitle());
        if (m_window->minimumSize() != m_window->maximumSize())
            caption += u" (can be resized)"_s;
        lines.insert(window, line({window, u"-"_s, window, u"window"_s, position(area), caption, u"none"_s,
                                   yesNo(m_window->isEnabled()), yesNo(!m_window->isHidden())}));
        if (m_mainWindow) {
            for (QAction* menuAction : m_mainWindow->menuBar()->actions()) {
                QMenu* menu = menuAction->menu();
                lines.insert(menu->objectName(),
                             line({window, window, menu->objectName(), u"menu"_s, u"-"_s, quoted(menu->title()),
                                   u"none"_s, yesNo(menuAction->isEnabled()), yesNo(menuAction->isVisible())}));
                for (QAction* item : menu->actions()) {
                    const QString shortcut = item->shortcut().toString();
                    lines.insert(item->objectName(),
                                 line({window, menu->objectName(), item->objectName(), u"menu item"_s, u"-"_s,
                                       quoted(item->text()) + (shortcut.isEmpty() ? QString() : u" " + shortcut),
                                       u"none"_s, yesNo(item->isEnabled()), yesNo(item->isVisible())}));
                }
            }
        }
        for (QWidget* widget : m_window->findChildren<QWidget*>()) {
            const QString name = widget->objectName();
            if (name.isEmpty() || name.startsWith(u"qt_") || widget == client || qobject_cast<QMenu*>(widget) ||
                (m_mainWindow && widget == m_mainWindow->menuBar()))
                continue;
            lines.insert(name, controlLine(widget));
        }
        return lines;
    }

private:
    static QString line(QStringList fields)
    {
        while (fields.size() < ColumnCount)
            fields << u"-"_s;
        return fields.join(u" | "_s);
    }

    static QString position(const QRect& rect)
    {
        return twips(rect.x()) + u", " + twips(rect.y()) + u", " + twips(rect.width()) + u", " + twips(rect.height());
    }

    QString controlLine(QWidget* widget) const
    {
        const QString className = QString::fromLatin1(widget->metaObject()->className());
        const QString kind = kindsByClass().value(className, u"(a "_s + className + u')');
        QWidget* parent = widget->parentWidget();
        const bool onClient = m_mainWindow && parent == m_mainWindow->centralWidget();
        const QRect geometry = widget->geometry();
        const QFont font = widget->font();
        const bool focusable = widget->focusPolicy() & Qt::TabFocus;
        return line({m_window->objectName(), onClient ? m_window->objectName() : parent->objectName(),
                     widget->objectName(), kind,
                     kind == u"line" ? u"from %1, %2 to %1, %3%4"_s.arg(twips(geometry.x()), twips(geometry.y()),
                                                                        twips(geometry.y() + geometry.height()),
                                                                        geometry.width() == 1 ? QString() : u" wide"_s)
                                     : position(geometry),
                     shownColumn(widget), widget->toolTip().isEmpty() ? u"none"_s : quoted(widget->toolTip()),
                     yesNo(widget->isEnabled()), yesNo(!widget->isHidden()),
                     kind == u"line" || kind == u"slider" ? u"-"_s
                                                          : u"%1 %2%3"_s.arg(font.families().value(0))
                                                                .arg(font.pointSizeF())
                                                                .arg(font.bold() ? u" bold"_s : QString()),
                     focusable ? u"tab"_s : u"-"_s});
    }

    QWidget* m_window;
    QMainWindow* m_mainWindow;
};

// A line of the table as the window writes it: positions in whole pixels, "tab" for a control that takes the
// focus (its place in the order is checked on its own), "any" wherever the window's text is not fixed.
QString normalised(QStringList fields, const QString& shown)
{
    static const QRegularExpression number(uR"(\d+)"_s);
    QString position = fields[PositionColumn];
    for (qsizetype offset = 0;;) {
        const QRegularExpressionMatch match = number.match(position, offset);
        if (!match.hasMatch())
            break;
        const QString rounded = twips(qRound(match.captured().toInt() / 15.0));
        position.replace(match.capturedStart(), match.capturedLength(), rounded);
        offset = match.capturedStart() + rounded.size();
    }
    fields[PositionColumn] = position;
    if (fields[ShownColumn] == u"any")
        fields[ShownColumn] = shown;
    fields[TabColumn] = takesFocus(fields[KindColumn]) ? u"tab"_s : u"-"_s;
    return fields.join(u" | "_s);
}

QList<QStringList> tableRows(const QString& window)
{
    QFile file(QStringLiteral(ORVANE_WINDOW_SURFACE));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        qFatal("cannot read %s", qPrintable(file.fileName()));
    QList<QStringList> rows;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        QStringList fields = line.split(u'|');
        for (QString& field : fields)
            field = field.trimmed();
        if (fields.size() != ColumnCount)
            qFatal("not eleven columns: %s", qPrintable(line));
        if (fields[WindowColumn] == window)
            rows << fields;
    }
    return rows;
}

// Every difference between a running window and the table's lines for it: each line the window writes otherwise,
// each control the table does not name, and the order the focus walks the controls that take it.
QStringList differences(QWidget* window)
{
    QHash<QString, QString> shown = WindowAsTable(window).lines();
    QStringList differences;
    QList<std::pair<int, QString>> tabStops;
    for (const QStringList& row : tableRows(window->objectName())) {
        const QString actual = shown.take(row[NameColumn]);
        const QString expected = normalised(row, actual.section(u" | "_s, ShownColumn, ShownColumn));
        if (actual != expected)
            differences << u"the table: "_s + expected + u"\nthe window: "_s + (actual.isEmpty() ? u"none"_s : actual);
        if (takesFocus(row[KindColumn]) && row[TabColumn] != u"-")
            tabStops.append({row[TabColumn].toInt(), row[NameColumn]});
    }
    for (auto line = shown.cbegin(); line != shown.cend(); ++line)
        differences << line.key() + u": not in the table"_s;
    std::stable_sort(tabStops.begin(), tabStops.end(),
                     [](const auto& left, const auto& right) { return left.first < right.first; });
    QStringList wanted, walked;
    QWidget* stop = tabStops.isEmpty() ? nullptr : window->findChild<QWidget*>(tabStops.first().second);
    for (const auto& [tab, name] : tabStops) {
        wanted << name;
        if (!stop)
            break;
        walked << (stop->objectName().isEmpty() ? u"(unnamed "_s + QLatin1String(stop->metaObject()->className()) + u')'
                                                : stop->objectName());
        do
            stop = stop->nextInFocusChain();
        while (!(stop->focusPolicy() & Qt::TabFocus));
    }
    if (walked != wanted)
        differences << u"tab order is "_s + walked.join(u", "_s) + u"; the table says "_s + wanted.join(u", "_s);
    return differences;
}

} // namespace

class TestWindowSurface final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void mainWindowAsTheTableSays();
    void aboutWindowAsTheTableSays();
    void listsNeverScrollSideways();
    void theSeparatorIsGreyText();
    void messageBoxesWithoutIcon();

private:
    RecordingLauncher m_shell;
    RecordingMessages m_messages;
    RecordingOpener m_opener;
    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<OptionStore> m_options;
    std::unique_ptr<Form1> m_window;
};

void TestWindowSurface::init()
{
    m_folder = std::make_unique<QTemporaryDir>();
    m_options = OptionStore::inFile(m_folder->filePath(u"config/Orvane/Orvane.conf"_s));
    m_window = std::make_unique<Form1>(m_folder->filePath(u"program"_s),
                                       Form1Services{m_shell, m_messages, *m_options, m_opener});
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void TestWindowSurface::cleanup()
{
    m_window.reset();
    m_options.reset();
    m_folder.reset();
}

void TestWindowSurface::mainWindowAsTheTableSays()
{
    const QStringList found = differences(m_window.get());
    QVERIFY2(found.isEmpty(), qPrintable(found.join(u'\n')));
    // The lists keep their columns with whatever fixed-pitch font the machine has.
    for (const char* list : {"EmulatedSystemList", "GamesList"})
        QVERIFY(QFontInfo(m_window->findChild<QWidget*>(QLatin1String(list))->font()).fixedPitch());
}

void TestWindowSurface::aboutWindowAsTheTableSays()
{
    bool seen = false;
    QTimer::singleShot(0, this, [&] {
        auto* about = qobject_cast<FrmAbouttov*>(QApplication::activeModalWidget());
        QVERIFY(about);
        const auto close = qScopeGuard([about] { about->reject(); });
        const QStringList found = differences(about);
        QVERIFY2(found.isEmpty(), qPrintable(found.join(u'\n')));
        // A dialog frame of its own, without the main window's icon.
        QVERIFY(about->windowIcon().isNull());
        for (const char* centred : {"Label1", "Label2"})
            QVERIFY(about->findChild<QLabel*>(QLatin1String(centred))->alignment() & Qt::AlignHCenter);
        // The home page button shows its picture above its caption.
        auto* homePage = about->findChild<QToolButton*>(u"Command3"_s);
        QCOMPARE(homePage->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
        QCOMPARE(homePage->icon().availableSizes(), (QList<QSize>{{32, 32}, {48, 48}}));
        QCOMPARE(about->focusWidget(), homePage);
        seen = true;
    });
    QTest::mouseClick(m_window->findChild<QPushButton*>(u"AboutButton"_s), Qt::LeftButton);
    QVERIFY(seen);
}

void TestWindowSurface::listsNeverScrollSideways()
{
    for (const char* name : {"EmulatedSystemList", "GamesList"}) {
        auto* list = m_window->findChild<SortedListBox*>(QLatin1String(name));
        list->setLines({QString(200, u'x'), u"games"_s});
        list->doItemsLayout();
        QCOMPARE(list->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        const QPointF centre = list->viewport()->rect().center();
        QWheelEvent wheel(centre, list->viewport()->mapToGlobal(centre), {}, QPoint(-120, 0), Qt::NoButton, {},
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(list->viewport(), &wheel);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(0, 0)).center());
        QTest::keyClick(list, Qt::Key_End);
        QTest::keyClick(list, Qt::Key_Right);
        QVERIFY2(list->horizontalScrollBar()->value() == 0, name);
    }
}

void TestWindowSurface::theSeparatorIsGreyText()
{
    auto* line = m_window->findChild<QFrame*>(u"Line1"_s);
    QCOMPARE(line->frameShape(), QFrame::VLine);
    const QImage drawn = line->grab().toImage();
    const QColor grey = QApplication::palette().color(QPalette::Disabled, QPalette::WindowText);
    QCOMPARE(QColor(drawn.pixel(0, drawn.height() / 2)), grey);
    QVERIFY(grey != QApplication::palette().color(QPalette::Active, QPalette::WindowText));
}

void TestWindowSurface::messageBoxesWithoutIcon()
{
    DesktopMessageBoxes boxes;
    int seen = 0;
    const auto lookAt = [&](QMessageBox::StandardButtons buttons) {
        QTimer::singleShot(0, this, [&, buttons] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            const auto close = qScopeGuard([box] { box->button(QMessageBox::Ok)->click(); });
            QCOMPARE(box->icon(), QMessageBox::NoIcon);
            QCOMPARE(box->windowTitle(), u"Orvane"_s);
            QCOMPARE(box->standardButtons(), buttons);
            QCOMPARE(box->textFormat(), Qt::PlainText);
            ++seen;
        });
    };
    // A result has OK alone, a confirmation OK and Cancel.
    lookAt(QMessageBox::Ok);
    boxes.inform(m_window.get(), u"<b>done</b>"_s);
    lookAt(QMessageBox::Ok | QMessageBox::Cancel);
    QVERIFY(boxes.confirm(m_window.get(), u"sure?"_s));
    QCOMPARE(seen, 2);
}

QTEST_MAIN(TestWindowSurface)
#include "test_window_surface.moc"
