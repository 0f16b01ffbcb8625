// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "NativeShell.h"

#include "ProgramSearch.h"

#include <windows.h>

namespace Orvane
{

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

std::string systemMessage(DWORD error)
{
    char* buffer = nullptr;
    const DWORD length =
        FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, error, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
    std::string message = length ? std::string(buffer, length) : "error " + std::to_string(error);
    LocalFree(buffer);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == '.'))
        message.pop_back();
    return message;
}

} // namespace

NativeShell::NativeShell(std::filesystem::path programFolder) : m_programFolder(std::move(programFolder)) {}

StartResult NativeShell::startDetached(const std::string& commandLine)
{
    // The program is found by Orvane's own search so that the rules are the same on every platform; the child
    // receives the command line unchanged and splits it itself.
    const Resolution resolution = resolveCommandLine(commandLine, currentSearchPlaces(m_programFolder));
    if (!resolution.command)
        return {false, resolution.error};

    const std::wstring program = resolution.command->program.wstring();
    std::wstring line = widen(commandLine);
    const std::wstring folder = m_programFolder.wstring();
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWMAXIMIZED;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                        &process))
        return {false, "Cannot start " + resolution.command->program.string() + ": " + systemMessage(GetLastError())};
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return {true, {}};
}

} // namespace Orvane
