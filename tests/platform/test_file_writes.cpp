// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
// Kept files on both sides of the platform layer: what is planted in a file's place is never read or written
// through, and what the program leaves behind is the only thing it ever removes.
#include "Check.h"
#include "HostileTree.h"
#include "TemporaryFolder.h"

#include "platform/Files.h"
#include "platform/ThisProgram.h"

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace fs = std::filesystem;
using namespace Orvane;
using HostileTree::Plant;

namespace
{

std::string contentOf(const fs::path& file)
{
    std::ifstream input(file, std::ios::binary);
    std::stringstream content;
    content << input.rdbuf();
    return content.str();
}

struct Operation
{
    const char* name;
    std::function<bool(const fs::path&, KeptBy)> run; // true when it was done, false when refused
    std::string written;                              // what the file holds once it is done
};

} // namespace

TEST_CASE("kept files: nothing planted in a file's place is read or written through; each case done or refused")
{
    TemporaryFolder folder;
    const HostileTree::Victim victim(folder.path() / "victim");
    std::string lastError;
    const auto note = [&](const auto& result) {
        lastError = result ? std::string() : result.error();
        return result.ok();
    };
    const std::vector<Operation> operations{
        {"read", [&](const fs::path& file, KeptBy keeper) { return note(readKeptFile(file, keeper)); }, {}},
        {"replace",
         [&](const fs::path& file, KeptBy keeper) { return note(replaceWholeFile(file, "new\r\n", keeper)); },
         "new\r\n"},
        {"append", [&](const fs::path& file, KeptBy keeper) { return note(appendToFile(file, "line\r\n", keeper)); },
         "line\r\n"},
    };
    const std::string before = victim.state();
    int cases = 0;
    for (const KeptBy keeper : {KeptBy::Program, KeptBy::User}) {
        for (const auto& [plant, plantName] : HostileTree::plants()) {
            for (const Operation& operation : operations) {
                const fs::path file = folder.path() / "program" / "Orvane.fav";
                if (!HostileTree::plant(plant, file, victim))
                    continue;
                // A user's own link is followed by design: the links here are another user's, where that can be
                // made so.
                if (keeper == KeptBy::User && HostileTree::isLink(plant) && !HostileTree::giveToAnotherUser(file))
                    continue;
                ++cases;
                const bool done = operation.run(file, keeper);
                const std::string what = std::string(plantName) + ", " + operation.name;
                // The program's own file takes the link's place (a read has nothing of its own to read); a user's
                // file, and anything that is no link, is refused in words naming it.
                const bool expected =
                    keeper == KeptBy::Program && HostileTree::isLink(plant) && operation.written != "";
                CHECK_EQUAL(what + (done ? " done" : " refused"), what + (expected ? " done" : " refused"));
                if (done)
                    CHECK_EQUAL(contentOf(file), operation.written);
                else
                    CHECK_EQUAL(what + ": " + std::to_string(lastError.find(shownPath(file)) != std::string::npos),
                                what + ": 1");
                CHECK_EQUAL(victim.state(), before);
            }
        }
    }
    std::cout << "  " << cases << " cases (operation, thing planted, keeper)\n";
    // Every case where this system can make the thing; Wine makes no links and no pipes.
#ifdef _WIN32
    CHECK(cases >= 6);
#else
    CHECK(cases >= 27);
#endif

    // The program's own files sit in a folder of their own that is no link either.
    std::error_code error;
    fs::create_symlink(victim.folder(), folder.path() / "cache", error);
    if (!error) {
        CHECK(!replaceWholeFile(folder.path() / "cache" / "listing.txt", "x", KeptBy::Program));
        CHECK(!appendToFile(folder.path() / "cache" / "listing.txt", "x", KeptBy::Program));
        sweepLeftovers(folder.path() / "cache", {"listfull.txt", "identity"}, KeptBy::Program);
        CHECK_EQUAL(victim.state(), before);
        CHECK(makeOwnFolder(folder.path() / "cache"));
        CHECK(fs::is_directory(fs::symlink_status(folder.path() / "cache")));
        CHECK_EQUAL(victim.state(), before);
    }
}

