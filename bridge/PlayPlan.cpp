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
    bool namesSomething = false;
    for (std::string_view rest = storedName; !rest.empty();) {
        const std::size_t end = std::min(rest.find_first_of("/\\"), rest.size());
        const std::string_view part = rest.substr(0, end);
        rest.remove_prefix(std::min(end + 1, rest.size()));
        if (part == "..")
            return std::nullopt;
        namesSomething = namesSomething || (!part.empty() && part != ".");
    }
    if (!namesSomething)
        return std::nullopt;
    return std::string(storedName);
}

std::string systemAskedFor(const std::string& name, const AliasTable& aliases, bool ownMedia)
{
    return ownMedia ? name : aliases.systemFor(name);
}

namespace
{

// The largest file of an archive handed to the emulator, which unpacks it into memory whole: far more than any
// cartridge or disk; an entry claiming more is a damaged archive or a trap.
constexpr std::uintmax_t largestImageInArchive = std::uintmax_t(1) << 30;

// The media the image goes to; for an archive, the entry that decides it, named by its whole path inside.
PlatformResult<MediaChoice> choiceFor(const PlayFacts& facts, const std::string& fileName)
{
    std::vector<std::string> entries;
    std::vector<std::string> climbing;
    std::vector<const ArchiveEntry*> tooLarge;
    std::size_t unreadable = 0;
    if (facts.archiveEntries) {
        if (!*facts.archiveEntries)
            return Failure(fileName + " cannot be read: " + facts.archiveEntries->error());
        const ArchiveListing& listing = facts.archiveEntries->value();
        if (listing.files.empty() && listing.unreadableNames == 0)
            return Failure(fileName + " cannot be played: it holds no file");
        unreadable = listing.unreadableNames;
        for (const ArchiveEntry& stored : listing.files) {
            if (stored.size > largestImageInArchive)
                tooLarge.push_back(&stored);
            else if (auto inside = pathInsideArchive(stored.path))
                entries.push_back(std::move(*inside));
            else if (stored.path.find_first_not_of("/\\.") != std::string::npos)
                climbing.push_back(stored.path);
        }
    }
    auto chosen = chooseMedia(facts.system, facts.media, fileName, entries);
    // Loaded whole, the archive would give the emulator its first file, which may be one that is never to be handed
    // on; and where no file was chosen, the files that were left out say why.
    if (!chosen || chosen->entry.empty()) {
        if (!climbing.empty())
            return Failure(fileName + " cannot be played: its file \"" + printableName(climbing.front()) +
                           "\" names a place outside the archive");
        if (!tooLarge.empty())
            return Failure(fileName + " cannot be played: its file \"" + printableName(tooLarge.front()->path) +
                           "\" is " + std::to_string(tooLarge.front()->size >> 20) +
                           " MB unpacked, more than any image the emulator is given (" +
                           std::to_string(largestImageInArchive >> 20) + " MB)");
        if (unreadable > 0)
            return Failure(fileName + " cannot be played: the name of a file in it is not valid UTF-8, as the archive "
                                      "says its names are");
    }
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
        return Failure("no image \"" + printableName(request.file) + "\" in " +
                       (facts.romsFolder / pathFromUtf8(request.system)).string());
    const std::string fileName = printableName(facts.image->filename().string());
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
