// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "platform/CommandLine.h"

namespace Orvane
{

bool isBlank(char character)
{
    return character == ' ' || character == '\t';
}

static std::size_t skipBlanks(std::string_view text, std::size_t position)
{
    while (position < text.size() && isBlank(text[position]))
        ++position;
    return position;
}

ProgramToken takeProgramToken(std::string_view commandLine)
{
    ProgramToken token;
    std::size_t position = skipBlanks(commandLine, 0);
    if (position < commandLine.size() && commandLine[position] == '"') {
        token.quoted = true;
        const std::size_t close = commandLine.find('"', position + 1);
        const std::size_t nameEnd = close == std::string_view::npos ? commandLine.size() : close;
        token.name = std::string(commandLine.substr(position + 1, nameEnd - position - 1));
        token.end = close == std::string_view::npos ? commandLine.size() : close + 1;
        return token;
    }
    std::size_t end = position;
    while (end < commandLine.size() && !isBlank(commandLine[end]))
        ++end;
    token.name = std::string(commandLine.substr(position, end - position));
    token.end = end;
    return token;
}

std::vector<std::string> splitArguments(std::string_view text)
{
    std::vector<std::string> arguments;
    std::size_t position = skipBlanks(text, 0);
    if (position == text.size())
        return arguments;

    std::string current;
    int backslashes = 0;
    // Counts the quotes of the current run: 1 = inside quotes. Three quotes in a row give one literal quote.
    int quotes = 0;
    bool argumentOpen = true;
    while (position < text.size()) {
        const char character = text[position];
        if (isBlank(character) && quotes == 0) {
            arguments.push_back(std::move(current));
            current.clear();
            position = skipBlanks(text, position);
            backslashes = 0;
            argumentOpen = position < text.size();
        } else if (character == '\\') {
            current += character;
            ++backslashes;
            ++position;
        } else if (character == '"') {
            if (backslashes % 2 == 0) {
                current.erase(current.size() - backslashes / 2);
                ++quotes;
            } else {
                current.erase(current.size() - backslashes / 2 - 1);
                current += '"';
            }
            ++position;
            backslashes = 0;
            while (position < text.size() && text[position] == '"') {
                if (++quotes == 3) {
                    current += '"';
                    quotes = 0;
                }
                ++position;
            }
            if (quotes == 2)
                quotes = 0;
        } else {
            current += character;
            backslashes = 0;
            ++position;
        }
    }
    if (argumentOpen)
        arguments.push_back(std::move(current));
    return arguments;
}

std::string quoteArgument(std::string_view argument)
{
    if (!argument.empty() && argument.find_first_of(" \t\"") == std::string_view::npos)
        return std::string(argument);
    std::string quoted = "\"";
    std::size_t backslashes = 0;
    for (const char character : argument) {
        if (character == '\\') {
            ++backslashes;
        } else {
            if (character == '"')
                quoted.append(backslashes + 1, '\\');
            backslashes = 0;
        }
        quoted += character;
    }
    quoted.append(backslashes, '\\');
    quoted += '"';
    return quoted;
}

std::vector<std::string> splitCommandLine(std::string_view commandLine)
{
    const ProgramToken program = takeProgramToken(commandLine);
    std::vector<std::string> words{program.name};
    for (std::string& argument : splitArguments(commandLine.substr(program.end)))
        words.push_back(std::move(argument));
    return words;
}

} // namespace Orvane
