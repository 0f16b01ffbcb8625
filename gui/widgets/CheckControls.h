// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QCheckBox>
#include <QPushButton>

namespace Orvane
{

// Check values as the settings keep them: 0 unchecked, 1 checked, 2 greyed. A user's click only toggles between
// 0 and 1; 2 can only be set by code.

class CheckBox final : public QCheckBox
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CheckBox)

public:
    explicit CheckBox(QWidget* parent = nullptr);

    int checkValue() const;
    // Returns false, changing nothing, for a value other than 0, 1 or 2.
    bool setCheckValue(int value);

signals:
    void checkValueChanged(int value);

protected:
    void nextCheckState() override;
};

// A check box drawn as a push button that stays down while it is checked; greyed shows it down in grey text.
class ToggleCheckButton final : public QPushButton
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ToggleCheckButton)

public:
    explicit ToggleCheckButton(QWidget* parent = nullptr);

    int checkValue() const { return m_value; }
    bool setCheckValue(int value);

signals:
    void checkValueChanged(int value);

protected:
    void nextCheckState() override;

private:
    int m_value = 0;
};

} // namespace Orvane
