// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "LineOrder.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace Orvane
{

// The length of the part both texts share exactly, found four UTF-16 units at a time: descriptions of one
// maker's systems share long beginnings.
static qsizetype sharedBeginning(QStringView left, QStringView right)
{
    const qsizetype common = std::min(left.size(), right.size());
    qsizetype index = 0;
    for (; index + 4 <= common; index += 4) {
        std::uint64_t a;
        std::uint64_t b;
        std::memcpy(&a, left.utf16() + index, sizeof a);
        std::memcpy(&b, right.utf16() + index, sizeof b);
        if (a != b)
            break;
    }
    while (index < common && left[index] == right[index])
        ++index;
    return index;
}

// Qt's comparison without regard to case, with a fast path for the ASCII text that nearly every name and
// description is: where both sides hold ASCII, letters are folded here; from the first other character on, Qt
// compares the rest, so the order is exactly Qt's.
static int compareIgnoringCase(QStringView left, QStringView right)
{
    const qsizetype common = std::min(left.size(), right.size());
    for (qsizetype index = sharedBeginning(left, right); index < common; ++index) {
        char16_t a = left[index].unicode();
        char16_t b = right[index].unicode();
        if (a >= 128 || b >= 128) {
            // Qt folds whole characters: start at the high half of a surrogate pair when the low halves differ.
            if (index > 0 && left[index - 1].isHighSurrogate())
                --index;
            return left.mid(index).compare(right.mid(index), Qt::CaseInsensitive);
        }
        if (a >= u'A' && a <= u'Z')
            a += u'a' - u'A';
        if (b >= u'A' && b <= u'Z')
            b += u'a' - u'A';
        if (a != b)
            return a < b ? -1 : 1;
    }
    return left.size() == right.size() ? 0 : (left.size() < right.size() ? -1 : 1);
}

bool lineLess(const QString& left, const QString& right)
{
    const int folded = compareIgnoringCase(left, right);
    if (folded != 0)
        return folded < 0;
    return left.compare(right, Qt::CaseSensitive) < 0;
}

void sortLines(QStringList& lines)
{
    // Lists often arrive in order already (a folder listing turned into image lines): checking costs one pass.
    // Only identical texts compare equal, so the faster unstable sort gives the same list.
    if (!std::is_sorted(lines.cbegin(), lines.cend(), lineLess))
        std::sort(lines.begin(), lines.end(), lineLess);
}

} // namespace Orvane
