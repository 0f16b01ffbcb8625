// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
// The bridge: installed in Orvane's program folder as MESS.EXE, it takes the classic emulator's command line and
// drives today's emulator. See BridgeRules.h for its settings file and the README for where it keeps its files.
#include "bridge/BridgeRules.h"
#include "bridge/EmulatorListings.h"

#include "platform/CommandLine.h"
#include "platform/ProgramRun.h"
#include "platform/ProgramSearch.h"
#include "platform/Utf8Path.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <sstream>
#include <thread>

namespace fs = std::filesystem;
using namespace Orvane;
using namespace Orvane::Bridge;

namespace
{

constexpr char aliasFileName[] = "bridge-aliases.txt";
constexpr char logFileName[] = "bridge.log";
constexpr char cacheFolderName[] = "bridge-cache";

// The log beside the bridge: Orvane starts a play without showing what the emulator says, so each play and each
// failure leaves a line there.
class Log
{
public:
    explicit Log(fs::path folder) : m_path(std::move(folder) / logFileName) {}

    void write(const std::string& message) const
    {
        const std::time_t now = std::time(nullptr);
        char stamp[32] = {};
        std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H:%M:%S", std::localtime(&now));
        std::ofstream(m_path, std::ios::app | std::ios::binary) << stamp << "  " << message << "\n";
    }

    // A refusal: one line on the error output, the same line in the log, and the exit code that says so.
    int operator()(const std::string& message) const
    {
        std::fprintf(stderr, "MESS: %s\n", message.c_str());
        write(message);
        return 1;
    }

private:
    fs::path m_path;
};
PlatformResult<std::string> readFile(const fs::path& path)
{
    std::ifstream input(path, std::ios::binary);
    std::stringstream content;
    if (!input || !(content << input.rdbuf()))
        return Failure("cannot read " + path.string());
    return content.str();
}

// Written beside the file and moved onto it, so a failure leaves the old one whole.
PlatformResult<void> replaceFile(const fs::path& path, std::string_view content)
{
    const fs::path written = path.parent_path() / pathFromUtf8(path.filename().string() + ".new");
    {
        std::ofstream output(written, std::ios::binary | std::ios::trunc);
        if (!output || !output.write(content.data(), static_cast<std::streamsize>(content.size())) || !output.flush())
            return Failure("cannot write " + written.string());
    }
    std::error_code error;
    fs::rename(written, path, error);
    if (error)
        return Failure("cannot replace " + path.string() + ": " + error.message());
    return {};
}

// The file's text, or nothing when it is missing or unreadable: for files the bridge can do without.
std::string textOrNothing(const fs::path& path)
{
    auto text = readFile(path);
    return text ? std::move(text).value() : std::string();
}

// The emulator: the one the settings name, else "mame" found as Orvane finds programs, else where Debian puts it.
std::optional<fs::path> findEmulator(const Settings& settings, const fs::path& bridgeFolder)
{
    const SearchPlaces places = currentSearchPlaces(bridgeFolder);
    if (!settings.emulator.empty())
        return findProgram(settings.emulator, places);
    if (auto found = findProgram("mame", places))
        return found;
    if (isExecutableFile("/usr/games/mame"))
        return fs::path("/usr/games/mame");
    return std::nullopt;
}

std::string endOf(const PlatformResult<ProcessOutcome>& run)
{
    if (!run)
        return run.error();
    std::string how = run->exitedNormally ? "ended with exit code " + std::to_string(run->exitCode)
                                          : "ended on signal " + std::to_string(run->signal);
    // The reason is the emulator's last word; what comes first is often the sound system's chatter.
    std::string said;
    std::istringstream lines(run->errorOutput);
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty())
            said = line;
    }
    return said.empty() ? how : how + ": " + said;
}

bool succeeded(const PlatformResult<ProcessOutcome>& run)
{
    return run && run->exitedNormally && run->exitCode == 0;
}

// What identifies the emulator's build: its path, size and time. Its listings depend on nothing else.
std::string emulatorIdentity(const fs::path& emulator)
{
    std::error_code error;
    const fs::path real = fs::canonical(emulator, error);
    const fs::path& path = error ? emulator : real;
    const auto size = fs::file_size(path, error);
    const auto time = fs::last_write_time(path, error).time_since_epoch().count();
    return path.string() + "\n" + std::to_string(size) + "\n" + std::to_string(time) + "\n";
}

