// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
// Reading a folder's files, on both sides of the platform layer.
#include "Check.h"
#include "TemporaryFolder.h"

#include "platform/FolderEntries.h"

#include <algorithm>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;
using Orvane::forEachFileIn;

namespace
{

std::vector<std::string> filesIn(const fs::path& folder, std::string* error = nullptr)
{
    std::vector<std::string> names;
    const auto listed = forEachFileIn(folder, [&](std::string_view name) {
        names.emplace_back(name);
        return true;
    });
    if (error)
        *error = listed.ok() ? std::string() : listed.error();
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

TEST_CASE("every plain file that is not hidden is read once, folders are not, and names come as they are spelt")
{
    TemporaryFolder root;
    root.write("images/a.bin", "a");
    root.write("images/B.ROM", "b");
    root.write("images/with blanks and $;'.zip", "z");
    root.write("images/empty", "");
    root.write("images/caf\xc3\xa9.bin", "c");
    root.write("images/sub/inner.bin", "i");
    std::vector<std::string> expected{"B.ROM", "a.bin", "caf\xc3\xa9.bin", "empty", "with blanks and $;'.zip"};
#ifdef _WIN32
    // On Windows the hidden and system marks hide a file.
    SetFileAttributesW(root.write("images/desktop.ini", "d").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    SetFileAttributesW(root.write("images/Thumbs.db", "t").c_str(), FILE_ATTRIBUTE_HIDDEN);
    SetFileAttributesW(root.write("images/system.bin", "s").c_str(), FILE_ATTRIBUTE_SYSTEM);
#else
    // On POSIX a leading dot does.
    root.write("images/.hidden", "h");
#endif
    std::string error = "unset";
    CHECK_EQUAL(filesIn(root.path() / "images", &error), expected);
    CHECK_EQUAL(error, std::string());
}

TEST_CASE("an empty folder gives nothing, a missing one says why")
{
    TemporaryFolder root;
    fs::create_directories(root.path() / "empty");
    std::string error = "unset";
    CHECK(filesIn(root.path() / "empty", &error).empty());
    CHECK_EQUAL(error, std::string());
    CHECK(filesIn(root.path() / "missing", &error).empty());
    CHECK(!error.empty());
    const fs::path file = root.write("file.bin", "f");
    CHECK(filesIn(file, &error).empty());
    CHECK(!error.empty());
}

TEST_CASE("a large folder is read whole")
{
    TemporaryFolder root;
    fs::create_directories(root.path() / "many");
    for (int index = 0; index < 3000; ++index)
        root.write("many/image " + std::to_string(index) + ".bin", "");
    CHECK_EQUAL(filesIn(root.path() / "many").size(), std::size_t(3000));
}

#ifndef _WIN32
TEST_CASE("links count as what they point to; pipes, sockets and broken links are no files")
{
    TemporaryFolder root;
    const fs::path folder = root.path() / "images";
    root.write("images/real.bin", "r");
    root.write("elsewhere/target.bin", "t");
    fs::create_symlink(root.path() / "elsewhere/target.bin", folder / "link.bin");
    fs::create_symlink(root.path() / "elsewhere", folder / "folder link");
    fs::create_symlink(folder / "nowhere", folder / "broken.bin");
    fs::create_symlink(folder / "loop.bin", folder / "loop.bin");
    CHECK(mkfifo((folder / "pipe.bin").c_str(), 0600) == 0);
    const int listening = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string socketPath = (folder / "socket.bin").string();
    if (socketPath.size() < sizeof address.sun_path) {
        std::copy(socketPath.begin(), socketPath.end(), address.sun_path);
        CHECK(bind(listening, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0);
    }
    close(listening);
    CHECK_EQUAL(filesIn(folder), (std::vector<std::string>{"link.bin", "real.bin"}));
}
#endif
