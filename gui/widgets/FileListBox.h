// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include "core/Result.h"

#include <QListView>
#include <QStringListModel>

namespace Orvane
{

// A file list box: the plain, non-hidden files of one folder that match one pattern, in name order. Setting the
// folder or the pattern re-reads the folder, as does refresh().
class FileListBox final : public QListView
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FileListBox)

public:
    explicit FileListBox(QWidget* parent = nullptr);

    QString folder() const { return m_folder; }
    QString pattern() const { return m_pattern; }
    // Each gives the reason, naming the folder, when it cannot be read; the list is then empty.
    Result<void> setFolderAndPattern(const QString& folder, const QString& pattern);
    Result<void> refresh();

    int count() const;
    QString fileName(int index) const;

signals:
    void mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint position);

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    QStringListModel* m_model;
    QString m_folder;
    QString m_pattern = QStringLiteral("*.*");
};

} // namespace Orvane
