// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "bridge/BridgeRules.h"

#include "platform/CommandLine.h"
#include "platform/Utf8Path.h"

#include <cctype>
#include <cstdlib>

namespace Orvane::Bridge
{

namespace
{

std::string_view trimmed(std::string_view text)
{
    const std::size_t start = text.find_first_not_of(" \t\r");
    if (start == std::string_view::npos)
        return {};
    const std::size_t end = text.find_last_not_of(" \t\r");
    return text.substr(start, end - start + 1);
}

} // namespace

PlatformResult<Settings> parseSettings(std::string_view text)
{
    // Windows Notepad starts a UTF-8 file with a byte-order mark.
    if (text.starts_with("\xef\xbb\xbf"))
        text.remove_prefix(3);
    Settings settings;
    int number = 0;
    while (!text.empty()) {
        ++number;
        const std::size_t end = std::min(text.find('\n'), text.size());
        const std::string_view line = trimmed(text.substr(0, end));
        text.remove_prefix(std::min(end + 1, text.size()));
        if (line.empty() || line.front() == '#')
            continue;
        const std::size_t equals = line.find('=');
        const std::string_view key = equals == std::string_view::npos ? line : trimmed(line.substr(0, equals));
        std::string_view value = equals == std::string_view::npos ? "" : trimmed(line.substr(equals + 1));
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"' && key == "emulator")
            value = value.substr(1, value.size() - 2);
        if (equals != std::string_view::npos && key == "emulator")
            settings.emulator = std::string(value);
        else if (equals != std::string_view::npos && key == "play-arguments")
            settings.playArguments = splitArguments(value);
        else
            return Failure("line " + std::to_string(number) +
                           " is no setting (\"emulator=\" or \"play-arguments=\"): " + std::string(line));
    }
    return settings;
}

PlatformResult<PlayRequest> parsePlayArguments(const std::vector<std::string>& arguments)
{
    if (arguments.empty() || arguments.front().empty())
        return Failure(std::string("No image was chosen: pick an image in the list, then Play."));
    if (arguments.size() < 2 || arguments[1].empty())
        return Failure("no image file was given for the system " + arguments.front());
    PlayRequest request{arguments[0], arguments[1], {}, {}};
    if (arguments.size() == 2)
        return request;
    const std::string& option = arguments[2];
    if (option != "-record" && option != "-playback")
        return Failure("unknown argument \"" + option +
                       "\" (only -record NAME or -playback NAME may follow the image)");
    if (arguments.size() < 4 || arguments[3].empty())
        return Failure(option + " needs a recording name");
    if (arguments.size() > 4)
        return Failure("the recording name must be one word; \"" + arguments[4] + "\" follows \"" + arguments[3] +
                       "\"");
    (option == "-record" ? request.recordName : request.playbackName) = arguments[3];
    return request;
}

std::optional<std::string> configuredValue(std::string_view showConfig, std::string_view key)
{
    while (!showConfig.empty()) {
        const std::size_t end = std::min(showConfig.find('\n'), showConfig.size());
        const std::string_view line = trimmed(showConfig.substr(0, end));
        showConfig.remove_prefix(std::min(end + 1, showConfig.size()));
        if (line.starts_with(key) && line.size() > key.size() && (line[key.size()] == ' ' || line[key.size()] == '\t'))
            return std::string(trimmed(line.substr(key.size())));
    }
    return std::nullopt;
}

std::optional<std::string> processEnvironment(const std::string& name)
{
    const char* value = std::getenv(name.c_str());
    return value ? std::optional<std::string>(value) : std::nullopt;
}

namespace
{

bool isNameCharacter(char character)
{
    return std::isalnum(static_cast<unsigned char>(character)) || character == '_';
}

std::string expandedVariables(std::string_view text, EnvironmentLookup lookup, bool percentVariables)
{
    std::string result;
    for (std::size_t index = 0; index < text.size();) {
        const char character = text[index];
        std::size_t nameStart = 0, nameEnd = 0, next = 0;
        if (character == '$' && index + 1 < text.size() && text[index + 1] == '{') {
            const std::size_t close = text.find('}', index + 2);
            if (close != std::string_view::npos)
                nameStart = index + 2, nameEnd = close, next = close + 1;
        } else if (character == '$') {
            std::size_t end = index + 1;
            while (end < text.size() && isNameCharacter(text[end]))
                ++end;
            if (end > index + 1)
                nameStart = index + 1, nameEnd = end, next = end;
        } else if (character == '%' && percentVariables) {
            const std::size_t close = text.find('%', index + 1);
            if (close != std::string_view::npos && close > index + 1)
                nameStart = index + 1, nameEnd = close, next = close + 1;
        }
        if (next == 0) {
            result += character;
            ++index;
            continue;
        }
        result += lookup(std::string(text.substr(nameStart, nameEnd - nameStart))).value_or(std::string());
        index = next;
    }
    return result;
}

} // namespace

std::vector<std::string> expandedFolderList(std::string_view value, const std::string& base, EnvironmentLookup lookup,
                                            bool percentVariables)
{
    std::string unquoted;
    for (const char character : value) {
        if (character != '"')
            unquoted += character;
    }
    std::vector<std::string> folders;
    std::string_view rest = unquoted;
    while (true) {
        const std::size_t end = std::min(rest.find(';'), rest.size());
        std::string entry = expandedVariables(trimmed(rest.substr(0, end)), lookup, percentVariables);
        if (entry == "~" || entry.starts_with("~/"))
            entry = lookup("HOME").value_or(std::string()) + entry.substr(1);
        if (!entry.empty()) {
            const std::filesystem::path folder = pathFromUtf8(entry);
            folders.push_back(folder.has_root_directory() || folder.has_root_name() || base.empty()
                                  ? entry
                                  : (pathFromUtf8(base) / folder).lexically_normal().string());
        }
        if (end == rest.size())
            return folders;
        rest.remove_prefix(end + 1);
    }
}

std::vector<MissingFile> missingFiles(std::string_view errorOutput)
{
    std::vector<MissingFile> missing;
    while (!errorOutput.empty()) {
        const std::size_t end = std::min(errorOutput.find('\n'), errorOutput.size());
        const std::string_view line = trimmed(errorOutput.substr(0, end));
        errorOutput.remove_prefix(std::min(end + 1, errorOutput.size()));
        const std::size_t found = line.find(" NOT FOUND");
        if (found == std::string_view::npos || found == 0)
            continue;
        MissingFile file{std::string(line.substr(0, found)), {}};
        constexpr std::string_view tried = "(tried in ";
        if (const std::size_t sets = line.find(tried, found); sets != std::string_view::npos) {
            const std::string_view names = line.substr(sets + tried.size());
            file.set = std::string(names.substr(0, names.find_first_of(" )")));
        }
        missing.push_back(std::move(file));
    }
    return missing;
}

std::string playFailureText(const std::string& reason, const std::vector<MissingFile>& missing,
                            const std::vector<std::string>& romFolders)
{
    std::string text = reason;
    if (!missing.empty()) {
        text += "\n\nMissing files, and where each belongs:";
        // The program folder's ROMS lists a system's games: its system ROMs belong with the emulator's own.
        const std::string home = romFolders.size() > 1 ? romFolders[1] : romFolders.empty() ? "" : romFolders[0];
        for (const MissingFile& file : missing) {
            text += "\n  " + file.name;
            if (!file.set.empty() && !home.empty()) {
                const std::filesystem::path set = pathFromUtf8(home) / pathFromUtf8(file.set);
                text += ": " + (set / pathFromUtf8(file.name)).string() + " (or inside " + set.string() + ".zip)";
            }
        }
    }
    if (!romFolders.empty()) {
        text += "\n\nThe emulator looked for system ROMs in:";
        for (const std::string& folder : romFolders)
            text += "\n  " + folder;
    }
    return text;
}

std::vector<std::string> emulatorArguments(const PlayStart& start)
{
    std::string romPath;
    for (const std::string& folder : start.romFolders)
        romPath += (romPath.empty() ? "" : ";") + folder;
    std::vector<std::string> arguments{start.system, "-" + start.media.brief, start.imagePath, "-rompath", romPath};
    if (!start.iniPath.empty())
        arguments.insert(arguments.end(), {"-inipath", start.iniPath});
    arguments.insert(arguments.end(), {"-input_directory", start.recordingsFolder});
    if (!start.recordFile.empty())
        arguments.insert(arguments.end(), {"-record", start.recordFile});
    if (!start.playbackFile.empty())
        arguments.insert(arguments.end(), {"-playback", start.playbackFile});
    arguments.insert(arguments.end(), start.extraArguments.begin(), start.extraArguments.end());
    return arguments;
}

} // namespace Orvane::Bridge
