// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include "gui/widgets/DesignFonts.h"

#include <QComboBox>
#include <QWidget>

#include <initializer_list>
#include <utility>
#include <vector>

namespace Orvane
{

// Places controls as a form designer does: by name, twips geometry, font and tab position, then chains the
// keyboard focus in tab order once every control exists.
class ControlBuilder
{
public:
    template <typename Widget, typename... Arguments>
    Widget* add(QWidget* parent, const char* name, QRect twipsGeometry, int tabIndex, FontStyle font,
                Arguments&&... arguments)
    {
        auto* widget = new Widget(std::forward<Arguments>(arguments)..., parent);
        widget->setObjectName(QString::fromLatin1(name));
        widget->setGeometry(twipsGeometry);
        widget->setFont(designFont(font));
        m_tabOrder.emplace_back(tabIndex, widget);
        return widget;
    }

    // A drop-down list that takes no typed text, unsorted, with no item selected.
    QComboBox* addList(QWidget* parent, const char* name, QRect twipsGeometry, int tabIndex,
                       std::initializer_list<const char*> items);

    void applyTabOrder();

private:
    std::vector<std::pair<int, QWidget*>> m_tabOrder;
};

} // namespace Orvane
