// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include "platform/Utf8Path.h"

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

// A folder of its own for one test, removed with everything in it at the end.
class TemporaryFolder
{
public:
    TemporaryFolder()
    {
        std::random_device random;
        m_path = std::filesystem::temp_directory_path() / ("orvane-test-" + std::to_string(random()));
        std::filesystem::create_directories(m_path);
    }
    ~TemporaryFolder()
    {
        std::error_code error;
        std::filesystem::remove_all(m_path, error);
    }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    const std::filesystem::path& path() const { return m_path; }

    std::filesystem::path write(const std::string& relativePath, const std::string& content, bool executable = false)
    {
        const std::filesystem::path file = m_path / Orvane::pathFromUtf8(relativePath);
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << content;
        if (executable)
            std::filesystem::permissions(file, std::filesystem::perms::owner_all | std::filesystem::perms::group_exec |
                                                   std::filesystem::perms::others_exec);
        return file;
    }

private:
    std::filesystem::path m_path;
};
