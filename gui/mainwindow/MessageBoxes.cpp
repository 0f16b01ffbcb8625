// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "gui/mainwindow/MessageBoxes.h"

#include "ApplicationInfo.h"

#include <QMessageBox>

namespace Orvane
{

static QMessageBox::StandardButton ask(QWidget* owner, const QString& text, QMessageBox::StandardButtons buttons)
{
    QMessageBox box(QMessageBox::NoIcon, QString::fromLatin1(ApplicationInfo::title), text, buttons, owner);
    // File names may hold anything; they are shown as they are.
    box.setTextFormat(Qt::PlainText);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

void DesktopMessageBoxes::inform(QWidget* owner, const QString& text)
{
    ask(owner, text, QMessageBox::Ok);
}

bool DesktopMessageBoxes::confirm(QWidget* owner, const QString& text)
{
    return ask(owner, text, QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
}

} // namespace Orvane
