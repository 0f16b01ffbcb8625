// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <functional>
#include <variant>

class QComboBox;
class QLineEdit;
class QObject;
class QRadioButton;
class QSlider;
class QWidget;

namespace Orvane
{

class CheckBox;
class ToggleCheckButton;

// An option's control, of one of the kinds an option can have.
using OptionControl = std::variant<QRadioButton*, QLineEdit*, QSlider*, CheckBox*, ToggleCheckButton*, QComboBox*>;

// One binder per kind of option control: how its value reads as stored text, how stored text is put back, and
// which change of the control counts as its change event.

QString optionText(const OptionControl& control);

// The control as a widget.
QWidget* optionWidget(const OptionControl& control);

// Puts `text` into the control as a user's change would, so its change event fires. Returns false, changing
// nothing, when the control cannot take the value (not a truth value, a number out of range, no such item).
bool applyOptionText(const OptionControl& control, const QString& text);

// Calls `changed` on every change of the control: a text's edit, a check value's change, a list's new
// selection, the slider's new position, an option button becoming selected.
void connectOptionChange(const OptionControl& control, QObject* context, std::function<void()> changed);

} // namespace Orvane
