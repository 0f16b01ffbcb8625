// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "platform/SystemConventions.h"

namespace Orvane
{

std::string shownArgument(std::string_view argument)
{
    const bool plain =
        !argument.empty() && argument.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTU"
                                                        "VWXYZ0123456789-_./:=+,@%") == std::string::npos;
    if (plain)
        return std::string(argument);
    std::string quoted = "'";
    for (const char character : argument) {
        if (character == '\'')
            quoted += "'\\''";
        else
            quoted += character;
    }
    return quoted + "'";
}

bool percentEnvironmentVariables()
{
    return false;
}

bool settingsInFiles()
{
    return true;
}

} // namespace Orvane
