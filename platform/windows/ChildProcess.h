// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
// How the Windows side starts the processes of SystemProcessLauncher.h and ProgramRun.h: shared by both, used by
// nothing else.
#pragma once

#include "platform/ProgramRun.h"

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace Orvane::Windows
{

std::wstring widen(const std::string& text);
std::string toUtf8(std::wstring_view text);
// The system's message in UTF-8, as every text at this layer's boundary.
std::string systemMessage(DWORD error);

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

HANDLE openInheritable(const std::wstring& path, DWORD access, DWORD disposition, DWORD flags = FILE_ATTRIBUTE_NORMAL);
// A file for a process's error output that vanishes when closed; none when the temporary folder cannot hold it.
HANDLE temporaryErrorFile();

// The program wrote through a handle that shares this one's position: its text read from the start, at most
// outputKept bytes.
std::optional<std::string> readFromStart(HANDLE output);

// A started process that the caller polls, waits for or ends, owning its handles; `keptOutput`, when given, the
// nameless file its standard output goes to, read when it ends.
std::unique_ptr<RunningProgram> runningProgram(DWORD processId, HANDLE process, HANDLE errorOutput,
                                               HANDLE keptOutput = nullptr);

} // namespace Orvane::Windows
