// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "bridge/EmulatorListings.h"

#include <algorithm>

namespace Orvane::Bridge
{

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
        if (name.size() != 1)
            continue;
        systems.push_back({std::string(name.front()), std::string(line.substr(open + 1, close - open - 1))});
    }
    return systems;
}

std::map<std::string, std::vector<Media>> parseListMedia(std::string_view text)
{
    std::map<std::string, std::vector<Media>> media;
    for (const std::string_view line : lines(text)) {
        const std::vector<std::string_view> fields = words(line);
        // "system media (brief) .ext ...": anything else is the header, its rule or "(none)".
        if (fields.size() < 3 || fields[2].size() < 3 || fields[2].front() != '(' || fields[2].back() != ')')
            continue;
        Media entry{std::string(fields[1]), std::string(fields[2].substr(1, fields[2].size() - 2)), {}};
        for (std::size_t index = 3; index < fields.size(); ++index) {
            if (fields[index].size() > 1 && fields[index].front() == '.')
                entry.extensions.push_back(lowerCase(fields[index].substr(1)));
        }
        media[std::string(fields[0])].push_back(std::move(entry));
    }
    return media;
}

std::optional<Media> mediaForFile(const std::vector<Media>& media, std::string_view fileName)
{
    const std::size_t dot = fileName.rfind('.');
    if (dot == std::string_view::npos)
        return std::nullopt;
    const std::string extension = lowerCase(fileName.substr(dot + 1));
    for (const Media& entry : media) {
        if (std::find(entry.extensions.begin(), entry.extensions.end(), extension) != entry.extensions.end())
            return entry;
    }
    return std::nullopt;
}

AliasTable AliasTable::parse(std::string_view text)
{
    AliasTable table;
    for (const std::string_view line : lines(text)) {
        const std::size_t tab = line.find('\t');
        if (tab == std::string_view::npos || tab == 0 || tab + 1 == line.size())
            continue;
        const std::string alias(line.substr(0, tab));
        const std::string system(line.substr(tab + 1));
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
        // A short name is its own alias, unless an older alias took it for another system. Either way the alias is
        // kept, so that no later system is ever given it.
        std::string alias = system.substr(0, classicNameColumns);
        if (system.size() > classicNameColumns || m_systemByAlias.count(system) > 0) {
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
        allNames.insert(system.name);
        if (media.count(system.name) > 0) {
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
