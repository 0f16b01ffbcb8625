// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include "platform/Result.h"

#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace Orvane::Bridge
{

// A name as a message shows it: a line end, a tab or another control character in it is written as an escape, so
// that a name can never start a line of a log of its own.
std::string printableName(std::string_view name);

// What today's emulator prints for "-listfull": a header, then a name, blanks and the description in quotes.
struct EmulatorSystem
{
    std::string name;
    std::string description;
};
std::vector<EmulatorSystem> parseListFull(std::string_view text);

// One kind of media a system takes, from "-listmedia": "a2600  cartridge  (cart)  .bin  .a26".
struct Media
{
    std::string name;                    // "cartridge"
    std::string brief;                   // "cart": the switch is "-cart"
    std::vector<std::string> extensions; // lower case, without the dot
};
// The media of each system that takes any, in the order the emulator lists them.
std::map<std::string, std::vector<Media>> parseListMedia(std::string_view text);
// The media of one system, read from the lines that start with its name alone (a play needs no more).
std::vector<Media> systemMedia(std::string_view listMedia, std::string_view system);

// A listing is kept only when every line is what the emulator prints: the number (from 1) of the first line that
// is not, or 0 when all are. A listing without its header line is not one either.
std::size_t firstStrangeListFullLine(std::string_view text);
std::size_t firstStrangeListMediaLine(std::string_view text);

// Media the emulator writes to (a printer's paper, MIDI out, a serial line): never handed a user's file.
bool isOutputMedia(const Media& media);
// Memory cards hold what a board saves, never a game, and output media take nothing in: a system that takes
// nothing else is not one to play.
bool takesImages(const std::vector<Media>& media);

// The media an image goes to, and why, or the reason none does.
struct MediaChoice
{
    Media media;
    std::string note;  // what decided, when that was not plain: an archive's entry, a tie, the only media
    std::string entry; // the archive's entry that decided, empty when the file itself did
};
// `entries` are the names inside the image when it is an archive (.zip, .7z), in their order. An extension
// matches in any letter case and may have several parts (".plusd.prg"). The first entry one of the media takes
// decides; where several media take it, the longest extension wins, then cartridge before quickload and snapshot,
// CD-ROM before hard disk, then the emulator's order. A file no media takes goes to the system's only media when
// it has exactly one. Output media take nothing.
PlatformResult<MediaChoice> chooseMedia(const std::string& system, const std::vector<Media>& media,
                                        std::string_view fileName, const std::vector<std::string>& entries);
bool isArchive(std::string_view fileName);

// Classic catalogues name a system in eight columns; today's names run longer. Each system gets a name of at most
// eight characters that never changes once given, so a favourite saved before an update launches the same system
// after it. A name of eight or fewer is its own alias unless an older alias already took it; every alias given
// is kept (as text, one "alias<TAB>system" per line) for the next update, and never given to another system. A
// line that is not such a pair (an alias longer than eight, blanks, control characters or quotes in either), an alias
// already given, or a second alias of one system is dropped when read; an alias that is another system's own name is
// dropped when aliases are given, so that a system's own name always means that system.
class AliasTable
{
public:
    static AliasTable parse(std::string_view text);
    std::string text() const;
    // The lines dropped since the table was read, each with the reason, for the log.
    const std::vector<std::string>& dropped() const { return m_dropped; }

    // Gives every listed system its alias, keeping the ones given before. `allNames` are all the emulator's
    // systems: a new alias never takes the name of one of them.
    std::vector<std::string> assign(const std::vector<std::string>& systems, const std::set<std::string>& allNames);
    // The system an alias names: the one it was given to, or the name itself.
    std::string systemFor(const std::string& alias) const;

private:
    std::map<std::string, std::string> m_systemByAlias;
    std::map<std::string, std::string> m_aliasBySystem;
    std::vector<std::string> m_dropped;
};

inline constexpr std::size_t classicNameColumns = 8;

// The catalogue as the classic emulator printed it: a header, then each system that takes images (see
// takesImages), its alias padded to ten columns and its description in double quotes, every line ended with CR LF,
// in the emulator's order.
std::string classicCatalogue(const std::vector<EmulatorSystem>& systems,
                             const std::map<std::string, std::vector<Media>>& media, AliasTable& aliases);

} // namespace Orvane::Bridge
