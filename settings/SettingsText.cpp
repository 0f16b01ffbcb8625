// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "settings/SettingsText.h"

#include <cmath>
#include <limits>

namespace Orvane
{

std::optional<bool> textToTruth(QStringView text)
{
    const QStringView trimmed = text.trimmed();
    if (trimmed.compare(u"True", Qt::CaseInsensitive) == 0)
        return true;
    if (trimmed.compare(u"False", Qt::CaseInsensitive) == 0)
        return false;
    // Only a text that is a number as a whole counts as one here.
    bool isNumber = false;
    const double number = trimmed.toDouble(&isNumber);
    if (!isNumber || !std::isfinite(number))
        return std::nullopt;
    return number != 0.0;
}

double leadingNumber(QStringView text)
{
    qsizetype index = 0;
    while (index < text.size() && (text[index] == u' ' || text[index] == u'\t'))
        ++index;
    const qsizetype start = index;
    if (index < text.size() && (text[index] == u'+' || text[index] == u'-'))
        ++index;
    const auto digitsFrom = [&](qsizetype position) {
        while (position < text.size() && text[position] >= u'0' && text[position] <= u'9')
            ++position;
        return position;
    };
    const qsizetype integerEnd = digitsFrom(index);
    qsizetype end = integerEnd;
    bool anyDigit = integerEnd > index;
    if (end < text.size() && text[end] == u'.') {
        const qsizetype fractionEnd = digitsFrom(end + 1);
        anyDigit = anyDigit || fractionEnd > end + 1;
        end = fractionEnd;
    }
    if (!anyDigit)
        return 0.0;
    if (end < text.size() && (text[end] == u'e' || text[end] == u'E')) {
        qsizetype exponent = end + 1;
        if (exponent < text.size() && (text[exponent] == u'+' || text[exponent] == u'-'))
            ++exponent;
        const qsizetype exponentEnd = digitsFrom(exponent);
        if (exponentEnd > exponent)
            end = exponentEnd;
    }
    return text.mid(start, end - start).toDouble();
}

template <typename Integer> static std::optional<Integer> roundedInto(double value)
{
    // Halves go to the even neighbour (the default rounding mode of std::nearbyint).
    const double rounded = std::nearbyint(value);
    if (!std::isfinite(rounded) || rounded < std::numeric_limits<Integer>::min() ||
        rounded > std::numeric_limits<Integer>::max())
        return std::nullopt;
    return static_cast<Integer>(rounded);
}

std::optional<qint16> textToInt16(QStringView text)
{
    return roundedInto<qint16>(leadingNumber(text));
}

std::optional<qint32> textToInt32(QStringView text)
{
    return roundedInto<qint32>(leadingNumber(text));
}

QString truthToText(bool value)
{
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

QString numberToText(int number)
{
    return QString::number(number);
}

} // namespace Orvane
