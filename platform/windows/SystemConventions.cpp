// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "platform/SystemConventions.h"

#include "platform/CommandLine.h"

namespace Orvane
{

std::string shownArgument(std::string_view argument)
{
    return quoteArgument(argument);
}

bool percentEnvironmentVariables()
{
    return true;
}

bool settingsInFiles()
{
    return false;
}

} // namespace Orvane
