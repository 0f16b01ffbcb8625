// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "platform/ProgramRun.h"

#include "platform/CommandLine.h"
#include "platform/windows/ChildProcess.h"

#include <algorithm>
#include <atomic>

namespace Orvane
{

namespace fs = std::filesystem;
using namespace Windows;

PlatformResult<ProcessOutcome> runAndWait(const ProgramRun& run)
{
    // A Windows program receives one line and splits it itself: each argument is quoted so it splits back whole.
    std::string commandLine = quoteArgument(run.program.string());
    for (const std::string& argument : run.arguments) {
        commandLine += ' ';
        commandLine += quoteArgument(argument);
    }
    std::wstring line = widen(commandLine);

    Handle input(openInheritable(L"NUL", GENERIC_READ, OPEN_EXISTING));
    Handle output;
    if (run.outputFile) {
        output.reset(openInheritable(run.outputFile->wstring(), GENERIC_WRITE, CREATE_ALWAYS));
        if (!output.get())
            return Failure("Cannot write " + run.outputFile->string() + ": " + systemMessage(GetLastError()));
    } else if (run.outputScratchFolder) {
        // Made afresh under a name of this process's own and deleted when the last handle closes, however this
        // process ends; the temporary folder's file where the folder takes none.
        static std::atomic<unsigned> count{0};
        const std::wstring name = L"orvane-scratch-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                                  std::to_wstring(++count) + L"-" + std::to_wstring(GetTickCount64());
        output.reset(openInheritable((*run.outputScratchFolder / name).wstring(), GENERIC_READ | GENERIC_WRITE,
                                     CREATE_NEW, FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE));
        if (!output.get())
            output.reset(temporaryErrorFile());
        if (!output.get())
            return Failure("Cannot make a file for the output of " + run.program.string() + ": " +
                           systemMessage(GetLastError()));
    }
    Handle errorOutput(temporaryErrorFile());
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (output.get() || errorOutput.get()) {
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = input.get();
        startup.hStdOutput = output.get() ? output.get() : GetStdHandle(STD_OUTPUT_HANDLE);
        startup.hStdError = errorOutput.get() ? errorOutput.get() : GetStdHandle(STD_ERROR_HANDLE);
    }
    // The program runs in a job that ends when the last handle to it closes: if this process is ended (Orvane
    // cancelling an update ends the bridge alone), the program ends with it.
    Handle job(CreateJobObjectW(nullptr, nullptr));
    if (job.get()) {
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
        limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
        SetInformationJobObject(job.get(), JobObjectExtendedLimitInformation, &limits, sizeof limits);
    }
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
    LARGE_INTEGER size{};
    if (!run.outputFile && run.outputScratchFolder && GetFileSizeEx(output.get(), &size)) {
        // The program wrote through a handle that shares this one's position: the text is read from its start.
        outcome.output.resize(static_cast<std::size_t>(std::min<LONGLONG>(size.QuadPart, outputKept)));
        LARGE_INTEGER start{};
        DWORD read = 0;
        if (!SetFilePointerEx(output.get(), start, nullptr, FILE_BEGIN) ||
            !ReadFile(output.get(), outcome.output.data(), static_cast<DWORD>(outcome.output.size()), &read, nullptr))
            read = 0;
        outcome.output.resize(read);
    }
    return outcome;
}

} // namespace Orvane
