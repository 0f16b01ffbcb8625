// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "platform/CommandProcessor.h"

#include "platform/CommandLine.h"

#include <algorithm>
#include <cctype>

namespace Orvane
{

static std::string_view trimBlanks(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

static bool startsWithIgnoringCase(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
           });
}

CommandProcessorLine parseCommandProcessorLine(std::string_view line)
{
    constexpr std::string_view prefix = "COMMAND.COM /C ";
    CommandProcessorLine result;
    const std::string_view trimmed = trimBlanks(line);
    if (!startsWithIgnoringCase(trimmed, prefix)) {
        result.command = std::string(line);
        return result;
    }
    const std::string_view rest = trimmed.substr(prefix.size());
    bool quoted = false;
    std::size_t redirection = std::string_view::npos;
    for (std::size_t index = 0; index < rest.size(); ++index) {
        if (rest[index] == '"')
            quoted = !quoted;
        else if (rest[index] == '>' && !quoted) {
            redirection = index;
            break;
        }
    }
    if (redirection == std::string_view::npos) {
        result.command = std::string(trimBlanks(rest));
        return result;
    }
    result.command = std::string(trimBlanks(rest.substr(0, redirection)));
    std::string_view target = rest.substr(redirection + 1);
    if (!target.empty() && target.front() == '>') {
        result.append = true;
        target.remove_prefix(1);
    }
    target = trimBlanks(target);
    if (target.size() >= 2 && target.front() == '"' && target.back() == '"')
        target = target.substr(1, target.size() - 2);
    result.redirectionFile = std::string(target);
    return result;
}

} // namespace Orvane
