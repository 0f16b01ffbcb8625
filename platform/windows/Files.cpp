// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "platform/Files.h"

#include "platform/FailureWords.h"

#include <windows.h>

#include <aclapi.h>
#include <fcntl.h>
#include <io.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

namespace Orvane
{

namespace
{

class Handle
{
public:
    explicit Handle(HANDLE handle = INVALID_HANDLE_VALUE) : m_handle(handle) {}
    ~Handle()
    {
        if (m_handle != INVALID_HANDLE_VALUE)
            CloseHandle(m_handle);
    }
    Handle(Handle&& other) noexcept : m_handle(std::exchange(other.m_handle, INVALID_HANDLE_VALUE)) {}
    Handle& operator=(Handle&& other) noexcept
    {
        std::swap(m_handle, other.m_handle);
        return *this;
    }
    HANDLE get() const { return m_handle; }
    HANDLE release() { return std::exchange(m_handle, INVALID_HANDLE_VALUE); }
    bool valid() const { return m_handle != INVALID_HANDLE_VALUE; }

private:
    HANDLE m_handle;
};

std::string systemMessage(DWORD error)
{
    char buffer[512] = {};
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, buffer, sizeof buffer,
                   nullptr);
    std::string message = buffer;
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == '.'))
        message.pop_back();
    return message.empty() ? "error " + std::to_string(error) : message;
}

std::string because(const Cannot& cannot, DWORD error)
{
    return cannot + ": " + systemMessage(error);
}

enum class Found
{
    Nothing,
    File,
    SharedFile,
    Link,
    OwnLink,
};

// Whether the file belongs to the user running the program (or to the owner that user's new files get, the
// administrators for an elevated administrator).
bool ownedByCurrentUser(HANDLE file)
{
    PSID owner = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (GetSecurityInfo(file, SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION, &owner, nullptr, nullptr, nullptr,
                        &descriptor) != ERROR_SUCCESS)
        return false;
    bool same = false;
    HANDLE token = nullptr;
    if (OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) {
        for (const TOKEN_INFORMATION_CLASS asked : {TokenUser, TokenOwner}) {
            DWORD size = 0;
            GetTokenInformation(token, asked, nullptr, 0, &size);
            std::vector<char> buffer(size);
            if (size && GetTokenInformation(token, asked, buffer.data(), size, &size)) {
                const PSID sid = asked == TokenUser ? reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid
                                                    : reinterpret_cast<TOKEN_OWNER*>(buffer.data())->Owner;
                same = same || EqualSid(owner, sid);
            }
        }
        CloseHandle(token);
    }
    LocalFree(descriptor);
    return same;
}

// Opens what is at `path` itself (a link as the link), for its attributes.
Handle openEntry(const fs::path& path, DWORD access = FILE_READ_ATTRIBUTES | READ_CONTROL)
{
    return Handle(CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr));
}

// The program's own files sit in a folder that is no link itself.
PlatformResult<void> checkFolder(const fs::path& file, KeptBy keeper, const Cannot& cannot)
{
    const std::string name = file.filename().string();
    if (name.empty() || name == "." || name == "..")
        return Failure(cannot + ": it names a folder, not a file");
    if (keeper != KeptBy::Program || file.parent_path().empty())
        return {};
    const DWORD attributes = GetFileAttributesW(file.parent_path().c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT))
        return Failure(cannot + ": its folder " + shownPath(file.parent_path()) + " is a link, not followed");
    return {};
}

