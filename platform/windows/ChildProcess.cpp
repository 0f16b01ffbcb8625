// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "platform/windows/ChildProcess.h"

#include <algorithm>

namespace Orvane::Windows
{

namespace fs = std::filesystem;

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

HANDLE openInheritable(const std::wstring& path, DWORD access, DWORD disposition, DWORD flags)
{
    SECURITY_ATTRIBUTES attributes{sizeof attributes, nullptr, TRUE};
    return CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, &attributes,
                       disposition, flags, nullptr);
}

HANDLE temporaryErrorFile()
{
    wchar_t temporaryFolder[MAX_PATH + 1];
    wchar_t errorFile[MAX_PATH + 1];
    if (!GetTempPathW(MAX_PATH + 1, temporaryFolder) || !GetTempFileNameW(temporaryFolder, L"orv", 0, errorFile))
        return nullptr;
    return openInheritable(errorFile, GENERIC_READ | GENERIC_WRITE, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE);
}

namespace
{

class WindowsRunningProgram final : public RunningProgram
{
public:
    WindowsRunningProgram(DWORD processId, HANDLE process, HANDLE errorOutput, HANDLE keptOutput)
        : m_processId(processId), m_process(process), m_errorOutput(errorOutput), m_keptOutput(keptOutput)
    {}

    ~WindowsRunningProgram() override
    {
        if (!m_finished)
            kill();
    }

    bool endsWithin(std::chrono::milliseconds limit) override
    {
        const auto waited = static_cast<DWORD>(std::clamp<long long>(limit.count(), 0, INFINITE - 1));
        if (!m_finished && WaitForSingleObject(m_process.get(), waited) != WAIT_TIMEOUT)
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
        if (m_keptOutput.get()) {
            if (std::optional<std::string> text = readFromStart(m_keptOutput.get()))
                m_outcome.output = std::move(*text);
            m_keptOutput.reset();
        }
    }

    DWORD m_processId;
    Handle m_process;
    Handle m_errorOutput;
    Handle m_keptOutput;
    bool m_finished = false;
    ProcessOutcome m_outcome;
};

} // namespace

std::optional<std::string> readFromStart(HANDLE output)
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

std::unique_ptr<RunningProgram> runningProgram(DWORD processId, HANDLE process, HANDLE errorOutput, HANDLE keptOutput)
{
    return std::make_unique<WindowsRunningProgram>(processId, process, errorOutput, keptOutput);
}

} // namespace Orvane::Windows
