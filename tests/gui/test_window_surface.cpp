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

// One line of window_surface.txt: what one control shows when the program starts with nothing stored.
struct SurfaceRow
{
    QString window;
    QString container;
    QString name;
    QString kind;
    std::optional<QRect> pixels; // the twips converted at 15 to the pixel
    std::optional<QString> caption;
    std::optional<QStringList> items;
    QString toolTip;
    bool enabled = true;
    bool visible = true;
    std::optional<QFont> font;
    std::optional<int> tab;
};

int pixels(const QString& twips)
{
    return qRound(twips.trimmed().toInt() / 15.0);
}

std::optional<QRect> parsePosition(const QString& field)
{
    static const QRegularExpression line(uR"(^from (\d+), (\d+) to (\d+), (\d+)$)"_s);
    if (const auto match = line.match(field); match.hasMatch())
        return QRect(pixels(match.captured(1)), pixels(match.captured(2)), 1,
                     pixels(match.captured(4)) - pixels(match.captured(2)));
    const QStringList parts = field.split(u',');
    if (parts.size() != 4)
        return std::nullopt;
    return QRect(pixels(parts[0]), pixels(parts[1]), pixels(parts[2]), pixels(parts[3]));
}

QString unquoted(const QString& field)
{
    return field.size() >= 2 && field.startsWith(u'"') && field.endsWith(u'"') ? field.mid(1, field.size() - 2)
                                                                               : QString();
}

std::optional<QFont> parseFont(const QString& field)
{
    static const QRegularExpression form(uR"(^(\S+) ([\d.]+)( bold)?$)"_s);
    const auto match = form.match(field);
    if (!match.hasMatch())
        return std::nullopt;
    QFont font(match.captured(1));
    font.setPointSizeF(match.captured(2).toDouble());
    font.setBold(match.hasCaptured(3));
    return font;
}

