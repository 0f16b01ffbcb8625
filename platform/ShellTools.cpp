// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "platform/ShellTools.h"

namespace Orvane::tov_ShellTools
{

PlatformResult<std::unique_ptr<RunningProgram>> ShellAndWait(ProcessLauncher& shell, const ProgramRun& run,
                                                             const std::function<bool(RunningProgram&)>& keepWaiting)
{
    PlatformResult<std::unique_ptr<RunningProgram>> started = shell.start(run);
    if (!started)
        return started;
    RunningProgram& process = *started.value();
    if (keepWaiting && !keepWaiting(process))
        process.kill();
    process.wait();
    return started;
}

std::string ShortPathName(ProcessLauncher& shell, const std::string& path, std::string* why)
{
    PlatformResult<std::string> found = shell.shortPath(path);
    if (found)
        return std::move(found).value();
    if (why)
        *why = found.error();
    return "Error!";
}

} // namespace Orvane::tov_ShellTools
