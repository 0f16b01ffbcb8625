// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace Orvane
{

// Command lines are written for Windows, where a program receives one string and splits it itself. These
// functions split it the way Windows programs do (CommandLineToArgvW), so that the same line means the same
// arguments here. Texts are UTF-8; only blanks, double quotes and backslashes are looked at.

bool isBlank(char character);

// The program name at the start of a line: up to the next double quote when it starts with one (the quotes are
// dropped), otherwise up to the next blank. Backslashes are taken as they are. Leading blanks are skipped.
struct ProgramToken
{
    std::string name;
    bool quoted = false;
    std::size_t end = 0; // index just past the token (and past its closing quote)
};
ProgramToken takeProgramToken(std::string_view commandLine);

// The arguments after the program name: blanks separate, double quotes group and are removed, 2n backslashes
// before a quote give n backslashes, 2n+1 give n and a literal quote, and backslashes elsewhere are literal.
std::vector<std::string> splitArguments(std::string_view arguments);

// One argument written so that splitArguments gives it back exactly: as it is when it needs no quotes, otherwise
// in double quotes with each inner quote as \" and the backslashes before a quote doubled.
std::string quoteArgument(std::string_view argument);

// The whole line: the program name first, then its arguments.
std::vector<std::string> splitCommandLine(std::string_view commandLine);

} // namespace Orvane