TEST_CASE("kept files: a user's own link and hard links are written where they lie; the program's own are replaced")
{
    TemporaryFolder folder;
    const fs::path synced = folder.write("synced/Orvane.fav", "a\r\n");
    std::error_code error;
    fs::create_symlink(synced, folder.path() / "Orvane.fav", error);
    if (!error) {
        CHECK(appendToFile(folder.path() / "Orvane.fav", "b\r\n", KeptBy::User));
        CHECK(replaceWholeFile(folder.path() / "Orvane.fav", contentOf(synced) + "c\r\n", KeptBy::User));
        CHECK_EQUAL(contentOf(synced), std::string("a\r\nb\r\nc\r\n"));
        CHECK(fs::is_symlink(folder.path() / "Orvane.fav"));
        CHECK_EQUAL(readKeptFile(folder.path() / "Orvane.fav", KeptBy::User).value().value_or(""), contentOf(synced));
    }
    const fs::path shared = folder.write("Orvane.sys", "old");
    fs::create_hard_link(shared, folder.path() / "other name", error);
    if (!error) {
        CHECK(replaceWholeFile(shared, "new", KeptBy::User));
        CHECK_EQUAL(contentOf(folder.path() / "other name"), std::string("new"));
        CHECK(replaceWholeFile(shared, "newer", KeptBy::Program));
        CHECK_EQUAL(contentOf(folder.path() / "other name") + " " + contentOf(shared), std::string("new newer"));
    }
    // No file is no content, and too large a file is refused unread.
    CHECK(!readKeptFile(folder.path() / "none", KeptBy::Program).value());
    CHECK(readKeptFile(shared, KeptBy::User, 3).error().find("larger than") != std::string::npos);
}

TEST_CASE("kept files: a scratch name is never taken over; only the program's own old leftovers are swept")
{
    TemporaryFolder folder;
    const fs::path file = folder.write("bridge-aliases.txt", "old");
    // A killed process of the same number left the next names behind: the write goes on under another.
    const std::string next = scratchNameBeside(file).filename().string();
    const std::string prefix = next.substr(0, next.rfind('-') + 1);
    const int count = std::stoi(next.substr(next.rfind('-') + 1));
    for (int ahead = 1; ahead <= 3; ++ahead)
        folder.write(prefix + std::to_string(count + ahead), "left behind");
    CHECK(replaceWholeFile(file, "new", KeptBy::Program));
    CHECK_EQUAL(contentOf(file), std::string("new"));
    const auto made = makeScratchFile(file);
    CHECK(made.ok() && made->path.filename().string().starts_with("bridge-aliases.txt."));
    if (made) {
#ifdef _WIN32
        _close(made->descriptor);
#else
        ::close(made->descriptor);
#endif
    }

    const auto old = [&](const std::string& name) {
        const fs::path path = folder.write(name, "x");
        fs::last_write_time(path, fs::file_time_type::clock::now() - std::chrono::hours(2));
        return path;
    };
    const fs::path leftover = old("bridge-aliases.txt.12345-1");
    const std::vector<fs::path> kept{old("bridge-aliases.txt.1"), old("bridge-aliases.txt.2024-01-01"),
                                     old("notes.12345-1"), old("bridge-aliases.txt.12a-1"),
                                     folder.write("bridge-aliases.txt.777-1", "young")};
    sweepLeftovers(folder.path(), {"bridge-aliases.txt"}, KeptBy::Program);
    CHECK(!fs::exists(leftover));
    for (const fs::path& path : kept)
        CHECK(fs::exists(path));
    CHECK(isScratchNameOf("listfull.txt.1-2", "listfull.txt") && !isScratchNameOf("listfull.txt.1", "listfull.txt") &&
          !isScratchNameOf("listfull.txt.-1", "listfull.txt") &&
          !isScratchNameOf("xlistfull.txt.1-2", "listfull.txt") && isScratchNameOf("list-nes.txt.1-2", "list-*") &&
          !isScratchNameOf("notes.txt.1-2", "list-*"));
}
