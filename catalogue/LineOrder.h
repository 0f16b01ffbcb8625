// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>

namespace Orvane
{

// The order of Orvane's sorted lists and folder listings: the whole text compared without regard to letter
// case, ties broken by the case-sensitive comparison, so a.rom, B.ROM and c.rom come in that order.
bool lineLess(const QString& left, const QString& right);

void sortLines(QStringList& lines);

} // namespace Orvane
