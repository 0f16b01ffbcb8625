// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "platform/SystemProcessLauncher.h"

#include "platform/CommandProcessor.h"
#include "platform/ProgramRun.h"
#include "platform/ProgramSearch.h"
#include "platform/windows/ChildProcess.h"

#include <io.h>
#include <vector>

namespace Orvane
{

namespace fs = std::filesystem;
using namespace Windows;

SystemProcessLauncher::SystemProcessLauncher(std::filesystem::path programFolder)
    : m_programFolder(std::move(programFolder))
{}

PlatformResult<void> SystemProcessLauncher::startDetached(const std::string& commandLine)
{
    // The program is found by Orvane's own search so that the rules are the same on every platform; the child
    // receives the command line unchanged and splits it itself.
    const PlatformResult<ResolvedCommand> command =
        resolveCommandLine(commandLine, currentSearchPlaces(m_programFolder));
    if (!command)
        return Failure(command.error());

    const std::wstring program = command->program.wstring();
    std::wstring line = widen(commandLine);
    const std::wstring folder = m_programFolder.wstring();
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWMAXIMIZED;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                        &process))
        return Failure("Cannot start " + command->program.string() + ": " + systemMessage(GetLastError()));
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return {};
}

PlatformResult<std::unique_ptr<HiddenProcess>> SystemProcessLauncher::startHidden(const std::string& commandLine,
                                                                                  Redirection redirection)
{
    // No 64-bit Windows has COMMAND.COM: Orvane carries the line out itself, redirecting the program's output
    // through an inherited file handle.
    const CommandProcessorLine line = parseCommandProcessorLine(commandLine);
    const PlatformResult<ResolvedCommand> command =
        resolveCommandLine(line.command, currentSearchPlaces(m_programFolder));
    if (!command)
        return Failure(command.error());
    const std::string programName = command->program.string();

    RedirectionFiles files = redirectionFiles(line, m_programFolder, redirection);
    Handle input(openInheritable(L"NUL", GENERIC_READ, OPEN_EXISTING));
    Handle output;
    if (files.writeTo.empty()) {
        output.reset(openInheritable(L"NUL", GENERIC_WRITE, OPEN_EXISTING));
    } else if (files.staged) {
        const PlatformResult<int> made = makeStagedOutput(files);
        if (!made)
            return Failure(made.error());
        // The scratch file's own handle, made inheritable for the program, and its descriptor let go of.
        HANDLE staged = nullptr;
        DuplicateHandle(GetCurrentProcess(), reinterpret_cast<HANDLE>(_get_osfhandle(made.value())),
                        GetCurrentProcess(), &staged, 0, TRUE, DUPLICATE_SAME_ACCESS);
        _close(made.value());
        output.reset(staged);
        if (!output.get())
            return Failure("Cannot write " + files.writeTo.string() + ": " + systemMessage(GetLastError()));
    } else {
        output.reset(openInheritable(files.writeTo.wstring(), line.append ? FILE_APPEND_DATA : GENERIC_WRITE,
                                     line.append ? OPEN_ALWAYS : CREATE_ALWAYS));
        if (!output.get())
            return Failure("Cannot write " + files.writeTo.string() + ": " + systemMessage(GetLastError()));
    }
    Handle errorOutput(temporaryErrorFile());

    std::wstring commandText = widen(line.command);
    const std::wstring folder = m_programFolder.wstring();
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;
    startup.wShowWindow = SW_HIDE;
    startup.hStdInput = input.get();
    startup.hStdOutput = output.get();
    startup.hStdError = errorOutput.get() ? errorOutput.get() : output.get();
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(command->program.wstring().c_str(), commandText.data(), nullptr, nullptr, TRUE,
                        CREATE_NO_WINDOW, nullptr, folder.c_str(), &startup, &process)) {
        const DWORD error = GetLastError();
        if (files.staged) {
            output.reset();
            DeleteFileW(files.writeTo.wstring().c_str());
        }
        return Failure("Cannot start " + programName + ": " + systemMessage(error));
    }
    CloseHandle(process.hThread);
    return hiddenProcess(process.dwProcessId, process.hProcess, errorOutput.release(), files);
}

PlatformResult<std::string> SystemProcessLauncher::shortPath(const std::string& path)
{
    const std::wstring widePath = widen(path);
    if (GetFileAttributesW(widePath.c_str()) == INVALID_FILE_ATTRIBUTES)
        return Failure("there is no " + path);
    const std::string cannot = "the short name of " + path + " could not be had: ";
    // The path goes through the system's ANSI code page, as the short-path call has always taken it.
    std::vector<char> ansiPath;
    BOOL unspelt = FALSE;
    {
        const int length = WideCharToMultiByte(CP_ACP, 0, widePath.c_str(), -1, nullptr, 0, nullptr, nullptr);
        ansiPath.resize(static_cast<std::size_t>(length > 0 ? length : 1));
        WideCharToMultiByte(CP_ACP, 0, widePath.c_str(), -1, ansiPath.data(), length, nullptr, &unspelt);
    }
    if (unspelt)
        return Failure(cannot + "its name holds characters that the system's ANSI code page cannot spell");
    char buffer[256] = {};
    const DWORD count = GetShortPathNameA(ansiPath.data(), buffer, 256);
    if (count == 0)
        return Failure(cannot + systemMessage(GetLastError()));
    // A count of 256 or more means the short form did not fit: the buffer holds nothing usable.
    if (count >= 256)
        return Failure(cannot + "it is 256 characters or longer");
    const int wideLength = MultiByteToWideChar(CP_ACP, 0, buffer, static_cast<int>(count), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
    MultiByteToWideChar(CP_ACP, 0, buffer, static_cast<int>(count), wide.data(), wideLength);
    return toUtf8(wide);
}

PlatformResult<ProcessOutcome> SystemProcessLauncher::askAndWait(const ProgramRun& run)
{
    return runAndWait(run);
}

} // namespace Orvane
