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

bool FileListBox::setFolder(const QString& folder)
{
    m_folder = folder;
    return refresh();
}

bool FileListBox::setPattern(const QString& pattern)
{
    m_pattern = pattern;
    return refresh();
}

bool FileListBox::setFolderAndPattern(const QString& folder, const QString& pattern)
{
    m_folder = folder;
    m_pattern = pattern;
    return refresh();
}

bool FileListBox::refresh()
{
    if (m_folder.isEmpty()) {
        m_model->setStringList({});
        m_error.clear();
        return true;
    }
    FolderListing listing = listFiles(m_folder, m_pattern);
    m_model->setStringList(listing.names);
    m_error = listing.error;
    return listing.ok;
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
