// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "gui/widgets/FileListBox.h"

#include "catalogue/FolderListing.h"

#include <QMouseEvent>

namespace Orvane
{

FileListBox::FileListBox(QWidget* parent) : QListView(parent), m_model(new QStringListModel(this))
{
    setModel(m_model);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformItemSizes(true);
}

Result<void> FileListBox::setFolderAndPattern(const QString& folder, const QString& pattern)
{
    m_folder = folder;
    m_pattern = pattern;
    return refresh();
}

Result<void> FileListBox::refresh()
{
    const Result<QStringList> listed = m_folder.isEmpty() ? QStringList() : listFiles(m_folder, m_pattern);
    m_model->setStringList(listed ? listed.value() : QStringList());
    if (!listed)
        return Failure(listed.error());
    return {};
}

int FileListBox::count() const
{
    return m_model->rowCount();
}

QString FileListBox::fileName(int index) const
{
    return m_model->data(m_model->index(index)).toString();
}

void FileListBox::mousePressEvent(QMouseEvent* event)
{
    QListView::mousePressEvent(event);
    emit mouseDown(event->button(), event->modifiers(), event->position().toPoint());
}

} // namespace Orvane
