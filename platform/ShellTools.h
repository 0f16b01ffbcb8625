// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include "platform/ProcessLauncher.h"

#include <string>

// The two routines of the process runner, by their historical names.
namespace Orvane::tov_ShellTools
{

// Runs a command line hidden and returns only once the process has ended, or gives the reason it could not start.
PlatformResult<void> ShellAndWait(ProcessLauncher& shell, const std::string& commandLine);

// The short form of a path, or the literal "Error!" when there is none (ProcessLauncher::shortPath says why).
std::string ShortPathName(ProcessLauncher& shell, const std::string& path);

} // namespace Orvane::tov_ShellTools
