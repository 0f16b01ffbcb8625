// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "platform/ProgramSearch.h"

#include "platform/CommandLine.h"
#include "platform/Utf8Path.h"

#include <algorithm>
#include <cstdlib>
#include <system_error>

namespace Orvane
{

namespace fs = std::filesystem;

static char foldCase(char character)
{
    return character >= 'A' && character <= 'Z' ? static_cast<char>(character - 'A' + 'a') : character;
}

static bool equalIgnoringCase(std::string_view left, std::string_view right)
{
    return left.size() == right.size() && std::equal(left.begin(), left.end(), right.begin(),
                                                     [](char a, char b) { return foldCase(a) == foldCase(b); });
}

static bool holdsFolderSeparator(std::string_view name)
{
    if (name.find('/') != std::string_view::npos)
        return true;
    return fs::path::preferred_separator == '\\' && name.find('\\') != std::string_view::npos;
}

SearchPlaces currentSearchPlaces(const fs::path& programFolder)
{
    SearchPlaces places;
    places.programFolder = programFolder;
    std::error_code error;
    places.currentFolder = fs::current_path(error);
#ifdef _WIN32
    // In UTF-8, as every text at this layer's boundary: the narrow environment is in the ANSI code page.
    if (const wchar_t* path = _wgetenv(L"PATH"))
        places.pathVariable = fs::path(path).string();
#else
    if (const char* path = std::getenv("PATH"))
        places.pathVariable = path;
#endif
    return places;
}

std::optional<fs::path> findEntryIgnoringCase(const fs::path& folder, std::string_view name)
{
    if (name.empty())
        return std::nullopt;
    std::error_code error;
    const fs::path exact = folder / pathFromUtf8(name);
    if (fs::exists(fs::symlink_status(exact, error)))
        return exact;
    std::optional<fs::path> best;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error)) {
        const fs::path candidate = entry->path();
        if (!equalIgnoringCase(candidate.filename().string(), name))
            continue;
        if (!best || candidate.filename().string() < best->filename().string())
            best = candidate;
    }
    return best;
}

bool isExecutableFile(const fs::path& path)
{
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (error || !fs::is_regular_file(status))
        return false;
    constexpr fs::perms anyExecute = fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec;
    return (status.permissions() & anyExecute) != fs::perms::none;
}

static std::optional<fs::path> findExecutableIn(const fs::path& folder, std::string_view name)
{
    if (name.empty() || folder.empty())
        return std::nullopt;
    const std::string withExtension = std::string(name) + ".exe";
    for (std::string_view candidate : {name, std::string_view(withExtension)}) {
        if (const auto found = findEntryIgnoringCase(folder, candidate); found && isExecutableFile(*found))
            return found;
    }
    return std::nullopt;
}

std::optional<fs::path> findProgram(std::string_view name, const SearchPlaces& places)
{
    if (name.empty())
        return std::nullopt;
    if (holdsFolderSeparator(name)) {
        fs::path path = pathFromUtf8(name);
        if (path.is_relative())
            path = places.currentFolder / path;
        return findExecutableIn(path.parent_path(), path.filename().string());
    }
    if (auto found = findExecutableIn(places.programFolder, name))
        return found;
    if (auto found = findExecutableIn(places.currentFolder, name))
        return found;
    constexpr char listSeparator = fs::path::preferred_separator == '\\' ? ';' : ':';
    std::string_view path = places.pathVariable;
    while (!path.empty()) {
        const std::size_t end = std::min(path.find(listSeparator), path.size());
        const std::string_view folder = path.substr(0, end);
        // An empty entry means the current folder, which has been searched already.
        if (!folder.empty()) {
            if (auto found = findExecutableIn(pathFromUtf8(folder), name))
                return found;
        }
        path.remove_prefix(std::min(end + 1, path.size()));
    }
    return std::nullopt;
}

PlatformResult<ResolvedCommand> resolveCommandLine(std::string_view commandLine, const SearchPlaces& places)
{
    const ProgramToken first = takeProgramToken(commandLine);
    if (first.name.empty())
        return Failure("The command line names no program.");
    if (first.quoted) {
        if (auto program = findProgram(first.name, places))
            return ResolvedCommand{*program, splitArguments(commandLine.substr(first.end))};
        return Failure("Cannot find the program \"" + first.name + "\".");
    }

    const std::size_t start = commandLine.find_first_not_of(" \t");
    std::size_t end = first.end;
    while (true) {
        const std::string_view candidate = commandLine.substr(start, end - start);
        if (candidate.find('"') != std::string_view::npos)
            break;
        if (auto program = findProgram(candidate, places))
            return ResolvedCommand{*program, splitArguments(commandLine.substr(end))};
        std::size_t next = end;
        while (next < commandLine.size() && isBlank(commandLine[next]))
            ++next;
        if (next == commandLine.size())
            break;
        end = next;
        while (end < commandLine.size() && !isBlank(commandLine[end]))
            ++end;
    }
    return Failure("Cannot find the program \"" + first.name + "\".");
}

} // namespace Orvane
