// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "bridge/ListingCache.h"

#include "bridge/BridgeRules.h"

#include "platform/Files.h"
#include "platform/ProgramRun.h"
#include "platform/SystemConventions.h"
#include "platform/Utf8Path.h"

#include <cstdint>
#include <cstdio>
#include <sstream>

namespace fs = std::filesystem;

namespace Orvane::Bridge
{

namespace
{

constexpr char cacheFolderName[] = "bridge-cache";
constexpr char identityFileName[] = "identity";
constexpr char fullFileName[] = "listfull.txt";
constexpr char mediaFileName[] = "listmedia.txt";
constexpr char configurationFileName[] = "configuration.txt";
constexpr char systemListsFileName[] = "softwarelists.txt";
// One file a list, named after it: "list-nes.txt".
constexpr char listIndexPrefix[] = "list-";

// Size and hash of a listing: enough to tell a whole listing from a cut or damaged one.
std::string fingerprint(std::string_view text)
{
    std::uint64_t hash = 14695981039346656037ull;
    for (const char character : text) {
        hash ^= static_cast<unsigned char>(character);
        hash *= 1099511628211ull;
    }
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash));
    return std::to_string(text.size()) + " " + hex;
}

// The state of each "mame.ini" the emulator reads, one line each.
std::string iniFilesState(const std::string& iniPath, const fs::path& emulatorFolder)
{
    std::string state;
    for (const std::string& folder :
         expandedFolderList(iniPath, emulatorFolder.string(), processEnvironment, percentEnvironmentVariables())) {
        const fs::path file = pathFromUtf8(folder) / "mame.ini";
        std::error_code error;
        const auto size = fs::file_size(file, error);
        const auto time = error ? 0 : fs::last_write_time(file, error).time_since_epoch().count();
        state += "ini " + file.string() + " " +
                 (error ? std::string("-") : std::to_string(size) + " " + std::to_string(time)) + "\n";
    }
    return state;
}

} // namespace

std::string emulatorIdentity(const fs::path& emulator)
{
    std::error_code error;
    const fs::path real = fs::canonical(emulator, error);
    const fs::path& path = error ? emulator : real;
    const auto size = fs::file_size(path, error);
    const auto time = fs::last_write_time(path, error).time_since_epoch().count();
    return path.string() + "\n" + std::to_string(size) + "\n" + std::to_string(time) + "\n";
}

ListingCache::ListingCache(const fs::path& bridgeFolder) : m_folder(bridgeFolder / cacheFolderName) {}

PlatformResult<fs::path> ListingCache::folder() const
{
    if (auto made = makeOwnFolder(m_folder); !made)
        return Failure(made.error());
    return m_folder;
}

void ListingCache::sweep() const
{
    sweepLeftovers(
        m_folder, {identityFileName, fullFileName, mediaFileName, configurationFileName, systemListsFileName, "list-*"},
        KeptBy::Program);
}

PlatformResult<std::string> ListingCache::readKept(const std::string& name) const
{
    // Only the cache's own files: a link put in place of one is never followed, and is replaced when the cache is
    // written again.
    auto kept = readKeptFile(m_folder / name, KeptBy::Program);
    if (!kept)
        return Failure(kept.error());
    if (!kept.value())
        return Failure("the cache holds no " + name);
    return std::move(*kept.value());
}

PlatformResult<std::string> ListingCache::listing(const std::string& identity, const char* name) const
{
    const auto kept = readKept(identityFileName);
    if (!kept)
        return Failure(kept.error());
    if (!kept.value().starts_with(identity))
        return Failure(std::string("the cache is of another emulator"));
    const std::string mark = std::string("\n") + name + " ";
    const std::size_t found = kept.value().find(mark);
    if (found == std::string::npos)
        return Failure(std::string("the cache names no ") + name);
    const std::size_t start = found + mark.size();
    const std::string expected = kept.value().substr(start, kept.value().find('\n', start) - start);
    auto text = readKept(name);
    if (!text)
        return Failure(text.error());
    if (fingerprint(text.value()) != expected)
        return Failure((m_folder / name).string() + " is not the listing the cache names");
    return std::move(text).value();
}

PlatformResult<Listings> ListingCache::listings(const std::string& identity) const
{
    auto full = listing(identity, fullFileName);
    if (!full)
        return Failure(full.error());
    auto media = listing(identity, mediaFileName);
    if (!media)
        return Failure(media.error());
    return Listings{std::move(full).value(), std::move(media).value()};
}

PlatformResult<std::string> ListingCache::mediaListing(const std::string& identity) const
{
    return listing(identity, mediaFileName);
}

PlatformResult<std::string> ListingCache::fullListing(const std::string& identity) const
{
    return listing(identity, fullFileName);
}

