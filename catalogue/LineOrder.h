// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <cstdint>
#include <vector>

namespace Orvane
{

// The order of Orvane's sorted lists and folder listings: the whole text compared without regard to letter
// case, ties broken by the case-sensitive comparison, so a.rom, B.ROM and c.rom come in that order.
bool lineLess(QStringView left, QStringView right);

void sortLines(QStringList& lines);

// Lines held as spans of one text, each made into a string only when asked for: a list of 45,000 descriptions
// is then two allocations, not 45,000.
class LineList
{
public:
    struct Span
    {
        std::int32_t start = 0;
        std::int32_t length = 0;
    };

    LineList() = default;
    LineList(QString text, std::vector<Span> spans) : m_text(std::move(text)), m_spans(std::move(spans)) {}

    qsizetype size() const { return static_cast<qsizetype>(m_spans.size()); }
    bool isEmpty() const { return m_spans.empty(); }
    QStringView view(qsizetype row) const
    {
        const Span& span = m_spans[static_cast<std::size_t>(row)];
        return QStringView(m_text).sliced(span.start, span.length);
    }
    QString at(qsizetype row) const { return view(row).toString(); }
    QStringList toStringList() const;

    // Puts the lines in lineLess order.
    void sort();
    // The lines for which `keep` holds, in their order.
    template <typename Keep> LineList filtered(Keep keep) const
    {
        std::vector<Span> kept;
        for (qsizetype row = 0; row < size(); ++row) {
            if (keep(view(row)))
                kept.push_back(m_spans[static_cast<std::size_t>(row)]);
        }
        return LineList(m_text, std::move(kept));
    }

private:
    QString m_text;
    std::vector<Span> m_spans;
};

} // namespace Orvane
