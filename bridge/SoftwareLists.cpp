// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "bridge/SoftwareLists.h"

#include "platform/Checksums.h"
#include "platform/Files.h"

#include <expat.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <map>
#include <memory>
#include <optional>

namespace Orvane::Bridge
{

namespace
{

// An expat parser that ends with the scope; the handlers get `state`.
template <typename State> class Parser
{
public:
    explicit Parser(State& state) : m_parser(XML_ParserCreate("UTF-8"), XML_ParserFree)
    {
        XML_SetUserData(m_parser.get(), &state);
        XML_SetElementHandler(
            m_parser.get(),
            [](void* data, const XML_Char* name, const XML_Char** attributes) {
                static_cast<State*>(data)->start(name, attributes);
            },
            [](void* data, const XML_Char* name) { static_cast<State*>(data)->end(name); });
        XML_SetCharacterDataHandler(m_parser.get(), [](void* data, const XML_Char* text, int length) {
            static_cast<State*>(data)->text(std::string_view(text, static_cast<std::size_t>(length)));
        });
    }
    // Feeds a piece of the document; the reason when it is no well-formed XML.
    PlatformResult<void> feed(std::string_view piece, bool last)
    {
        if (XML_Parse(m_parser.get(), piece.data(), static_cast<int>(piece.size()), last) != XML_STATUS_ERROR)
            return {};
        return Failure("line " + std::to_string(XML_GetCurrentLineNumber(m_parser.get())) + " is no XML (" +
                       XML_ErrorString(XML_GetErrorCode(m_parser.get())) + ")");
    }

private:
    std::unique_ptr<std::remove_pointer_t<XML_Parser>, void (*)(XML_Parser)> m_parser;
};

std::string_view attribute(const XML_Char** attributes, std::string_view name)
{
    for (const XML_Char** at = attributes; at && *at; at += 2) {
        if (name == *at)
            return at[1];
    }
    return {};
}

// A field of an index line: a tab or a line end in the list's text would split it.
std::string field(std::string_view text)
{
    std::string clean(text);
    std::replace_if(
        clean.begin(), clean.end(), [](char c) { return c == '\t' || c == '\n' || c == '\r'; }, ' ');
    const std::size_t start = clean.find_first_not_of(' ');
    const std::size_t end = clean.find_last_not_of(' ');
    return start == std::string::npos ? std::string() : clean.substr(start, end - start + 1);
}

struct MachineLists
{
    const std::string& system;
    std::vector<std::string> lists;
    int inMachine = 0;
    bool done = false;

    void start(const XML_Char* name, const XML_Char** attributes)
    {
        if (done)
            return;
        if (inMachine > 0) {
            ++inMachine;
            // A list names a file of the hash folders and one of the cache: only letters, digits and '_' will do.
            std::string list(attribute(attributes, "name"));
            const bool plain = !list.empty() && std::all_of(list.begin(), list.end(), [](char c) {
                return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
            });
            if (std::strcmp(name, "softwarelist") == 0 && plain &&
                std::find(lists.begin(), lists.end(), list) == lists.end())
                lists.push_back(std::move(list));
        } else if (std::strcmp(name, "machine") == 0 && attribute(attributes, "name") == system) {
            inMachine = 1;
        }
    }
    void end(const XML_Char*)
    {
        if (inMachine > 0 && --inMachine == 0)
            done = true;
    }
    void text(std::string_view) {}
};

// Writes the index while the list is read: an entry's line once its fields are known, an area's once it ends.
struct ListIndexer
{
    std::string index;
    std::string name, cloneOf, supported, description, year, publisher;
    std::string area;
    std::string roms;
    std::string* collecting = nullptr;
    bool inSoftware = false;
    bool entryWritten = false;

