// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "platform/ShellTools.h"

namespace Orvane::tov_ShellTools
{

PlatformResult<std::unique_ptr<HiddenProcess>> ShellAndWait(ProcessLauncher& shell, const std::string& commandLine,
                                                            const std::function<bool(HiddenProcess&)>& keepWaiting)
{
    PlatformResult<std::unique_ptr<HiddenProcess>> started = shell.startHidden(commandLine, Redirection::Staged);
    if (!started)
        return started;
    HiddenProcess& process = *started.value();
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
