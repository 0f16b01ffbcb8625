// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

class QApplication;

namespace Orvane
{

// Brings the main window up on the program folder (the folder of the executable) and runs until it closes.
int runOrvane(QApplication& application);

} // namespace Orvane
