// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QString>

// The control of a window by its name and kind; a test that asks for one the window lacks stops at once, naming it.
template <typename Widget> Widget* findControl(const QObject& window, const char* name)
{
    auto* widget = window.findChild<Widget*>(QString::fromLatin1(name));
    if (!widget)
        qFatal("no control %s of the expected kind", name);
    return widget;
}
