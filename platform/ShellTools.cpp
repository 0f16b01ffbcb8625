// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "platform/ShellTools.h"

namespace Orvane::tov_ShellTools
{

std::string ShellAndWait(Shell& shell, const std::string& commandLine)
{
    HiddenStart start = shell.startHidden(commandLine, Redirection::Direct);
    if (!start.process)
        return start.error;
    start.process->wait();
    return {};
}

std::string ShortPathName(Shell& shell, const std::string& path)
{
    return shell.shortPathName(path);
}

} // namespace Orvane::tov_ShellTools
