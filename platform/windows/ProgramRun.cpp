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

unsigned long currentProcessId()
{
    return GetCurrentProcessId();
}

std::filesystem::path runningProgramPath()
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

std::vector<std::string> programArguments(int, char*[])
{
    // Split by the same rules as CommandLineToArgvW, without loading the shell's library for it.
    std::vector<std::string> arguments = splitCommandLine(toUtf8(GetCommandLineW()));
    arguments.erase(arguments.begin());
    return arguments;
}

bool writeStandardOutput(std::string_view bytes)
{
    const HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    while (!bytes.empty()) {
        DWORD written = 0;
        const DWORD size = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1 << 20));
        if (!WriteFile(output, bytes.data(), size, &written, nullptr) || written == 0)
            return false;
        bytes.remove_prefix(written);
    }
    return true;
}

PlatformResult<void> showMessageWindow(const std::string& title, const std::string& text, const std::filesystem::path&)
{
    if (MessageBoxW(nullptr, widen(text).c_str(), widen(title).c_str(), MB_OK | MB_ICONERROR | MB_SETFOREGROUND) == 0)
        return Failure("cannot show a message: " + systemMessage(GetLastError()));
    return {};
}

std::string shownArgument(std::string_view argument)
{
    return quoteArgument(argument);
}

} // namespace Orvane
