// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include <optional>

namespace Orvane
{

// Answers "--version" (the version and the program folder Orvane uses) and "--help" without opening a window,
// so they work without a display. Returns the exit code when the command line was such a question.
std::optional<int> answerCommandLine(int argc, char* argv[]);

} // namespace Orvane
