// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "platform/SystemProcessLauncher.h"

#include "platform/windows/ChildProcess.h"

#include <vector>

namespace Orvane
{

namespace fs = std::filesystem;
using namespace Windows;

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

} // namespace Orvane
