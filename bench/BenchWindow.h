// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include "gui/about/DocumentOpener.h"
#include "gui/mainwindow/MessageBoxes.h"

#include <QElapsedTimer>
#include <QString>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

// What the benchmarks give the main window in place of the desktop: messages printed, never answered yes, and
// no document opened; and the clock and median they report with.
namespace Orvane::Bench
{

class PrintedMessages final : public MessageBoxes
{
public:
    void inform(QWidget*, const QString& text) override { std::fprintf(stderr, "message: %s\n", qPrintable(text)); }
    bool confirm(QWidget*, const QString&) override { return false; }
};

class NoOpener final : public DocumentOpener
{
public:
    bool open(const QString&, QWidget*) override { return false; }
};

inline double milliseconds(const std::function<void()>& action)
{
    QElapsedTimer clock;
    clock.start();
    action();
    return clock.nsecsElapsed() / 1e6;
}

inline double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

} // namespace Orvane::Bench
