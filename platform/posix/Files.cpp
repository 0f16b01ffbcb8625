// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "platform/Files.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace Orvane
{

namespace
{

class Descriptor
{
public:
    explicit Descriptor(int descriptor) : m_descriptor(descriptor) {}
    ~Descriptor()
    {
        if (m_descriptor >= 0)
            ::close(m_descriptor);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return m_descriptor; }

private:
    int m_descriptor;
};

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

std::string cannotWrite(const std::filesystem::path& file, int error)
{
    return "Cannot write " + shownPath(file) + ": " + std::strerror(error);
}

} // namespace

PlatformResult<void> appendInPlace(const std::filesystem::path& file, std::string_view content)
{
    const Descriptor output(::open(file.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK));
    struct stat status;
    if (output.get() < 0 || ::fstat(output.get(), &status) != 0)
        return Failure(cannotWrite(file, errno));
    if (!S_ISREG(status.st_mode))
        return Failure("Cannot write " + shownPath(file) + ": not a file");
    if (writeAllAt(output.get(), content, status.st_size) && ::fsync(output.get()) == 0)
        return {};
    const int error = errno;
    [[maybe_unused]] const int cut = ::ftruncate(output.get(), status.st_size);
    return Failure(cannotWrite(file, error));
}

PlatformResult<void> overwriteInPlace(const std::filesystem::path& file, std::string_view content)
{
    const Descriptor output(::open(file.c_str(), O_RDWR | O_CLOEXEC | O_NONBLOCK));
    struct stat status;
    if (output.get() < 0 || ::fstat(output.get(), &status) != 0)
        return Failure(cannotWrite(file, errno));
    if (!S_ISREG(status.st_mode))
        return Failure("Cannot write " + shownPath(file) + ": not a file");
    std::string old(static_cast<std::size_t>(status.st_size), '\0');
    for (std::size_t done = 0; done < old.size();) {
        const ssize_t read = ::pread(output.get(), old.data() + done, old.size() - done, static_cast<off_t>(done));
        if (read < 0 && errno == EINTR)
            continue;
        if (read <= 0)
            return Failure("Cannot read " + shownPath(file) + ": " + std::strerror(read < 0 ? errno : EIO));
        done += static_cast<std::size_t>(read);
    }
    // The new content goes over the old; only once it is all there is the file cut to its length.
    if (writeAllAt(output.get(), content, 0) && ::ftruncate(output.get(), static_cast<off_t>(content.size())) == 0 &&
        ::fsync(output.get()) == 0)
        return {};
    const int error = errno;
    // Putting the old bytes back needs no more room than they took.
    if (writeAllAt(output.get(), old, 0)) {
        [[maybe_unused]] const int cut = ::ftruncate(output.get(), status.st_size);
    }
    return Failure(cannotWrite(file, error));
}

PlatformResult<void> writeNewFile(const std::filesystem::path& file, std::string_view content)
{
    const Descriptor written(::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644));
    if (written.get() < 0)
        return Failure(cannotWrite(file, errno));
    if (!writeAllAt(written.get(), content, 0)) {
        const int error = errno;
        ::unlink(file.c_str());
        return Failure(cannotWrite(file, error));
    }
    return {};
}

bool hasOtherLinks(const std::filesystem::path& file)
{
    struct stat status;
    return ::stat(file.c_str(), &status) == 0 && S_ISREG(status.st_mode) && status.st_nlink > 1;
}

} // namespace Orvane
