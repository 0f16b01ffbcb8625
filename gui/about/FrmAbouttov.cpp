// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "gui/about/FrmAbouttov.h"

#include "gui/about/AboutInfo.h"
#include "gui/about/DocumentOpener.h"
#include "gui/widgets/DesignFonts.h"

#include <QIcon>
#include <QPixmap>

#include "HomePageIcon.xpm"

namespace Orvane
{

FrmAbouttov::FrmAbouttov(const ApplicationDescription& application, DocumentOpener& opener, QWidget* owner)
    : QDialog(owner), m_application(application), m_opener(opener)
{
    ui.setupUi(this);
    applyDesignFonts(this);
    // A fixed dialog frame: no minimise or maximise box, no resizing, no icon of its own.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setWindowIcon(QIcon());
    QIcon picture;
    picture.addPixmap(QPixmap(homePageIcon32Xpm));
    picture.addPixmap(QPixmap(homePageIcon48Xpm));
    ui.Command3->setIcon(picture);
    ui.Command3->setFocus();

    // Centred on its owner by the program itself: Qt's own placement guesses at frame sizes where there is no
    // window manager to ask.
    if (owner) {
        const QPoint centre = owner->frameGeometry().center();
        move(centre.x() - width() / 2, centre.y() - height() / 2);
    }

    connect(ui.Command1, &QPushButton::clicked, this, &FrmAbouttov::Command1_Click);
    connect(ui.Command2, &QPushButton::clicked, this, &FrmAbouttov::Command2_Click);
    connect(ui.Command3, &QToolButton::clicked, this, &FrmAbouttov::Command3_Click);
    connect(ui.Command4, &QPushButton::clicked, this, &FrmAbouttov::Command4_Click);
    Form_Load();
}

void FrmAbouttov::Form_Load()
{
    ui.Label1->setText(
        versionLine(m_application.title, m_application.major, m_application.minor, m_application.revision));
}

void FrmAbouttov::Command1_Click()
{
    accept();
}

void FrmAbouttov::Command2_Click()
{
    openAndClose(helpPagePath(m_application.folder, m_application.title));
}

void FrmAbouttov::Command3_Click()
{
    openAndClose(QLatin1String(homePageAddress));
}

void FrmAbouttov::Command4_Click()
{
    openAndClose(mailLink(m_application.title));
}

void FrmAbouttov::openAndClose(const QString& target)
{
    // Whether the desktop could open it or not, nothing is reported and the window closes.
    m_opener.open(target, this);
    accept();
}

} // namespace Orvane
