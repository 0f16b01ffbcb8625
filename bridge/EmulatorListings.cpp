// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "bridge/EmulatorListings.h"

#include <algorithm>
#include <utility>

namespace Orvane::Bridge
{

std::string printableName(std::string_view name)
{
    std::string shown;
    for (const char character : name) {
        const auto code = static_cast<unsigned char>(character);
        if ((code >= 0x20 && code != 0x7f) || character == '\t') {
            shown += character;
        } else if (character == '\n') {
            shown += "\\n";
        } else if (character == '\r') {
            shown += "\\r";
        } else {
            constexpr char digits[] = "0123456789abcdef";
            shown += std::string("\\x") + digits[code >> 4] + digits[code & 15];
        }
    }
    return shown;
}

namespace
{

std::vector<std::string_view> lines(std::string_view text)
{
    std::vector<std::string_view> result;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        result.push_back(line);
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    return result;
}

std::vector<std::string_view> words(std::string_view line)
{
    std::vector<std::string_view> result;
    std::size_t position = 0;
    while (true) {
        position = line.find_first_not_of(" \t", position);
        if (position == std::string_view::npos)
            return result;
        const std::size_t end = std::min(line.find_first_of(" \t", position), line.size());
        result.push_back(line.substr(position, end - position));
        position = end;
    }
}

std::string lowerCase(std::string_view text)
{
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    return lower;
}

} // namespace

std::vector<EmulatorSystem> parseListFull(std::string_view text)
{
    std::vector<EmulatorSystem> systems;
    for (const std::string_view line : lines(text)) {
        const std::size_t open = line.find('"');
        const std::size_t close = line.rfind('"');
        if (open == std::string_view::npos || close <= open)
            continue; // the header, or nothing the emulator meant as a system
        const std::vector<std::string_view> name = words(line.substr(0, open));
        // A name with control characters is no name the emulator gives: it could not be kept as an alias.
        if (name.size() != 1 ||
            std::any_of(name.front().begin(), name.front().end(), [](char c) { return c >= 0 && c < ' '; }))
            continue;
        systems.push_back({std::string(name.front()), std::string(line.substr(open + 1, close - open - 1))});
    }
    return systems;
}

namespace
{

// "system media (brief) .ext ...", or nothing when the line is not one.
std::optional<std::pair<std::string_view, Media>> mediaLine(std::string_view line)
{
    const std::vector<std::string_view> fields = words(line);
    if (fields.size() < 3 || fields[2].size() < 3 || fields[2].front() != '(' || fields[2].back() != ')')
        return std::nullopt;
    Media entry{std::string(fields[1]), std::string(fields[2].substr(1, fields[2].size() - 2)), {}};
    for (std::size_t index = 3; index < fields.size(); ++index) {
        if (fields[index] == ".")
            continue; // a media that names no extension (a serial port)
        if (fields[index].size() < 2 || fields[index].front() != '.')
            return std::nullopt;
        entry.extensions.push_back(lowerCase(fields[index].substr(1)));
    }
    return std::pair{fields[0], std::move(entry)};
}

// The kind of media without its number: "cartridge2" is a cartridge.
std::string_view mediaKind(std::string_view name)
{
    while (!name.empty() && name.back() >= '0' && name.back() <= '9')
        name.remove_suffix(1);
    return name;
}

// Where one extension is taken by several media: games come on cartridges rather than as quick loads or
// snapshots, and on CD-ROMs rather than hard disks.
int kindPreference(std::string_view name)
{
    const std::string_view kind = mediaKind(name);
    return kind == "quickload" || kind == "snapshot" || kind == "harddisk" ? 1 : 0;
}

// The length of the longest extension of `media` that ends `lowerName` after a dot, or 0.
std::size_t matchedExtension(const Media& media, std::string_view lowerName)
{
    std::size_t longest = 0;
    for (const std::string& extension : media.extensions) {
        if (lowerName.size() > extension.size() + 1 && lowerName.ends_with(extension) &&
            lowerName[lowerName.size() - extension.size() - 1] == '.')
            longest = std::max(longest, extension.size());
    }
    return longest;
}

std::string extensionList(const Media& media)
{
    std::string list;
    for (const std::string& extension : media.extensions)
        list += (list.empty() ? "." : " .") + extension;
    return list.empty() ? "no extension" : list;
}

} // namespace

std::map<std::string, std::vector<Media>> parseListMedia(std::string_view text)
{
    std::map<std::string, std::vector<Media>> media;
    for (const std::string_view line : lines(text)) {
        // Anything but a media line is the header, its rule or "(none)".
        if (auto entry = mediaLine(line))
            media[std::string(entry->first)].push_back(std::move(entry->second));
    }
    return media;
}

std::vector<Media> systemMedia(std::string_view listMedia, std::string_view system)
{
    std::vector<Media> media;
    const std::string start = "\n" + std::string(system);
    for (std::size_t found = listMedia.find(start); found != std::string_view::npos;
         found = listMedia.find(start, found + 1)) {
        const std::size_t end = std::min(listMedia.find('\n', found + 1), listMedia.size());
        const auto entry = mediaLine(listMedia.substr(found + 1, end - found - 1));
        if (entry && entry->first == system)
            media.push_back(entry->second);
    }
    return media;
}

std::size_t firstStrangeListFullLine(std::string_view text)
{
    std::size_t number = 0;
    for (const std::string_view line : lines(text)) {
        ++number;
        if (number == 1) {
            if (!line.starts_with("Name:"))
                return number;
            continue;
        }
        const std::size_t open = line.find('"');
        if (open == std::string_view::npos || line.back() != '"' || open + 1 == line.size() ||
            words(line.substr(0, open)).size() != 1)
            return number;
    }
    return number == 0 ? 1 : 0;
}

std::size_t firstStrangeListMediaLine(std::string_view text)
{
    std::size_t number = 0;
    for (const std::string_view line : lines(text)) {
        ++number;
        if ((number == 1 && !line.starts_with("SYSTEM")) || (number == 2 && !line.starts_with("---")))
            return number;
        if (number <= 2 || mediaLine(line))
            continue;
        const std::vector<std::string_view> fields = words(line);
        if (fields.size() != 2 || fields[1] != "(none)")
            return number;
    }
    return number < 2 ? number + 1 : 0;
}

bool isOutputMedia(const Media& media)
{
    const std::string_view kind = mediaKind(media.name);
    return kind == "printout" || kind == "midiout" || kind == "bitbanger";
}

bool takesImages(const std::vector<Media>& media)
{
    return std::any_of(media.begin(), media.end(),
                       [](const Media& entry) { return mediaKind(entry.name) != "memcard" && !isOutputMedia(entry); });
}

bool isArchive(std::string_view fileName)
{
    const std::string name = lowerCase(fileName);
    return name.ends_with(".zip") || name.ends_with(".7z");
}

PlatformResult<MediaChoice> chooseMedia(const std::string& system, const std::vector<Media>& media,
                                        std::string_view fileName, const std::vector<std::string>& entries)
{
    std::vector<std::string> candidates;
    if (isArchive(fileName))
        candidates = entries;
    candidates.push_back(std::string(fileName));
    for (const std::string& candidate : candidates) {
        const std::string name = lowerCase(candidate);
        const Media* best = nullptr;
        std::size_t bestLength = 0;
        std::string others;
        for (const Media& entry : media) {
            const std::size_t length = isOutputMedia(entry) ? 0 : matchedExtension(entry, name);
            if (length == 0)
                continue;
            if (best && (length < bestLength ||
                         (length == bestLength && kindPreference(entry.name) >= kindPreference(best->name)))) {
                others += (others.empty() ? "" : ", ") + entry.name;
                continue;
            }
            if (best)
                others += (others.empty() ? "" : ", ") + best->name;
            best = &entry;
            bestLength = length;
        }
        if (!best)
            continue;
        MediaChoice choice{*best, {}, {}};
        if (candidate != fileName) {
            choice.note = "the archive's entry \"" + printableName(candidate) + "\" decides";
            choice.entry = candidate;
        }
        if (!others.empty())
            choice.note += (choice.note.empty() ? "" : "; ") + best->name + " chosen before " + others;
        return choice;
    }
    std::vector<const Media*> inputs;
    for (const Media& entry : media) {
        if (!isOutputMedia(entry))
            inputs.push_back(&entry);
    }
    if (inputs.size() == 1)
        return MediaChoice{
            *inputs.front(), "no media lists the file's extension: the system's only media takes it", {}};
    std::string taken;
    for (const Media* entry : inputs)
        taken += (taken.empty() ? "" : "; ") + entry->name + " takes " + extensionList(*entry);
    return Failure("no media of " + system + " takes the file " + std::string(fileName) + " (" + taken + ")");
}

AliasTable AliasTable::parse(std::string_view text)
{
    AliasTable table;
    for (std::string_view line : lines(text)) {
        // A file edited on Windows ends its lines with CR LF.
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        if (line.empty())
            continue;
        const std::size_t tab = line.find('\t');
        if (tab == std::string_view::npos || tab == 0 || tab + 1 == line.size()) {
            table.m_dropped.push_back(printableName(line) + " (no alias, a tab and a system)");
            continue;
        }
        const std::string alias(line.substr(0, tab));
        const std::string system(line.substr(tab + 1));
        // A line edited by hand into something else would break the catalogue's columns: it is dropped, and the
        // system is given an alias afresh.
        const auto plain = [](const std::string& name) {
            return std::none_of(name.begin(), name.end(), [](char c) { return c == '"' || (c >= 0 && c <= ' '); });
        };
        if (alias.size() > classicNameColumns) {
            table.m_dropped.push_back(printableName(line) + " (an alias is at most eight characters)");
            continue;
        }
        if (!plain(alias) || !plain(system)) {
            table.m_dropped.push_back(printableName(line) + " (blanks, quotes or control characters in a name)");
            continue;
        }
        // Two systems under one name would make the catalogue's name mean either.
        if (table.m_systemByAlias.count(alias) > 0 || table.m_aliasBySystem.count(system) > 0) {
            table.m_dropped.push_back(printableName(line) + " (the alias or the system has one already)");
            continue;
        }
        table.m_systemByAlias[alias] = system;
        table.m_aliasBySystem[system] = alias;
    }
    return table;
}

std::string AliasTable::text() const
{
    std::string text;
    for (const auto& [alias, system] : m_systemByAlias)
        text += alias + '\t' + system + '\n';
    return text;
}

std::vector<std::string> AliasTable::assign(const std::vector<std::string>& systems,
                                            const std::set<std::string>& allNames)
{
    for (auto given = m_systemByAlias.begin(); given != m_systemByAlias.end();) {
        if (given->first != given->second && allNames.count(given->first) > 0) {
            m_dropped.push_back(given->first + '\t' + given->second + " (another system's own name)");
            m_aliasBySystem.erase(given->second);
            given = m_systemByAlias.erase(given);
        } else {
            ++given;
        }
    }
    const auto taken = [&](const std::string& alias) {
        return m_systemByAlias.count(alias) > 0 || allNames.count(alias) > 0;
    };
    std::vector<std::string> aliases;
    aliases.reserve(systems.size());
    for (const std::string& system : systems) {
        if (const auto given = m_aliasBySystem.find(system); given != m_aliasBySystem.end()) {
            aliases.push_back(given->second);
            continue;
        }
        // A short name is its own alias (no alias of another system holds it: such ones were dropped above). Either
        // way the alias is kept, so that no later system is ever given it.
        std::string alias = system.substr(0, classicNameColumns);
        if (system.size() > classicNameColumns) {
            for (int number = 1; taken(alias); ++number) {
                const std::string suffix = std::to_string(number);
                alias = system.substr(0, classicNameColumns - suffix.size()) + suffix;
            }
        }
        m_systemByAlias[alias] = system;
        m_aliasBySystem[system] = alias;
        aliases.push_back(alias);
    }
    return aliases;
}

std::string AliasTable::systemFor(const std::string& alias) const
{
    const auto given = m_systemByAlias.find(alias);
    return given != m_systemByAlias.end() ? given->second : alias;
}

std::string classicCatalogue(const std::vector<EmulatorSystem>& systems,
                             const std::map<std::string, std::vector<Media>>& media, AliasTable& aliases)
{
    std::set<std::string> allNames;
    std::vector<const EmulatorSystem*> playable;
    std::vector<std::string> names;
    for (const EmulatorSystem& system : systems) {
        // A system listed twice (a damaged listing) is one line of the catalogue.
        if (!allNames.insert(system.name).second)
            continue;
        if (const auto taken = media.find(system.name); taken != media.end() && takesImages(taken->second)) {
            playable.push_back(&system);
            names.push_back(system.name);
        }
    }
    const std::vector<std::string> given = aliases.assign(names, allNames);
    std::string catalogue = "Name:     Description:\r\n";
    for (std::size_t index = 0; index < playable.size(); ++index) {
        std::string alias = given[index];
        alias.resize(std::max<std::size_t>(alias.size(), 10), ' ');
        catalogue += alias + '"' + playable[index]->description + "\"\r\n";
    }
    return catalogue;
}

} // namespace Orvane::Bridge
