// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include "platform/ProcessLauncher.h"

#include <functional>
#include <memory>
#include <string>

// The two routines of the process runner, by their historical names: the systems update runs through them.
namespace Orvane::tov_ShellTools
{

// Starts the run hidden and returns only once the program has ended, or once `keepWaiting` (asked while it runs)
// has given up on it, the program then ended with whatever it started. Gives the program, for how it ended and its
// output, or the reason it could not start.
PlatformResult<std::unique_ptr<RunningProgram>>
ShellAndWait(ProcessLauncher& shell, const ProgramRun& run,
             const std::function<bool(RunningProgram&)>& keepWaiting = {});

// The short form of a path, or the literal "Error!" when there is none; `why`, when given, then says why (the file
// is missing, or its short name cannot be had).
std::string ShortPathName(ProcessLauncher& shell, const std::string& path, std::string* why = nullptr);

} // namespace Orvane::tov_ShellTools
