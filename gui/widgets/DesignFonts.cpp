// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "gui/widgets/DesignFonts.h"

#include <QHash>
#include <QStringList>
#include <QVariant>
#include <QWidget>

namespace Orvane
{

// Where the design's fonts are missing, fonts of the same widths come first, so that captions still fit their
// controls; the platform's own sans serif and fixed-pitch fonts come last.
static QFont sansFont(qreal pointSize, bool bold)
{
    QFont font;
    font.setFamilies(QStringList{QStringLiteral("Tahoma"), QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
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
    QFont font;
    font.setFamilies(
        QStringList{QStringLiteral("Courier"), QStringLiteral("Courier New"), QStringLiteral("Liberation Mono")});
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPointSizeF(9.6);
    return font;
}

void applyDesignFonts(QWidget* form)
{
    static const QHash<QString, FontStyle> styles{
        {QStringLiteral("Normal"), FontStyle::Normal}, {QStringLiteral("Small"), FontStyle::Small},
        {QStringLiteral("Bold"), FontStyle::Bold},     {QStringLiteral("LargeBold"), FontStyle::LargeBold},
        {QStringLiteral("Fixed"), FontStyle::Fixed},   {QStringLiteral("Tiny"), FontStyle::Tiny},
    };
    for (QWidget* control : form->findChildren<QWidget*>()) {
        const QVariant style = control->property("designFont");
        if (style.isValid())
            control->setFont(designFont(styles.value(style.toString(), FontStyle::Normal)));
    }
}

} // namespace Orvane
