// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "platform/NativeShell.h"

#include "platform/CommandLine.h"
#include "platform/ProgramRun.h"

#include "platform/CommandProcessor.h"
#include "platform/ProgramSearch.h"

#include <windows.h>

#include <algorithm>
#include <utility>
#include <vector>

namespace Orvane
{

namespace fs = std::filesystem;

namespace
{

std::wstring widen(const std::string& text)
{
    if (text.empty())
        return {};
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

std::string toUtf8(std::wstring_view text)
{
    if (text.empty())
        return {};
    const int size = static_cast<int>(text.size());
    const int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), size, narrow.data(), length, nullptr, nullptr);
    return narrow;
}

// The system's message in UTF-8, as every text at this layer's boundary.
std::string systemMessage(DWORD error)
{
    wchar_t* buffer = nullptr;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::string message = length ? toUtf8(std::wstring_view(buffer, length)) : "error " + std::to_string(error);
    LocalFree(buffer);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == '.'))
        message.pop_back();
    return message;
}

class Handle
{
public:
    explicit Handle(HANDLE handle = nullptr) : m_handle(handle == INVALID_HANDLE_VALUE ? nullptr : handle) {}
    ~Handle() { reset(); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    HANDLE get() const { return m_handle; }
    HANDLE release() { return std::exchange(m_handle, nullptr); }
    void reset(HANDLE handle = nullptr)
    {
        if (m_handle)
            CloseHandle(m_handle);
        m_handle = handle == INVALID_HANDLE_VALUE ? nullptr : handle;
    }

private:
    HANDLE m_handle;
};

HANDLE openInheritable(const std::wstring& path, DWORD access, DWORD disposition, DWORD flags = FILE_ATTRIBUTE_NORMAL)
{
    SECURITY_ATTRIBUTES attributes{sizeof attributes, nullptr, TRUE};
    return CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, &attributes,
                       disposition, flags, nullptr);
}

// A file for a process's error output that vanishes when closed; none when the temporary folder cannot hold it.
HANDLE temporaryErrorFile()
{
    wchar_t temporaryFolder[MAX_PATH + 1];
    wchar_t errorFile[MAX_PATH + 1];
    if (!GetTempPathW(MAX_PATH + 1, temporaryFolder) || !GetTempFileNameW(temporaryFolder, L"orv", 0, errorFile))
        return nullptr;
    return openInheritable(errorFile, GENERIC_READ | GENERIC_WRITE, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE);
}

class WindowsHiddenProcess final : public HiddenProcess
{
public:
    WindowsHiddenProcess(DWORD processId, HANDLE process, HANDLE errorOutput, RedirectionFiles files)
        : m_processId(processId), m_process(process), m_errorOutput(errorOutput), m_files(std::move(files))
    {}

    ~WindowsHiddenProcess() override
    {
        if (!m_finished)
            kill();
        discardOutput();
    }

    bool finished() override
    {
        if (!m_finished && WaitForSingleObject(m_process.get(), 0) != WAIT_TIMEOUT)
            noteEnd();
        return m_finished;
    }

    void wait() override
    {
        if (m_finished)
            return;
        // As the process runner always did: a handle with the synchronise right alone, waited on without end.
        Handle synchronise(OpenProcess(SYNCHRONIZE, FALSE, m_processId));
        WaitForSingleObject(synchronise.get() ? synchronise.get() : m_process.get(), INFINITE);
        noteEnd();
    }

    void kill() override
    {
        if (m_finished)
            return;
        TerminateProcess(m_process.get(), 1);
        WaitForSingleObject(m_process.get(), INFINITE);
        noteEnd();
        m_outcome.exitedNormally = false;
    }

    ProcessOutcome outcome() const override { return m_outcome; }

    std::string stagedOutputPath() const override { return m_files.staged ? m_files.writeTo.string() : std::string(); }

    PlatformResult<void> commitOutput() override { return commitStagedOutput(m_files); }

    void discardOutput() override
    {
        if (!m_files.staged)
            return;
        DeleteFileW(m_files.writeTo.wstring().c_str());
        m_files.staged = false;
    }

private:
    void noteEnd()
    {
        m_finished = true;
        DWORD code = 0;
        GetExitCodeProcess(m_process.get(), &code);
        m_outcome.exitedNormally = true;
        m_outcome.exitCode = static_cast<int>(code);
        LARGE_INTEGER size{};
        if (m_errorOutput.get() && GetFileSizeEx(m_errorOutput.get(), &size)) {
            // The end is kept: that is where a program says why it stopped.
            const LONGLONG start = std::max<LONGLONG>(0, size.QuadPart - static_cast<LONGLONG>(errorOutputKept));
            LARGE_INTEGER position{};
            position.QuadPart = start;
            m_outcome.errorOutput.resize(static_cast<std::size_t>(size.QuadPart - start));
            DWORD length = 0;
            if (!SetFilePointerEx(m_errorOutput.get(), position, nullptr, FILE_BEGIN) ||
                !ReadFile(m_errorOutput.get(), m_outcome.errorOutput.data(),
                          static_cast<DWORD>(m_outcome.errorOutput.size()), &length, nullptr))
                length = 0;
            m_outcome.errorOutput.resize(length);
        }
        m_errorOutput.reset();
    }

    DWORD m_processId;
    Handle m_process;
    Handle m_errorOutput;
    RedirectionFiles m_files;
    bool m_finished = false;
    ProcessOutcome m_outcome;
};

} // namespace

NativeShell::NativeShell(std::filesystem::path programFolder) : m_programFolder(std::move(programFolder)) {}

PlatformResult<void> NativeShell::startDetached(const std::string& commandLine)
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

PlatformResult<std::unique_ptr<HiddenProcess>> NativeShell::startHidden(const std::string& commandLine,
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
    } else {
        output.reset(openInheritable(files.writeTo.wstring(), line.append ? FILE_APPEND_DATA : GENERIC_WRITE,
                                     line.append ? OPEN_ALWAYS : CREATE_ALWAYS));
        // A shared program folder takes no new file, though its files may be written.
        if (!output.get() && GetLastError() == ERROR_ACCESS_DENIED && stageInTemporaryFolder(files))
            output.reset(openInheritable(files.writeTo.wstring(), GENERIC_WRITE, CREATE_ALWAYS));
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
    return std::unique_ptr<HiddenProcess>(
        std::make_unique<WindowsHiddenProcess>(process.dwProcessId, process.hProcess, errorOutput.release(), files));
}

PlatformResult<std::string> NativeShell::shortPath(const std::string& path)
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
    WindowsHiddenProcess waited(process.dwProcessId, process.hProcess, errorOutput.release(), RedirectionFiles{});
    waited.wait();
    return waited.outcome();
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
