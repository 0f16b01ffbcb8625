// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
// The bridge: installed in Orvane's program folder as MESS.EXE, it takes the classic emulator's command line and
// drives today's emulator. See BridgeRules.h for its settings file and the README for where it keeps its files.
#include "bridge/ArchiveEntries.h"
#include "bridge/BridgeRules.h"
#include "bridge/EmulatorListings.h"
#include "bridge/ListingCache.h"

#include "platform/CommandLine.h"
#include "platform/ProgramRun.h"
#include "platform/ProgramSearch.h"
#include "platform/Utf8Path.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <thread>

namespace fs = std::filesystem;
using namespace Orvane;
using namespace Orvane::Bridge;

namespace
{

constexpr char aliasFileName[] = "bridge-aliases.txt";
constexpr char logFileName[] = "bridge.log";

// The log beside the bridge: Orvane starts a play without showing what the emulator says, so each play and each
// failure leaves its text there.
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

    // A refusal: the text on the error output, the same in the log, and the exit code that says so.
    int operator()(const std::string& message, int exitCode = 1) const
    {
        std::fprintf(stderr, "MESS: %s\n", message.c_str());
        write(message);
        return exitCode;
    }

private:
    fs::path m_path;
};

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

// The emulator's reason: the line that says it is fatal where there is one, else its last word (what comes first
// is often the sound system's chatter).
std::string endOf(const PlatformResult<ProcessOutcome>& run)
{
    if (!run)
        return run.error();
    std::string how = run->exitedNormally ? "ended with exit code " + std::to_string(run->exitCode)
                                          : "ended on signal " + std::to_string(run->signal);
    std::string said, fatal;
    std::string_view rest = run->errorOutput;
    while (!rest.empty()) {
        const std::size_t end = std::min(rest.find('\n'), rest.size());
        std::string_view line = rest.substr(0, end);
        rest.remove_prefix(std::min(end + 1, rest.size()));
        while (!line.empty() && (line.back() == '\r' || line.back() == ' '))
            line.remove_suffix(1);
        if (!line.empty())
            said = line;
        if (line.starts_with("Fatal error"))
            fatal = line;
    }
    if (!fatal.empty())
        said = fatal;
    return said.empty() ? how : how + ": " + said;
}

bool succeeded(const PlatformResult<ProcessOutcome>& run)
{
    return run && run->exitedNormally && run->exitCode == 0;
}

// One run of the emulator whose output is wanted as text: written to a file of this process's own in the system's
// temporary folder, read back and removed, so that two bridges at once never share it.
struct Answer
{
    PlatformResult<ProcessOutcome> run = Failure(std::string("not run"));
    std::string output;
};
Answer ask(const fs::path& emulator, std::vector<std::string> arguments, const fs::path& folder)
{
    std::error_code error;
    fs::path temporary = fs::temp_directory_path(error);
    if (error)
        temporary = "/tmp";
    const fs::path file = uniqueName(temporary / "orvane-bridge-answer.txt");
    Answer answer{runAndWait({emulator, std::move(arguments), folder, file}), {}};
    if (auto text = readWholeFile(file))
        answer.output = std::move(text).value();
    fs::remove(file, error);
    return answer;
}

// The two listings, from the cache when the emulator is the one that made them and they are whole, else from the
// emulator, both at once (the media listing takes several seconds).
PlatformResult<Listings> emulatorListings(const fs::path& emulator, const fs::path& bridgeFolder, const Log& log)
{
    const ListingCache cache(bridgeFolder);
    const Answer version = ask(emulator, {"-version"}, emulator.parent_path());
    const std::string identity = emulatorIdentity(emulator) + (succeeded(version.run) ? version.output : "\n");
    if (auto kept = cache.listings(identity))
        return std::move(kept).value();

    Answer media, full;
    std::thread mediaThread([&] { media = ask(emulator, {"-listmedia"}, bridgeFolder); });
    full = ask(emulator, {"-listfull"}, bridgeFolder);
    mediaThread.join();
    if (!succeeded(full.run))
        return Failure(emulator.string() + " -listfull " + endOf(full.run));
    if (!succeeded(media.run))
        return Failure(emulator.string() + " -listmedia " + endOf(media.run));
    if (const std::size_t line = firstStrangeListFullLine(full.output))
        return Failure(emulator.string() + " -listfull printed what is no listing (line " + std::to_string(line) + ")");
    if (const std::size_t line = firstStrangeListMediaLine(media.output))
        return Failure(emulator.string() + " -listmedia printed what is no listing (line " + std::to_string(line) +
                       ")");
    Listings listings{std::move(full.output), std::move(media.output)};
    // Without a cache the listings are asked for afresh next time: nothing is lost.
    if (const auto kept = cache.keep(identity, listings); !kept)
        log.write("the listings are not kept: " + kept.error());
    return listings;
}

