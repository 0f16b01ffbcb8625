// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include "catalogue/LineOrder.h"

#include <QAbstractListModel>
#include <QElapsedTimer>
#include <QListView>
#include <QStringList>

#include <functional>

namespace Orvane
{

// A line's tip as the tool tip shows it: each of its lines on a line of its own, never wrapped, never read as markup.
QString lineTipText(const QString& text);

// The lines of a sorted list box, kept in lineLess order. A whole list is sorted once and set in one step, so
// tens of thousands of lines never go through one sorted insertion each.
class SortedLinesModel final : public QAbstractListModel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SortedLinesModel)

public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // Every line; a list of spans is made into strings for it.
    QStringList lines() const;
    QString line(int row) const;
    // The row's text without making a string of it; valid until the lines change.
    QStringView lineView(int row) const;
    void setLines(QStringList lines);
    // Lines that sortLines has already put in order, as lists prepared on another thread are.
    void setSortedLines(QStringList lines);
    // Sorted lines held as spans of one text: each row's string is made when it is drawn or asked for.
    void setSortedLines(LineList lines);
    int addLine(const QString& line); // returns the row it took
    void removeLine(int row);

    // What hovering a line shows, as plain text; none without it.
    void setLineTip(std::function<QString(const QString& line)> lineTip) { m_lineTip = std::move(lineTip); }

private:
    // A list to change is first made of strings.
    void ownLines();

    QStringList m_lines;
    LineList m_view; // what the rows show while m_viewing
    bool m_viewing = false;
    std::function<QString(const QString&)> m_lineTip;
};

// A single-selection list box whose lines are always in alphabetical order, with a tag text. Its selection
// changes (by the user or by code) are the list's Click; presses and double-clicks are reported as the window's
// handlers need them: a left press selects first, a right press leaves the selection alone.
class SortedListBox final : public QListView
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SortedListBox)

public:
    explicit SortedListBox(QWidget* parent = nullptr);

    int count() const;
    QString line(int row) const;
    QStringList lines() const;
    void setLines(QStringList lines);
    void setSortedLines(QStringList lines);
    void setSortedLines(LineList lines);
    void addLine(const QString& line);
    void removeLine(int row);
    void clear();
    // The tool tip of each line, worked out from the line when it is hovered; the list itself keeps none.
    void setLineTip(std::function<QString(const QString& line)> lineTip);
    // Shows the line's tip again, as it is worked out now (lineTipShown said where).
    void showLineTip(int row, QPoint globalPosition);
    // Typing selects the first line that starts with what was typed; where none does, the first whose `key` does.
    void setSearchKey(std::function<QString(const QString& line)> key) { m_searchKey = std::move(key); }
    void keyboardSearch(const QString& search) override;

    // -1 when nothing is selected.
    int selectedIndex() const;
    // Selects `row` (or nothing for -1); returns false when the list has no such row.
    bool setSelectedIndex(int row);

    QString tag() const { return m_tag; }
    void setTag(const QString& tag) { m_tag = tag; }

signals:
    void selectedIndexChanged(int row);
    void mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint position);
    void doubleClick();
    // A line's tip was asked for by hovering it.
    void lineTipShown(int row, QPoint globalPosition);

protected:
    bool viewportEvent(QEvent* event) override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event = nullptr) const override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void noteSelection();

    SortedLinesModel* m_model;
    QString m_tag;
    int m_lastSelected = -1;
    std::function<QString(const QString&)> m_searchKey;
    QString m_typed;
    QElapsedTimer m_typing;
};

} // namespace Orvane
