// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "platform/ProgramRun.h"

#include "platform/CommandLine.h"
#include "platform/windows/ChildProcess.h"

#include <algorithm>
#include <optional>

namespace Orvane
{

namespace fs = std::filesystem;
using namespace Windows;

// A Windows program receives one line and splits it itself: a user's line as it stands, or each argument quoted so it
// splits back whole.
static std::wstring commandLineOf(const ProgramRun& run)
{
    if (!run.commandLine.empty())
        return widen(run.commandLine);
    std::string commandLine = quoteArgument(run.program.string());
    for (const std::string& argument : run.arguments) {
        commandLine += ' ';
        commandLine += quoteArgument(argument);
    }
    return widen(commandLine);
}

// Where the program's standard output goes: the file asked for, a scratch file, or nowhere of its own (none).
static PlatformResult<HANDLE> openOutputOf(const ProgramRun& run)
{
    if (run.outputFile) {
        const HANDLE output =
            openInheritable(run.outputFile->wstring(), run.appendOutput ? FILE_APPEND_DATA : GENERIC_WRITE,
                            run.appendOutput ? OPEN_ALWAYS : CREATE_ALWAYS);
        if (output == nullptr || output == INVALID_HANDLE_VALUE)
            return Failure("Cannot write " + run.outputFile->string() + ": " + systemMessage(GetLastError()));
        return output;
    }
    if (!run.keepOutput)
        return HANDLE(nullptr);
    // A nameless temporary file, deleted when the last handle closes, however this process ends.
    Handle output(temporaryErrorFile());
    if (!output.get())
        return Failure("Cannot make a file for the output of " + run.program.string() + ": " +
                       systemMessage(GetLastError()));
    return output.release();
}

// Whether the disk that holds the file has no room left: output it could not take was lost without a word to the
// program's exit code.
static bool diskFull(HANDLE file)
{
    wchar_t path[MAX_PATH + 1];
    ULARGE_INTEGER free{};
    const DWORD length = GetFinalPathNameByHandleW(file, path, MAX_PATH, FILE_NAME_NORMALIZED);
    if (length == 0 || length > MAX_PATH)
        return false;
    std::wstring folder(path, length);
    folder = folder.substr(0, folder.find_last_of(L'\\') + 1);
    return GetDiskFreeSpaceExW(folder.c_str(), &free, nullptr, nullptr) && free.QuadPart == 0;
}

// A job that ends its processes when the last handle to it closes: if this process is ended (Orvane cancelling an
// update ends the bridge alone), the program ends with it.
static HANDLE jobEndedWithThisProcess()
{
    Handle job(CreateJobObjectW(nullptr, nullptr));
    if (job.get()) {
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
        limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
        SetInformationJobObject(job.get(), JobObjectExtendedLimitInformation, &limits, sizeof limits);
    }
    return job.release();
}

// Starts the run's program in its folder with `startup`, or says why not, naming the program.
static PlatformResult<void> createProcess(const ProgramRun& run, STARTUPINFOW& startup, bool inheritHandles,
                                          DWORD flags, PROCESS_INFORMATION& process)
{
    std::wstring line = commandLineOf(run);
    const std::wstring folder = run.workingFolder.wstring();
    if (!CreateProcessW(run.program.wstring().c_str(), line.data(), nullptr, nullptr, inheritHandles ? TRUE : FALSE,
                        flags, nullptr, folder.empty() ? nullptr : folder.c_str(), &startup, &process))
        return Failure("Cannot start " + run.program.string() + ": " + systemMessage(GetLastError()));
    return {};
}

PlatformResult<ProcessOutcome> runAndWait(const ProgramRun& described)
{
    const PlatformResult<ProgramRun> found = withProgramFound(described);
    if (!found)
        return Failure(found.error());
    const ProgramRun& run = found.value();
    Handle input(openInheritable(L"NUL", GENERIC_READ, OPEN_EXISTING));
    const PlatformResult<HANDLE> opened = openOutputOf(run);
    if (!opened)
        return Failure(opened.error());
    Handle output(opened.value());
    Handle errorOutput(temporaryErrorFile());
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (output.get() || errorOutput.get()) {
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = input.get();
        startup.hStdOutput = output.get() ? output.get() : GetStdHandle(STD_OUTPUT_HANDLE);
        startup.hStdError = errorOutput.get() ? errorOutput.get() : GetStdHandle(STD_ERROR_HANDLE);
    }
    const Handle job(jobEndedWithThisProcess());
    PROCESS_INFORMATION process{};
    if (const PlatformResult<void> created = createProcess(run, startup, true, CREATE_SUSPENDED, process); !created)
        return Failure(created.error());
    if (job.get())
        AssignProcessToJobObject(job.get(), process.hProcess);
    ResumeThread(process.hThread);
    CloseHandle(process.hThread);
    const std::unique_ptr<RunningProgram> waited =
        runningProgram(process.dwProcessId, process.hProcess, errorOutput.release());
    bool timedOut = false;
    if (run.timeLimit.count() > 0 && !waited->endsWithin(run.timeLimit)) {
        timedOut = true;
        if (job.get())
            TerminateJobObject(job.get(), 1);
        waited->kill();
    }
    waited->wait();
    ProcessOutcome outcome = waited->outcome();
    outcome.timedOut = timedOut;
    if (!run.outputFile && run.keepOutput) {
        if (diskFull(output.get()))
            return Failure("Cannot keep the output of " + run.program.string() + ": the disk is full");
        if (std::optional<std::string> text = readFromStart(output.get()))
            outcome.output = std::move(*text);
    }
    return outcome;
}

PlatformResult<void> startDetached(const ProgramRun& described)
{
    const PlatformResult<ProgramRun> found = withProgramFound(described);
    if (!found)
        return Failure(found.error());
    const ProgramRun& run = found.value();
    const PlatformResult<HANDLE> opened = openOutputOf(run);
    if (!opened)
        return Failure(opened.error());
    const Handle output(opened.value());
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWMAXIMIZED;
    if (output.get()) {
        startup.dwFlags |= STARTF_USESTDHANDLES;
        startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
        startup.hStdOutput = output.get();
        startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    }
    PROCESS_INFORMATION process{};
    if (const PlatformResult<void> created = createProcess(run, startup, output.get() != nullptr, 0, process); !created)
        return Failure(created.error());
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return {};
}

PlatformResult<std::unique_ptr<RunningProgram>> start(const ProgramRun& described)
{
    const PlatformResult<ProgramRun> found = withProgramFound(described);
    if (!found)
        return Failure(found.error());
    const ProgramRun& run = found.value();
    Handle input(openInheritable(L"NUL", GENERIC_READ, OPEN_EXISTING));
    const PlatformResult<HANDLE> opened = openOutputOf(run);
    if (!opened)
        return Failure(opened.error());
    Handle output(opened.value() ? opened.value() : openInheritable(L"NUL", GENERIC_WRITE, OPEN_EXISTING));
    Handle errorOutput(temporaryErrorFile());
    const std::wstring folder = run.workingFolder.wstring();
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;
    startup.wShowWindow = SW_HIDE;
    startup.hStdInput = input.get();
    startup.hStdOutput = output.get();
    startup.hStdError = errorOutput.get() ? errorOutput.get() : output.get();
    PROCESS_INFORMATION process{};
    if (const PlatformResult<void> created = createProcess(run, startup, true, CREATE_NO_WINDOW, process); !created)
        return Failure(created.error());
    CloseHandle(process.hThread);
    const bool kept = !run.outputFile && run.keepOutput;
    return runningProgram(process.dwProcessId, process.hProcess, errorOutput.release(),
                          kept ? output.release() : nullptr);
}

} // namespace Orvane