PlatformResult<Found> inspect(const fs::path& file, KeptBy keeper, const Cannot& cannot)
{
    if (auto folder = checkFolder(file, keeper, cannot); !folder)
        return Failure(folder.error());
    const Handle entry = openEntry(file);
    if (!entry.valid()) {
        const DWORD error = GetLastError();
        // No folder holds no file either.
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
            return Found::Nothing;
        return Failure(because(cannot, error));
    }
    BY_HANDLE_FILE_INFORMATION information{};
    if (!GetFileInformationByHandle(entry.get(), &information))
        return Failure(because(cannot, GetLastError()));
    if (information.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
        if (keeper == KeptBy::Program)
            return Found::Link;
        if (!ownedByCurrentUser(entry.get()))
            return Failure(cannot + ": it is a link that belongs to another user, not followed");
        return Found::OwnLink;
    }
    if (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        return Failure(cannot + ": it is a folder");
    if (GetFileType(entry.get()) != FILE_TYPE_DISK)
        return Failure(cannot + ": it is a device, not a file");
    return information.nNumberOfLinks > 1 ? Found::SharedFile : Found::File;
}

// Opens the file found: through a user's own link to what it names, which must be a file on disk; anything else
// as itself, and refused unless it is a plain file.
PlatformResult<Handle> openFound(const fs::path& file, Found found, DWORD access, const Cannot& cannot)
{
    const DWORD flags = FILE_ATTRIBUTE_NORMAL | (found == Found::OwnLink ? 0 : FILE_FLAG_OPEN_REPARSE_POINT);
    Handle opened(
        CreateFileW(file.c_str(), access, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, flags, nullptr));
    if (!opened.valid())
        return Failure(because(cannot, GetLastError()));
    BY_HANDLE_FILE_INFORMATION information{};
    if (!GetFileInformationByHandle(opened.get(), &information))
        return Failure(because(cannot, GetLastError()));
    if (information.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)
        return Failure(cannot + ": it is a link, not followed");
    if (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        return Failure(cannot + ": it is a folder");
    if (GetFileType(opened.get()) != FILE_TYPE_DISK)
        return Failure(cannot + ": it is a device, not a file");
    return opened;
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

bool readAll(HANDLE file, std::string& into)
{
    for (std::size_t done = 0; done < into.size();) {
        DWORD got = 0;
        const DWORD size = static_cast<DWORD>(std::min<std::size_t>(into.size() - done, 1 << 30));
        if (!ReadFile(file, into.data() + done, size, &got, nullptr) || got == 0) {
            if (GetLastError() == ERROR_SUCCESS)
                SetLastError(ERROR_HANDLE_EOF);
            return false;
        }
        done += got;
    }
    return true;
}

bool cutAt(HANDLE file, LONGLONG length)
{
    return seek(file, length) && SetEndOfFile(file);
}

PlatformResult<void> overwriteInPlace(const fs::path& file, Found found, std::string_view content, const Cannot& cannot)
{
    auto opened = openFound(file, found, GENERIC_READ | GENERIC_WRITE, cannot);
    if (!opened)
        return Failure(opened.error());
    const HANDLE output = opened->get();
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(output, &size))
        return Failure(because(cannot, GetLastError()));
    std::string old(static_cast<std::size_t>(size.QuadPart), '\0');
    if (!readAll(output, old))
        return Failure(because(cannot, GetLastError()));
    if (writeAllAt(output, content, 0) && cutAt(output, static_cast<LONGLONG>(content.size())) &&
        FlushFileBuffers(output))
        return {};
    const DWORD error = GetLastError();
    if (writeAllAt(output, old, 0))
        cutAt(output, size.QuadPart);
    return Failure(because(cannot, error));
}

// A new file under a scratch name beside `file`, never over anything that is there.
Handle makeScratchBeside(const fs::path& file, fs::path& scratch)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        scratch = scratchNameBeside(file);
        Handle made(CreateFileW(scratch.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
        if (made.valid() || (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS))
            return made;
    }
    SetLastError(ERROR_FILE_EXISTS);
    return Handle();
}

PlatformResult<std::optional<OpenedFile>> openForReading(const fs::path& file, KeptBy keeper, std::uintmax_t largest,
                                                         const Cannot& cannot)
{
    const auto found = inspect(file, keeper, cannot);
    if (!found)
        return Failure(found.error());
    if (found.value() == Found::Nothing)
        return std::optional<OpenedFile>();
    if (found.value() == Found::Link)
        return Failure(cannot + ": it is a link, not followed");
    auto opened = openFound(file, found.value(), GENERIC_READ, cannot);
    if (!opened)
        return Failure(opened.error());
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(opened->get(), &size))
        return Failure(because(cannot, GetLastError()));
    if (static_cast<std::uintmax_t>(size.QuadPart) > largest)
        return Failure(cannot + ": " + tooLargeReason(largest));
    const int descriptor = _open_osfhandle(reinterpret_cast<intptr_t>(opened->get()), _O_RDONLY | _O_BINARY);
    if (descriptor < 0)
        return Failure(because(cannot, ERROR_TOO_MANY_OPEN_FILES));
    opened->release();
    return std::optional(OpenedFile{descriptor, static_cast<std::uintmax_t>(size.QuadPart)});
}

} // namespace

