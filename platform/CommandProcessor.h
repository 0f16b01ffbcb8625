// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include "platform/ProcessLauncher.h"

#include <filesystem>
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

// The files a redirection writes: the target (relative names from the working folder, an existing file matched
// in any letter case), and the file actually written, which for staged output is a scratch file of this process's
// own (see makeStagedOutput).
struct RedirectionFiles
{
    std::filesystem::path target;
    std::filesystem::path writeTo;
    bool staged = false;
};
RedirectionFiles redirectionFiles(const CommandProcessorLine& line, const std::filesystem::path& workingFolder,
                                  Redirection redirection);
// Makes the file that staged output goes to, afresh under a name of this process's own: beside the target, or in the
// system's temporary folder where the target's folder takes no new file but the target is there to be written over
// later. Sets `writeTo`; gives the open descriptor, which the caller owns.
PlatformResult<int> makeStagedOutput(RedirectionFiles& files);
// Puts staged output in the target's place as a user's file is replaced (replaceWholeFile). The staged file is gone
// afterwards either way.
PlatformResult<void> commitStagedOutput(RedirectionFiles& files);
// Drops staged output, leaving the target as it was.
void discardStagedOutput(RedirectionFiles& files);

} // namespace Orvane