int listFull(const fs::path& emulator, const fs::path& bridgeFolder, const Log& fail)
{
    const auto listings = emulatorListings(emulator, bridgeFolder, fail);
    if (!listings)
        return fail(listings.error());
    const Listings& lists = listings.value();
    const fs::path aliasFile = bridgeFolder / aliasFileName;
    const std::string oldAliases = readWholeFile(aliasFile).ok() ? readWholeFile(aliasFile).value() : std::string();
    AliasTable aliases = AliasTable::parse(oldAliases);
    const std::vector<EmulatorSystem> systems = parseListFull(lists.full);
    const std::string catalogue = classicCatalogue(systems, parseListMedia(lists.media), aliases);
    if (catalogue.find('\n') == catalogue.size() - 1)
        return fail(emulator.string() + " listed no system that takes media");
    // The aliases are kept before the catalogue that uses them goes out; unchanged, they need no writing (the
    // program folder may be read-only).
    if (const std::string text = aliases.text(); text != oldAliases) {
        if (const auto kept = replaceWholeFile(aliasFile, text); !kept)
            return fail(kept.error());
    }
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

// A play that failed or was refused: its text on the error output and in the log, and in a window on the user's
// display titled with the system's description (Orvane itself shows nothing once a play has started).
class PlayFailure
{
public:
    PlayFailure(const Log& log, fs::path bridgeFolder) : m_log(log), m_bridgeFolder(std::move(bridgeFolder)) {}

    void setTitle(std::string title) { m_title = std::move(title); }
    // Once the system is known, the window is titled with its description, looked up only if a play fails.
    void describeFrom(const std::string& identity, const std::string& system)
    {
        m_identity = identity;
        m_system = system;
    }

    int operator()(const std::string& text, int exitCode = 1) const
    {
        m_log(text, exitCode);
        std::string title = m_title;
        if (!m_system.empty()) {
            title = m_system;
            if (const auto listing = ListingCache(m_bridgeFolder).fullListing(m_identity)) {
                for (const EmulatorSystem& system : parseListFull(listing.value())) {
                    if (system.name == m_system)
                        title = system.description;
                }
            }
        }
        // Scripts and tests that run the bridge themselves read its error output instead.
        if (processEnvironment("ORVANE_BRIDGE_NO_WINDOW"))
            return exitCode;
        if (const auto shown = showMessageWindow(title, text, m_bridgeFolder); !shown)
            m_log.write("no message window: " + shown.error());
        return exitCode;
    }

private:
    const Log& m_log;
    fs::path m_bridgeFolder;
    std::string m_title = "MESS";
    std::string m_identity;
    std::string m_system;
};

// What the emulator's configuration says, from the cache while the ini files it read are unchanged, else from the
// emulator itself, asked in its own folder (where a Windows emulator's relative folders start).
EmulatorConfiguration emulatorConfiguration(const fs::path& emulator, const fs::path& bridgeFolder)
{
    const ListingCache cache(bridgeFolder);
    const std::string identity = emulatorIdentity(emulator);
    if (auto kept = cache.configuration(identity, emulator.parent_path()))
        return std::move(kept).value();
    const Answer config = ask(emulator, {"-showconfig"}, emulator.parent_path());
    if (!succeeded(config.run))
        return {};
    EmulatorConfiguration configuration{configuredValue(config.output, "rompath").value_or(std::string()),
                                        configuredValue(config.output, "inipath").value_or(std::string())};
    (void)cache.keepConfiguration(identity, emulator.parent_path(), configuration);
    return configuration;
}

int play(const std::vector<std::string>& arguments, const fs::path& emulator, const Settings& settings,
         const fs::path& bridgeFolder, PlayFailure& fail, const Log& log)
{
    const auto parsed = parsePlayArguments(arguments);
    if (!parsed)
        return fail(parsed.error());
    const PlayRequest& request = parsed.value();
    const auto aliasText = readWholeFile(bridgeFolder / aliasFileName);
    const AliasTable aliases = AliasTable::parse(aliasText ? aliasText.value() : std::string());
    const std::string system = aliases.systemFor(request.system);
    const ListingCache cache(bridgeFolder);
    const std::string identity = emulatorIdentity(emulator);

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

    // The media from the update's listing when it is whole, else from the emulator.
    std::vector<Media> media;
    if (const auto listing = cache.mediaListing(identity)) {
        media = systemMedia(listing.value(), system);
    } else {
        const Answer asked = ask(emulator, {"-listmedia", system}, programFolder);
        if (!succeeded(asked.run))
            return fail("the emulator does not know the system " + system + " (" + endOf(asked.run) + ")");
        media = systemMedia("\n" + asked.output, system);
    }
    fail.describeFrom(identity, system);
    if (media.empty())
        return fail("the system " + system + " takes no media");
    std::vector<std::string> entries;
    const std::string fileName = image->filename().string();
    if (isArchive(fileName)) {
        auto read = archiveEntries(*image);
        if (read)
            entries = std::move(read).value();
        else
            log.write(read.error());
    }
    const auto chosen = chooseMedia(system, media, fileName, entries);
    if (!chosen)
        return fail(chosen.error());
    if (!chosen->note.empty())
        log.write(fileName + ": " + chosen->media.name + " (" + chosen->note + ")");

    const EmulatorConfiguration configuration = emulatorConfiguration(emulator, bridgeFolder);
    const std::string emulatorFolder = emulator.parent_path().string();
    // The program folder's own folders are named relative to it, where the emulator runs: a ';' in the path
    // above them cannot split the list.
    const std::string romsName = roms.filename().string();
    const fs::path recordings = entryIn(programFolder, "INP").value_or(programFolder / "INP");
    // The emulator loads an archive's first file unless told which: the entry that decided the media is named
    // inside the archive, as a path through it, so a read-me packed before the game is never what it loads.
    std::string imagePath = fs::absolute(*image).string();
    if (!chosen->entry.empty())
        imagePath += "/" + chosen->entry;
    PlayStart start{system, chosen->media,         imagePath, {romsName}, {}, recordings.filename().string(), {},
                    {},     settings.playArguments};
    for (std::string& folder :
         expandedFolderList(configuration.romPath, emulatorFolder, processEnvironment, percentEnvironmentVariables))
        start.romFolders.push_back(std::move(folder));
    // A Windows emulator names its ini folders relative to its own folder ("inipath .;ini"): they are handed on
    // resolved, since it runs in the program folder.
    const std::vector<std::string> iniFolders =
        expandedFolderList(configuration.iniPath, {}, processEnvironment, percentEnvironmentVariables);
    if (std::any_of(iniFolders.begin(), iniFolders.end(),
                    [](const std::string& folder) { return pathFromUtf8(folder).is_relative(); })) {
        for (const std::string& folder :
             expandedFolderList(configuration.iniPath, emulatorFolder, processEnvironment, percentEnvironmentVariables))
            start.iniPath += (start.iniPath.empty() ? "" : ";") + folder;
    }
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
    std::string shown = shownArgument(emulator.string());
    for (const std::string& argument : emulatorLine)
        shown += " " + shownArgument(argument);
    log.write("playing: " + shown);
    const auto run = runAndWait({emulator, emulatorLine, programFolder, std::nullopt});
    if (!succeeded(run)) {
        std::vector<std::string> folders = start.romFolders;
        folders.front() = roms.string();
        return fail(
            playFailureText(emulator.string() + " " + endOf(run), missingFiles(run ? run->errorOutput : ""), folders),
            run && run->exitedNormally ? run->exitCode : 1);
    }
    log.write("played: " + system + " \"" + request.file + "\" ended with exit code 0");
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    const std::vector<std::string> arguments = programArguments(argc, argv);
    const fs::path bridgeFolder = runningProgramPath().parent_path();
    const Log log(bridgeFolder);
    const bool listing = arguments.size() == 1 && arguments.front() == "-listfull";
    // An update is Orvane's to report; a play's failure is shown here, since Orvane does not wait for it.
    PlayFailure playFailure(log, bridgeFolder);
    if (!arguments.empty() && !arguments.front().empty())
        playFailure.setTitle(arguments.front());
    const auto fail = [&](const std::string& text) { return listing ? log(text) : playFailure(text); };

    Settings settings;
    const fs::path settingsFile = bridgeFolder / settingsFileName;
    if (fs::exists(settingsFile)) {
        const auto text = readWholeFile(settingsFile);
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
    if (listing)
        return listFull(*emulator, bridgeFolder, log);
    return play(arguments, *emulator, settings, bridgeFolder, playFailure, log);
}
