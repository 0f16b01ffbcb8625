// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "platform/SystemProcessLauncher.h"

#include "platform/CommandProcessor.h"
#include "platform/ProgramRun.h"
#include "platform/ProgramSearch.h"
#include "platform/posix/ChildProcess.h"

#include <cerrno>
#include <fcntl.h>

namespace Orvane
{

namespace fs = std::filesystem;
using namespace Posix;

SystemProcessLauncher::SystemProcessLauncher(std::filesystem::path programFolder)
    : m_programFolder(std::move(programFolder))
{}

PlatformResult<void> SystemProcessLauncher::startDetached(const std::string& commandLine)
{
    // X11 gives a program no way to open another program's window maximised, so the window state is left to it.
    const PlatformResult<ResolvedCommand> command =
        resolveCommandLine(commandLine, currentSearchPlaces(m_programFolder));
    if (!command)
        return Failure(command.error());
    const ChildSetup setup(command->program, command->arguments, m_programFolder);
    if (const PlatformResult<pid_t> started = startChild(setup, ChildKind::Detached); !started)
        return Failure(started.error());
    return {};
}

PlatformResult<std::unique_ptr<HiddenProcess>> SystemProcessLauncher::startHidden(const std::string& commandLine,
                                                                                  Redirection redirection)
{
    const CommandProcessorLine line = parseCommandProcessorLine(commandLine);
    const PlatformResult<ResolvedCommand> command =
        resolveCommandLine(line.command, currentSearchPlaces(m_programFolder));
    if (!command)
        return Failure(command.error());
    ChildSetup setup(command->program, command->arguments, m_programFolder);

    const File input(::open("/dev/null", O_RDONLY | O_CLOEXEC));
    RedirectionFiles files = redirectionFiles(line, m_programFolder, redirection);
    File output;
    if (files.writeTo.empty()) {
        output.reset(::open("/dev/null", O_WRONLY | O_CLOEXEC));
    } else if (files.staged) {
        const PlatformResult<int> made = makeStagedOutput(files);
        if (!made)
            return Failure(made.error());
        output.reset(made.value());
    } else {
        const int mode = O_WRONLY | O_CREAT | O_CLOEXEC | O_NONBLOCK | (line.append ? O_APPEND : O_TRUNC);
        output.reset(::open(files.writeTo.c_str(), mode, 0644));
        if (output.get() < 0)
            return Failure("Cannot write " + files.writeTo.string() + ": " + systemError(errno));
    }
    File errorOutput = anonymousFile();
    setup.input = input.get();
    setup.output = output.get();
    setup.error = errorOutput.get() >= 0 ? errorOutput.get() : output.get();

    const PlatformResult<pid_t> started = startChild(setup, ChildKind::Waited);
    if (!started) {
        if (files.staged)
            ::unlink(files.writeTo.c_str());
        return Failure(started.error());
    }
    return hiddenProcess(started.value(), std::move(errorOutput), files);
}

PlatformResult<std::string> SystemProcessLauncher::shortPath(const std::string& path)
{
    // POSIX paths have no short form: the path of the existing file, spelt as it is on disk.
    const fs::path full{path};
    const auto found = findEntryIgnoringCase(full.parent_path(), full.filename().string());
    std::error_code error;
    if (!found || !fs::exists(*found, error))
        return Failure("there is no " + path);
    return found->string();
}

PlatformResult<ProcessOutcome> SystemProcessLauncher::askAndWait(const ProgramRun& run)
{
    return runAndWait(run);
}

} // namespace Orvane
