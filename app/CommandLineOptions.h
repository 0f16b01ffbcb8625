// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include <optional>

namespace Orvane
{

// Answers "--version" (the version and the program folder Orvane uses) and "--help" without opening a window,
// so they work without a display, and refuses an argument it does not know with the usage text (exit code 2)
// rather than opening the window as if nothing were wrong. Qt's own options (-platform, -style, ...) pass.
// Returns the exit code when the command line was answered.
std::optional<int> answerCommandLine(int argc, char* argv[]);

} // namespace Orvane
