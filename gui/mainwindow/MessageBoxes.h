// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

class QString;
class QWidget;

namespace Orvane
{

// The window's messages: titled with the application's title, without an icon. Behind an interface so that
// tests can read and answer them without a modal loop.
class MessageBoxes
{
public:
    virtual ~MessageBoxes() = default;

    // A result or a problem, with an OK button.
    virtual void inform(QWidget* owner, const QString& text) = 0;
    // A question with OK and Cancel; true for OK.
    virtual bool confirm(QWidget* owner, const QString& text) = 0;
};

class DesktopMessageBoxes final : public MessageBoxes
{
public:
    void inform(QWidget* owner, const QString& text) override;
    bool confirm(QWidget* owner, const QString& text) override;
};

} // namespace Orvane
