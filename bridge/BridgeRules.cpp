// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "bridge/BridgeRules.h"

#include "platform/CommandLine.h"

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
        const std::string_view value = equals == std::string_view::npos ? "" : trimmed(line.substr(equals + 1));
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
        return Failure(std::string("no system was given (nothing was selected in Orvane?)"));
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

std::optional<std::string> configuredRomPath(std::string_view showConfig)
{
    while (!showConfig.empty()) {
        const std::size_t end = std::min(showConfig.find('\n'), showConfig.size());
        const std::string_view line = trimmed(showConfig.substr(0, end));
        showConfig.remove_prefix(std::min(end + 1, showConfig.size()));
        if (line.substr(0, 7) == "rompath" && line.size() > 7 && (line[7] == ' ' || line[7] == '\t'))
            return std::string(trimmed(line.substr(7)));
    }
    return std::nullopt;
}

std::vector<std::string> emulatorArguments(const PlayStart& start)
{
    std::vector<std::string> arguments{start.system,  "-" + start.media.brief, start.imagePath,       "-rompath",
                                       start.romPath, "-input_directory",      start.recordingsFolder};
    if (!start.recordFile.empty())
        arguments.insert(arguments.end(), {"-record", start.recordFile});
    if (!start.playbackFile.empty())
        arguments.insert(arguments.end(), {"-playback", start.playbackFile});
    arguments.insert(arguments.end(), start.extraArguments.begin(), start.extraArguments.end());
    return arguments;
}

} // namespace Orvane::Bridge
