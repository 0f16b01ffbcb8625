// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "platform/Files.h"

#include <windows.h>

#include <algorithm>
#include <string>

namespace Orvane
{

namespace
{

class Handle
{
public:
    explicit Handle(HANDLE handle) : m_handle(handle) {}
    ~Handle()
    {
        if (m_handle != INVALID_HANDLE_VALUE)
            CloseHandle(m_handle);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    HANDLE get() const { return m_handle; }

private:
    HANDLE m_handle;
};

std::string cannotWrite(const std::filesystem::path& file, DWORD error)
{
    char buffer[512] = {};
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, buffer, sizeof buffer,
                   nullptr);
    std::string message = buffer;
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == '.'))
        message.pop_back();
    return "Cannot write " + shownPath(file) + ": " + (message.empty() ? "error " + std::to_string(error) : message);
}

bool seek(HANDLE file, LONGLONG offset)
{
    LARGE_INTEGER position{};
    position.QuadPart = offset;
    return SetFilePointerEx(file, position, nullptr, FILE_BEGIN);
}

bool writeAllAt(HANDLE file, std::string_view content, LONGLONG offset)
{
    if (!seek(file, offset))
        return false;
    while (!content.empty()) {
        DWORD written = 0;
        const DWORD size = static_cast<DWORD>(std::min<std::size_t>(content.size(), 1 << 30));
        if (!WriteFile(file, content.data(), size, &written, nullptr) || written == 0) {
            if (GetLastError() == ERROR_SUCCESS)
                SetLastError(ERROR_DISK_FULL);
            return false;
        }
        content.remove_prefix(written);
    }
    return true;
}

bool cutAt(HANDLE file, LONGLONG length)
{
    return seek(file, length) && SetEndOfFile(file);
}

} // namespace

PlatformResult<void> appendInPlace(const std::filesystem::path& file, std::string_view content)
{
    const Handle output(CreateFileW(file.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (output.get() == INVALID_HANDLE_VALUE || !GetFileSizeEx(output.get(), &size))
        return Failure(cannotWrite(file, GetLastError()));
    if (writeAllAt(output.get(), content, size.QuadPart) && FlushFileBuffers(output.get()))
        return {};
    const DWORD error = GetLastError();
    cutAt(output.get(), size.QuadPart);
    return Failure(cannotWrite(file, error));
}

PlatformResult<void> overwriteInPlace(const std::filesystem::path& file, std::string_view content)
{
    const Handle output(CreateFileW(file.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (output.get() == INVALID_HANDLE_VALUE || !GetFileSizeEx(output.get(), &size))
        return Failure(cannotWrite(file, GetLastError()));
    std::string old(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!old.empty() &&
        (!ReadFile(output.get(), old.data(), static_cast<DWORD>(old.size()), &read, nullptr) || read != old.size()))
        return Failure("Cannot read " + shownPath(file));
    if (writeAllAt(output.get(), content, 0) && cutAt(output.get(), static_cast<LONGLONG>(content.size())) &&
        FlushFileBuffers(output.get()))
        return {};
    const DWORD error = GetLastError();
    if (writeAllAt(output.get(), old, 0))
        cutAt(output.get(), size.QuadPart);
    return Failure(cannotWrite(file, error));
}

PlatformResult<void> writeNewFile(const std::filesystem::path& file, std::string_view content)
{
    DWORD error = ERROR_SUCCESS;
    {
        const Handle written(CreateFileW(file.wstring().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                         FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
        if (written.get() == INVALID_HANDLE_VALUE)
            return Failure(cannotWrite(file, GetLastError()));
        if (!writeAllAt(written.get(), content, 0))
            error = GetLastError() == ERROR_SUCCESS ? ERROR_WRITE_FAULT : GetLastError();
    }
    if (error == ERROR_SUCCESS)
        return {};
    DeleteFileW(file.wstring().c_str());
    return Failure(cannotWrite(file, error));
}

bool hasOtherLinks(const std::filesystem::path& file)
{
    const Handle handle(CreateFileW(file.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    BY_HANDLE_FILE_INFORMATION information{};
    return handle.get() != INVALID_HANDLE_VALUE && GetFileInformationByHandle(handle.get(), &information) &&
           information.nNumberOfLinks > 1;
}

} // namespace Orvane