PlatformResult<void> ListingCache::keep(const std::string& identity, const Listings& listings) const
{
    if (auto made = makeOwnFolder(m_folder); !made)
        return made;
    if (auto written = replaceWholeFile(m_folder / fullFileName, listings.full, KeptBy::Program); !written)
        return written;
    if (auto written = replaceWholeFile(m_folder / mediaFileName, listings.media, KeptBy::Program); !written)
        return written;
    // Last, so that it never names listings that are not all there.
    return replaceWholeFile(m_folder / identityFileName,
                            identity + "\n" + fullFileName + " " + fingerprint(listings.full) + "\n" + mediaFileName +
                                " " + fingerprint(listings.media) + "\n",
                            KeptBy::Program);
}

PlatformResult<EmulatorConfiguration> ListingCache::configuration(const std::string& identity,
                                                                  const fs::path& emulatorFolder) const
{
    const auto kept = readKept(configurationFileName);
    if (!kept)
        return Failure(kept.error());
    std::istringstream lines(kept.value().substr(std::min(identity.size(), kept.value().size())));
    EmulatorConfiguration configuration;
    std::string romLine, iniLine, hashLine;
    std::getline(lines, romLine);
    std::getline(lines, iniLine);
    std::getline(lines, hashLine);
    if (!kept.value().starts_with(identity) || !romLine.starts_with("rompath ") || !iniLine.starts_with("inipath ") ||
        !hashLine.starts_with("hashpath "))
        return Failure(std::string("the configuration kept is of another emulator"));
    configuration.romPath = romLine.substr(8);
    configuration.iniPath = iniLine.substr(8);
    configuration.hashPath = hashLine.substr(9);
    std::string rest((std::istreambuf_iterator<char>(lines)), std::istreambuf_iterator<char>());
    if (rest != iniFilesState(configuration.iniPath, emulatorFolder))
        return Failure(std::string("the emulator's ini files changed"));
    return configuration;
}

PlatformResult<void> ListingCache::keepConfiguration(const std::string& identity, const fs::path& emulatorFolder,
                                                     const EmulatorConfiguration& configuration) const
{
    if (auto made = makeOwnFolder(m_folder); !made)
        return made;
    return replaceWholeFile(m_folder / configurationFileName,
                            identity + "rompath " + configuration.romPath + "\ninipath " + configuration.iniPath +
                                "\nhashpath " + configuration.hashPath + "\n" +
                                iniFilesState(configuration.iniPath, emulatorFolder),
                            KeptBy::Program);
}

PlatformResult<std::vector<std::string>> ListingCache::systemLists(const std::string& identity,
                                                                   const std::string& system) const
{
    const auto kept = readKept(systemListsFileName);
    if (!kept)
        return Failure(kept.error());
    if (!kept.value().starts_with(identity))
        return Failure(std::string("the lists kept are of another emulator"));
    std::istringstream lines(kept.value().substr(identity.size()));
    for (std::string line; std::getline(lines, line);) {
        if (!line.starts_with(system + "\t"))
            continue;
        std::vector<std::string> lists;
        std::istringstream names(line.substr(system.size() + 1));
        for (std::string list; std::getline(names, list, ' ');) {
            if (!list.empty())
                lists.push_back(list);
        }
        return lists;
    }
    return Failure("the cache names no lists of " + system);
}

PlatformResult<void> ListingCache::keepSystemLists(const std::string& identity, const std::string& system,
                                                   const std::vector<std::string>& lists) const
{
    if (auto made = makeOwnFolder(m_folder); !made)
        return made;
    // Kept beside those of the systems asked for before, while the emulator is the same.
    const auto kept = readKept(systemListsFileName);
    std::string text = identity;
    if (kept && kept.value().starts_with(identity)) {
        std::istringstream lines(kept.value().substr(identity.size()));
        for (std::string line; std::getline(lines, line);) {
            if (!line.starts_with(system + "\t"))
                text += line + "\n";
        }
    }
    text += system + "\t";
    for (const std::string& list : lists)
        text += list + " ";
    return replaceWholeFile(m_folder / systemListsFileName, text + "\n", KeptBy::Program);
}

PlatformResult<std::string> ListingCache::listIndex(const std::string& list, const std::string& source) const
{
    auto kept = readKept(listIndexPrefix + list + ".txt");
    if (!kept)
        return Failure(kept.error());
    const std::string header = "source " + source + "\n";
    if (!kept.value().starts_with(header))
        return Failure("the index of " + list + " is of another file");
    return kept.value().substr(header.size());
}

PlatformResult<void> ListingCache::keepListIndex(const std::string& list, const std::string& source,
                                                 const std::string& index) const
{
    if (auto made = makeOwnFolder(m_folder); !made)
        return made;
    return replaceWholeFile(m_folder / pathFromUtf8(listIndexPrefix + list + ".txt"), "source " + source + "\n" + index,
                            KeptBy::Program);
}

} // namespace Orvane::Bridge
