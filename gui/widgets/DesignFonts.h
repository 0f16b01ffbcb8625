// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QFont>

class QWidget;

namespace Orvane
{

// The six font styles of the windows.
enum class FontStyle
{
    Normal,    // "Tahoma" 7.8 point
    Small,     // "Tahoma" 7.2 point
    Bold,      // "Tahoma" 7.8 point bold
    LargeBold, // "Tahoma" 10.2 point bold
    Fixed,     // "Courier" 9.6 point, kept fixed-pitch so the lists keep their columns
    Tiny,      // "Tahoma" 6 point
};

QFont designFont(FontStyle style);

// Gives each control of a form the font its "designFont" property names ("Normal", "Small", "Bold", "LargeBold",
// "Fixed" or "Tiny"): a form file holds only whole point sizes, and the windows' fonts have fractions.
void applyDesignFonts(QWidget* form);

} // namespace Orvane
