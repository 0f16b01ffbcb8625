// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "gui/widgets/SortedListBox.h"

#include "catalogue/LineOrder.h"
#include "gui/widgets/LaterRelease.h"

#include <QApplication>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QTextDocument>
#include <QToolTip>

#include <algorithm>

namespace Orvane
{

QString lineTipText(const QString& text)
{
    // Names and descriptions come from files: shown as they are, each line of the tip a line on the screen. Plain
    // text is never wrapped; a text Qt would take for markup goes as markup that shows it, unwrapped all the same.
    if (!Qt::mightBeRichText(text))
        return text;
    return u"<p style='white-space:pre'>" + text.toHtmlEscaped().replace(QStringLiteral("\n"), QStringLiteral("<br>")) +
           u"</p>";
}

int SortedLinesModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid())
        return 0;
    return static_cast<int>(m_viewing ? m_view.size() : m_lines.size());
}

QVariant SortedLinesModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    if (role == Qt::DisplayRole)
        return line(index.row());
    if (role == Qt::ToolTipRole && m_lineTip)
        return lineTipText(m_lineTip(line(index.row())));
    return {};
}

QStringList SortedLinesModel::lines() const
{
    return m_viewing ? m_view.toStringList() : m_lines;
}

QString SortedLinesModel::line(int row) const
{
    if (row < 0 || row >= rowCount())
        return {};
    return m_viewing ? m_view.at(row) : m_lines.at(row);
}

QStringView SortedLinesModel::lineView(int row) const
{
    if (row < 0 || row >= rowCount())
        return {};
    return m_viewing ? m_view.view(row) : QStringView(m_lines.at(row));
}

void SortedLinesModel::ownLines()
{
    if (!m_viewing)
        return;
    m_lines = m_view.toStringList();
    m_view = LineList();
    m_viewing = false;
}

void SortedLinesModel::setLines(QStringList lines)
{
    sortLines(lines);
    setSortedLines(std::move(lines));
}

void SortedLinesModel::setSortedLines(QStringList lines)
{
    Q_ASSERT(std::is_sorted(lines.cbegin(), lines.cend(), lineLess));
    beginResetModel();
    releaseLater(this, std::exchange(m_lines, std::move(lines)));
    releaseLater(this, std::exchange(m_view, LineList()));
    m_viewing = false;
    endResetModel();
}

void SortedLinesModel::setSortedLines(LineList lines)
{
    beginResetModel();
    releaseLater(this, std::exchange(m_lines, QStringList()));
    releaseLater(this, std::exchange(m_view, std::move(lines)));
    m_viewing = true;
    endResetModel();
}

int SortedLinesModel::addLine(const QString& line)
{
    ownLines();
    // After equal lines, as a sorted list box places a line that is already there.
    const auto position = std::upper_bound(m_lines.cbegin(), m_lines.cend(), line, lineLess);
    const int row = static_cast<int>(position - m_lines.cbegin());
    beginInsertRows({}, row, row);
    m_lines.insert(row, line);
    endInsertRows();
    return row;
}

void SortedLinesModel::removeLine(int row)
{
    ownLines();
    if (row < 0 || row >= m_lines.size())
        return;
    beginRemoveRows({}, row, row);
    m_lines.removeAt(row);
    endRemoveRows();
}

SortedListBox::SortedListBox(QWidget* parent) : QListView(parent), m_model(new SortedLinesModel(this))
{
    setModel(m_model);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Every line has the same height, so the view never measures the lines one by one.
    setUniformItemSizes(true);
    // Lines are placed a thousand at a time between events: the first screenful shows at once, and 45,000 lines
    // no longer hold up the window's first paint while they are all placed.
    setLayoutMode(QListView::Batched);
    setBatchSize(1000);
    // The lines are cut at the right edge: what lies past the list's width (the launch field) stays out of view.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTextElideMode(Qt::ElideNone);
    setWordWrap(false);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, &SortedListBox::noteSelection);
    // Emptying or refilling the list drops the selection without a Click.
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] { m_lastSelected = -1; });
    connect(m_model, &QAbstractItemModel::rowsRemoved, this, [this] { m_lastSelected = selectedIndex(); });
    connect(m_model, &QAbstractItemModel::rowsInserted, this, [this] { m_lastSelected = selectedIndex(); });
}

void SortedListBox::setLineTip(std::function<QString(const QString& line)> lineTip)
{
    m_model->setLineTip(std::move(lineTip));
}

