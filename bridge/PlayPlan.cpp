// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "bridge/PlayPlan.h"

#include "platform/ProgramRun.h"
#include "platform/SystemConventions.h"
#include "platform/Utf8Path.h"

#include <algorithm>

namespace fs = std::filesystem;

namespace Orvane::Bridge
{

std::optional<std::string> pathInsideArchive(std::string_view storedName)
{
    std::string inside;
    while (!storedName.empty()) {
        const std::size_t end = std::min(storedName.find_first_of("/\\"), storedName.size());
        const std::string_view part = storedName.substr(0, end);
        storedName.remove_prefix(std::min(end + 1, storedName.size()));
        if (part == "..")
            return std::nullopt;
        if (part.empty() || part == ".")
            continue;
        inside += (inside.empty() ? "" : "/") + std::string(part);
    }
    if (inside.empty())
        return std::nullopt;
    return inside;
}

std::string systemAskedFor(const std::string& name, const AliasTable& aliases, bool ownMedia)
{
    return ownMedia ? name : aliases.systemFor(name);
}

namespace
{

// The media the image goes to; for an archive, the entry that decides it, named by its whole path inside.
PlatformResult<MediaChoice> choiceFor(const PlayFacts& facts, const std::string& fileName)
{
    std::vector<std::string> entries;
    std::vector<std::string> climbing;
    if (facts.archiveEntries) {
        if (!*facts.archiveEntries)
            return Failure(fileName + " cannot be read: " + facts.archiveEntries->error());
        for (const std::string& stored : facts.archiveEntries->value()) {
            if (auto inside = pathInsideArchive(stored))
                entries.push_back(std::move(*inside));
            else if (stored.find_first_not_of("/\\.") != std::string::npos)
                climbing.push_back(stored);
        }
    }
    auto chosen = chooseMedia(facts.system, facts.media, fileName, entries);
    // Loaded whole, the archive would give the emulator its first file, which may be the one that climbs out.
    if (chosen && chosen->entry.empty() && !climbing.empty())
        return Failure(fileName + " cannot be played: its file \"" + climbing.front() +
                       "\" names a place outside the archive");
    return chosen;
}

// The emulator's own ROM folders after the program folder's, and its ini folders where they are relative.
void addEmulatorFolders(const PlayFacts& facts, PlayStart& start, std::vector<std::string>& romFolders)
{
    const std::string emulatorFolder = facts.emulatorFolder.string();
    romFolders.push_back(facts.romsFolder.string());
    for (std::string& folder : expandedFolderList(facts.configuration.romPath, emulatorFolder, facts.environment,
                                                  percentEnvironmentVariables())) {
        romFolders.push_back(folder);
        start.romFolders.push_back(std::move(folder));
    }
    // A Windows emulator names its ini folders relative to its own folder ("inipath .;ini"): they are handed on
    // resolved, since it runs in the program folder.
    const std::vector<std::string> iniFolders =
        expandedFolderList(facts.configuration.iniPath, {}, facts.environment, percentEnvironmentVariables());
    if (std::any_of(iniFolders.begin(), iniFolders.end(),
                    [](const std::string& folder) { return pathFromUtf8(folder).is_relative(); })) {
        for (const std::string& folder : expandedFolderList(facts.configuration.iniPath, emulatorFolder,
                                                            facts.environment, percentEnvironmentVariables()))
            start.iniPath += (start.iniPath.empty() ? "" : ";") + folder;
    }
}

} // namespace

PlatformResult<PlayPlan> planPlay(const PlayFacts& facts)
{
    const PlayRequest& request = facts.request;
    if (!facts.image)
        return Failure("no image \"" + request.file + "\" in " +
                       (facts.romsFolder / pathFromUtf8(request.system)).string());
    const std::string fileName = facts.image->filename().string();
    if (facts.media.empty())
        return Failure(fileName + " cannot be played: the system " + facts.system + " takes no media");

    PlayPlan plan;
    auto chosen = choiceFor(facts, fileName);
    if (!chosen)
        return Failure(chosen.error());
    plan.choice = std::move(chosen).value();
    if (!plan.choice.note.empty())
        plan.notes.push_back(fileName + ": " + plan.choice.media.name + " (" + plan.choice.note + ")");

    // The emulator loads an archive's first file unless told which: the entry that decided the media is named as
    // a path through the archive, so a read-me packed before the game is never what it loads.
    std::string imagePath = fs::absolute(*facts.image).string();
    if (!plan.choice.entry.empty())
        imagePath += "/" + plan.choice.entry;

    // The program folder's own folders are named relative to it, where the emulator runs: a ';' in the path above
    // them cannot split the list.
    PlayStart start{facts.system,
                    plan.choice.media,
                    imagePath,
                    {facts.romsFolder.filename().string()},
                    {},
                    facts.recordingsFolder.filename().string(),
                    {},
                    {},
                    facts.playArguments};
    addEmulatorFolders(facts, start, plan.romFolders);
    if (!request.recordName.empty())
        start.recordFile = request.recordName + ".inp";
    if (!request.playbackName.empty()) {
        if (!facts.playbackFile)
            return Failure(fileName + " cannot be played back: no recording \"" + request.playbackName + ".inp\" in " +
                           facts.recordingsFolder.string());
        start.playbackFile = *facts.playbackFile;
    }
    plan.arguments = emulatorArguments(start);
    return plan;
}

} // namespace Orvane::Bridge
