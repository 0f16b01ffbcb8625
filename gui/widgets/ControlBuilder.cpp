// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "gui/widgets/ControlBuilder.h"

#include <algorithm>

namespace Orvane
{

QComboBox* ControlBuilder::addList(QWidget* parent, const char* name, QRect twipsGeometry, int tabIndex,
                                   std::initializer_list<const char*> items)
{
    auto* list = add<QComboBox>(parent, name, twipsGeometry, tabIndex, FontStyle::Small);
    list->setEditable(false);
    for (const char* item : items)
        list->addItem(QString::fromUtf8(item));
    list->setCurrentIndex(-1);
    return list;
}

void ControlBuilder::applyTabOrder()
{
    std::stable_sort(m_tabOrder.begin(), m_tabOrder.end(),
                     [](const auto& left, const auto& right) { return left.first < right.first; });
    QWidget* previous = nullptr;
    for (const auto& [tabIndex, widget] : m_tabOrder) {
        if (widget->focusPolicy() == Qt::NoFocus)
            continue;
        if (previous)
            QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}

} // namespace Orvane
