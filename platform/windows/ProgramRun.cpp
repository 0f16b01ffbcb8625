// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "platform/ProgramRun.h"

#include "platform/CommandLine.h"
#include "platform/windows/ChildProcess.h"

#include <algorithm>
#include <atomic>
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
    if (!run.outputScratchFolder)
        return HANDLE(nullptr);
    // Made afresh under a name of this process's own and deleted when the last handle closes, however this
    // process ends; the temporary folder's file where the folder takes none.
    static std::atomic<unsigned> count{0};
    const std::wstring name = L"orvane-scratch-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                              std::to_wstring(++count) + L"-" + std::to_wstring(GetTickCount64());
    Handle output(openInheritable((*run.outputScratchFolder / name).wstring(), GENERIC_READ | GENERIC_WRITE, CREATE_NEW,
                                  FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE));
    if (!output.get())
        output.reset(temporaryErrorFile());
    if (!output.get())
        return Failure("Cannot make a file for the output of " + run.program.string() + ": " +
                       systemMessage(GetLastError()));
    return output.release();
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
    waited->wait();
    ProcessOutcome outcome = waited->outcome();
    if (!run.outputFile && run.outputScratchFolder) {
        if (std::optional<std::string> text = readFromStart(output.get()))
            outcome.output = std::move(*text);
    }
    return outcome;
}

} // namespace Orvane
