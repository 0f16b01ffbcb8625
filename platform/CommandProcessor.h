// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

namespace Orvane
{

// Orvane carries out "COMMAND.COM /C" lines itself, as the DOS command processor did, since no system it runs on
// still has one: the rest of the line is a program with its arguments, optionally followed by "> file" or
// ">> file" to send the program's standard output into a file.
struct CommandProcessorLine
{
    std::string command;         // the program and its arguments, as a command line
    std::string redirectionFile; // empty when the output is not redirected
    bool append = false;         // ">>" rather than ">"
};

// Splits off the "COMMAND.COM /C " prefix (any letter case) and the redirection; a line without the prefix is
// taken as a plain command line without redirection. A '>' inside double quotes belongs to the command.
CommandProcessorLine parseCommandProcessorLine(std::string_view line);

} // namespace Orvane
