// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include "platform/Result.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace Orvane
{

// Where a program named without a folder is looked for, in this order.
struct SearchPlaces
{
    std::filesystem::path programFolder;
    std::filesystem::path currentFolder;
    std::string pathVariable; // the PATH environment variable as it is
};

// The search places of the running process: the given program folder, the current folder and PATH.
SearchPlaces currentSearchPlaces(const std::filesystem::path& programFolder);

// Names that users bring over from Windows keep their Windows spelling, whatever the case on disk. Returns the
// entry of `folder` named `name`: the exact name when it exists, otherwise the first (in byte order) entry whose
// name matches it without regard to letter case.
std::optional<std::filesystem::path> findEntryIgnoringCase(const std::filesystem::path& folder, std::string_view name);

bool isExecutableFile(const std::filesystem::path& path);

// A program is a regular executable file named `name` or `name` followed by ".exe", in any letter case. A name
// with a folder separator is a path (relative to the current folder); otherwise the program folder, the current
// folder and each folder of PATH are searched in turn.
std::optional<std::filesystem::path> findProgram(std::string_view name, const SearchPlaces& places);

struct ResolvedCommand
{
    std::filesystem::path program;
    std::vector<std::string> arguments; // without the program name
};

// Finds the program of a Windows command line and splits its arguments. An unquoted program name with blanks is
// resolved as Windows does: the shortest run of words that names an existing program wins and the rest of the
// line is its arguments.
PlatformResult<ResolvedCommand> resolveCommandLine(std::string_view commandLine, const SearchPlaces& places);

} // namespace Orvane
