// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include "app/StartupLists.h"

#include <memory>

class QApplication;

namespace Orvane
{

// Starts reading the lists the window shows first, on other threads, before the application and its window
// are built: on a catalogue of 45,000 systems they take longest. None where the program folder cannot be known
// this early.
std::unique_ptr<StartupLists> startPreparingLists();

// Brings the main window up on the program folder (the folder of the executable) and runs until it closes. The
// first lists are taken from `startup` when they are of that folder.
int runOrvane(QApplication& application, std::unique_ptr<StartupLists> startup = nullptr);

} // namespace Orvane
