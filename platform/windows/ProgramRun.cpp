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

// A Windows program receives one line and splits it itself: each argument is quoted so it splits back whole.
static std::wstring commandLineOf(const ProgramRun& run)
{
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
        const HANDLE output = openInheritable(run.outputFile->wstring(), GENERIC_WRITE, CREATE_ALWAYS);
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

// The program wrote through a handle that shares this one's position: the text is read from its start.
static std::optional<std::string> readFromStart(HANDLE output)
{
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(output, &size))
        return std::nullopt;
    std::string text(static_cast<std::size_t>(std::min<LONGLONG>(size.QuadPart, outputKept)), '\0');
    LARGE_INTEGER start{};
    DWORD read = 0;
    if (!SetFilePointerEx(output, start, nullptr, FILE_BEGIN) ||
        !ReadFile(output, text.data(), static_cast<DWORD>(text.size()), &read, nullptr))
        read = 0;
    text.resize(read);
    return text;
}

PlatformResult<ProcessOutcome> runAndWait(const ProgramRun& run)
{
    std::wstring line = commandLineOf(run);
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
    const std::wstring folder = run.workingFolder.wstring();
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(run.program.wstring().c_str(), line.data(), nullptr, nullptr, TRUE, CREATE_SUSPENDED, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup, &process))
        return Failure("Cannot start " + run.program.string() + ": " + systemMessage(GetLastError()));
    if (job.get())
        AssignProcessToJobObject(job.get(), process.hProcess);
    ResumeThread(process.hThread);
    CloseHandle(process.hThread);
    const std::unique_ptr<HiddenProcess> waited =
        hiddenProcess(process.dwProcessId, process.hProcess, errorOutput.release(), RedirectionFiles{});
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

} // namespace Orvane
