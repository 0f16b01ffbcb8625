// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include "ui_FrmAbouttov.h"

#include <QDialog>

namespace Orvane
{

class DocumentOpener;

// What the About window shows of the program: its title, version and folder.
struct ApplicationDescription
{
    QString title;
    int major = 0;
    int minor = 0;
    int revision = 0;
    QString folder;
};

// The About window: the program's title and version, a copyright line, and buttons that close it or hand the
// help page, the home page or a mail link to the desktop and then close it, whatever the desktop did.
class FrmAbouttov final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FrmAbouttov)

public:
    FrmAbouttov(const ApplicationDescription& application, DocumentOpener& opener, QWidget* owner);

    void Form_Load();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();

private:
    void openAndClose(const QString& target);

    ApplicationDescription m_application;
    DocumentOpener& m_opener;
    Ui_FrmAbouttov ui;
};

} // namespace Orvane
