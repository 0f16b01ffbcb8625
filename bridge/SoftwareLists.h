// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include "platform/Result.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace Orvane::Bridge
{

// The emulator's software lists ("hash" files: one XML file a list, each entry a title with every ROM's size,
// CRC-32 and SHA-1), read once into a compact index, and what an image's content says of it.

// The lists a system takes, from the emulator's "-listxml <system>": the `softwarelist` elements of that machine.
PlatformResult<std::vector<std::string>> softwareListsOf(std::string_view listXml, const std::string& system);

// One ROM of a data area, as the list gives it.
struct ListedRom
{
    std::uint64_t size = 0;
    std::uint32_t crc = 0;
    std::string sha1; // lower-case hexadecimal; empty where the list gives none
};

// One entry of a list: a title, and its data areas ("rom", or "prg" and "chr" for a NES cartridge), each with its
// ROMs in the order they are loaded.
struct ListEntry
{
    std::string list;
    std::string name;
    std::string cloneOf;
    std::string description;
    std::string year;
    std::string publisher;
    std::string supported = "yes"; // "yes", "partial" or "no"
    struct Area
    {
        std::string name;
        std::vector<ListedRom> roms;
    };
    std::vector<Area> areas;
};

// A list's XML file as the index keeps it: one text of tab-separated lines, written where the bridge keeps its cache.
PlatformResult<std::string> indexOfListFile(const std::filesystem::path& xmlFile, const std::string& list);
// The entries of an index (see indexOfListFile).
std::vector<ListEntry> parseIndex(std::string_view index);

// An image's content as the lists are matched against it: the bytes of one ROM file, or a NES cartridge's PRG and CHR
// parts without its iNES header. Each part's bytes are at hand (the file is read once), or, for one too large to hold
// (or held by a zip and never unpacked), only its size and CRC-32.
struct ImagePart
{
    std::string area;  // "prg" or "chr" for a NES cartridge; empty for a whole file
    std::string bytes; // empty when only the size and CRC are known
    std::uint64_t size = 0;
    std::uint32_t crc = 0;
};
// The parts of a file's bytes: a NES cartridge by its header ("NES\x1a"), anything else whole.
std::vector<ImagePart> imageParts(std::string bytes);

// The entries whose areas hold exactly the image's parts: by size and CRC-32, and by SHA-1 between entries that share
// a CRC where the bytes are at hand. Parents before their clones, otherwise in the lists' order. Never by name.
std::vector<const ListEntry*> matchingEntries(const std::vector<ListEntry>& entries,
                                              const std::vector<ImagePart>& parts);

// The answer's line for an entry: "<list>:<name> TAB description TAB year TAB publisher TAB yes|partial|no".
std::string identifyLine(const ListEntry& entry);

} // namespace Orvane::Bridge