struct Listings
{
    std::string full;
    std::string media;
};

// The two listings, from the cache when the emulator is the one that made them, else from the emulator, both at
// once (the media listing takes several seconds).
PlatformResult<Listings> emulatorListings(const fs::path& emulator, const fs::path& bridgeFolder)
{
    const fs::path cache = bridgeFolder / cacheFolderName;
    const std::string identity = emulatorIdentity(emulator);
    if (const auto kept = readFile(cache / "identity"); kept && kept.value() == identity) {
        auto full = readFile(cache / "listfull.txt");
        auto media = readFile(cache / "listmedia.txt");
        if (full && media)
            return Listings{std::move(full).value(), std::move(media).value()};
    }
    std::error_code error;
    fs::create_directories(cache, error);
    if (error)
        return Failure("cannot make the folder " + cache.string() + ": " + error.message());
    fs::remove(cache / "identity", error);
    const fs::path fullFile = cache / "listfull.txt";
    const fs::path mediaFile = cache / "listmedia.txt";
    PlatformResult<ProcessOutcome> mediaRun = Failure(std::string("not run"));
    std::thread media([&] { mediaRun = runAndWait({emulator, {"-listmedia"}, bridgeFolder, mediaFile}); });
    const PlatformResult<ProcessOutcome> fullRun = runAndWait({emulator, {"-listfull"}, bridgeFolder, fullFile});
    media.join();
    if (!succeeded(fullRun))
        return Failure(emulator.string() + " -listfull " + endOf(fullRun));
    if (!succeeded(mediaRun))
        return Failure(emulator.string() + " -listmedia " + endOf(mediaRun));
    auto full = readFile(fullFile);
    if (!full)
        return Failure(full.error());
    auto mediaText = readFile(mediaFile);
    if (!mediaText)
        return Failure(mediaText.error());
    // Without the mark the listings are made afresh next time: nothing is lost.
    (void)replaceFile(cache / "identity", identity);
    return Listings{std::move(full).value(), std::move(mediaText).value()};
}

int listFull(const fs::path& emulator, const fs::path& bridgeFolder, const Log& fail)
{
    const auto listings = emulatorListings(emulator, bridgeFolder);
    if (!listings)
        return fail(listings.error());
    const Listings& lists = listings.value();
    const fs::path aliasFile = bridgeFolder / aliasFileName;
    AliasTable aliases = AliasTable::parse(textOrNothing(aliasFile));
    const std::vector<EmulatorSystem> systems = parseListFull(lists.full);
    const std::string catalogue = classicCatalogue(systems, parseListMedia(lists.media), aliases);
    if (catalogue.find('\n') == catalogue.size() - 1)
        return fail(emulator.string() + " listed no system that takes media");
    // The aliases are kept before the catalogue that uses them goes out.
    if (const auto kept = replaceFile(aliasFile, aliases.text()); !kept)
        return fail(kept.error());
    if (!writeStandardOutput(catalogue))
        return fail("cannot write the catalogue to the standard output");
    return 0;
}

// The file `name` in `folder`, in any letter case, as Orvane finds it.
std::optional<fs::path> entryIn(const fs::path& folder, const std::string& name)
{
    std::error_code error;
    auto found = findEntryIgnoringCase(folder, name);
    if (found && fs::exists(*found, error))
        return found;
    return std::nullopt;
}