PlatformResult<OpenedFile> openKeptFile(const fs::path& file, KeptBy keeper, std::uintmax_t largest)
{
    const Cannot cannot{"Cannot read", file};
    auto opened = openForReading(file, keeper, largest, cannot);
    if (!opened)
        return Failure(opened.error());
    if (!opened.value())
        return Failure(because(cannot, ERROR_FILE_NOT_FOUND));
    return *opened.value();
}

PlatformResult<std::optional<std::string>> readKeptFile(const fs::path& file, KeptBy keeper, std::uintmax_t largest)
{
    const Cannot cannot{"Cannot read", file};
    auto opened = openForReading(file, keeper, largest, cannot);
    if (!opened)
        return Failure(opened.error());
    if (!opened.value())
        return std::optional<std::string>();
    const int descriptor = opened.value()->descriptor;
    std::string content(static_cast<std::size_t>(opened.value()->size), '\0');
    const bool whole = readAll(reinterpret_cast<HANDLE>(_get_osfhandle(descriptor)), content);
    const DWORD error = GetLastError();
    _close(descriptor);
    if (!whole)
        return Failure(because(cannot, error));
    return std::optional(std::move(content));
}

PlatformResult<void> checkKeptFile(const fs::path& file, KeptBy keeper)
{
    const Cannot cannot{"Cannot use", file};
    auto opened = openForReading(file, keeper, largestFileRead, cannot);
    if (!opened)
        return Failure(opened.error().substr(cannot.text().size() + 2));
    if (opened.value())
        _close(opened.value()->descriptor);
    return {};
}

PlatformResult<void> clearLinkFrom(const fs::path& file)
{
    const DWORD attributes = GetFileAttributesW(file.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES ||
        !(attributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY)))
        return {};
    if (!(attributes & FILE_ATTRIBUTE_REPARSE_POINT))
        return Failure(std::string("it is a folder"));
    if (!((attributes & FILE_ATTRIBUTE_DIRECTORY) ? RemoveDirectoryW(file.c_str()) : DeleteFileW(file.c_str())))
        return Failure(systemMessage(GetLastError()));
    return {};
}

PlatformResult<void> replaceWholeFile(const fs::path& file, std::string_view content, KeptBy keeper)
{
    const Cannot cannot{"Cannot write", file};
    const auto found = inspect(file, keeper, cannot);
    if (!found)
        return Failure(found.error());
    if (found.value() == Found::OwnLink || (found.value() == Found::SharedFile && keeper == KeptBy::User))
        return overwriteInPlace(file, found.value(), content, cannot);
    fs::path scratch;
    DWORD error = ERROR_SUCCESS;
    {
        const Handle written = makeScratchBeside(file, scratch);
        if (!written.valid()) {
            error = GetLastError();
            // A folder that takes no new file: a file of one name is written where it lies.
            if (found.value() == Found::File && error == ERROR_ACCESS_DENIED)
                return overwriteInPlace(file, found.value(), content, cannot);
            return Failure(because(cannot, error));
        }
        if (!writeAllAt(written.get(), content, 0))
            error = GetLastError() == ERROR_SUCCESS ? ERROR_WRITE_FAULT : GetLastError();
    }
    if (error == ERROR_SUCCESS && MoveFileExW(scratch.c_str(), file.c_str(), MOVEFILE_REPLACE_EXISTING))
        return {};
    if (error == ERROR_SUCCESS)
        error = GetLastError();
    DeleteFileW(scratch.c_str());
    return Failure(because(cannot, error));
}