QList<SurfaceRow> readSurface(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        qFatal("cannot read %s", qPrintable(path));
    QList<SurfaceRow> rows;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        QStringList fields = line.split(u'|');
        for (QString& field : fields)
            field = field.trimmed();
        if (fields.size() != 11)
            qFatal("not eleven columns: %s", qPrintable(line));
        SurfaceRow row;
        row.window = fields[0];
        row.container = fields[1];
        row.name = fields[2];
        row.kind = fields[3];
        row.pixels = parsePosition(fields[4]);
        if (row.kind == u"slider") {
            row.caption = fields[5];
        } else if (fields[5].startsWith(u'"')) {
            row.caption = unquoted(fields[5]);
        } else if (fields[5] == u"none") {
            row.items = QStringList();
        } else if (fields[5] != u"any") {
            static const QRegularExpression item(uR"((\d+) "([^"]*)\")"_s);
            row.items = QStringList();
            for (const auto& match : item.globalMatch(fields[5])) {
                if (match.captured(1).toInt() != row.items->size())
                    qFatal("%s: item %s out of order", qPrintable(row.name), qPrintable(match.captured(1)));
                row.items->append(match.captured(2));
            }
        }
        row.toolTip = fields[6] == u"none" ? QString() : unquoted(fields[6]);
        row.enabled = fields[7] == u"yes";
        row.visible = fields[8] == u"yes";
        row.font = parseFont(fields[9]);
        if (fields[10] != u"-")
            row.tab = fields[10].toInt();
        rows.append(row);
    }
    return rows;
}

// The class each kind of control in the table is built as.
QString classOfKind(const QString& kind)
{
    static const QHash<QString, QString> classes{
        {u"frame"_s, u"QGroupBox"_s},
        {u"label"_s, u"QLabel"_s},
        {u"button"_s, u"QPushButton"_s},
        {u"picture button"_s, u"QToolButton"_s},
        {u"list box"_s, u"Orvane::SortedListBox"_s},
        {u"file list"_s, u"Orvane::FileListBox"_s},
        {u"line"_s, u"QFrame"_s},
        {u"option button"_s, u"QRadioButton"_s},
        {u"text box"_s, u"QLineEdit"_s},
        {u"check box"_s, u"Orvane::CheckBox"_s},
        {u"push-button check box"_s, u"Orvane::ToggleCheckButton"_s},
        {u"drop-down list"_s, u"QComboBox"_s},
        {u"slider"_s, u"QSlider"_s},
        {u"menu"_s, u"QMenu"_s},
    };
    return classes.value(kind, u"(unknown kind "_s + kind + u')');
}

bool takesFocus(const QString& kind)
{
    return kind != u"frame" && kind != u"label" && kind != u"line";
}

QString shownText(const QWidget* widget)
{
    if (const auto* frame = qobject_cast<const QGroupBox*>(widget))
        return frame->title();
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
        return button->text();
    if (const auto* label = qobject_cast<const QLabel*>(widget))
        return label->text();
    if (const auto* text = qobject_cast<const QLineEdit*>(widget))
        return text->text();
    if (const auto* menu = qobject_cast<const QMenu*>(widget))
        return menu->title();
    if (const auto* slider = qobject_cast<const QSlider*>(widget))
        return u"positions %1 to %2, arrow keys %3, page keys %4, %5"_s.arg(slider->minimum())
            .arg(slider->maximum())
            .arg(slider->singleStep())
            .arg(slider->pageStep())
            .arg(slider->tickPosition() != QSlider::NoTicks && slider->tickInterval() == 1 ? u"a tick per position"_s
                                                                                           : u"other ticks"_s);
    return widget->windowTitle();
}

std::optional<QStringList> shownItems(const QWidget* widget)
{
    if (const auto* list = qobject_cast<const SortedListBox*>(widget))
        return list->lines();
    if (const auto* list = qobject_cast<const QComboBox*>(widget)) {
        QStringList items;
        for (int index = 0; index < list->count(); ++index)
            items << list->itemText(index);
        return items;
    }
    return std::nullopt;
}

QString describe(const QRect& rect)
{
    return u"%1, %2, %3, %4"_s.arg(rect.x()).arg(rect.y()).arg(rect.width()).arg(rect.height());
}

QString describe(const QFont& font)
{
    return u"%1 %2%3"_s.arg(font.families().value(0)).arg(font.pointSizeF()).arg(font.bold() ? u" bold"_s : QString());
}

// Every difference between a window's controls and the table's rows for it, each naming the control.
class SurfaceComparison
{
public:
    explicit SurfaceComparison(QWidget* window) : m_window(window), m_mainWindow(qobject_cast<QMainWindow*>(window)) {}

    QStringList compare(const QList<SurfaceRow>& rows)
    {
        for (const SurfaceRow& row : rows) {
            m_named.insert(row.name);
            if (row.kind == u"window")
                compareWindow(row);
            else if (row.kind == u"menu item")
                compareMenuItem(row);
            else
                compareControl(row);
        }
        checkNothingElseIsNamed();
        checkTabOrder();
        return m_differences;
    }

private:
    void differ(const SurfaceRow& row, const QString& what, const QString& shown, const QString& wanted)
    {
        if (shown != wanted)
            m_differences << u"%1: %2 is \"%3\", the table says \"%4\""_s.arg(row.name, what, shown, wanted);
    }

    void compareWindow(const SurfaceRow& row)
    {
        differ(row, u"caption"_s, m_window->windowTitle(), *row.caption);
        QWidget* client = m_mainWindow ? m_mainWindow->centralWidget() : m_window;
        differ(row, u"client area"_s, describe(client->rect()), describe(*row.pixels));
        if (m_window->minimumSize() != m_window->maximumSize())
            m_differences << row.name + u": can be resized"_s;
    }

    void compareMenuItem(const SurfaceRow& row)
    {
        auto* action = m_window->findChild<QAction*>(row.name);
        auto* menu = m_window->findChild<QMenu*>(row.container);
        if (!action || !menu || !menu->actions().contains(action)) {
            m_differences << row.name + u": no such item under "_s + row.container;
            return;
        }
        differ(row, u"caption"_s, action->text(), *row.caption);
        differ(row, u"shortcut"_s, action->shortcut().toString(), QString());
    }

    void compareControl(const SurfaceRow& row)
    {
        const QList<QWidget*> matches = m_window->findChildren<QWidget*>(row.name);
        if (matches.size() != 1) {
            m_differences << u"%1: %2 controls of that name"_s.arg(row.name).arg(matches.size());
            return;
        }
        QWidget* widget = matches.first();
        differ(row, u"kind"_s, QString::fromLatin1(widget->metaObject()->className()), classOfKind(row.kind));
        if (auto* menu = qobject_cast<QMenu*>(widget)) {
            if (!m_mainWindow || !m_mainWindow->menuBar()->actions().contains(menu->menuAction()))
                m_differences << row.name + u": not on the menu bar"_s;
            differ(row, u"caption"_s, menu->title(), *row.caption);
            return;
        }
        QWidget* parent = widget->parentWidget();
        const bool onClient = m_mainWindow && parent == m_mainWindow->centralWidget();
        differ(row, u"container"_s, onClient ? m_mainWindow->objectName() : parent->objectName(), row.container);
        differ(row, u"position"_s, describe(widget->geometry()), describe(*row.pixels));
        if (row.caption)
            differ(row, u"caption"_s, shownText(widget), *row.caption);
        if (const auto items = shownItems(widget); row.items && (items || !row.items->isEmpty()))
            differ(row, u"items"_s, items ? items->join(u"\", \""_s) : u"(not a list)"_s, row.items->join(u"\", \""_s));
        differ(row, u"tool tip"_s, widget->toolTip(), row.toolTip);
        differ(row, u"enabled"_s, widget->isEnabled() ? u"yes"_s : u"no"_s, row.enabled ? u"yes"_s : u"no"_s);
        differ(row, u"visible"_s, widget->isHidden() ? u"no"_s : u"yes"_s, row.visible ? u"yes"_s : u"no"_s);
        if (row.font)
            differ(row, u"font"_s, describe(widget->font()), describe(*row.font));
        const bool focusable = widget->focusPolicy() & Qt::TabFocus;
        if (focusable != takesFocus(row.kind))
            m_differences << row.name + (focusable ? u": takes the focus"_s : u": takes no focus"_s);
        if (focusable && row.tab)
            m_tabStops.append({*row.tab, widget});
    }

    void checkNothingElseIsNamed()
    {
        // The main window's client area and menu bar hold the controls; the window's own line describes them.
        const QList<QObject*> frame{m_mainWindow ? m_mainWindow->centralWidget() : nullptr,
                                    m_mainWindow ? m_mainWindow->menuBar() : nullptr};
        for (QObject* child : m_window->findChildren<QObject*>()) {
            if (frame.contains(child))
                continue;
            const QString name = child->objectName();
            const bool control = child->isWidgetType() || qobject_cast<QAction*>(child);
            if (control && !name.isEmpty() && !name.startsWith(u"qt_") && !m_named.contains(name))
                m_differences << name + u": not in the table"_s;
        }
    }

    // The focus walks the controls that take it in the table's order, and through nothing else.
    void checkTabOrder()
    {
        std::stable_sort(m_tabStops.begin(), m_tabStops.end(),
                         [](const auto& left, const auto& right) { return left.first < right.first; });
        QStringList wanted, walked;
        QWidget* stop = m_tabStops.isEmpty() ? nullptr : m_tabStops.first().second;
        for (const auto& [tab, widget] : m_tabStops) {
            wanted << widget->objectName();
            walked << (stop->objectName().isEmpty()
                           ? u"(unnamed "_s + QLatin1String(stop->metaObject()->className()) + u')'
                           : stop->objectName());
            do
                stop = stop->nextInFocusChain();
            while (!(stop->focusPolicy() & Qt::TabFocus));
        }
        if (walked != wanted)
            m_differences << u"tab order is "_s + walked.join(u", "_s) + u"; the table says "_s + wanted.join(u", "_s);
    }

    QWidget* m_window;
    QMainWindow* m_mainWindow;
    QStringList m_differences;
    QSet<QString> m_named;
    QList<std::pair<int, QWidget*>> m_tabStops;
};

QList<SurfaceRow> rowsOf(const QList<SurfaceRow>& rows, const QString& window)
{
    QList<SurfaceRow> of;
    std::copy_if(rows.begin(), rows.end(), std::back_inserter(of),
                 [&](const SurfaceRow& row) { return row.window == window; });
    return of;
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
    QList<SurfaceRow> m_rows = readSurface(QStringLiteral(ORVANE_WINDOW_SURFACE));
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
    const QStringList differences = SurfaceComparison(m_window.get()).compare(rowsOf(m_rows, u"Form1"_s));
    QVERIFY2(differences.isEmpty(), qPrintable(differences.join(u'\n')));
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
        const QStringList differences = SurfaceComparison(about).compare(rowsOf(m_rows, u"FrmAbouttov"_s));
        QVERIFY2(differences.isEmpty(), qPrintable(differences.join(u'\n')));
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
