// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "gui/about/FrmAbouttov.h"

#include "gui/about/AboutInfo.h"
#include "gui/about/DocumentOpener.h"
#include "gui/widgets/DesignFonts.h"

#include <QIcon>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QToolButton>

#include "HomePageIcon.xpm"

namespace Orvane
{

namespace
{

template <typename Widget> Widget* place(Widget* widget, const char* name, QRect geometry, FontStyle font)
{
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(geometry);
    widget->setFont(designFont(font));
    return widget;
}

QLabel* centredLabel(QLabel* label)
{
    label->setAlignment(Qt::AlignCenter);
    label->setTextFormat(Qt::PlainText);
    return label;
}

} // namespace

FrmAbouttov::FrmAbouttov(const ApplicationDescription& application, DocumentOpener& opener, QWidget* owner)
    : QDialog(owner), m_application(application), m_opener(opener)
{
    setObjectName(QStringLiteral("FrmAbouttov"));
    setWindowTitle(QStringLiteral("About..."));
    // A fixed dialog frame: no minimise or maximise box, no resizing, no icon of its own.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setWindowIcon(QIcon());
    setFixedSize(twipsToPixels(3012), twipsToPixels(2412));
    setModal(true);

    m_command3 = place(new QToolButton(this), "Command3", twipsRect(720, 120, 1572, 732), FontStyle::Normal);
    m_command3->setText(QStringLiteral("rizoded homepage"));
    QIcon picture;
    picture.addPixmap(QPixmap(homePageIcon32Xpm));
    picture.addPixmap(QPixmap(homePageIcon48Xpm));
    m_command3->setIcon(picture);
    m_command3->setIconSize(QSize(32, 32));
    m_command3->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    m_command3->setFocusPolicy(Qt::StrongFocus);
    m_command1 = place(new QPushButton(QStringLiteral("Ok"), this), "Command1", twipsRect(2040, 1920, 852, 372),
                       FontStyle::LargeBold);
    m_label1 = centredLabel(
        place(new QLabel(QStringLiteral("Label1"), this), "Label1", twipsRect(120, 1320, 2772, 252), FontStyle::Bold));
    m_label2 = centredLabel(place(new QLabel(QStringLiteral("Copyright 2026 the Orvane developers"), this), "Label2",
                                  twipsRect(120, 1560, 2772, 252), FontStyle::Bold));
    m_command2 = place(new QPushButton(QStringLiteral("Doc"), this), "Command2", twipsRect(120, 1920, 852, 372),
                       FontStyle::LargeBold);
    m_command4 = place(new QPushButton(QStringLiteral("Send e-mail"), this), "Command4", twipsRect(720, 960, 1572, 252),
                       FontStyle::Normal);

    QWidget::setTabOrder(m_command3, m_command1);
    QWidget::setTabOrder(m_command1, m_command2);
    QWidget::setTabOrder(m_command2, m_command4);
    // Enter means Ok; Escape closes the window as a dialog's does.
    m_command1->setDefault(true);
    m_command3->setFocus();

    // Centred on its owner by the program itself: Qt's own placement guesses at frame sizes where there is no
    // window manager to ask.
    if (owner) {
        const QPoint centre = owner->frameGeometry().center();
        move(centre.x() - width() / 2, centre.y() - height() / 2);
    }

    connect(m_command1, &QPushButton::clicked, this, &FrmAbouttov::Command1_Click);
    connect(m_command2, &QPushButton::clicked, this, &FrmAbouttov::Command2_Click);
    connect(m_command3, &QToolButton::clicked, this, &FrmAbouttov::Command3_Click);
    connect(m_command4, &QPushButton::clicked, this, &FrmAbouttov::Command4_Click);
    Form_Load();
}

void FrmAbouttov::Form_Load()
{
    m_label1->setText(
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
