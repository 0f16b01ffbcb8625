// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "gui/widgets/CheckControls.h"

namespace Orvane
{

CheckBox::CheckBox(QWidget* parent) : QCheckBox(parent)
{
    connect(this, &QCheckBox::stateChanged, this, [this] { emit checkValueChanged(checkValue()); });
}

int CheckBox::checkValue() const
{
    switch (checkState()) {
    case Qt::Checked:
        return 1;
    case Qt::PartiallyChecked:
        return 2;
    case Qt::Unchecked:
        break;
    }
    return 0;
}

bool CheckBox::setCheckValue(int value)
{
    switch (value) {
    case 0:
        setCheckState(Qt::Unchecked);
        return true;
    case 1:
        setCheckState(Qt::Checked);
        return true;
    case 2:
        setCheckState(Qt::PartiallyChecked);
        return true;
    default:
        return false;
    }
}

void CheckBox::nextCheckState()
{
    // A greyed box becomes checked, as a two-state check box does when clicked.
    setCheckValue(checkValue() == 1 ? 0 : 1);
}

ToggleCheckButton::ToggleCheckButton(QWidget* parent) : QPushButton(parent)
{
    setCheckable(true);
}

bool ToggleCheckButton::setCheckValue(int value)
{
    if (value < 0 || value > 2)
        return false;
    if (value == m_value)
        return true;
    m_value = value;
    setChecked(value != 0);
    QPalette greyed = QPalette();
    if (value == 2)
        greyed.setColor(QPalette::ButtonText, greyed.color(QPalette::Disabled, QPalette::ButtonText));
    setPalette(greyed);
    emit checkValueChanged(value);
    return true;
}

void ToggleCheckButton::nextCheckState()
{
    setCheckValue(m_value == 1 ? 0 : 1);
}

} // namespace Orvane
