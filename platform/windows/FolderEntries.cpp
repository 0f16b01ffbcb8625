// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "platform/FolderEntries.h"

#include <windows.h>

namespace Orvane
{

static std::string toUtf8(const wchar_t* text)
{
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1)
        return {};
    std::string result(static_cast<std::size_t>(size - 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, result.data(), size, nullptr, nullptr);
    return result;
}

static std::string errorText(DWORD code)
{
    wchar_t* message = nullptr;
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                   code, 0, reinterpret_cast<wchar_t*>(&message), 0, nullptr);
    std::string text = message ? toUtf8(message) : "error " + std::to_string(code);
    LocalFree(message);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' '))
        text.pop_back();
    return text;
}

PlatformResult<void> forEachFileIn(const std::filesystem::path& folder,
                                   const std::function<bool(std::string_view)>& takeFile)
{
    const std::wstring pattern = (folder / L"*").wstring();
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr,
                                           FIND_FIRST_EX_LARGE_FETCH);
    if (search == INVALID_HANDLE_VALUE) {
        const DWORD code = GetLastError();
        // An empty folder still has "." and ".."; only a drive root can list nothing.
        if (code == ERROR_FILE_NOT_FOUND)
            return {};
        return Failure(errorText(code));
    }
    DWORD error = ERROR_NO_MORE_FILES;
    do {
        const std::wstring_view name = found.cFileName;
        if (name == L"." || name == L"..")
            continue;
        DWORD attributes = found.dwFileAttributes;
        // A link counts as what it points to.
        if (attributes & FILE_ATTRIBUTE_REPARSE_POINT)
            attributes = GetFileAttributesW((folder / found.cFileName).c_str());
        // Hidden and system files (desktop.ini, Thumbs.db) are the file manager's, never the user's images.
        constexpr DWORD notListed =
            FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
        if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & notListed) || (found.dwFileAttributes & notListed))
            continue;
        if (!takeFile(toUtf8(found.cFileName))) {
            FindClose(search);
            return {};
        }
    } while (FindNextFileW(search, &found));
    error = GetLastError();
    FindClose(search);
    if (error != ERROR_NO_MORE_FILES)
        return Failure(errorText(error));
    return {};
}

} // namespace Orvane
