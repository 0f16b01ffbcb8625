// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "platform/CommandProcessor.h"

#include "platform/CommandLine.h"
#include "platform/Files.h"
#include "platform/ProgramRun.h"
#include "platform/ProgramSearch.h"
#include "platform/Utf8Path.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <sstream>

namespace Orvane
{

static std::string_view trimBlanks(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

static bool startsWithIgnoringCase(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
           });
}

CommandProcessorLine parseCommandProcessorLine(std::string_view line)
{
    constexpr std::string_view prefix = "COMMAND.COM /C ";
    CommandProcessorLine result;
    const std::string_view trimmed = trimBlanks(line);
    if (!startsWithIgnoringCase(trimmed, prefix)) {
        result.command = std::string(line);
        return result;
    }
    const std::string_view rest = trimmed.substr(prefix.size());
    bool quoted = false;
    std::size_t redirection = std::string_view::npos;
    for (std::size_t index = 0; index < rest.size(); ++index) {
        if (rest[index] == '"')
            quoted = !quoted;
        else if (rest[index] == '>' && !quoted) {
            redirection = index;
            break;
        }
    }
    if (redirection == std::string_view::npos) {
        result.command = std::string(trimBlanks(rest));
        return result;
    }
    result.command = std::string(trimBlanks(rest.substr(0, redirection)));
    std::string_view target = rest.substr(redirection + 1);
    if (!target.empty() && target.front() == '>') {
        result.append = true;
        target.remove_prefix(1);
    }
    target = trimBlanks(target);
    if (target.size() >= 2 && target.front() == '"' && target.back() == '"')
        target = target.substr(1, target.size() - 2);
    result.redirectionFile = std::string(target);
    return result;
}

RedirectionFiles redirectionFiles(const CommandProcessorLine& line, const std::filesystem::path& workingFolder,
                                  Redirection redirection)
{
    RedirectionFiles files;
    if (line.redirectionFile.empty())
        return files;
    std::filesystem::path target = pathFromUtf8(line.redirectionFile);
    if (target.is_relative())
        target = workingFolder / target;
    files.target = findEntryIgnoringCase(target.parent_path(), target.filename().string()).value_or(target);
    // Appending keeps what the file held, so there is nothing to protect by staging.
    files.staged = redirection == Redirection::Staged && !line.append;
    files.writeTo = files.target;
    return files;
}

PlatformResult<int> makeStagedOutput(RedirectionFiles& files)
{
    auto beside = makeScratchFile(files.target);
    std::error_code error;
    if (!beside && std::filesystem::exists(std::filesystem::symlink_status(files.target, error))) {
        const std::filesystem::path folder = std::filesystem::temp_directory_path(error);
        if (!error) {
            if (auto temporary = makeScratchFile(folder / pathFromUtf8("orvane-" + files.target.filename().string())))
                beside = std::move(temporary);
        }
    }
    if (!beside)
        return Failure(beside.error());
    files.writeTo = beside->path;
    return beside->descriptor;
}

PlatformResult<void> commitStagedOutput(RedirectionFiles& files)
{
    if (!files.staged)
        return {};
    const auto content = readKeptFile(files.writeTo, KeptBy::Program);
    if (!content || !content.value())
        return Failure(content ? "Cannot read " + shownPath(files.writeTo) + ": it is gone" : content.error());
    if (auto written = replaceWholeFile(files.target, *content.value(), KeptBy::User); !written)
        return written;
    discardStagedOutput(files);
    return {};
}

void discardStagedOutput(RedirectionFiles& files)
{
    if (!files.staged)
        return;
    std::error_code ignored;
    std::filesystem::remove(files.writeTo, ignored);
    files.staged = false;
}

} // namespace Orvane
