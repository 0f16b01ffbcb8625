// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "platform/ThisProgram.h"

#include "platform/CommandLine.h"
#include "platform/windows/ChildProcess.h"

#include <algorithm>

namespace Orvane
{

using namespace Windows;

// A Windows program's standard handles are never reused for the files it opens.
void openClosedStandardStreams() {}

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

PlatformResult<void> writeStandardOutput(std::string_view bytes)
{
    const HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    while (!bytes.empty()) {
        DWORD written = 0;
        const DWORD size = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1 << 20));
        if (!WriteFile(output, bytes.data(), size, &written, nullptr) || written == 0) {
            const DWORD error = written == 0 && GetLastError() == ERROR_SUCCESS ? ERROR_DISK_FULL : GetLastError();
            char message[512] = {};
            FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, message,
                           sizeof message, nullptr);
            std::string reason = message;
            while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r' || reason.back() == '.'))
                reason.pop_back();
            return Failure(reason.empty() ? "error " + std::to_string(error) : reason);
        }
        bytes.remove_prefix(written);
    }
    return {};
}

} // namespace Orvane
