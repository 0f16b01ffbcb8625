// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "gui/mainwindow/OptionBinding.h"

#include "gui/widgets/CheckControls.h"
#include "settings/SettingsText.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSlider>

namespace Orvane
{

namespace
{

int checkValueOf(const QWidget* control)
{
    if (const auto* box = qobject_cast<const CheckBox*>(control))
        return box->checkValue();
    return qobject_cast<const ToggleCheckButton*>(control)->checkValue();
}

bool setCheckValueOf(QWidget* control, int value)
{
    if (auto* box = qobject_cast<CheckBox*>(control))
        return box->setCheckValue(value);
    return qobject_cast<ToggleCheckButton*>(control)->setCheckValue(value);
}

void selectOption(QRadioButton* button, bool selected)
{
    if (selected || !button->autoExclusive()) {
        button->setChecked(selected);
        return;
    }
    // An exclusive option button refuses to be cleared on its own; stored values may clear both of a pair.
    button->setAutoExclusive(false);
    button->setChecked(false);
    button->setAutoExclusive(true);
}

} // namespace

QString optionText(const QWidget* control, OptionKind kind)
{
    switch (kind) {
    case OptionKind::OptionButton:
        return truthToText(qobject_cast<const QRadioButton*>(control)->isChecked());
    case OptionKind::TextBox:
        return qobject_cast<const QLineEdit*>(control)->text();
    case OptionKind::Slider:
        return numberToText(qobject_cast<const QSlider*>(control)->value());
    case OptionKind::CheckBox:
        return numberToText(checkValueOf(control));
    case OptionKind::DropDownList:
        return numberToText(qobject_cast<const QComboBox*>(control)->currentIndex());
    }
    return {};
}

bool applyOptionText(QWidget* control, OptionKind kind, const QString& text)
{
    switch (kind) {
    case OptionKind::OptionButton: {
        const std::optional<bool> selected = textToTruth(text);
        if (!selected)
            return false;
        selectOption(qobject_cast<QRadioButton*>(control), *selected);
        return true;
    }
    case OptionKind::TextBox:
        qobject_cast<QLineEdit*>(control)->setText(text);
        return true;
    case OptionKind::Slider: {
        auto* slider = qobject_cast<QSlider*>(control);
        const std::optional<qint32> position = textToInt32(text);
        if (!position || *position < slider->minimum() || *position > slider->maximum())
            return false;
        slider->setValue(*position);
        return true;
    }
    case OptionKind::CheckBox: {
        const std::optional<qint16> value = textToInt16(text);
        return value && setCheckValueOf(control, *value);
    }
    case OptionKind::DropDownList: {
        auto* list = qobject_cast<QComboBox*>(control);
        const std::optional<qint16> position = textToInt16(text);
        if (!position || *position < -1 || *position >= list->count())
            return false;
        list->setCurrentIndex(*position);
        return true;
    }
    }
    return false;
}

void connectOptionChange(QWidget* control, OptionKind kind, QObject* context, std::function<void()> changed)
{
    switch (kind) {
    case OptionKind::OptionButton:
        QObject::connect(qobject_cast<QRadioButton*>(control), &QRadioButton::toggled, context,
                         [changed](bool selected) {
                             if (selected)
                                 changed();
                         });
        return;
    case OptionKind::TextBox:
        QObject::connect(qobject_cast<QLineEdit*>(control), &QLineEdit::textChanged, context, changed);
        return;
    case OptionKind::Slider:
        QObject::connect(qobject_cast<QSlider*>(control), &QSlider::valueChanged, context, changed);
        return;
    case OptionKind::CheckBox:
        if (auto* box = qobject_cast<CheckBox*>(control))
            QObject::connect(box, &CheckBox::checkValueChanged, context, changed);
        else
            QObject::connect(qobject_cast<ToggleCheckButton*>(control), &ToggleCheckButton::checkValueChanged, context,
                             changed);
        return;
    case OptionKind::DropDownList:
        QObject::connect(qobject_cast<QComboBox*>(control), &QComboBox::currentIndexChanged, context, changed);
        return;
    }
}

} // namespace Orvane
