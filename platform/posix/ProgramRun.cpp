// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "platform/ProgramRun.h"

#include "platform/ProgramSearch.h"
#include "platform/posix/ChildProcess.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>

namespace Orvane
{

namespace fs = std::filesystem;
using namespace Posix;

PlatformResult<ProcessOutcome> runAndWait(const ProgramRun& run)
{
    ChildSetup setup(run.program, run.arguments, run.workingFolder);
    File output;
    if (run.outputFile) {
        output.reset(::open(run.outputFile->c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
        if (output.get() < 0)
            return Failure("Cannot write " + run.outputFile->string() + ": " + systemError(errno));
        setup.output = output.get();
    }
    File errorOutput = anonymousFile();
    setup.error = errorOutput.get();
    const PlatformResult<pid_t> started = startChild(setup, ChildKind::Tied);
    if (!started)
        return Failure(started.error());
    const std::unique_ptr<HiddenProcess> process =
        hiddenProcess(started.value(), std::move(errorOutput), RedirectionFiles{});
    process->wait();
    return process->outcome();
}

unsigned long currentProcessId()
{
    return static_cast<unsigned long>(::getpid());
}

std::filesystem::path runningProgramPath()
{
    std::error_code error;
    return fs::read_symlink("/proc/self/exe", error);
}

std::vector<std::string> programArguments(int argc, char* argv[])
{
    return std::vector<std::string>(argv + std::min(argc, 1), argv + argc);
}

bool writeStandardOutput(std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(STDOUT_FILENO, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

PlatformResult<void> showMessageWindow(const std::string& title, const std::string& text,
                                       const std::filesystem::path& programFolder)
{
    const auto set = [](const char* name) {
        const char* value = std::getenv(name);
        return value && *value;
    };
    if (!set("DISPLAY") && !set("WAYLAND_DISPLAY"))
        return Failure(std::string("there is no display to show a message on"));
    const fs::path helper = programFolder / "orvane";
    if (!isExecutableFile(helper))
        return Failure("there is no " + helper.string() + " to show a message with");
    ChildSetup setup(helper, {"--message", title, text}, programFolder);
    const File nothing(::open("/dev/null", O_RDWR | O_CLOEXEC));
    setup.input = setup.output = nothing.get();
    if (const PlatformResult<pid_t> started = startChild(setup, ChildKind::Detached); !started)
        return Failure(started.error());
    return {};
}

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

} // namespace Orvane
