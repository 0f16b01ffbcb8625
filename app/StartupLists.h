// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include "catalogue/PreparedLists.h"

#include <QString>

#include <functional>
#include <optional>
#include <thread>

namespace Orvane
{

// The window's first lists, prepared on another thread from the program's first moment, while Qt and the window
// are built, and handed over once (ListSource::takePrepared).
class StartupLists
{
public:
    using Preparation = std::function<PreparedLists(const QString& programFolder)>;

    // Starts preparing the lists of `programFolder` now, on the thread that goes on to make the application.
    explicit StartupLists(QString programFolder, Preparation prepare = defaultPreparation());
    ~StartupLists();
    StartupLists(const StartupLists&) = delete;
    StartupLists& operator=(const StartupLists&) = delete;

    // Waits for the preparation, then gives what was prepared, once, when it was prepared for `programFolder`.
    std::optional<PreparedLists> take(const QString& programFolder);

    static Preparation defaultPreparation();

private:
    QString m_programFolder;
    std::optional<PreparedLists> m_lists; // the thread's until it is joined
    std::thread m_thread;
};

} // namespace Orvane
