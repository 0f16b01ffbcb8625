// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "LineOrder.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <vector>

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

namespace
{

// The first sixteen UTF-16 units of a line, folded as compareIgnoringCase folds ASCII, one byte each, as two
// big-endian numbers, so that most comparisons in a sort are two integer comparisons. `exact` counts the leading
// units the key holds faithfully: ASCII units, and the zero padding past the end of a short line (a shorter line
// whose units all match comes first, as zero does). Where two keys differ before either stops being exact, they
// order the lines; anywhere else the lines themselves are compared.
struct SortKey
{
    std::uint64_t high = 0;
    std::uint64_t low = 0;
    std::int32_t exact = 0;
    std::int32_t row = 0;
};

constexpr int keyUnits = 16;

SortKey keyOf(const QString& line, qsizetype row)
{
    SortKey key;
    key.row = static_cast<std::int32_t>(row);
    const qsizetype size = line.size();
    const char16_t* units = reinterpret_cast<const char16_t*>(line.utf16());
    int position = 0;
    for (; position < keyUnits; ++position) {
        std::uint64_t byte = 0;
        if (position < size) {
            char16_t unit = units[position];
            if (unit >= 128)
                break;
            if (unit >= u'A' && unit <= u'Z')
                unit += u'a' - u'A';
            byte = unit;
        }
        std::uint64_t& half = position < 8 ? key.high : key.low;
        half |= byte << (8 * (7 - position % 8));
    }
    key.exact = position;
    return key;
}

// The index of the first byte, counted from the most significant, in which two different numbers differ.
int firstDifferentByte(std::uint64_t left, std::uint64_t right)
{
    return std::countl_zero(left ^ right) / 8;
}

} // namespace

void sortLines(QStringList& lines)
{
    // Lists often arrive in order already (a folder listing turned into image lines): checking costs one pass.
    if (std::is_sorted(lines.cbegin(), lines.cend(), lineLess))
        return;
    std::vector<SortKey> keys;
    keys.reserve(static_cast<std::size_t>(lines.size()));
    for (qsizetype row = 0; row < lines.size(); ++row)
        keys.push_back(keyOf(lines.at(row), row));
    const auto less = [&lines](const SortKey& left, const SortKey& right) {
        int difference = keyUnits;
        if (left.high != right.high)
            difference = firstDifferentByte(left.high, right.high);
        else if (left.low != right.low)
            difference = 8 + firstDifferentByte(left.low, right.low);
        if (difference < std::min(left.exact, right.exact)) {
            // The keys differ in one faithful byte, so the folded lines differ first there.
            return left.high != right.high ? left.high < right.high : left.low < right.low;
        }
        return lineLess(lines.at(left.row), lines.at(right.row));
    };
    // Only identical texts compare equal, so the faster unstable sort gives the same list.
    std::sort(keys.begin(), keys.end(), less);
    QStringList sorted;
    sorted.reserve(lines.size());
    for (const SortKey& key : keys)
        sorted.append(std::move(lines[key.row]));
    lines = std::move(sorted);
}

} // namespace Orvane