int play(const std::vector<std::string>& arguments, const fs::path& emulator, const Settings& settings,
         const fs::path& bridgeFolder, const Log& fail)
{
    const auto parsed = parsePlayArguments(arguments);
    if (!parsed)
        return fail(parsed.error());
    const PlayRequest& request = parsed.value();
    const AliasTable aliases = AliasTable::parse(textOrNothing(bridgeFolder / aliasFileName));
    const std::string system = aliases.systemFor(request.system);

    std::error_code error;
    const fs::path programFolder = fs::current_path(error);
    const fs::path roms = entryIn(programFolder, "ROMS").value_or(programFolder / "ROMS");
    std::optional<fs::path> image;
    for (const std::string& folderName : {request.system, system}) {
        if (const auto folder = entryIn(roms, folderName)) {
            if ((image = entryIn(*folder, request.file)))
                break;
        }
    }
    if (!image)
        return fail("no image \"" + request.file + "\" in " + (roms / pathFromUtf8(request.system)).string());

    const fs::path mediaFile = bridgeFolder / cacheFolderName / "play-media.txt";
    fs::create_directories(mediaFile.parent_path(), error);
    const auto listing = runAndWait({emulator, {"-listmedia", system}, programFolder, mediaFile});
    if (!succeeded(listing))
        return fail("the emulator does not know the system " + system + " (" + endOf(listing) + ")");
    const auto media = parseListMedia(textOrNothing(mediaFile));
    const auto systemMedia = media.find(system);
    if (systemMedia == media.end())
        return fail("the system " + system + " takes no media");
    const std::optional<Media> chosen = mediaForFile(systemMedia->second, image->filename().string());
    if (!chosen) {
        std::string taken;
        for (const Media& entry : systemMedia->second)
            for (const std::string& extension : entry.extensions)
                taken += " ." + extension;
        return fail("no media of " + system + " takes the file " + image->filename().string() + " (it takes" + taken +
                    ")");
    }

    const fs::path configFile = bridgeFolder / cacheFolderName / "play-config.txt";
    const auto config = runAndWait({emulator, {"-showconfig"}, programFolder, configFile});
    const std::optional<std::string> ownRomPath =
        succeeded(config) ? configuredRomPath(textOrNothing(configFile)) : std::nullopt;
    const fs::path recordings = entryIn(programFolder, "INP").value_or(programFolder / "INP");

    PlayStart start{system, *chosen, fs::absolute(*image).string(), roms.string(), recordings.string(),
                    {},     {},      settings.playArguments};
    if (ownRomPath && !ownRomPath->empty())
        start.romPath += ";" + *ownRomPath;
    if (!request.recordName.empty()) {
        fs::create_directories(recordings, error);
        start.recordFile = request.recordName + ".inp";
    }
    if (!request.playbackName.empty()) {
        const auto recording = entryIn(recordings, request.playbackName + ".inp");
        if (!recording)
            return fail("no recording \"" + request.playbackName + ".inp\" in " + recordings.string());
        start.playbackFile = recording->filename().string();
    }
    const std::vector<std::string> emulatorLine = emulatorArguments(start);
    std::string shown = emulator.string();
    for (const std::string& argument : emulatorLine)
        shown += " " + quoteArgument(argument);
    fail.write("playing: " + shown);
    const auto run = runAndWait({emulator, emulatorLine, programFolder, std::nullopt});
    if (!succeeded(run)) {
        fail(emulator.string() + " " + endOf(run));
        return run && run->exitedNormally ? run->exitCode : 1;
    }
    fail.write("played: " + system + " \"" + request.file + "\" ended with exit code 0");
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    const std::vector<std::string> arguments = programArguments(argc, argv);
    const fs::path bridgeFolder = runningProgramPath().parent_path();
    const Log fail(bridgeFolder);

    Settings settings;
    const fs::path settingsFile = bridgeFolder / settingsFileName;
    if (fs::exists(settingsFile)) {
        const auto text = readFile(settingsFile);
        if (!text)
            return fail(text.error());
        auto parsed = parseSettings(text.value());
        if (!parsed)
            return fail(settingsFile.string() + ": " + parsed.error());
        settings = std::move(parsed).value();
    }
    const std::optional<fs::path> emulator = findEmulator(settings, bridgeFolder);
    if (!emulator)
        return fail(settings.emulator.empty()
                        ? std::string("no emulator: \"mame\" is neither on PATH nor in /usr/games; name it in ") +
                              settingsFile.string()
                        : "no emulator \"" + settings.emulator + "\", which " + settingsFile.string() + " names");
    if (arguments.size() == 1 && arguments.front() == "-listfull")
        return listFull(*emulator, bridgeFolder, fail);
    return play(arguments, *emulator, settings, bridgeFolder, fail);
}
