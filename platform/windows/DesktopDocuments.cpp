// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "platform/DesktopDocuments.h"

#include <windows.h>

#include <shellapi.h>

namespace Orvane
{

static std::wstring widen(const std::string& utf8)
{
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 1), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, wide.data(), length);
    return wide;
}

// Texts reach ShellExecuteA in the system's ANSI code page.
static std::string toAnsi(const std::wstring& wide)
{
    const int length = WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<std::size_t>(length > 0 ? length : 1), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, ansi.data(), length, nullptr, nullptr);
    return ansi;
}

bool systemOpensDocuments()
{
    return true;
}

PlatformResult<void> openDocument(NativeWindow owner, const std::string& target,
                                  const std::filesystem::path& programFolder)
{
    const std::string file = toAnsi(widen(target));
    const std::string folder = toAnsi(programFolder.wstring());
    // The owner window is the parent of any message the shell shows about it.
    const HINSTANCE result = ShellExecuteA(reinterpret_cast<HWND>(owner), "Open", file.c_str(), "", folder.c_str(), 1);
    // Values above 32 mean success.
    if (reinterpret_cast<INT_PTR>(result) > 32)
        return {};
    return Failure("The shell could not open " + target + " (error " +
                   std::to_string(reinterpret_cast<INT_PTR>(result)) + ").");
}

} // namespace Orvane