int SortedListBox::count() const
{
    return m_model->rowCount();
}

QString SortedListBox::line(int row) const
{
    return m_model->line(row);
}

QStringList SortedListBox::lines() const
{
    return m_model->lines();
}

void SortedListBox::setLines(QStringList lines)
{
    m_model->setLines(std::move(lines));
}

void SortedListBox::setSortedLines(QStringList lines)
{
    m_model->setSortedLines(std::move(lines));
}

void SortedListBox::setSortedLines(LineList lines)
{
    m_model->setSortedLines(std::move(lines));
}

void SortedListBox::addLine(const QString& line)
{
    m_model->addLine(line);
}

void SortedListBox::removeLine(int row)
{
    m_model->removeLine(row);
}

void SortedListBox::clear()
{
    m_model->setLines({});
}

int SortedListBox::selectedIndex() const
{
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.first().row();
}

bool SortedListBox::setSelectedIndex(int row)
{
    if (row < -1 || row >= count())
        return false;
    if (row == -1) {
        selectionModel()->clearSelection();
        return true;
    }
    const QModelIndex index = m_model->index(row);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    // Scrolling lays out every row first; a list not yet shown is laid out when it shows, at its top.
    if (isVisible())
        scrollTo(index);
    return true;
}

void SortedListBox::noteSelection()
{
    const int row = selectedIndex();
    if (row == m_lastSelected)
        return;
    m_lastSelected = row;
    emit selectedIndexChanged(row);
}

QItemSelectionModel::SelectionFlags SortedListBox::selectionCommand(const QModelIndex& index, const QEvent* event) const
{
    // The selection only ever moves onto a line: Ctrl + click (or Ctrl + Space) on the selected line would clear
    // it, and the next Play would start the emulator on nothing.
    // And only the left button moves it, dragging included.
    if (event && (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseMove)) {
        const auto* mouse = static_cast<const QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton && !(mouse->buttons() & Qt::LeftButton))
            return QItemSelectionModel::NoUpdate;
    }
    const QItemSelectionModel::SelectionFlags command = QListView::selectionCommand(index, event);
    if (command & (QItemSelectionModel::Deselect | QItemSelectionModel::Toggle))
        return QItemSelectionModel::NoUpdate;
    return command;
}

void SortedListBox::mousePressEvent(QMouseEvent* event)
{
    // Only a left press moves the selection; a right press acts on the line already selected, wherever the
    // pointer is, and the other buttons leave it alone.
    if (event->button() == Qt::LeftButton)
        QListView::mousePressEvent(event);
    emit mouseDown(event->button(), event->modifiers(), event->position().toPoint());
}

void SortedListBox::keyboardSearch(const QString& search)
{
    // What was typed adds up, as the list's own search adds it up, while the keys come quickly one after another.
    const bool fresh = !m_typing.isValid() || m_typing.elapsed() > QApplication::keyboardInputInterval();
    m_typed = fresh ? search : m_typed + search;
    m_typing.start();
    QListView::keyboardSearch(search);
    const int rows = count();
    if (!m_searchKey || m_typed.isEmpty())
        return;
    for (int row = 0; row < rows; ++row) {
        if (m_model->lineView(row).startsWith(m_typed, Qt::CaseInsensitive))
            return;
    }
    for (int row = 0; row < rows; ++row) {
        const QString line = m_model->line(row);
        if (m_searchKey(line).startsWith(m_typed, Qt::CaseInsensitive)) {
            setSelectedIndex(row);
            return;
        }
    }
}

bool SortedListBox::viewportEvent(QEvent* event)
{
    const bool handled = QListView::viewportEvent(event);
    if (event->type() == QEvent::ToolTip) {
        const QModelIndex index = indexAt(static_cast<QHelpEvent*>(event)->pos());
        if (index.isValid())
            emit lineTipShown(index.row(), static_cast<QHelpEvent*>(event)->globalPos());
    }
    return handled;
}

void SortedListBox::showLineTip(int row, QPoint globalPosition)
{
    const QModelIndex index = m_model->index(row);
    if (!index.isValid())
        return;
    QToolTip::showText(globalPosition, m_model->data(index, Qt::ToolTipRole).toString(), viewport(), visualRect(index));
}

void SortedListBox::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    QListView::mouseDoubleClickEvent(event);
    emit doubleClick();
}

} // namespace Orvane
