// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "catalogue/LineOrder.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <optional>
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

bool lineLess(QStringView left, QStringView right)
{
    const int folded = compareIgnoringCase(left, right);
    if (folded != 0)
        return folded < 0;
    return left.compare(right, Qt::CaseSensitive) < 0;
}

namespace
{

constexpr qsizetype keyUnits = 16;

// A line in a sort, with sixteen of its UTF-16 units from some depth on, each folded as Qt folds a character of
// the Basic Multilingual Plane in its comparison without regard to case, as four big-endian numbers: where the window
// holds no surrogate, comparing keys compares those units of the folded lines. Past the end of a line the key
// holds zeros, so a shorter line whose units all match comes first, as it does in the order.
struct SortItem
{
    std::array<std::uint64_t, 4> key{};
    std::int32_t row = 0;
    bool plain = true;  // no surrogate in the window
    bool ended = false; // the line ends within the window
};

// Four units as the key holds them, when all four are ASCII: capital letters folded, the first unit in the highest
// sixteen bits; none otherwise. Nearly every name and description is ASCII, and this takes four units at once.
std::optional<std::uint64_t> asciiKeyWord(const char16_t* units)
{
    std::uint64_t word;
    std::memcpy(&word, units, sizeof word);
    if (word & 0xFF80FF80FF80FF80u)
        return std::nullopt;
    // In each sixteen-bit lane (below 0x80): bit 7 of the first sum is set from 'A' on, of the second past 'Z'.
    const std::uint64_t fromA = word + 0x003F003F003F003Fu;
    const std::uint64_t pastZ = word + 0x0025002500250025u;
    word |= ((fromA & ~pastZ) & 0x0080008000800080u) >> 2;
    // The first unit lies lowest in memory order; the key wants it highest.
    word = ((word & 0x0000FFFF0000FFFFu) << 16) | ((word >> 16) & 0x0000FFFF0000FFFFu);
    return (word << 32) | (word >> 32);
}

inline void prefetch(const void* address)
{
#if defined(__GNUC__)
    __builtin_prefetch(address);
#else
    (void)address;
#endif
}

void setKey(SortItem& item, QStringView line, qsizetype depth)
{
    item.key = {};
    item.plain = true;
    const qsizetype size = line.size();
    item.ended = size <= depth + keyUnits;
    const char16_t* units = reinterpret_cast<const char16_t*>(line.utf16());
    if (std::endian::native == std::endian::little && depth + keyUnits <= size) {
        std::array<std::uint64_t, 4> key{};
        bool ascii = true;
        for (std::size_t word = 0; word < key.size() && ascii; ++word) {
            const std::optional<std::uint64_t> folded = asciiKeyWord(units + depth + 4 * word);
            ascii = folded.has_value();
            key[word] = folded.value_or(0);
        }
        if (ascii) {
            item.key = key;
            return;
        }
    }
    for (qsizetype position = 0; position < keyUnits && depth + position < size; ++position) {
        char32_t unit = units[depth + position];
        if (unit < 128) {
            if (unit >= u'A' && unit <= u'Z')
                unit += u'a' - u'A';
        } else {
            // Qt folds a surrogate pair as one character: such lines are compared whole.
            if (QChar::isSurrogate(unit)) {
                item.plain = false;
                return;
            }
            unit = QChar::toCaseFolded(unit);
        }
        item.key[position / 4] |= std::uint64_t(unit & 0xFFFF) << (16 * (3 - position % 4));
    }
}

// Sorts lines whose first `depth` units are no surrogates and the same once folded, sixteen units at a time: each
// line is read once per sixteen units that it shares with others, not once per comparison, which is what a sort
// of 45,000 descriptions with long common beginnings costs otherwise.
template <typename LineAt> void sortFrom(SortItem* begin, SortItem* end, qsizetype depth, const LineAt& lineAt)
{
    const auto byLine = [&lineAt](const SortItem& left, const SortItem& right) {
        return lineLess(lineAt(left.row), lineAt(right.row));
    };
    if (end - begin < 16) {
        std::sort(begin, end, byLine);
        return;
    }
    // Past the first level the items are in key order, so their lines lie all over the text: each is asked for from
    // memory a few items ahead, so that the waits overlap instead of coming one after another.
    constexpr std::ptrdiff_t ahead = 8;
    for (SortItem* item = begin; item != end; ++item) {
        if (end - item > ahead) {
            const QStringView later = lineAt(item[ahead].row);
            prefetch(later.utf16() + std::min(depth, later.size()));
        }
        setKey(*item, lineAt(item->row), depth);
    }
    // Lines with surrogates in the window are placed among the others by comparing whole lines.
    SortItem* const plainEnd = std::partition(begin, end, [](const SortItem& item) { return item.plain; });
    // Word by word: the array's own comparison, a general lexicographic one, made the whole sort a third slower.
    std::sort(begin, plainEnd, [](const SortItem& left, const SortItem& right) {
        if (left.key[0] != right.key[0])
            return left.key[0] < right.key[0];
        if (left.key[1] != right.key[1])
            return left.key[1] < right.key[1];
        if (left.key[2] != right.key[2])
            return left.key[2] < right.key[2];
        return left.key[3] < right.key[3];
    });
    for (SortItem* run = begin; run != plainEnd;) {
        SortItem* runEnd = run + 1;
        while (runEnd != plainEnd && runEnd->key == run->key)
            ++runEnd;
        // Equal keys: the lines agree on sixteen more units, unless one ends among them.
        if (runEnd - run > 1) {
            if (std::any_of(run, runEnd, [](const SortItem& item) { return item.ended; }))
                std::sort(run, runEnd, byLine);
            else
                sortFrom(run, runEnd, depth + keyUnits, lineAt);
        }
        run = runEnd;
    }
    if (plainEnd != end) {
        std::sort(plainEnd, end, byLine);
        std::inplace_merge(begin, plainEnd, end, byLine);
    }
}

// The rows of `count` lines in lineLess order; only identical texts compare equal, so unstable sorting gives the
// same list.
template <typename LineAt> std::vector<SortItem> sortedRows(qsizetype count, const LineAt& lineAt)
{
    std::vector<SortItem> items(static_cast<std::size_t>(count));
    for (std::size_t index = 0; index < items.size(); ++index)
        items[index].row = static_cast<std::int32_t>(index);
    sortFrom(items.data(), items.data() + items.size(), 0, lineAt);
    return items;
}

} // namespace

