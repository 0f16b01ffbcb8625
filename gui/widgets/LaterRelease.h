// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QMetaObject>
#include <QObject>

#include <utility>

namespace Orvane
{

// Gives `value` back to the heap once the events queued now have been handled, so the lists that replace it show
// first: freeing 100,000 lines takes longer than building the few thousand that the user sees. Released at once
// when `context` goes first.
template <typename Value> void releaseLater(QObject* context, Value value)
{
    QMetaObject::invokeMethod(
        context, [held = std::move(value)] { (void)held; }, Qt::QueuedConnection);
}

} // namespace Orvane
