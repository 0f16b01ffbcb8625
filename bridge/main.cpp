// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
// The bridge: installed in Orvane's program folder as MESS.EXE, it takes the classic emulator's command line and
// drives today's emulator. See BridgeRules.h for its settings file and doc/bridge.md for where it keeps its files.
#include "bridge/ArchiveEntries.h"
#include "bridge/BridgeRules.h"
#include "bridge/EmulatorListings.h"
#include "bridge/ListingCache.h"
#include "bridge/PlayPlan.h"
#include "bridge/SoftwareLists.h"

#include "platform/Checksums.h"
#include "platform/CommandLine.h"
#include "platform/MessageWindow.h"
#include "platform/ProgramRun.h"
#include "platform/ProgramSearch.h"
#include "platform/SystemConventions.h"
#include "platform/ThisProgram.h"
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
// failure leaves its text there. It is the bridge's own file: never written through a link. A line of a message
// that runs over several starts with blanks, so that no text (a name with a line end in it, say) can pass for an
// entry of its own.
class Log
{
public:
    explicit Log(fs::path folder) : m_path(std::move(folder) / logFileName) {}

    void write(const std::string& message) const
    {
        const std::time_t now = std::time(nullptr);
        char stamp[32] = {};
        std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H:%M:%S", std::localtime(&now));
        std::string line = std::string(stamp) + "  ";
        for (const char character : message) {
            if (character == '\n')
                line += "\n                     ";
            else if (character != '\r')
                line += character;
        }
        if (const auto written = appendToFile(m_path, line + "\n", KeptBy::Program); !written)
            std::fprintf(stderr, "MESS: %s\n", written.error().c_str());
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
    // Killed by the bridge, it said nothing about why it ended: what it said last is its chatter.
    if (run->killed)
        return "was ended by the bridge: it had not ended " +
               std::string(run->timedOut ? "within its time" : "within the grace it was given");
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

// One run of the emulator whose output is wanted as text.
struct Answer
{
    PlatformResult<ProcessOutcome> run = Failure(std::string("not run"));
    std::string output;
};
Answer ask(const fs::path& emulator, std::vector<std::string> arguments, const fs::path& folder)
{
    ProgramRun run{emulator, std::move(arguments), folder, std::nullopt};
    run.keepOutput = true;
    Answer answer{runAndWait(run), {}};
    if (answer.run)
        answer.output = std::move(answer.run->output);
    return answer;
}

// The two listings, from the cache when the emulator is the one that made them and they are whole, else from the
// emulator, both at once (the media listing takes several seconds).
PlatformResult<Listings> emulatorListings(const fs::path& emulator, const fs::path& bridgeFolder, const Log& log)
{
    const ListingCache cache(bridgeFolder);
    cache.sweep();
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
    // Aliases that cannot be read are not given afresh: a favourite saved under an old alias would start another
    // system.
    const auto aliasText = readKeptFile(aliasFile, KeptBy::Program);
    if (!aliasText)
        return fail(aliasText.error());
    const std::string oldAliases = aliasText.value().value_or(std::string());
    AliasTable aliases = AliasTable::parse(oldAliases);
    const std::vector<EmulatorSystem> systems = parseListFull(lists.full);
    const std::string catalogue = classicCatalogue(systems, parseListMedia(lists.media), aliases);
    for (const std::string& line : aliases.dropped())
        fail.write(std::string(aliasFileName) + ": dropped the line " + line);
    if (catalogue.find('\n') == catalogue.size() - 1)
        return fail(emulator.string() + " listed no system that takes media");
    // The aliases are kept before the catalogue that uses them goes out; unchanged, they need no writing (the
    // program folder may be read-only).
    if (const std::string text = aliases.text(); text != oldAliases) {
        if (const auto kept = replaceWholeFile(aliasFile, text, KeptBy::Program); !kept)
            return fail(kept.error());
    }
    if (const auto written = writeStandardOutput(catalogue); !written)
        return fail("cannot write the catalogue to the standard output: " + written.error());
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
                                        configuredValue(config.output, "inipath").value_or(std::string()),
                                        configuredValue(config.output, "hashpath").value_or(std::string())};
    (void)cache.keepConfiguration(identity, emulator.parent_path(), configuration);
    return configuration;
}

// How long a play's emulator has to end on its own terms (saving its settings) when the bridge is asked to end.
constexpr std::chrono::seconds playEndingGrace(5);

// The system a play is for and its media: from the update's listing when it is whole, else from the emulator. An
// alias stands for its system only where the name asked for has no media of its own.
struct AskedSystem
{
    std::string system;
    std::vector<Media> media;
    std::string unknown; // why the emulator could not say, when it was asked and failed
};

AskedSystem askedSystem(const PlayRequest& request, const fs::path& emulator, const fs::path& programFolder,
                        const fs::path& bridgeFolder, const std::string& identity)
{
    const auto aliasText = readKeptFile(bridgeFolder / aliasFileName, KeptBy::Program);
    const AliasTable aliases = AliasTable::parse(aliasText ? aliasText.value().value_or(std::string()) : std::string());
    const auto mediaListing = ListingCache(bridgeFolder).mediaListing(identity);
    AskedSystem asked;
    const auto mediaOf = [&](const std::string& system) {
        if (mediaListing)
            return systemMedia(mediaListing.value(), system);
        const Answer answer = ask(emulator, {"-listmedia", system}, programFolder);
        if (!succeeded(answer.run)) {
            asked.unknown = "the emulator does not know the system " + system + " (" + endOf(answer.run) + ")";
            return std::vector<Media>();
        }
        asked.unknown.clear();
        return systemMedia("\n" + answer.output, system);
    };
    asked.media = mediaOf(request.system);
    asked.system = systemAskedFor(request.system, aliases, !asked.media.empty());
    if (asked.system != request.system)
        asked.media = mediaOf(asked.system);
    return asked;
}

// The image in the system's folder under ROMS, by the name asked for or by the alias's system.
std::optional<fs::path> imageAskedFor(const fs::path& romsFolder, const PlayRequest& request, const std::string& system)
{
    for (const std::string& folderName : {request.system, system}) {
        if (const auto folder = entryIn(romsFolder, folderName)) {
            if (auto image = entryIn(*folder, request.file))
                return image;
        }
    }
    return std::nullopt;
}

// What the emulator's software lists say of the images: the entries of every list the system takes, each list's
// index built once from the emulator's hash files into the cache (with `keptOnly`, only what the cache holds).
PlatformResult<std::vector<ListEntry>> systemEntries(const fs::path& emulator, const fs::path& bridgeFolder,
                                                     const std::string& system,
                                                     const EmulatorConfiguration& configuration, bool keptOnly)
{
    const ListingCache cache(bridgeFolder);
    const std::string identity = emulatorIdentity(emulator);
    auto lists = cache.systemLists(identity, system);
    if (!lists) {
        if (keptOnly)
            return Failure(lists.error());
        const Answer answer = ask(emulator, {"-listxml", system}, emulator.parent_path());
        if (!succeeded(answer.run))
            return Failure(emulator.string() + " -listxml " + system + " " + endOf(answer.run));
        lists = softwareListsOf(answer.output, system);
        if (!lists)
            return Failure(emulator.string() + " -listxml " + system + " printed what is no listing: " + lists.error());
        (void)cache.keepSystemLists(identity, system, lists.value());
    }
    const std::vector<std::string> folders = expandedFolderList(configuration.hashPath, emulator.parent_path().string(),
                                                                processEnvironment, percentEnvironmentVariables());
    std::vector<ListEntry> entries;
    for (const std::string& list : lists.value()) {
        // The list's file in the first folder of the hash path that holds one, as the emulator looks for it.
        for (const std::string& folder : folders) {
            const fs::path file = pathFromUtf8(folder) / pathFromUtf8(list + ".xml");
            std::error_code error;
            const auto size = fs::file_size(file, error);
            if (error)
                continue;
            const std::string source = file.string() + " " + std::to_string(size) + " " +
                                       std::to_string(fs::last_write_time(file, error).time_since_epoch().count());
            auto index = cache.listIndex(list, source);
            if (!index && keptOnly)
                break;
            if (!index) {
                index = indexOfListFile(file, list);
                if (!index)
                    return Failure(index.error());
                (void)cache.keepListIndex(list, source, index.value());
            }
            std::vector<ListEntry> listed = parseIndex(index.value());
            entries.insert(entries.end(), std::make_move_iterator(listed.begin()),
                           std::make_move_iterator(listed.end()));
            break;
        }
    }
    return entries;
}

// The image's content as the lists are matched against it: an archive by the file a play would load, a zip's by the
// CRC its directory stores, without unpacking it (but for a NES cartridge, whose header is no part of its ROMs).
PlatformResult<std::vector<ImagePart>> partsOf(const fs::path& image, const std::string& entry)
{
    constexpr std::size_t largestRead = 256 * 1024 * 1024;
    const std::string name = printableName(image.filename().string());
    if (!entry.empty()) {
        const bool cartridge = entry.size() > 4 && (entry.ends_with(".nes") || entry.ends_with(".NES"));
        if (const auto stored = zipStoredChecksum(image, entry); stored && !cartridge)
            return std::vector<ImagePart>{{{}, {}, stored->size, stored->crc}};
        auto bytes = archiveEntryBytes(image, entry, largestRead);
        if (!bytes)
            return Failure(name + " cannot be read: " + bytes.error());
        return imageParts(std::move(bytes).value());
    }
    std::ifstream input(image, std::ios::binary);
    if (!input)
        return Failure(name + " cannot be read");
    std::string bytes;
    char piece[256 * 1024];
    Crc32 crc;
    std::uint64_t size = 0;
    while (input.read(piece, sizeof piece) || input.gcount() > 0) {
        const std::string_view got(piece, static_cast<std::size_t>(input.gcount()));
        crc.add(got);
        size += got.size();
        // A file too large to hold is matched by its size and CRC alone.
        if (size <= largestRead)
            bytes.append(got);
    }
    if (input.bad())
        return Failure(name + " cannot be read");
    if (size > largestRead)
        return std::vector<ImagePart>{{{}, {}, size, crc.value()}};
    return imageParts(std::move(bytes));
}

// The entries of the lists that hold the image a play of `facts` would load.
PlatformResult<std::vector<ListEntry>> listedAs(const PlayFacts& facts, const std::string& entry,
                                                const fs::path& emulator, const fs::path& bridgeFolder, bool keptOnly)
{
    const auto parts = partsOf(*facts.image, entry);
    if (!parts)
        return Failure(parts.error());
    const auto entries = systemEntries(emulator, bridgeFolder, facts.system, facts.configuration, keptOnly);
    if (!entries)
        return Failure(entries.error());
    std::vector<ListEntry> found;
    for (const ListEntry* matched : matchingEntries(entries.value(), parts.value()))
        found.push_back(*matched);
    return found;
}

// Runs the planned play to its end and tells how it went: the exit code the bridge ends with.
int runPlay(const PlayFacts& facts, const PlayPlan& plan, const fs::path& emulator, const fs::path& programFolder,
            const fs::path& bridgeFolder, PlayFailure& fail, const Log& log)
{
    const PlayRequest& request = facts.request;
    for (const std::string& note : plan.notes)
        log.write(note);
    std::error_code error;
    if (!request.recordName.empty())
        fs::create_directories(facts.recordingsFolder, error);
    std::string shown = shownArgument(emulator.string());
    for (const std::string& argument : plan.arguments)
        shown += " " + shownArgument(argument);
    log.write("playing: " + printableName(shown));
    ProgramRun started{emulator, plan.arguments, programFolder, std::nullopt};
    started.endingGrace = playEndingGrace;
    const auto run = runAndWait(started);
    const std::string fileName = printableName(facts.image->filename().string());
    // Asked to end (a logout, say): the emulator was asked too, and how it ended is for the log, not a window.
    if (run && run->endRequested) {
        log.write("asked to end (signal " + std::to_string(run->endRequested) + "): " + facts.system + " \"" +
                  printableName(request.file) + "\" " + endOf(run));
        return 128 + run->endRequested;
    }
    if (!succeeded(run)) {
        // The title the lists know the image by, where they were read before: the message says which game it was.
        std::string shown = fileName;
        if (const auto listed = listedAs(facts, plan.choice.entry, emulator, bridgeFolder, true);
            listed && !listed.value().empty())
            shown += " (" + listed.value().front().description + ")";
        return fail(playFailureText(shown + " did not play: " + emulator.string() + " " + endOf(run),
                                    missingFiles(run ? run->errorOutput : ""), plan.romFolders),
                    run && run->exitedNormally ? run->exitCode : 1);
    }
    log.write("played: " + facts.system + " \"" + printableName(request.file) + "\" ended with exit code 0");
    return 0;
}

// Everything a play of the request needs, from the files and the emulator; or why it cannot be had.
struct Gathered
{
    PlayFacts facts;
    std::string identity;
    fs::path programFolder;
    std::string refusal;
};
Gathered gather(const PlayRequest& request, const fs::path& emulator, const Settings& settings,
                const fs::path& bridgeFolder)
{
    Gathered gathered;
    PlayFacts& facts = gathered.facts;
    facts.request = request;
    gathered.identity = emulatorIdentity(emulator);
    std::error_code error;
    gathered.programFolder = fs::current_path(error);
    const fs::path& programFolder = gathered.programFolder;

    AskedSystem asked = askedSystem(request, emulator, programFolder, bridgeFolder, gathered.identity);
    facts.system = std::move(asked.system);
    facts.media = std::move(asked.media);
    facts.romsFolder = entryIn(programFolder, "ROMS").value_or(programFolder / "ROMS");
    facts.image = imageAskedFor(facts.romsFolder, request, facts.system);
    if (facts.image && !asked.unknown.empty()) {
        gathered.refusal = printableName(facts.image->filename().string()) + " cannot be played: " + asked.unknown;
        return gathered;
    }
    if (facts.image && isArchive(facts.image->filename().string()))
        facts.archiveEntries = archiveEntries(*facts.image);
    if (facts.image)
        facts.configuration = emulatorConfiguration(emulator, bridgeFolder);
    facts.emulatorFolder = emulator.parent_path();
    facts.recordingsFolder = entryIn(programFolder, "INP").value_or(programFolder / "INP");
    if (!request.playbackName.empty()) {
        if (const auto recording = entryIn(facts.recordingsFolder, request.playbackName + ".inp"))
            facts.playbackFile = recording->filename().string();
    }
    facts.playArguments = settings.playArguments;
    return gathered;
}

// "-identify <system> <image>": one line a list entry whose ROMs the image holds, the parent first (exit 0); none:
// exit 1; an image that cannot be read: exit 2 with the reason. The image is named as for a play, or by its path.
int identify(const std::vector<std::string>& arguments, const fs::path& emulator, const Settings& settings,
             const fs::path& bridgeFolder)
{
    if (arguments.size() != 3 || arguments[1].empty() || arguments[2].empty()) {
        std::fprintf(stderr, "MESS: usage: MESS.EXE -identify <system> <image>\n");
        return 2;
    }
    Gathered gathered = gather({arguments[1], arguments[2], {}, {}}, emulator, settings, bridgeFolder);
    PlayFacts& facts = gathered.facts;
    std::error_code error;
    const fs::path named = pathFromUtf8(arguments[2]);
    if (!facts.image && named.has_parent_path() && fs::is_regular_file(named, error)) {
        facts.image = fs::absolute(named, error);
        if (isArchive(named.filename().string()))
            facts.archiveEntries = archiveEntries(*facts.image);
        facts.configuration = emulatorConfiguration(emulator, bridgeFolder);
    }
    if (!facts.image) {
        std::fprintf(stderr, "MESS: no image \"%s\" for the system %s\n", printableName(arguments[2]).c_str(),
                     arguments[1].c_str());
        return 2;
    }
    if (facts.archiveEntries && !*facts.archiveEntries) {
        std::fprintf(stderr, "MESS: %s cannot be read: %s\n", printableName(facts.image->filename().string()).c_str(),
                     facts.archiveEntries->error().c_str());
        return 2;
    }
    // An archive is known by the file a play would load from it.
    std::string entry;
    if (facts.archiveEntries) {
        const auto planned = planPlay(facts);
        if (planned)
            entry = planned->choice.entry;
        else if (!facts.archiveEntries->value().files.empty())
            entry = facts.archiveEntries->value().files.front().path;
        else
            return std::fprintf(stderr, "MESS: %s\n", planned.error().c_str()), 2;
    }
    const auto found = listedAs(facts, entry, emulator, bridgeFolder, false);
    if (!found)
        return std::fprintf(stderr, "MESS: %s\n", found.error().c_str()), 2;
    if (found.value().empty()) {
        std::fprintf(stderr, "not in the emulator's lists\n");
        return 1;
    }
    std::string lines;
    for (const ListEntry& listed : found.value())
        lines += identifyLine(listed) + "\n";
    return writeStandardOutput(lines) ? 0 : 2;
}

int play(const std::vector<std::string>& arguments, const fs::path& emulator, const Settings& settings,
         const fs::path& bridgeFolder, PlayFailure& fail, const Log& log)
{
    const auto parsed = parsePlayArguments(arguments);
    if (!parsed)
        return fail(parsed.error());
    const Gathered gathered = gather(parsed.value(), emulator, settings, bridgeFolder);
    if (!gathered.refusal.empty())
        return fail(gathered.refusal);
    fail.describeFrom(gathered.identity, gathered.facts.system);
    const auto planned = planPlay(gathered.facts);
    if (!planned)
        return fail(planned.error());
    return runPlay(gathered.facts, planned.value(), emulator, gathered.programFolder, bridgeFolder, fail, log);
}

} // namespace

