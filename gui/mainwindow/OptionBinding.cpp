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

QString textOf(const QRadioButton* button)
{
    return truthToText(button->isChecked());
}

QString textOf(const QLineEdit* text)
{
    return text->text();
}

QString textOf(const QSlider* slider)
{
    return numberToText(slider->value());
}

template <typename Check> QString textOf(const Check* check)
{
    return numberToText(check->checkValue());
}

QString textOf(const QComboBox* list)
{
    return numberToText(list->currentIndex());
}

bool apply(QRadioButton* button, const QString& text)
{
    const std::optional<bool> selected = textToTruth(text);
    if (!selected)
        return false;
    if (*selected || !button->autoExclusive()) {
        button->setChecked(*selected);
        return true;
    }
    // An exclusive option button refuses to be cleared on its own; stored values may clear both of a pair.
    button->setAutoExclusive(false);
    button->setChecked(false);
    button->setAutoExclusive(true);
    return true;
}

bool apply(QLineEdit* line, const QString& text)
{
    line->setText(text);
    return true;
}

bool apply(QSlider* slider, const QString& text)
{
    const std::optional<qint32> position = textToInt32(text);
    if (!position || *position < slider->minimum() || *position > slider->maximum())
        return false;
    slider->setValue(*position);
    return true;
}

template <typename Check> bool apply(Check* check, const QString& text)
{
    const std::optional<qint16> value = textToInt16(text);
    return value && check->setCheckValue(*value);
}

bool apply(QComboBox* list, const QString& text)
{
    const std::optional<qint16> position = textToInt16(text);
    if (!position || *position < -1 || *position >= list->count())
        return false;
    list->setCurrentIndex(*position);
    return true;
}

void connectChange(QRadioButton* button, QObject* context, std::function<void()> changed)
{
    QObject::connect(button, &QRadioButton::toggled, context, [changed](bool selected) {
        if (selected)
            changed();
    });
}

void connectChange(QLineEdit* line, QObject* context, std::function<void()> changed)
{
    QObject::connect(line, &QLineEdit::textChanged, context, changed);
}

void connectChange(QSlider* slider, QObject* context, std::function<void()> changed)
{
    QObject::connect(slider, &QSlider::valueChanged, context, changed);
}

template <typename Check> void connectChange(Check* check, QObject* context, std::function<void()> changed)
{
    QObject::connect(check, &Check::checkValueChanged, context, changed);
}

void connectChange(QComboBox* list, QObject* context, std::function<void()> changed)
{
    QObject::connect(list, &QComboBox::currentIndexChanged, context, changed);
}

} // namespace

QString optionText(const OptionControl& control)
{
    return std::visit([](const auto* widget) { return textOf(widget); }, control);
}

bool applyOptionText(const OptionControl& control, const QString& text)
{
    return std::visit([&](auto* widget) { return apply(widget, text); }, control);
}

void connectOptionChange(const OptionControl& control, QObject* context, std::function<void()> changed)
{
    std::visit([&](auto* widget) { connectChange(widget, context, std::move(changed)); }, control);
}

QWidget* optionWidget(const OptionControl& control)
{
    return std::visit([](auto* widget) -> QWidget* { return widget; }, control);
}

} // namespace Orvane
