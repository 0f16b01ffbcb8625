// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include "catalogue/PreparedLists.h"

#include <future>

class QApplication;

namespace Orvane
{

// Starts reading the lists the window shows first, on other threads, before the application and its window
// are built: on a catalogue of 45,000 systems they take longest. Not valid where the program folder cannot be
// known this early.
std::future<PreparedLists> startPreparingLists();

// Brings the main window up on the program folder (the folder of the executable) and runs until it closes.
int runOrvane(QApplication& application, std::future<PreparedLists> preparedLists = {});

} // namespace Orvane
