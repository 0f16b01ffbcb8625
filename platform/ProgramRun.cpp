// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "platform/ProgramRun.h"

#include "platform/CommandProcessor.h"
#include "platform/ProgramSearch.h"
#include "platform/Utf8Path.h"

namespace Orvane
{

ProgramRun ProgramRun::fromCommandLine(std::string line, std::filesystem::path folder)
{
    ProgramRun run;
    run.commandLine = std::move(line);
    run.workingFolder = std::move(folder);
    return run;
}

ProgramRun ProgramRun::fromCommandProcessorLine(std::string_view line, std::filesystem::path folder)
{
    const CommandProcessorLine parsed = parseCommandProcessorLine(line);
    ProgramRun run = fromCommandLine(parsed.command, std::move(folder));
    if (parsed.redirectionFile.empty())
        return run;
    std::filesystem::path target = pathFromUtf8(parsed.redirectionFile);
    if (target.is_relative())
        target = run.workingFolder / target;
    run.outputFile = findEntryIgnoringCase(target.parent_path(), target.filename().string()).value_or(target);
    run.appendOutput = parsed.append;
    return run;
}

PlatformResult<ProgramRun> withProgramFound(const ProgramRun& run)
{
    if (!run.program.empty())
        return run;
    const PlatformResult<ResolvedCommand> command =
        resolveCommandLine(run.commandLine, currentSearchPlaces(run.workingFolder));
    if (!command)
        return Failure(command.error());
    ProgramRun found = run;
    found.program = command->program;
    found.arguments = command->arguments;
    return found;
}

} // namespace Orvane
