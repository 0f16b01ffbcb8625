// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringView>

#include <optional>

namespace Orvane
{

// Every stored value is text. These read it back the way it has always been read, so that settings written by
// hand or by older versions keep working; a value the control cannot take reads as nothing (std::nullopt).

// "True" or "False" in any letter case, or a number: zero is false, any other number true.
std::optional<bool> textToTruth(QStringView text);

// The number at the start of the text: blanks before it are skipped, anything after it is ignored, and a text
// that does not start with a number reads as 0.
double leadingNumber(QStringView text);

// The leading number rounded to the nearest whole number, halves to the even neighbour, if it fits.
std::optional<qint16> textToInt16(QStringView text);
std::optional<qint32> textToInt32(QStringView text);

// The text forms that the option controls write.
QString truthToText(bool value);  // "True" or "False"
QString numberToText(int number); // plain decimal, a minus sign for negatives

} // namespace Orvane
