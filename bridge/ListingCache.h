// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include "platform/Files.h"
#include "platform/Result.h"

#include "bridge/BridgeRules.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace Orvane::Bridge
{

// What identifies the emulator's build as a play sees it: its path, size and time, one per line.
std::string emulatorIdentity(const std::filesystem::path& emulator);

struct Listings
{
    std::string full;  // "-listfull"
    std::string media; // "-listmedia"
};

// The emulator's answers kept in "bridge-cache" beside the bridge, as the program's own files (platform/Files.h):
// never through a link, the folder itself no link either. The listings are written under names of their own and
// moved into place; the identity file, written last, names the emulator they came from and each listing's size and
// hash, and a listing is used only while it matches them; anything else put in their place is not read but asked
// for again and replaced. The configuration is used while the emulator and every "mame.ini" of its ini folders are
// as they were.
class ListingCache
{
public:
    explicit ListingCache(const std::filesystem::path& bridgeFolder);

    // The cache's folder, made when it is not there (a link in its place is removed first), or why it cannot be.
    PlatformResult<std::filesystem::path> folder() const;
    // Removes what writes that never finished left behind (a bridge killed while writing): the cache's own files
    // under a write's name (sweepLeftovers).
    void sweep() const;

    // Both listings, when the cache holds them whole for an emulator with this identity (which an update extends
    // with the emulator's own version answer).
    PlatformResult<Listings> listings(const std::string& identity) const;
    PlatformResult<void> keep(const std::string& identity, const Listings& listings) const;
    // One listing, for an identity that starts with the emulator's path, size and time.
    PlatformResult<std::string> mediaListing(const std::string& identity) const;
    PlatformResult<std::string> fullListing(const std::string& identity) const;

    PlatformResult<EmulatorConfiguration> configuration(const std::string& identity,
                                                        const std::filesystem::path& emulatorFolder) const;
    PlatformResult<void> keepConfiguration(const std::string& identity, const std::filesystem::path& emulatorFolder,
                                           const EmulatorConfiguration& configuration) const;

    // The software lists a system takes, as the emulator named them for an emulator of this identity.
    PlatformResult<std::vector<std::string>> systemLists(const std::string& identity, const std::string& system) const;
    PlatformResult<void> keepSystemLists(const std::string& identity, const std::string& system,
                                         const std::vector<std::string>& lists) const;
    // A list's index (SoftwareLists.h), while its XML file is the one it was made from (`source`: path, size, time).
    PlatformResult<std::string> listIndex(const std::string& list, const std::string& source) const;
    PlatformResult<void> keepListIndex(const std::string& list, const std::string& source,
                                       const std::string& index) const;

private:
    PlatformResult<std::string> readKept(const std::string& name) const;
    PlatformResult<std::string> listing(const std::string& identity, const char* name) const;

    std::filesystem::path m_folder;
};

} // namespace Orvane::Bridge