int main(int argc, char* argv[])
{
    const std::vector<std::string> arguments = programArguments(argc, argv);
    const fs::path bridgeFolder = runningProgramPath().parent_path();
    const Log log(bridgeFolder);
    const bool listing = arguments.size() == 1 && arguments.front() == "-listfull";
    // A question whose answer is Orvane's to show: its refusals go to the error output alone.
    const bool identifying = !arguments.empty() && arguments.front() == "-identify";
    // An update is Orvane's to report; a play's failure is shown here, since Orvane does not wait for it.
    PlayFailure playFailure(log, bridgeFolder);
    if (!arguments.empty() && !arguments.front().empty())
        playFailure.setTitle(arguments.front());
    const auto fail = [&](const std::string& text) {
        if (identifying)
            return std::fprintf(stderr, "MESS: %s\n", text.c_str()), 2;
        return listing ? log(text) : playFailure(text);
    };

    // What writes killed long ago left in the program folder under the bridge's own names.
    sweepLeftovers(bridgeFolder, {aliasFileName}, KeptBy::Program);
    Settings settings;
    const fs::path settingsFile = bridgeFolder / settingsFileName;
    // The settings are the user's: a link of the user's own to them is followed.
    const auto text = readKeptFile(settingsFile, KeptBy::User);
    if (!text)
        return fail(text.error());
    if (text.value()) {
        auto parsed = parseSettings(*text.value());
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
    if (identifying)
        return identify(arguments, *emulator, settings, bridgeFolder);
    return play(arguments, *emulator, settings, bridgeFolder, playFailure, log);
}