void sortLines(QStringList& lines)
{
    // Lists often arrive in order already (a folder listing turned into image lines): checking costs one pass.
    if (std::is_sorted(lines.cbegin(), lines.cend(), lineLess))
        return;
    std::vector<SortItem> items =
        sortedRows(lines.size(), [&lines](std::int32_t row) { return QStringView(lines.at(row)); });
    // Puts each line in its place by following the permutation's cycles, so the list is never copied.
    for (std::size_t start = 0; start < items.size(); ++start) {
        if (items[start].row < 0 || static_cast<std::size_t>(items[start].row) == start)
            continue;
        QString held = std::move(lines[static_cast<qsizetype>(start)]);
        std::size_t place = start;
        for (;;) {
            const auto from = static_cast<std::size_t>(items[place].row);
            items[place].row = -1;
            if (from == start) {
                lines[static_cast<qsizetype>(place)] = std::move(held);
                break;
            }
            lines[static_cast<qsizetype>(place)] = std::move(lines[static_cast<qsizetype>(from)]);
            place = from;
        }
    }
}

QStringList LineList::toStringList() const
{
    QStringList lines;
    lines.reserve(size());
    for (qsizetype row = 0; row < size(); ++row)
        lines.append(at(row));
    return lines;
}

void LineList::sort()
{
    const auto lineAt = [this](std::int32_t row) { return view(row); };
    bool sorted = true;
    for (qsizetype row = 1; row < size() && sorted; ++row)
        sorted = !lineLess(view(row), view(row - 1));
    if (sorted)
        return;
    const std::vector<SortItem> items = sortedRows(size(), lineAt);
    std::vector<Span> spans;
    spans.reserve(items.size());
    for (const SortItem& item : items)
        spans.push_back(m_spans[static_cast<std::size_t>(item.row)]);
    m_spans = std::move(spans);
}

} // namespace Orvane
