// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "platform/Files.h"

#include "platform/ProgramRun.h"
#include "platform/ThisProgram.h"
#include "platform/Utf8Path.h"

#include <atomic>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace Orvane
{

std::string shownPath(const fs::path& file)
{
    fs::path shown = file;
    return shown.make_preferred().string();
}

PlatformResult<std::string> readWholeFile(const fs::path& file, std::uintmax_t largest)
{
    const std::string cannotRead = "Cannot read " + shownPath(file);
    std::error_code error;
    const fs::file_status status = fs::status(file, error);
    if (error)
        return Failure(cannotRead + ": " + error.message());
    if (!fs::is_regular_file(status))
        return Failure(cannotRead + ": it is no file");
    if (const std::uintmax_t size = fs::file_size(file, error); error || size > largest)
        return Failure(cannotRead + ": " +
                       (error ? error.message() : "it is larger than " + std::to_string(largest) + " bytes"));
    std::ifstream input(file, std::ios::binary);
    if (!input)
        return Failure(cannotRead);
    std::ostringstream content;
    content << input.rdbuf();
    if (input.bad())
        return Failure(cannotRead);
    return content.str();
}

fs::path scratchNameBeside(const fs::path& file)
{
    // The process's number tells it from other processes; the count, its own threads from each other.
    static std::atomic<unsigned> count{0};
    return file.parent_path() / pathFromUtf8(file.filename().string() + "." + std::to_string(currentProcessId()) + "-" +
                                             std::to_string(++count));
}

PlatformResult<void> replaceWholeFile(const fs::path& file, std::string_view content)
{
    std::error_code error;
    if (hasOtherLinks(file))
        return overwriteInPlace(file, content);
    const fs::path scratch = scratchNameBeside(file);
    if (auto made = writeNewFile(scratch, content); !made) {
        // A folder that takes no new file: the file is written where it lies.
        if (fs::is_regular_file(file, error) && !fs::exists(fs::symlink_status(scratch, error)))
            return overwriteInPlace(file, content);
        // The reason names the file the caller asked for, not the scratch name it never chose.
        const std::string scratchPrefix = "Cannot write " + shownPath(scratch);
        const std::string& reason = made.error();
        return Failure("Cannot write " + shownPath(file) +
                       (reason.starts_with(scratchPrefix) ? reason.substr(scratchPrefix.size()) : ": " + reason));
    }
    fs::rename(scratch, file, error);
    if (error) {
        std::error_code ignored;
        fs::remove(scratch, ignored);
        return Failure("Cannot write " + shownPath(file) + ": " + error.message());
    }
    return {};
}

} // namespace Orvane
