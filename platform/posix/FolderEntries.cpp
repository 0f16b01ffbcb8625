// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "platform/FolderEntries.h"

#include <cerrno>
#include <cstring>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

namespace Orvane
{

PlatformResult<void> forEachFileIn(const std::filesystem::path& folder,
                                   const std::function<bool(std::string_view)>& takeFile)
{
    DIR* const directory = opendir(folder.c_str());
    if (!directory)
        return Failure(std::string(std::strerror(errno)));
    const int folderDescriptor = dirfd(directory);
    int error = 0;
    for (;;) {
        errno = 0;
        const dirent* entry = readdir(directory);
        if (!entry) {
            error = errno;
            break;
        }
        const std::string_view name = entry->d_name;
        // A name that starts with a dot is hidden.
        if (name.front() == '.')
            continue;
        bool plainFile = entry->d_type == DT_REG;
        // A link, or a file system that does not say, is asked: a link counts as what it points to.
        if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
            struct stat status;
            plainFile = fstatat(folderDescriptor, entry->d_name, &status, 0) == 0 && S_ISREG(status.st_mode);
        }
        if (plainFile && !takeFile(name))
            break;
    }
    closedir(directory);
    if (error != 0)
        return Failure(std::string(std::strerror(error)));
    return {};
}

} // namespace Orvane
