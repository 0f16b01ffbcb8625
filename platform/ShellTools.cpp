// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "platform/ShellTools.h"

namespace Orvane::tov_ShellTools
{

PlatformResult<void> ShellAndWait(ProcessLauncher& shell, const std::string& commandLine)
{
    PlatformResult<std::unique_ptr<HiddenProcess>> process = shell.startHidden(commandLine, Redirection::Direct);
    if (!process)
        return Failure(process.error());
    process.value()->wait();
    return {};
}

std::string ShortPathName(ProcessLauncher& shell, const std::string& path)
{
    PlatformResult<std::string> found = shell.shortPath(path);
    return found ? std::move(found).value() : std::string("Error!");
}

} // namespace Orvane::tov_ShellTools
