// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include "ui_Form1.h"

class QMainWindow;
class QString;

namespace Orvane
{

// The controls of the main window, as its form (Form1.ui) places them, each named as its objectName. Controls
// without a role keep numbered names. The forms hold the windows' twips divided by 15 (one pixel at 96 dots per
// inch), rounded.
struct Form1Ui : Ui_Form1
{
    // Builds every control in its design-time state on `window`, whose client area the form fixes: the form, then
    // what a form file cannot hold (the fonts' fractional sizes, the icon, the lists' first lines).
    void setupUi(QMainWindow* window);
};

// The caption of FrameskipLabel for a slider position.
QString frameskipCaption(int position);

} // namespace Orvane
