// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "platform/Files.h"

#include "platform/ThisProgram.h"
#include "platform/Utf8Path.h"

#include <atomic>

namespace fs = std::filesystem;

namespace Orvane
{

std::string tooLargeReason(std::uintmax_t largest)
{
    return "it is larger than " + std::to_string(largest / (1024 * 1024)) + " MB";
}

std::string shownPath(const fs::path& file)
{
    fs::path shown = file;
    return shown.make_preferred().string();
}

fs::path scratchNameBeside(const fs::path& file)
{
    // The process's number tells it from other processes; the count, its own threads from each other.
    static std::atomic<unsigned> count{0};
    return file.parent_path() / pathFromUtf8(file.filename().string() + "." + std::to_string(currentProcessId()) + "-" +
                                             std::to_string(++count));
}

bool isScratchNameOf(std::string_view candidate, std::string_view name)
{
    const std::size_t dot = candidate.rfind('.');
    if (dot == std::string_view::npos)
        return false;
    const std::string_view base = candidate.substr(0, dot);
    const std::string_view tail = candidate.substr(dot + 1);
    const std::size_t dash = tail.find('-');
    const auto digits = [](std::string_view part) {
        return !part.empty() && part.size() <= 20 && part.find_first_not_of("0123456789") == std::string_view::npos;
    };
    const bool named = name.ends_with('*')
                           ? base.size() >= name.size() && base.starts_with(name.substr(0, name.size() - 1))
                           : base == name;
    return named && dash != std::string_view::npos && digits(tail.substr(0, dash)) && digits(tail.substr(dash + 1));
}

} // namespace Orvane
