// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "DesignFonts.h"

#include <QtMath>

namespace Orvane
{

static QFont sansFont(qreal pointSize, bool bold)
{
    QFont font(QStringLiteral("Tahoma"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

QFont designFont(FontStyle style)
{
    switch (style) {
    case FontStyle::Normal:
        return sansFont(7.8, false);
    case FontStyle::Small:
        return sansFont(7.2, false);
    case FontStyle::Bold:
        return sansFont(7.8, true);
    case FontStyle::LargeBold:
        return sansFont(10.2, true);
    case FontStyle::Tiny:
        return sansFont(6.0, false);
    case FontStyle::Fixed:
        break;
    }
    QFont font(QStringLiteral("Courier"));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPointSizeF(9.6);
    return font;
}

int twipsToPixels(int twips)
{
    return qRound(twips / 15.0);
}

QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height));
}

} // namespace Orvane
