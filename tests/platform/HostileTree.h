// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

// What another user, or a careless one, may put where a file of Orvane's or the bridge's belongs, and the files of
// theirs that must come out of every operation byte for byte as they were. Shared by the platform's, the bridge's and
// the window's tests; no Qt.

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>
#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace HostileTree
{

enum class Plant
{
    LinkToVictim,
    LinkToSharedVictim, // a link to a file that has a second hard link
    DanglingLink,
    LinkLoop,
    Pipe,
    Folder,
    LinkToDevice,
};

inline const std::vector<std::pair<Plant, const char*>>& plants()
{
    static const std::vector<std::pair<Plant, const char*>> all{
        {Plant::LinkToVictim, "a link to a victim's file"},
        {Plant::LinkToSharedVictim, "a link to a victim's file with a second hard link"},
        {Plant::DanglingLink, "a dangling link"},
        {Plant::LinkLoop, "a link loop"},
        {Plant::Pipe, "a FIFO"},
        {Plant::Folder, "a folder"},
        {Plant::LinkToDevice, "a link to /dev/zero"},
    };
    return all;
}

// The victim's files: a diary, one with a second hard link, and names a sweep of leftovers might take for its own.
class Victim
{
public:
    explicit Victim(std::filesystem::path folder) : m_folder(std::move(folder))
    {
        std::filesystem::create_directories(m_folder);
        write("notes.txt", "my diary\n");
        write("shared.txt", "kept in two places\n");
        std::error_code error;
        std::filesystem::create_hard_link(m_folder / "shared.txt", m_folder / "shared copy.txt", error);
        for (const char* name : {"notes.1", "backup.2024-01-01", "game.zip.001", "syslog.1", "libfoo.so.6",
                                 "listfull.txt.999999-1", "identity.1-1"}) {
            write(name, std::string("old ") + name + "\n");
            std::filesystem::last_write_time(m_folder / name,
                                             std::filesystem::file_time_type::clock::now() - std::chrono::hours(48));
        }
    }

    const std::filesystem::path& folder() const { return m_folder; }
    std::filesystem::path file() const { return m_folder / "notes.txt"; }
    std::filesystem::path sharedFile() const { return m_folder / "shared.txt"; }

    // Every name, kind and byte under the folder, as one text to compare.
    std::string state() const
    {
        std::map<std::string, std::string> entries;
        std::error_code error;
        for (auto entry = std::filesystem::recursive_directory_iterator(m_folder, error);
             !error && entry != std::filesystem::recursive_directory_iterator(); entry.increment(error)) {
            std::ifstream input(entry->path(), std::ios::binary);
            std::stringstream content;
            if (entry->is_regular_file())
                content << input.rdbuf();
            entries[entry->path().lexically_relative(m_folder).generic_string()] =
                std::to_string(static_cast<int>(entry->symlink_status().type())) + ":" + content.str();
        }
        std::string text;
        for (const auto& [name, value] : entries)
            text += name + "=" + value + "\n";
        return text;
    }

private:
    void write(const std::string& name, const std::string& content)
    {
        std::ofstream(m_folder / name, std::ios::binary) << content;
    }

    std::filesystem::path m_folder;
};

// Puts the thing in `at`'s place (whatever was there goes). False when this system cannot make it (a FIFO on
// Windows, a link where links need a privilege): the case is then skipped.
inline bool plant(Plant what, const std::filesystem::path& at, const Victim& victim)
{
    std::error_code error;
    std::filesystem::remove_all(at, error);
    std::filesystem::create_directories(at.parent_path(), error);
    error.clear();
    switch (what) {
    case Plant::LinkToVictim:
        std::filesystem::create_symlink(victim.file(), at, error);
        break;
    case Plant::LinkToSharedVictim:
        std::filesystem::create_symlink(victim.sharedFile(), at, error);
        break;
    case Plant::DanglingLink:
        std::filesystem::create_symlink(victim.folder() / "not there", at, error);
        break;
    case Plant::LinkLoop:
        std::filesystem::create_symlink(at, at, error);
        break;
    case Plant::Pipe:
#ifdef _WIN32
        return false;
#else
        return ::mkfifo(at.c_str(), 0644) == 0;
#endif
    case Plant::Folder:
        std::filesystem::create_directory(at, error);
        break;
    case Plant::LinkToDevice:
#ifdef _WIN32
        return false;
#else
        std::filesystem::create_symlink("/dev/zero", at, error);
#endif
        break;
    }
    return !error;
}

// Whether the thing planted is a link.
inline bool isLink(Plant what)
{
    return what != Plant::Pipe && what != Plant::Folder;
}

// A link another user planted: as the administrator a test can make it theirs (the user nobody); otherwise it is
// the test's own, which a user's file follows by design, and the case cannot be told apart.
inline bool giveToAnotherUser(const std::filesystem::path& link)
{
#ifdef _WIN32
    (void)link;
    return false;
#else
    return ::geteuid() == 0 && ::lchown(link.c_str(), 65534, 65534) == 0;
#endif
}

// The processes still running whose program lies in this folder.
inline std::size_t processesFrom(const std::filesystem::path& folder)
{
    std::size_t count = 0;
#ifndef _WIN32
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/proc", error)) {
        std::error_code unreadable;
        const std::filesystem::path program = std::filesystem::read_symlink(entry.path() / "exe", unreadable);
        if (!unreadable && program.string().starts_with(folder.string()))
            ++count;
    }
#else
    (void)folder;
#endif
    return count;
}

} // namespace HostileTree
