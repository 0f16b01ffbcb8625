// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "platform/Files.h"

#include "platform/FailureWords.h"
#include "platform/Utf8Path.h"

#include <cerrno>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace fs = std::filesystem;

namespace Orvane
{

namespace
{

class Descriptor
{
public:
    explicit Descriptor(int descriptor = -1) : m_descriptor(descriptor) {}
    ~Descriptor()
    {
        if (m_descriptor >= 0)
            ::close(m_descriptor);
    }
    Descriptor(Descriptor&& other) noexcept : m_descriptor(std::exchange(other.m_descriptor, -1)) {}
    Descriptor& operator=(Descriptor&& other) noexcept
    {
        std::swap(m_descriptor, other.m_descriptor);
        return *this;
    }
    int get() const { return m_descriptor; }
    int release() { return std::exchange(m_descriptor, -1); }

private:
    int m_descriptor;
};

std::string because(const Cannot& cannot, int error)
{
    return cannot + ": " + std::strerror(error);
}

// What a kept file's place holds, when it is nothing refused.
enum class Found
{
    Nothing,
    File,       // a regular file with no other name
    SharedFile, // a regular file with other hard links
    Link,       // a link the keeper does not follow: the program's own file, replaced or removed
    OwnLink,    // a user's own link, followed
};

// The words for what stands where a file belongs but is none.
std::string kindOf(mode_t mode)
{
    if (S_ISDIR(mode))
        return "it is a folder";
    if (S_ISFIFO(mode))
        return "it is a pipe, not a file";
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return "it is a device, not a file";
    if (S_ISSOCK(mode))
        return "it is a socket, not a file";
    return "it is no regular file";
}

// A kept file's folder, opened, and the file's name in it. The program's own folder must be no link itself, so
// that a folder swapped for a link to someone else's never takes the program's files.
struct Place
{
    Descriptor folder;
    std::string name;
};

PlatformResult<Place> placeOf(const fs::path& file, KeptBy keeper, const Cannot& cannot, int* failedWith = nullptr)
{
    if (failedWith)
        *failedWith = 0;
    Place place;
    place.name = file.filename().string();
    if (place.name.empty() || place.name == "." || place.name == "..")
        return Failure(cannot + ": it names a folder, not a file");
    const fs::path folder = file.parent_path().empty() ? fs::path(".") : file.parent_path();
    const std::string folderName = folder.filename().string();
    if (keeper == KeptBy::Program && !folderName.empty() && folderName != "." && folderName != "..") {
        const fs::path above = folder.parent_path().empty() ? fs::path(".") : folder.parent_path();
        const Descriptor outer(::open(above.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (outer.get() < 0 && failedWith)
            *failedWith = errno;
        if (outer.get() < 0)
            return Failure(because(cannot, errno));
        place.folder =
            Descriptor(::openat(outer.get(), folderName.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
        if (place.folder.get() < 0) {
            struct stat status;
            const int error = errno;
            if (::fstatat(outer.get(), folderName.c_str(), &status, AT_SYMLINK_NOFOLLOW) == 0 &&
                S_ISLNK(status.st_mode))
                return Failure(cannot + ": its folder " + shownPath(folder) + " is a link, not followed");
            return Failure(because(cannot, error));
        }
        return place;
    }
    place.folder = Descriptor(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (place.folder.get() < 0 && failedWith)
        *failedWith = errno;
    if (place.folder.get() < 0)
        return Failure(because(cannot, errno));
    return place;
}

PlatformResult<Found> inspect(const Place& place, KeptBy keeper, const Cannot& cannot)
{
    struct stat status;
    if (::fstatat(place.folder.get(), place.name.c_str(), &status, AT_SYMLINK_NOFOLLOW) != 0) {
        if (errno == ENOENT)
            return Found::Nothing;
        return Failure(because(cannot, errno));
    }
    if (S_ISLNK(status.st_mode)) {
        if (keeper == KeptBy::Program)
            return Found::Link;
        // As the kernel trusts a link in a shared folder only for its owner: a link of the user's own (to a synced
        // folder, say) is followed; one that someone else put there is not.
        if (status.st_uid != ::geteuid())
            return Failure(cannot + ": it is a link that belongs to another user, not followed");
        return Found::OwnLink;
    }
    if (!S_ISREG(status.st_mode))
        return Failure(cannot + ": " + kindOf(status.st_mode));
    return status.st_nlink > 1 ? Found::SharedFile : Found::File;
}

// Opens the file found in its place; a followed link must lead to a regular file, and nothing that is not one is
// ever waited on (a pipe opens at once, without a writer, and is then refused).
PlatformResult<Descriptor> openFound(const Place& place, Found found, int flags, const Cannot& cannot,
                                     struct stat& status)
{
    const int follow = found == Found::OwnLink ? 0 : O_NOFOLLOW;
    Descriptor opened(::openat(place.folder.get(), place.name.c_str(), flags | follow | O_NONBLOCK | O_CLOEXEC));
    if (opened.get() < 0) {
        if (errno == ELOOP)
            return Failure(cannot + ": it is a link, not followed");
        return Failure(because(cannot, errno));
    }
    if (::fstat(opened.get(), &status) != 0)
        return Failure(because(cannot, errno));
    if (!S_ISREG(status.st_mode))
        return Failure(cannot + ": " + kindOf(status.st_mode));
    ::fcntl(opened.get(), F_SETFL, ::fcntl(opened.get(), F_GETFL) & ~O_NONBLOCK);
    return opened;
}

// Writes all of `content` at `offset`; false (errno set) when the system took less.
bool writeAllAt(int descriptor, std::string_view content, off_t offset)
{
    while (!content.empty()) {
        const ssize_t written = ::pwrite(descriptor, content.data(), content.size(), offset);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            if (written == 0)
                errno = ENOSPC;
            return false;
        }
        content.remove_prefix(static_cast<std::size_t>(written));
        offset += written;
    }
    return true;
}

bool readAllAt(int descriptor, std::string& into, off_t offset)
{
    for (std::size_t done = 0; done < into.size();) {
        const ssize_t got = ::pread(descriptor, into.data() + done, into.size() - done, offset + off_t(done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            if (got == 0)
                errno = EIO;
            return false;
        }
        done += static_cast<std::size_t>(got);
    }
    return true;
}

// Writing a file where it lies: the new content goes over the old, and only once it is all there is the file cut to
// its length; when it cannot be written whole, the old bytes go back (they need no more room than they took).
PlatformResult<void> overwriteInPlace(const Place& place, Found found, std::string_view content, const Cannot& cannot)
{
    struct stat status;
    auto opened = openFound(place, found, O_RDWR, cannot, status);
    if (!opened)
        return Failure(opened.error());
    const int output = opened->get();
    std::string old(static_cast<std::size_t>(status.st_size), '\0');
    if (!readAllAt(output, old, 0))
        return Failure(because(cannot, errno));
    if (writeAllAt(output, content, 0) && ::ftruncate(output, static_cast<off_t>(content.size())) == 0 &&
        ::fsync(output) == 0)
        return {};
    const int error = errno;
    if (writeAllAt(output, old, 0)) {
        [[maybe_unused]] const int cut = ::ftruncate(output, status.st_size);
    }
    return Failure(because(cannot, error));
}

// A new file under a scratch name in the place's folder, never over anything that is there; -1 with errno set when
// none can be made.
Descriptor makeScratchIn(const Place& place, mode_t mode, std::string& name)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = scratchNameBeside(fs::path(place.name)).string();
        Descriptor made(
            ::openat(place.folder.get(), name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode));
        // A leftover of an earlier process with this one's number: the next count is tried.
        if (made.get() >= 0 || errno != EEXIST)
            return made;
    }
    return Descriptor();
}

// Opens a kept file to read; nothing when there is none.
PlatformResult<std::optional<OpenedFile>> openForReading(const fs::path& file, KeptBy keeper, std::uintmax_t largest,
                                                         const Cannot& cannot)
{
    // No folder holds no file either.
    int failedWith = 0;
    auto place = placeOf(file, keeper, cannot, &failedWith);
    if (!place && failedWith == ENOENT)
        return std::optional<OpenedFile>();
    if (!place)
        return Failure(place.error());
    const auto found = inspect(place.value(), keeper, cannot);
    if (!found)
        return Failure(found.error());
    if (found.value() == Found::Nothing)
        return std::optional<OpenedFile>();
    if (found.value() == Found::Link)
        return Failure(cannot + ": it is a link, not followed");
    struct stat status;
    auto opened = openFound(place.value(), found.value(), O_RDONLY, cannot, status);
    if (!opened)
        return Failure(opened.error());
    const auto size = static_cast<std::uintmax_t>(status.st_size);
    if (size > largest)
        return Failure(cannot + ": " + tooLargeReason(largest));
    return std::optional(OpenedFile{opened->release(), size});
}

} // namespace

PlatformResult<OpenedFile> openKeptFile(const fs::path& file, KeptBy keeper, std::uintmax_t largest)
{
    const Cannot cannot{"Cannot read", file};
    auto opened = openForReading(file, keeper, largest, cannot);
    if (!opened)
        return Failure(opened.error());
    if (!opened.value())
        return Failure(because(cannot, ENOENT));
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
    const Descriptor input(opened.value()->descriptor);
    std::string content(static_cast<std::size_t>(opened.value()->size), '\0');
    if (!readAllAt(input.get(), content, 0))
        return Failure(because(cannot, errno));
    return std::optional(std::move(content));
}

PlatformResult<void> checkKeptFile(const fs::path& file, KeptBy keeper)
{
    const Cannot cannot{"Cannot use", file};
    auto opened = openForReading(file, keeper, largestFileRead, cannot);
    if (!opened)
        return Failure(opened.error().substr(cannot.text().size() + 2));
    if (opened.value())
        ::close(opened.value()->descriptor);
    return {};
}

PlatformResult<void> clearLinkFrom(const fs::path& file)
{
    auto place = placeOf(file, KeptBy::User, Cannot{"Cannot clear", file});
    if (!place)
        return {};
    struct stat status;
    if (::fstatat(place->folder.get(), place->name.c_str(), &status, AT_SYMLINK_NOFOLLOW) != 0 ||
        S_ISREG(status.st_mode))
        return {};
    if (!S_ISLNK(status.st_mode))
        return Failure(kindOf(status.st_mode));
    if (::unlinkat(place->folder.get(), place->name.c_str(), 0) != 0 && errno != ENOENT)
        return Failure(std::string(std::strerror(errno)));
    return {};
}

PlatformResult<void> replaceWholeFile(const fs::path& file, std::string_view content, KeptBy keeper)
{
    const Cannot cannot{"Cannot write", file};
    auto opened = placeOf(file, keeper, cannot);
    if (!opened)
        return Failure(opened.error());
    const Place& place = opened.value();
    const auto found = inspect(place, keeper, cannot);
    if (!found)
        return Failure(found.error());
    if (found.value() == Found::OwnLink || (found.value() == Found::SharedFile && keeper == KeptBy::User))
        return overwriteInPlace(place, found.value(), content, cannot);
    // A file replaced keeps who may read and write it.
    struct stat old;
    const bool replacing = found.value() == Found::File || found.value() == Found::SharedFile;
    const mode_t mode = replacing && ::fstatat(place.folder.get(), place.name.c_str(), &old, AT_SYMLINK_NOFOLLOW) == 0
                            ? old.st_mode & 07777
                            : 0644;
    std::string name;
    const Descriptor scratch = makeScratchIn(place, mode, name);
    if (scratch.get() < 0) {
        const int error = errno;
        // A folder that takes no new file: a file of one name is written where it lies.
        if (found.value() == Found::File && (error == EACCES || error == EPERM || error == EROFS))
            return overwriteInPlace(place, found.value(), content, cannot);
        return Failure(because(cannot, error));
    }
    if (replacing) {
        [[maybe_unused]] const int kept = ::fchmod(scratch.get(), mode);
    }
    if (!writeAllAt(scratch.get(), content, 0) ||
        ::renameat(place.folder.get(), name.c_str(), place.folder.get(), place.name.c_str()) != 0) {
        const int error = errno;
        ::unlinkat(place.folder.get(), name.c_str(), 0);
        return Failure(because(cannot, error));
    }
    return {};
}

PlatformResult<void> appendToFile(const fs::path& file, std::string_view content, KeptBy keeper)
{
    const Cannot cannot{"Cannot write", file};
    auto opened = placeOf(file, keeper, cannot);
    if (!opened)
        return Failure(opened.error());
    const Place& place = opened.value();
    auto found = inspect(place, keeper, cannot);
    if (!found)
        return Failure(found.error());
    // A link in place of the program's own file is removed, the link itself, and the file made afresh.
    if (found.value() == Found::Link && ::unlinkat(place.folder.get(), place.name.c_str(), 0) != 0 && errno != ENOENT)
        return Failure(because(cannot, errno));
    Descriptor output;
    off_t oldSize = 0;
    if (found.value() == Found::Nothing || found.value() == Found::Link) {
        output = Descriptor(::openat(place.folder.get(), place.name.c_str(),
                                     O_WRONLY | O_APPEND | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644));
        if (output.get() < 0)
            return Failure(because(cannot, errno));
    } else {
        struct stat status;
        auto existing = openFound(place, found.value(), O_WRONLY | O_APPEND, cannot, status);
        if (!existing)
            return Failure(existing.error());
        output = std::move(existing).value();
        oldSize = status.st_size;
    }
    for (std::string_view rest = content; !rest.empty();) {
        const ssize_t written = ::write(output.get(), rest.data(), rest.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            const int error = written == 0 ? ENOSPC : errno;
            [[maybe_unused]] const int cut = ::ftruncate(output.get(), oldSize);
            return Failure(because(cannot, error));
        }
        rest.remove_prefix(static_cast<std::size_t>(written));
    }
    if (keeper == KeptBy::User && ::fsync(output.get()) != 0) {
        const int error = errno;
        [[maybe_unused]] const int cut = ::ftruncate(output.get(), oldSize);
        return Failure(because(cannot, error));
    }
    return {};
}

PlatformResult<ScratchFile> makeScratchFile(const fs::path& file)
{
    const Cannot cannot{"Cannot write", file};
    auto place = placeOf(file, KeptBy::Program, cannot);
    if (!place)
        return Failure(place.error());
    std::string name;
    Descriptor made = makeScratchIn(place.value(), 0644, name);
    if (made.get() < 0)
        return Failure(because(cannot, errno));
    return ScratchFile{file.parent_path() / pathFromUtf8(name), made.release()};
}

PlatformResult<void> makeOwnFolder(const fs::path& folder)
{
    const Cannot cannot{"Cannot make the folder", folder};
    auto opened = placeOf(folder, KeptBy::User, cannot);
    if (!opened)
        return Failure(opened.error());
    const Place& place = opened.value();
    struct stat status;
    if (::fstatat(place.folder.get(), place.name.c_str(), &status, AT_SYMLINK_NOFOLLOW) == 0) {
        if (S_ISDIR(status.st_mode))
            return {};
        if (!S_ISLNK(status.st_mode))
            return Failure(cannot + ": " + kindOf(status.st_mode) + " of that name is there");
        if (::unlinkat(place.folder.get(), place.name.c_str(), 0) != 0 && errno != ENOENT)
            return Failure(because(cannot, errno));
    }
    if (::mkdirat(place.folder.get(), place.name.c_str(), 0755) != 0 && errno != EEXIST)
        return Failure(because(cannot, errno));
    return {};
}

void sweepLeftovers(const fs::path& folder, std::initializer_list<std::string_view> names, KeptBy keeper)
{
    // Any write takes far less than this: a scratch file this old is one no process will finish.
    const std::time_t before = std::time(nullptr) - 60 * 60;
    auto place = placeOf(folder / "x", keeper, Cannot{"Cannot clean", folder});
    if (!place)
        return;
    DIR* listing = ::fdopendir(::dup(place->folder.get()));
    if (!listing)
        return;
    while (const dirent* entry = ::readdir(listing)) {
        const std::string_view name = entry->d_name;
        bool ours = false;
        for (const std::string_view own : names)
            ours = ours || isScratchNameOf(name, own);
        struct stat status;
        if (ours && ::fstatat(place->folder.get(), entry->d_name, &status, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISREG(status.st_mode) && status.st_nlink == 1 && status.st_uid == ::geteuid() && status.st_mtime < before)
            ::unlinkat(place->folder.get(), entry->d_name, 0);
    }
    ::closedir(listing);
}

} // namespace Orvane