    void writeEntry()
    {
        if (entryWritten)
            return;
        index += "E\t" + field(name) + "\t" + field(cloneOf) + "\t" + (supported.empty() ? "yes" : field(supported)) +
                 "\t" + field(year) + "\t" + field(publisher) + "\t" + field(description) + "\n";
        entryWritten = true;
    }
    void start(const XML_Char* element, const XML_Char** attributes)
    {
        const std::string_view tag = element;
        if (tag == "software") {
            inSoftware = true;
            entryWritten = false;
            name = attribute(attributes, "name");
            cloneOf = attribute(attributes, "cloneof");
            supported = attribute(attributes, "supported");
            description.clear();
            year.clear();
            publisher.clear();
        } else if (inSoftware && tag == "description") {
            collecting = &description;
        } else if (inSoftware && tag == "year") {
            collecting = &year;
        } else if (inSoftware && tag == "publisher") {
            collecting = &publisher;
        } else if (inSoftware && tag == "dataarea") {
            area = attribute(attributes, "name");
            roms.clear();
        } else if (inSoftware && tag == "rom") {
            // A ROM without a CRC (a part loaded again, a gap) holds no bytes of its own to match.
            const std::string_view crc = attribute(attributes, "crc");
            const std::string_view size = attribute(attributes, "size");
            if (!crc.empty() && !size.empty())
                roms += (roms.empty() ? "" : ",") + std::string(size) + ":" + std::string(crc) + ":" +
                        std::string(attribute(attributes, "sha1"));
        }
    }
    void end(const XML_Char* element)
    {
        const std::string_view tag = element;
        collecting = nullptr;
        if (tag == "dataarea" && inSoftware && !roms.empty()) {
            writeEntry();
            index += "A\t" + field(area) + "\t" + roms + "\n";
        } else if (tag == "software") {
            writeEntry();
            inSoftware = false;
        }
    }
    void text(std::string_view piece)
    {
        if (collecting)
            collecting->append(piece);
    }
};

std::vector<std::string_view> split(std::string_view text, char separator)
{
    std::vector<std::string_view> parts;
    for (;;) {
        const std::size_t at = text.find(separator);
        parts.push_back(text.substr(0, at));
        if (at == std::string_view::npos)
            return parts;
        text.remove_prefix(at + 1);
    }
}

std::uint64_t number(std::string_view text, int base = 10)
{
    std::uint64_t value = 0;
    for (const char c : text) {
        const int digit = c >= '0' && c <= '9'   ? c - '0'
                          : c >= 'a' && c <= 'f' ? c - 'a' + 10
                          : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                 : -1;
        if (digit < 0 || digit >= base)
            return 0;
        value = value * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(digit);
    }
    return value;
}

// Whether an area's ROMs, one after another, are the part's bytes; by SHA-1 too when `bySha1` and the bytes are at
// hand.
bool areaHolds(const ListEntry::Area& area, const ImagePart& part, bool bySha1)
{
    std::uint64_t total = 0;
    for (const ListedRom& rom : area.roms)
        total += rom.size;
    if (total != part.size || area.roms.empty())
        return false;
    if (area.roms.size() == 1 && (!bySha1 || part.bytes.empty() || area.roms.front().sha1.empty()))
        return area.roms.front().crc == part.crc;
    if (part.bytes.empty())
        return false;
    std::size_t offset = 0;
    for (const ListedRom& rom : area.roms) {
        const std::string_view chunk = std::string_view(part.bytes).substr(offset, rom.size);
        Crc32 crc;
        crc.add(chunk);
        if (crc.value() != rom.crc)
            return false;
        if (bySha1 && !rom.sha1.empty()) {
            Sha1 sha1;
            sha1.add(chunk);
            if (sha1.hex() != rom.sha1)
                return false;
        }
        offset += rom.size;
    }
    return true;
}

bool entryHolds(const ListEntry& entry, const std::vector<ImagePart>& parts, bool bySha1)
{
    // A whole file is any one area of the entry; a NES cartridge's parts are its areas of the same names, and an
    // entry with an area the image lacks (CHR in ROM for an image without) is another cartridge.
    if (parts.size() == 1 && parts.front().area.empty())
        return std::any_of(entry.areas.begin(), entry.areas.end(),
                           [&](const ListEntry::Area& area) { return areaHolds(area, parts.front(), bySha1); });
    for (const ListEntry::Area& area : entry.areas) {
        const auto part =
            std::find_if(parts.begin(), parts.end(), [&](const ImagePart& p) { return p.area == area.name; });
        if (part == parts.end() || !areaHolds(area, *part, bySha1))
            return false;
    }
    return std::all_of(parts.begin(), parts.end(), [&](const ImagePart& part) {
        return std::any_of(entry.areas.begin(), entry.areas.end(),
                           [&](const ListEntry::Area& area) { return area.name == part.area; });
    });
}

ImagePart partOf(std::string area, std::string bytes)
{
    ImagePart part{std::move(area), std::move(bytes), 0, 0};
    part.size = part.bytes.size();
    Crc32 crc;
    crc.add(part.bytes);
    part.crc = crc.value();
    return part;
}

} // namespace

PlatformResult<std::vector<std::string>> softwareListsOf(std::string_view listXml, const std::string& system)
{
    MachineLists lists{system, {}};
    Parser<MachineLists> parser(lists);
    if (auto parsed = parser.feed(listXml, true); !parsed && !lists.done)
        return Failure(parsed.error());
    return lists.lists;
}

PlatformResult<std::string> indexOfListFile(const std::filesystem::path& xmlFile, const std::string& list)
{
    std::ifstream input(xmlFile, std::ios::binary);
    if (!input)
        return Failure("Cannot read " + shownPath(xmlFile));
    ListIndexer indexer;
    indexer.index = "L\t" + list + "\n";
    Parser<ListIndexer> parser(indexer);
    std::string piece(256 * 1024, '\0');
    for (;;) {
        input.read(piece.data(), static_cast<std::streamsize>(piece.size()));
        const auto got = static_cast<std::size_t>(input.gcount());
        const bool last = got < piece.size();
        if (auto parsed = parser.feed(std::string_view(piece.data(), got), last); !parsed)
            return Failure(shownPath(xmlFile) + ": " + parsed.error());
        if (last)
            break;
    }
    if (input.bad())
        return Failure("Cannot read " + shownPath(xmlFile));
    return std::move(indexer.index);
}

std::vector<ListEntry> parseIndex(std::string_view index)
{
    std::vector<ListEntry> entries;
    std::string list;
    for (const std::string_view line : split(index, '\n')) {
        const std::vector<std::string_view> fields = split(line, '\t');
        if (fields.size() == 2 && fields[0] == "L") {
            list = fields[1];
        } else if (fields.size() == 7 && fields[0] == "E") {
            ListEntry entry;
            entry.list = list;
            entry.name = fields[1];
            entry.cloneOf = fields[2];
            entry.supported = fields[3];
            entry.year = fields[4];
            entry.publisher = fields[5];
            entry.description = fields[6];
            entries.push_back(std::move(entry));
        } else if (fields.size() == 3 && fields[0] == "A" && !entries.empty()) {
            ListEntry::Area area{std::string(fields[1]), {}};
            for (const std::string_view rom : split(fields[2], ',')) {
                const std::vector<std::string_view> values = split(rom, ':');
                if (values.size() == 3)
                    area.roms.push_back(
                        {number(values[0]), static_cast<std::uint32_t>(number(values[1], 16)), std::string(values[2])});
            }
            entries.back().areas.push_back(std::move(area));
        }
    }
    return entries;
}

std::vector<ImagePart> imageParts(std::string bytes)
{
    const auto byte = [&](std::size_t at) { return static_cast<unsigned char>(bytes[at]); };
    if (bytes.size() >= 16 && bytes.compare(0, 4, "NES\x1a") == 0) {
        std::uint64_t prg = byte(4), chr = byte(5);
        // NES 2.0 gives each size four more high bits (a high nibble of 15 is a size in another notation, not read).
        if ((byte(7) & 0x0c) == 0x08 && (byte(9) & 0x0f) != 0x0f && (byte(9) >> 4) != 0x0f) {
            prg |= std::uint64_t(byte(9) & 0x0f) << 8;
            chr |= std::uint64_t(byte(9) >> 4) << 8;
        }
        prg *= 16384;
        chr *= 8192;
        const std::size_t start = 16 + ((byte(6) & 0x04) ? 512 : 0);
        if (prg > 0 && start + prg + chr <= bytes.size()) {
            std::vector<ImagePart> parts{partOf("prg", bytes.substr(start, prg))};
            if (chr > 0)
                parts.push_back(partOf("chr", bytes.substr(start + prg, chr)));
            return parts;
        }
    }
    return {partOf({}, std::move(bytes))};
}

std::vector<const ListEntry*> matchingEntries(const std::vector<ListEntry>& entries,
                                              const std::vector<ImagePart>& parts)
{
    std::vector<const ListEntry*> matched;
    for (const ListEntry& entry : entries) {
        if (entryHolds(entry, parts, false))
            matched.push_back(&entry);
    }
    // Entries that share a CRC are told apart by SHA-1; one alone needs no second look.
    if (matched.size() > 1) {
        std::vector<const ListEntry*> bySha1;
        for (const ListEntry* entry : matched) {
            if (entryHolds(*entry, parts, true))
                bySha1.push_back(entry);
        }
        if (!bySha1.empty())
            matched = std::move(bySha1);
    }
    std::stable_partition(matched.begin(), matched.end(),
                          [](const ListEntry* entry) { return entry->cloneOf.empty(); });
    return matched;
}

std::string identifyLine(const ListEntry& entry)
{
    return entry.list + ":" + entry.name + "\t" + entry.description + "\t" + entry.year + "\t" + entry.publisher +
           "\t" + entry.supported;
}

} // namespace Orvane::Bridge
