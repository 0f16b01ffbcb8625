// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QFont>
#include <QRect>

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

// Windows are laid out in twips; 15 twips are one device-independent pixel (96 dots per inch).
int twipsToPixels(int twips);
QRect twipsRect(int left, int top, int width, int height);

} // namespace Orvane
