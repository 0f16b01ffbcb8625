// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "LineOrder.h"

#include <algorithm>

namespace Orvane
{

bool lineLess(const QString& left, const QString& right)
{
    const int folded = left.compare(right, Qt::CaseInsensitive);
    if (folded != 0)
        return folded < 0;
    return left.compare(right, Qt::CaseSensitive) < 0;
}

void sortLines(QStringList& lines)
{
    std::stable_sort(lines.begin(), lines.end(), lineLess);
}

} // namespace Orvane
