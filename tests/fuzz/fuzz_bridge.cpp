// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
// What the bridge parses from the emulator and the user's files, on any text: the listings, "-showconfig", the
// alias file and archive entry names through the planner. Catalogue names stay unique and fit their columns; no
// name handed to the emulator climbs out of its archive.
#include "bridge/BridgeRules.h"
#include "bridge/EmulatorListings.h"
#include "bridge/PlayPlan.h"

#include <algorithm>
#include <cstdint>
#include <set>

using namespace Orvane::Bridge;

namespace
{

std::optional<std::string> fixedEnvironment(const std::string& name)
{
    return name == "HOME" ? std::optional<std::string>("/home/u") : std::nullopt;
}

std::vector<std::string> linesOf(std::string_view text)
{
    std::vector<std::string> lines;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        lines.emplace_back(text.substr(0, end));
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    return lines;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    firstStrangeListFullLine(text);
    firstStrangeListMediaLine(text);
    (void)parseSettings(text);
    playFailureText("r", missingFiles(text), {"/roms", "/home/u/roms"});
    for (const bool percent : {false, true})
        expandedFolderList(configuredValue(text, "rompath").value_or(text), "/emu", fixedEnvironment, percent);

    // The alias file and the listings from one text: every catalogue name is unique and fits its columns.
    const std::vector<EmulatorSystem> systems = parseListFull(text);
    const auto media = parseListMedia(text);
    AliasTable aliases = AliasTable::parse(text);
    const std::string catalogue = classicCatalogue(systems, media, aliases);
    std::set<std::string> names;
    for (const std::string& line : linesOf(catalogue.substr(catalogue.find('\n') + 1))) {
        const std::string name = line.substr(0, line.find(' '));
        if (name.size() > classicNameColumns || !names.insert(name).second)
            __builtin_trap();
    }
    if (AliasTable::parse(aliases.text()).text() != aliases.text())
        __builtin_trap();

    // Each line an archive's entry: what the emulator is told to load stays inside the archive.
    PlayFacts facts;
    facts.request = {"sys", "game.zip", {}, {}};
    facts.system = "sys";
    facts.romsFolder = "/p/ROMS";
    facts.image = "/p/ROMS/sys/game.zip";
    facts.media = media.empty() ? std::vector<Media>{{"cartridge", "cart", {"bin", "a26"}}} : media.begin()->second;
    ArchiveListing listing;
    for (const std::string& line : linesOf(text))
        listing.files.push_back({line, line.size()});
    facts.archiveEntries = listing;
    facts.environment = fixedEnvironment;
    if (const auto plan = planPlay(facts); plan && !plan->choice.entry.empty()) {
        std::string parts = "/" + plan->choice.entry + "/";
        std::replace(parts.begin(), parts.end(), '\\', '/');
        if (parts.find("/../") != std::string::npos ||
            plan->arguments.at(2) != "/p/ROMS/sys/game.zip/" + plan->choice.entry)
            __builtin_trap();
    }
    return 0;
}
