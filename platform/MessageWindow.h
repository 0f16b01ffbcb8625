// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include "platform/Result.h"

#include <filesystem>
#include <string>

namespace Orvane
{

// Shows a message in a window of its own on the user's display and returns without waiting for it to be closed
// (on Windows: the system's message box, closed before this returns). On POSIX the window is drawn by Orvane's
// program in `programFolder` ("orvane --message TITLE TEXT"), so that a program without a window kit of its own
// can show one; where there is no display or no such program, the reason comes back and nothing is shown.
PlatformResult<void> showMessageWindow(const std::string& title, const std::string& text,
                                       const std::filesystem::path& programFolder);

} // namespace Orvane
