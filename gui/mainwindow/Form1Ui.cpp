// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "gui/mainwindow/Form1Ui.h"
#include "gui/mainwindow/ListMode.h"

#include "gui/widgets/DesignFonts.h"
#include "gui/widgets/WindowIcon.h"
#include "settings/SettingsText.h"

namespace Orvane
{

void Form1Ui::setupUi(QMainWindow* window)
{
    Ui_Form1::setupUi(window);
    applyDesignFonts(window);
    window->setWindowIcon(makeWindowIcon());

    // Until the first fill, both lists show a column ruler and a placeholder word.
    const QStringList designTimeLines{
        QStringLiteral("123456789012345678901234567890123456789012345678901234567890"),
        QStringLiteral("games"),
    };
    EmulatedSystemList->setLines(designTimeLines);
    GamesList->setLines(designTimeLines);
    GamesList->setTag(listModeTag(ListMode::Full));

    // The separator is drawn in the grey of disabled text.
    QPalette linePalette = Line1->palette();
    linePalette.setColor(QPalette::WindowText, linePalette.color(QPalette::Disabled, QPalette::WindowText));
    Line1->setPalette(linePalette);
}

QString frameskipCaption(int position)
{
    return u"Frameskip: " + numberToText(position);
}

} // namespace Orvane
