// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

namespace Orvane
{

// How the system Orvane runs on writes things for people to read and type.

// One argument written as the platform's own command shell reads it back whole, for showing a command to a user:
// in single quotes on POSIX where it needs any, by the Windows splitting rules on Windows.
std::string shownArgument(std::string_view argument);

// Whether environment variables are written as %NAME% (Windows) besides $NAME.
bool percentEnvironmentVariables();

// Whether a user's settings live in a file of their own (POSIX), rather than in the user's registry (Windows).
bool settingsInFiles();

} // namespace Orvane