PlatformResult<void> appendToFile(const fs::path& file, std::string_view content, KeptBy keeper)
{
    const Cannot cannot{"Cannot write", file};
    const auto found = inspect(file, keeper, cannot);
    if (!found)
        return Failure(found.error());
    // A link in place of the program's own file is removed, the link itself, and the file made afresh.
    if (found.value() == Found::Link && !DeleteFileW(file.c_str()) && !RemoveDirectoryW(file.c_str()))
        return Failure(because(cannot, GetLastError()));
    Handle output;
    if (found.value() == Found::Nothing || found.value() == Found::Link) {
        output = Handle(CreateFileW(file.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
        if (!output.valid())
            return Failure(because(cannot, GetLastError()));
    } else {
        auto opened = openFound(file, found.value(), GENERIC_READ | GENERIC_WRITE, cannot);
        if (!opened)
            return Failure(opened.error());
        output = std::move(opened).value();
    }
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(output.get(), &size))
        return Failure(because(cannot, GetLastError()));
    if (writeAllAt(output.get(), content, size.QuadPart) && (keeper != KeptBy::User || FlushFileBuffers(output.get())))
        return {};
    const DWORD error = GetLastError();
    cutAt(output.get(), size.QuadPart);
    return Failure(because(cannot, error));
}

PlatformResult<ScratchFile> makeScratchFile(const fs::path& file)
{
    const Cannot cannot{"Cannot write", file};
    if (auto folder = checkFolder(file, KeptBy::Program, cannot); !folder)
        return Failure(folder.error());
    fs::path scratch;
    Handle made = makeScratchBeside(file, scratch);
    if (!made.valid())
        return Failure(because(cannot, GetLastError()));
    const int descriptor = _open_osfhandle(reinterpret_cast<intptr_t>(made.get()), _O_WRONLY | _O_BINARY);
    if (descriptor < 0)
        return Failure(because(cannot, ERROR_TOO_MANY_OPEN_FILES));
    made.release();
    return ScratchFile{scratch, descriptor};
}

PlatformResult<void> makeOwnFolder(const fs::path& folder)
{
    const Cannot cannot{"Cannot make the folder", folder};
    const DWORD attributes = GetFileAttributesW(folder.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        if (!(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
            if (attributes & FILE_ATTRIBUTE_DIRECTORY)
                return {};
            return Failure(cannot + ": a file of that name is there");
        }
        // A link (or junction) in the folder's place: the link itself goes.
        if (!((attributes & FILE_ATTRIBUTE_DIRECTORY) ? RemoveDirectoryW(folder.c_str()) : DeleteFileW(folder.c_str())))
            return Failure(because(cannot, GetLastError()));
    }
    if (!CreateDirectoryW(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
        return Failure(because(cannot, GetLastError()));
    return {};
}

void sweepLeftovers(const fs::path& folder, std::initializer_list<std::string_view> names, KeptBy keeper)
{
    if (keeper == KeptBy::Program) {
        const DWORD attributes = GetFileAttributesW(folder.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT))
            return;
    }
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER before{};
    before.LowPart = now.dwLowDateTime;
    before.HighPart = now.dwHighDateTime;
    // Any write takes far less than an hour (in units of 100 ns).
    before.QuadPart -= 60ull * 60 * 10000000;
    WIN32_FIND_DATAW entry;
    const HANDLE search = FindFirstFileW((folder / L"*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        const fs::path path = folder / entry.cFileName;
        const std::string name = path.filename().string();
        bool ours = false;
        for (const std::string_view own : names)
            ours = ours || isScratchNameOf(name, own);
        ULARGE_INTEGER written{};
        written.LowPart = entry.ftLastWriteTime.dwLowDateTime;
        written.HighPart = entry.ftLastWriteTime.dwHighDateTime;
        if (!ours || (entry.dwFileAttributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY)) ||
            written.QuadPart >= before.QuadPart)
            continue;
        bool removable = false;
        {
            const Handle opened = openEntry(path);
            BY_HANDLE_FILE_INFORMATION information{};
            removable = opened.valid() && GetFileInformationByHandle(opened.get(), &information) &&
                        !(information.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) &&
                        information.nNumberOfLinks == 1 && ownedByCurrentUser(opened.get());
        }
        if (removable)
            DeleteFileW(path.c_str());
    } while (FindNextFileW(search, &entry));
    FindClose(search);
}

} // namespace Orvane
