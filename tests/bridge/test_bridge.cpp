// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
// The bridge's rules, and the bridge itself run as Orvane runs it, against a fake emulator (on Linux and, built
// for Windows, under Wine).
#include "Check.h"
#include "HostileTree.h"
#include "TemporaryFolder.h"

#include "bridge/BridgeRules.h"
#include "bridge/EmulatorListings.h"
#include "bridge/PlayPlan.h"
#include "platform/Checksums.h"
#include "platform/CommandLine.h"
#include "platform/ProgramRun.h"
#include "platform/Utf8Locale.h"

#include <algorithm>
#include <archive.h>
#include <archive_entry.h>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>
#include <thread>
#include <tuple>
#ifndef _WIN32
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;
using namespace Orvane;
using namespace Orvane::Bridge;
using HostileTree::Plant;

namespace
{

#ifdef _WIN32
const std::string executableSuffix = ".exe";
#else
const std::string executableSuffix;
#endif

std::string readFile(const fs::path& path)
{
    std::ifstream input(path, std::ios::binary);
    std::stringstream content;
    content << input.rdbuf();
    return content.str();
}

const std::string listFull = "Name:             Description:\n"
                             "a2600             \"Atari 2600 (NTSC)\"\n"
                             "pacman            \"Pac-Man (Midway)\"\n"
                             "verylongname1     \"Long one\"\n"
                             "verylongname2     \"Long \\\"two\\\"\"\n"
                             "caf               \"Caf\xc3\xa9 \"Quoted\" system\"\n"
                             "memboard          \"Board that saves scores\"\n"
                             "jag               \"Two media take .bin\"\n"
                             "comp              \"A computer with a printer\"\n"
                             "prnonly           \"Only a printer\"\n";
const std::string listMedia = "SYSTEM           MEDIA NAME       (brief)    IMAGE FILE EXTENSIONS SUPPORTED\n"
                              "---------------- --------------------------- -------------------------------\n"
                              "a2600            cartridge        (cart)     .bin  .a26  \n"
                              "pacman           (none)\n"
                              "verylongname1    cartridge        (cart)     .bin  \n"
                              "verylongname2    floppydisk1      (flop1)    .dsk  .bin  \n"
                              "verylongname2    cassette         (cass)     .wav  \n"
                              "caf              quickload        (quik)     .COM  \n"
                              "memboard         memcard          (memc)     .mc  \n"
                              "jag              quickload        (quik)     .abs  .bin  .prg  \n"
                              "jag              cartridge        (cart)     .j64  .bin  \n"
                              "jag              snapshot         (dump)     .plusd.prg  \n"
                              "comp             floppydisk1      (flop1)    .dsk  \n"
                              "comp             cassette         (cass)     .wav  \n"
                              "comp             printout         (prin)     .prn  \n"
                              "prnonly          printout         (prin)     .prn  \n"
                              "prnonly          midiout          (mout)     .mid  \n";

std::string comparable(std::string text)
{
#ifdef _WIN32
    for (char& character : text)
        character = static_cast<char>(std::tolower(static_cast<unsigned char>(character)));
#endif
    return text;
}

// A program folder with the bridge as MESS.EXE and the fake emulator beside it, named in the bridge's settings.
struct ProgramFolder
{
    TemporaryFolder root;
    // A ';' in the path would split a list of folders handed to the emulator.
    fs::path folder = root.path() / pathFromUtf8("Program; caf\xc3\xa9");

    ProgramFolder()
    {
        // A failed play would show its message in a window (on Windows one that waits to be closed).
        // A home of the test's own, which the emulator's folders name.
        const std::string home = (root.path() / "home").string();
#ifdef _WIN32
        _putenv_s("ORVANE_BRIDGE_NO_WINDOW", "1");
        _putenv_s("HOME", home.c_str());
#else
        setenv("ORVANE_BRIDGE_NO_WINDOW", "1", 1);
        setenv("HOME", home.c_str(), 1);
#endif
        const fs::path built = fs::absolute(fs::path(Check::programPath())).parent_path();
        fs::create_directories(folder);
        fs::copy_file(built / ("orvane-bridge" + executableSuffix), folder / "MESS.EXE");
        fs::copy_file(built / ("fake_emulator" + executableSuffix), folder / ("fake" + executableSuffix));
        write("bridge.ini", "# the fake emulator\nemulator=fake\n");
        write("fake-listfull.txt", listFull);
        write("fake-listmedia.txt", listMedia);
        write("fake-version.txt", "0.251 (unknown)\n");
        write("fake-showconfig.txt", "homepath                  .\n"
                                     "rompath                   \"$HOME/mame/roms;${HOME}/My Roms;~/r;relative\"\n"
                                     "inipath                   $HOME/.mame;ini\n"
                                     "hashpath                  missing;hash\n");
    }
    void write(const std::string& name, const std::string& content)
    {
        fs::create_directories((folder / pathFromUtf8(name)).parent_path());
        std::ofstream(folder / pathFromUtf8(name), std::ios::binary) << content;
    }
    std::string read(const std::string& name) const
    {
        return readFile(folder / pathFromUtf8(name));
    }
    // The log with each entry's lines joined up again: a message's later lines are indented under its time.
    std::string log() const
    {
        std::string text = read("bridge.log");
        for (std::size_t at; (at = text.find("\n" + std::string(21, ' '))) != std::string::npos;)
            text.erase(at + 1, 21);
        return text;
    }
    // Runs MESS as Orvane does, in the program folder; its standard output lands in "out.txt". A start that
    // failed reads as a run that did not end normally, with the reason as its error output.
    ProcessOutcome run(const std::vector<std::string>& arguments, const std::string& output = "out.txt") const
    {
        const auto run = runAndWait({folder / "MESS.EXE", arguments, folder, folder / output});
        return run ? run.value() : ProcessOutcome{false, -1, 0, run.error(), {}, 0};
    }
    // The emulator's build changes: its listings must be asked for again.
    void updateEmulator()
    {
        const fs::path fake = folder / ("fake" + executableSuffix);
        fs::last_write_time(fake, fs::last_write_time(fake) + std::chrono::hours(1));
    }
};

// A file in a zip written by hand, for layouts no zip tool of ours writes: bytes stored as they are.
struct ZipEntry
{
    ZipEntry(std::string name, std::string data = {}, bool utf8Flag = false, std::string linkTo = {},
             std::uint32_t claimedSize = 0)
        : name(std::move(name)), data(std::move(data)), utf8Flag(utf8Flag), linkTo(std::move(linkTo)),
          claimedSize(claimedSize)
    {}
    std::string name;
    std::string data;
    bool utf8Flag;             // the archive says its name is UTF-8
    std::string linkTo;        // a link entry, to this path
    std::uint32_t claimedSize; // a size the directory claims beyond the data stored
};

std::uint32_t crc32Of(std::string_view data)
{
    std::uint32_t crc = 0xffffffff;
    for (const char byte : data) {
        crc ^= static_cast<unsigned char>(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xedb88320 & (0u - (crc & 1)));
    }
    return ~crc;
}

std::string sha1Of(const std::string& bytes)
{
    Sha1 sha1;
    sha1.add(bytes);
    return sha1.hex();
}

std::string zipOf(const std::vector<ZipEntry>& entries)
{
    const auto little = [](std::uint32_t value, int bytes) {
        std::string text;
        for (int index = 0; index < bytes; ++index)
            text += static_cast<char>((value >> (8 * index)) & 0xff);
        return text;
    };
    std::string local, central;
    for (const ZipEntry& entry : entries) {
        const std::string& data = entry.linkTo.empty() ? entry.data : entry.linkTo;
        const std::uint32_t size = entry.claimedSize ? entry.claimedSize : static_cast<std::uint32_t>(data.size());
        const std::string common = little(20, 2) + little(entry.utf8Flag ? 0x800 : 0, 2) + little(0, 2) + little(0, 4) +
                                   little(crc32Of(data), 4) + little(data.size(), 4) + little(size, 4) +
                                   little(entry.name.size(), 2) + little(0, 2);
        // Made on Unix, so the upper half of the external attributes is the file's mode: a link's, or a file's.
        const std::uint32_t mode = entry.linkTo.empty() ? 0100644 : 0120777;
        central += little(0x02014b50, 4) + little(0x0314, 2) + common + little(0, 2) + little(0, 2) + little(0, 2) +
                   little(mode << 16, 4) + little(local.size(), 4) + entry.name;
        local += little(0x04034b50, 4) + common + entry.name + data;
    }
    return local + central + little(0x06054b50, 4) + little(0, 4) + little(entries.size(), 2) +
           little(entries.size(), 2) + little(central.size(), 4) + little(local.size(), 4) + little(0, 2);
}

// A cartridge of the test's own for the Atari 2600 (tests/journeys/make_cartridge.py): it draws frames for ever and
// needs no system ROM, so the real emulator plays it with nothing that belongs to anyone else.
std::string cartridge()
{
    std::string image(4096, '\0');
    const unsigned char program[] = {0xA9, 0x84, 0x85, 0x09, 0xA9, 0x02, 0x85, 0x00, 0x85, 0x02, 0x85, 0x02, 0x85,
                                     0x02, 0xA9, 0x00, 0x85, 0x00, 0xA2, 37,   0x85, 0x02, 0xCA, 0xD0, 0xFB, 0xA9,
                                     0x00, 0x85, 0x01, 0xA2, 192,  0x85, 0x02, 0xCA, 0xD0, 0xFB, 0xA9, 0x02, 0x85,
                                     0x01, 0xA2, 30,   0x85, 0x02, 0xCA, 0xD0, 0xFB, 0x4C, 0x04, 0xF0};
    std::copy(std::begin(program), std::end(program), image.begin());
    image.replace(0xFFC, 4, std::string("\x00\xF0\x00\xF0", 4));
    return image;
}

} // namespace

TEST_CASE("bridge: -listfull gives the classic catalogue of the systems that take media, with lasting aliases")
{
    ProgramFolder program;
    auto run = program.run({"-listfull"});
    CHECK(run.exitedNormally && run.exitCode == 0);
    CHECK_EQUAL(program.read("out.txt"), std::string("Name:     Description:\r\n"
                                                     "a2600     \"Atari 2600 (NTSC)\"\r\n"
                                                     "verylong  \"Long one\"\r\n"
                                                     "verylon1  \"Long \\\"two\\\"\"\r\n"
                                                     "caf       \"Caf\xc3\xa9 \"Quoted\" system\"\r\n"
                                                     "jag       \"Two media take .bin\"\r\n"
                                                     "comp      \"A computer with a printer\"\r\n"));

    // An update that drops one long system and adds another with the same start: the aliases given stay, and the
    // dropped one's is not given again.
    std::string changed = listFull;
    changed.replace(changed.find("verylongname1"), 13, "verylongname0");
    program.write("fake-listfull.txt", changed);
    std::string changedMedia = listMedia;
    changedMedia.replace(changedMedia.find("verylongname1"), 13, "verylongname0");
    program.write("fake-listmedia.txt", changedMedia);
    program.updateEmulator();
    run = program.run({"-listfull"});
    CHECK(run.exitedNormally && run.exitCode == 0);
    const std::string catalogue = program.read("out.txt");
    CHECK(catalogue.find("verylon2  \"Long one\"\r\n") != std::string::npos);
    CHECK(catalogue.find("verylon1  \"Long \\\"two\\\"\"\r\n") != std::string::npos);

    // A favourite saved with an alias still starts its system.
    program.write("ROMS/verylon1/disk.DSK", "d");
    run = program.run({"verylon1", "disk.dsk"});
    CHECK(run.exitedNormally && run.exitCode == 0);
    CHECK(program.read("fake-play.log").rfind("verylongname2\n-flop1\n", 0) == 0);

    // Aliases edited by hand that would give two systems one name are dropped, and said so: a system's own name
    // always means that system, even before the next update.
    program.write("bridge-aliases.txt", "a2600\tjag\nverylon1\tverylongname2\nverylon1\tcomp\n");
    program.write("ROMS/a2600/game.a26", "c");
    fs::remove(program.folder / "fake-play.log");
    CHECK_EQUAL(program.run({"a2600", "game.a26"}).exitCode, 0);
    CHECK(program.read("fake-play.log").rfind("a2600\n-cart\n", 0) == 0);
    CHECK_EQUAL(program.run({"-listfull"}).exitCode, 0);
    CHECK(program.read("out.txt").find("a2600     \"Atari 2600 (NTSC)\"\r\njag") == std::string::npos);
    CHECK(program.read("out.txt").find("verylon1  \"Long \\\"two\\\"\"\r\n") != std::string::npos);
    CHECK(program.read("bridge.log").find("dropped the line a2600\tjag (another system's own name)") !=
          std::string::npos);
    CHECK(
        program.read("bridge.log").find("dropped the line verylon1\tcomp (the alias or the system has one already)") !=
        std::string::npos);
    CHECK(program.read("bridge-aliases.txt").find("a2600\tjag") == std::string::npos);
}

TEST_CASE("bridge: the listings kept are used only whole and from the same emulator; plays ask it nothing more")
{
    ProgramFolder program;
    const auto asked = [&] {
        const std::string log = program.read("fake-asked.log");
        fs::remove(program.folder / "fake-asked.log");
        return log;
    };
    CHECK_EQUAL(program.run({"-listfull"}).exitCode, 0);
    const std::string catalogue = program.read("out.txt");
    CHECK_EQUAL(asked().size(), std::string("-version\n-listmedia\n-listfull\n").size());
    program.write("fake-listfull.txt", listFull + "jag2              \"Added later\"\n");
    program.write("fake-listmedia.txt", listMedia + "jag2             cartridge        (cart)     .j64\n");
    CHECK_EQUAL(program.run({"-listfull"}).exitCode, 0);
    CHECK_EQUAL(program.read("out.txt"), catalogue);
    CHECK_EQUAL(asked(), std::string("-version\n"));

    // A listing cut short in the cache is not used: the emulator is asked again.
    const std::string kept = program.read("bridge-cache/listfull.txt");
    program.write("bridge-cache/listfull.txt", kept.substr(0, kept.size() / 2));
    const auto again = program.run({"-listfull"});
    CHECK_EQUAL(std::to_string(again.exitCode) + again.errorOutput, std::string("0"));
    CHECK(program.read("out.txt").find("\"Added later\"") != std::string::npos);
    // So is a new version behind the same program (a wrapper script in front of it).
    program.write("fake-listfull.txt", listFull);
    program.write("fake-version.txt", "0.252\n");
    CHECK_EQUAL(program.run({"-listfull"}).exitCode, 0);
    CHECK_EQUAL(program.read("out.txt"), catalogue);

    // A listing with a line the emulator never prints is no catalogue, whatever the exit code.
    program.write("fake-version.txt", "0.253\n");
    program.write("fake-listfull.txt", listFull + "cut               \"Half a desc");
    auto run = program.run({"-listfull"});
    CHECK(run.exitCode != 0 &&
          run.errorOutput.find("-listfull printed what is no listing (line 11)") != std::string::npos);
    CHECK_EQUAL(program.read("out.txt"), std::string());

    // Two updates at once each print the whole catalogue.
    program.write("fake-listfull.txt", listFull);
    fs::remove_all(program.folder / "bridge-cache");
    std::thread other([&] { run = program.run({"-listfull"}, "other.txt"); });
    CHECK_EQUAL(program.run({"-listfull"}).exitCode, 0);
    other.join();
    CHECK_EQUAL(run.exitCode, 0);
    CHECK_EQUAL(program.read("out.txt"), catalogue);
    CHECK_EQUAL(program.read("other.txt"), catalogue);

    // A play takes its media from the update's listing and the configuration from the emulator once, until an ini
    // file it reads changes.
    program.write("ROMS/a2600/game.a26", "c");
    asked();
    CHECK_EQUAL(program.run({"a2600", "game.a26"}).exitCode, 0);
    CHECK_EQUAL(program.run({"a2600", "game.a26"}).exitCode, 0);
    CHECK_EQUAL(asked(), std::string("-showconfig\n"));
    program.write("ini/mame.ini", "rompath x\n");
    CHECK_EQUAL(program.run({"a2600", "game.a26"}).exitCode, 0);
    CHECK_EQUAL(asked(), std::string("-showconfig\n"));
}

TEST_CASE("bridge: a failing emulator gives no catalogue, a non-zero exit and the reason in the log")
{
    ProgramFolder program;
    program.write("fake-exit.txt", "3");
    const auto run = program.run({"-listfull"});
    CHECK(run.exitedNormally && run.exitCode != 0);
    CHECK_EQUAL(program.read("out.txt"), std::string());
    CHECK(run.errorOutput.find("ended with exit code 3") != std::string::npos);
    CHECK(program.read("bridge.log").find("ended with exit code 3") != std::string::npos);
#ifndef _WIN32
    // A catalogue that cannot be written out whole (a full disk) is a failure that says so.
    fs::remove(program.folder / "fake-exit.txt");
    const auto full = program.run({"-listfull"}, "/dev/full");
    CHECK(full.exitCode != 0 && full.errorOutput.find("No space left on device") != std::string::npos);
#endif
}

TEST_CASE("bridge: a play start names the system, its media switch, the image and where ROMs and recordings are")
{
    ProgramFolder program;
    program.write("ROMS/A2600/Test Cart.A26", "c");
    program.write("INP/old run.INP", "r");
    const fs::path roms = program.folder / "ROMS";
    // The emulator's own folders as it reads them from its ini: variables and ~ expanded, quotes gone, a relative
    // folder taken from the emulator's own; the program folder's are relative to it, where the emulator runs.
    const std::string home = std::getenv("HOME");
    const std::string start = "a2600\n-cart\n" + (roms / "A2600" / "Test Cart.A26").string() + "\n-rompath\nROMS;" +
                              home + "/mame/roms;" + home + "/My Roms;" + home + "/r;" +
                              (program.folder / "relative").string() + "\n-inipath\n" + home + "/.mame;" +
                              (program.folder / "ini").string() + "\n-input_directory\nINP\n";
    CHECK_EQUAL(program.run({"a2600", "test cart.a26"}).exitCode, 0);
    CHECK_EQUAL(program.run({"a2600", "Test Cart.A26", "-record", "run1"}).exitCode, 0);
    CHECK_EQUAL(program.run({"a2600", "Test Cart.A26", "-playback", "old run"}).exitCode, 0);
    // Windows finds a name in any case as it is asked for: there the letter case of a path says nothing.
    CHECK_EQUAL(
        comparable(program.read("fake-play.log")),
        comparable(start + "--\n" + start + "-record\nrun1.inp\n--\n" + start + "-playback\nold run.INP\n--\n"));
    // An archive goes to the media that takes the first entry one of them takes.
    program.write("ROMS/jag/Two.zip", zipOf({{"readme.txt"}, {"Game.J64"}, {"x.abs"}}));
    fs::remove(program.folder / "fake-play.log");
    const auto zipped = program.run({"jag", "Two.zip"});
    CHECK_EQUAL(zipped.exitCode, 0);
    CHECK(program.read("fake-play.log")
              .rfind("jag\n-cart\n" + (program.folder / "ROMS" / "jag" / "Two.zip").string() + "/Game.J64\n", 0) == 0);
    CHECK(program.read("bridge.log").find("Two.zip: cartridge (the archive's entry \"Game.J64\" decides)") !=
          std::string::npos);

    // The emulator's own exit status comes back, with its reason, every file it missed, and where it looked,
    // however much it said before.
    program.write("fake-play-exit.txt", "5");
    program.write("fake-play-errors.txt", std::string(5000, '.') + "\nco19156.u8 NOT FOUND (tried in a5200)\n" +
                                              "x.rom NOT FOUND\nFatal error: Required files are missing\nbye\n");
    auto failed = program.run({"a2600", "Test Cart.A26"});
    // Windows ends the lines of a text stream with CR LF.
    failed.errorOutput.erase(std::remove(failed.errorOutput.begin(), failed.errorOutput.end(), '\r'),
                             failed.errorOutput.end());
    CHECK_EQUAL(failed.exitCode, 5);
    for (const std::string& said :
         {std::string("ended with exit code 5: Fatal error: Required files are missing"),
          std::string("Test Cart.A26 did not play: "),
          "Missing files, and where each belongs:\n  co19156.u8: " +
              (pathFromUtf8(home + "/mame/roms") / "a5200" / "co19156.u8").string() + " (or inside " +
              (pathFromUtf8(home + "/mame/roms") / "a5200.zip").string() + ")\n  x.rom\n",
          "looked for system ROMs in:\n  " + roms.string() + "\n  " + home + "/mame/roms\n"}) {
        CHECK(failed.errorOutput.find(said) != std::string::npos);
        CHECK(program.log().find(said) != std::string::npos);
    }
#ifndef _WIN32
    // The log shows the line as the shell would take it.
    CHECK(program.read("bridge.log").find(" -cart '" + (roms / "A2600").string() + "/Test Cart.A26' -rompath") !=
          std::string::npos);
#endif
}

TEST_CASE("bridge: what cannot be played is refused with one line that says why, and nothing is started")
{
    ProgramFolder program;
    program.write("ROMS/a2600/game.a26", "c");
    program.write("ROMS/jag/notes.txt", "n");
    program.write("ROMS/comp/letter.prn", "p");
    const std::vector<std::pair<std::vector<std::string>, std::string>> refusals{
        {{}, "No image was chosen: pick an image in the list, then Play."},
        {{"", ""}, "No image was chosen"},
        {{"a2600", ""}, "no image file was given"},
        {{"a2600", "missing.a26"}, "no image \"missing.a26\""},
        {{"comp", "letter.prn"}, "no media of comp takes the file letter.prn"},
        {{"jag", "notes.txt"},
         "no media of jag takes the file notes.txt (quickload takes .abs .bin .prg; cartridge takes .j64 .bin; "
         "snapshot takes .plusd.prg)"},
        {{"pacman", "game.a26"}, "no image"},
        {{"a2600", "game.a26", "-record"}, "-record needs a recording name"},
        {{"a2600", "game.a26", "-record", "my", "run"}, "the recording name must be one word"},
        {{"a2600", "game.a26", "-playback", "none"}, "no recording \"none.inp\""},
        {{"a2600", "game.a26", "-cheat"}, "unknown argument \"-cheat\""},
    };
    for (const auto& [arguments, reason] : refusals) {
        const auto run = program.run(arguments);
        CHECK(run.exitedNormally && run.exitCode == 1);
        CHECK(run.errorOutput.rfind("MESS: ", 0) == 0 && run.errorOutput.find(reason) != std::string::npos);
        CHECK(program.read("bridge.log").find(reason) != std::string::npos);
    }
    CHECK_EQUAL(program.read("fake-play.log"), std::string());
    program.write("bridge.ini", "emulator=no-such-emulator\n");
    CHECK(program.run({"-listfull"}).errorOutput.find("no emulator \"no-such-emulator\"") != std::string::npos);
    program.write("bridge.ini", "emulatr=fake\n");
    CHECK(program.run({"-listfull"}).errorOutput.find("line 1 is no setting") != std::string::npos);
    // An empty settings file is no settings at all.
    program.write("bridge.ini", "");
    CHECK(program.run({"-listfull"}).errorOutput.find("annot read") == std::string::npos);
}

TEST_CASE("bridge rules: media by extension, whole listings, aliases")
{
    const auto media = parseListMedia(listMedia);
    const std::vector<std::tuple<std::string, std::string, std::vector<std::string>, std::string>> choices{
        {"verylongname2", "Disk.BIN", {}, "flop1"},
        {"caf", "x.com", {}, "quik"},
        {"a2600", "noextension", {}, "cart"}, // the only media
        {"a2600", "notes.txt", {}, "cart"},
        {"jag", "game.BIN", {}, "cart"},       // cartridge before quickload
        {"jag", "game.plusd.prg", {}, "dump"}, // the longest extension
        {"jag", "game.prg", {}, "quik"},
        {"jag", "Game.zip", {"readme.txt", "GAME.J64", "x.abs"}, "cart"}, // the first entry a media takes
        {"jag", "Game.7z", {"x.abs"}, "quik"},
        {"comp", "letter.txt", {}, "none"}, // a printer is no only media
        {"comp", "letter.prn", {}, "none"},
        {"prnonly", "song.mid", {}, "none"},
    };
    for (const auto& [system, file, entries, brief] : choices) {
        const auto chosen = chooseMedia(system, media.at(system), file, entries);
        CHECK_EQUAL(chosen ? chosen->media.brief : "none", brief);
    }
    CHECK(!chooseMedia("jag", media.at("jag"), "Game.zip", {"readme.txt"}));
    CHECK(media.count("pacman") == 0);
    CHECK_EQUAL(systemMedia(listMedia, "jag").size(), std::size_t(3));
    CHECK(takesImages(media.at("jag")) && !takesImages(media.at("memboard")) && !takesImages(media.at("prnonly")));
    // A listing is whole only when every line is one the emulator prints.
    CHECK_EQUAL(firstStrangeListFullLine(listFull), std::size_t(0));
    CHECK_EQUAL(firstStrangeListMediaLine(listMedia), std::size_t(0));
    CHECK_EQUAL(firstStrangeListFullLine(listFull.substr(0, listFull.size() - 9)), std::size_t(10));
    CHECK_EQUAL(firstStrangeListMediaLine(listMedia.substr(0, 190)), std::size_t(3));
    CHECK_EQUAL(firstStrangeListFullLine(""), std::size_t(1));
    // Alias lines edited into something else are dropped, each said why; a line edited on Windows still counts.
    const AliasTable aliases =
        AliasTable::parse("my nes alias\tnes\nok\tsys\r\nlongerthan8\tx\nno tab\n\nnew\x01\tx\n");
    CHECK_EQUAL(aliases.systemFor("my nes alias") + aliases.systemFor("ok") + aliases.systemFor("longerthan8"),
                std::string("my nes aliassyslongerthan8"));
    CHECK_EQUAL(aliases.dropped(),
                (std::vector<std::string>{"my nes alias\tnes (an alias is at most eight characters)",
                                          "longerthan8\tx (an alias is at most eight characters)",
                                          "no tab (no alias, a tab and a system)",
                                          "new\\x01\tx (blanks, quotes or control characters in a name)"}));
}

TEST_CASE("bridge rules: the emulator's ROM path, missing files, settings, arguments that split back")
{
    CHECK_EQUAL(configuredValue("rompathx   a\nrompath    $HOME/r;/usr/r  \n", "rompath").value_or("none"),
                std::string("$HOME/r;/usr/r"));
    const auto inEmulatorFolder = [](const char* name) {
        return (fs::path("/emu") / name).lexically_normal().string();
    };
    const auto environment = [](const std::string& name) -> std::optional<std::string> {
        if (name == "HOME")
            return "/home/u";
        if (name == "APP")
            return "C:\\Emu";
        return std::nullopt;
    };
    CHECK_EQUAL(expandedFolderList("\"$HOME/a;${HOME}b;;~/c;~x;$NONE/d;%APP%\\roms;roms\"", "/emu", environment, false),
                (std::vector<std::string>{"/home/u/a", "/home/ub", "/home/u/c", inEmulatorFolder("~x"), "/d",
                                          inEmulatorFolder("%APP%\\roms"), inEmulatorFolder("roms")}));
    CHECK_EQUAL(expandedFolderList("%APP%\\roms;$HOME", "", environment, true),
                (std::vector<std::string>{"C:\\Emu\\roms", "/home/u"}));
    CHECK_EQUAL(playFailureText("r", missingFiles("a NOT FOUND\nb.u8 NOT FOUND (tried in x y)\nNOT FOUND\n"), {"R"}),
                "r\n\nMissing files, and where each belongs:\n  a\n  b.u8: " + (fs::path("R") / "x" / "b.u8").string() +
                    " (or inside " + (fs::path("R") / "x.zip").string() +
                    ")\n\nThe emulator looked for system ROMs in:\n  R");

    const auto settings =
        parseSettings("\xef\xbb\xbf\n# c\nemulator\t= \"/opt/m ame\"\t\r\n\tplay-arguments=-a \"b c\"\n").value();
    CHECK_EQUAL(settings.emulator, std::string("/opt/m ame"));
    CHECK_EQUAL(settings.playArguments, (std::vector<std::string>{"-a", "b c"}));
    for (const std::string argument : {"plain", "two words", "", "quote\"d", "end\\", "a\\\\\"b", "tab\there"})
        CHECK_EQUAL(splitArguments("x " + quoteArgument(argument)), (std::vector<std::string>{"x", argument}));
}

// Archive layouts and refusals, each with what the planner makes of it.
struct PlannerRow
{
    std::string system, file;
    std::vector<std::string> entries;
    std::string damage;   // the archive cannot be read, for this reason
    std::string expected; // "-brief <path inside the ROMS folder>", or the words of the refusal
};
// How an archive's files are handed to the emulator is the layout table's (below), which the emulator itself judges.
static const std::vector<PlannerRow> plannerRows{
    {"a2600",
     "Half Done.zip",
     {},
     "it is damaged or incomplete (Truncated ZIP file header)",
     "Half Done.zip cannot be read: it is damaged or incomplete (Truncated ZIP file header)"},
    {"a2600", "plain.a26", {}, {}, "-cart a2600/plain.a26"},
    {"comp", "letter.prn", {}, {}, "no media of comp takes the file letter.prn (floppydisk1 takes .dsk; cassette"},
    {"comp", "Disk.zip", {"letter.prn", "disk.DSK"}, {}, "-flop1 comp/Disk.zip/disk.DSK"},
    {"memboard", "", {}, {}, "no image \"\" in "},
    {"pacman", "x.a26", {}, {}, "x.a26 cannot be played: the system pacman takes no media"},
};

TEST_CASE("bridge planner: what the emulator is told to load, or the words that refuse a play")
{
    const auto media = parseListMedia(listMedia);
    const fs::path roms = fs::absolute(fs::path("Program") / "ROMS");
    for (const PlannerRow& row : plannerRows) {
        PlayFacts facts;
        facts.request = {row.system, row.file, {}, {}};
        facts.system = row.system;
        facts.romsFolder = roms;
        if (!row.file.empty())
            facts.image = roms / row.system / pathFromUtf8(row.file);
        facts.media = media.count(row.system) ? media.at(row.system) : std::vector<Media>();
        if (isArchive(row.file)) {
            ArchiveListing listing;
            for (const std::string& entry : row.entries)
                listing.files.push_back({entry, 1});
            facts.archiveEntries = row.damage.empty() ? PlatformResult<ArchiveListing>(listing) : Failure(row.damage);
        }
        facts.recordingsFolder = roms.parent_path() / "INP";
        const auto plan = planPlay(facts);
        const std::string got = plan ? plan->arguments.at(1) + " " +
                                           fs::relative(pathFromUtf8(plan->arguments.at(2)), roms).generic_string()
                                     : plan.error();
        CHECK_EQUAL(got.substr(0, row.expected.size()), row.expected);
    }
    // No name that climbs out of the archive, or names nothing, is handed on.
    CHECK(!pathInsideArchive("a/../b") && !pathInsideArchive("a\\..\\..\\b") && !pathInsideArchive("/./") &&
          !pathInsideArchive(""));
    // A playback asked for that is not there is refused before anything starts.
    PlayFacts facts;
    facts.request = {"a2600", "plain.a26", {}, "old run"};
    facts.system = "a2600";
    facts.image = roms / "a2600/plain.a26";
    facts.media = media.at("a2600");
    facts.recordingsFolder = roms.parent_path() / "INP";
    CHECK(planPlay(facts).error().find("plain.a26 cannot be played back: no recording \"old run.inp\" in ") == 0);
}

namespace
{

// An archive ("zip" or "7zip") of files named in UTF-8, each holding the content given (its own name when none is); a
// name ending in '/' is a folder.
std::string archiveOf(const char* format, const std::vector<std::pair<std::string, std::string>>& files)
{
    const ThreadUtf8Locale utf8;
    std::string bytes(1 << 20, '\0');
    std::size_t used = 0;
    struct archive* writer = archive_write_new();
    archive_write_set_format_by_name(writer, format);
    archive_write_open_memory(writer, bytes.data(), bytes.size(), &used);
    for (const auto& [name, given] : files) {
        const std::string& content = given.empty() ? name : given;
        archive_entry* entry = archive_entry_new();
        archive_entry_update_pathname_utf8(entry, name.c_str());
        const bool folder = name.back() == '/';
        archive_entry_set_filetype(entry, folder ? AE_IFDIR : AE_IFREG);
        archive_entry_set_perm(entry, 0644);
        archive_entry_set_size(entry, folder ? 0 : static_cast<la_int64_t>(content.size()));
        archive_write_header(writer, entry);
        if (!folder)
            archive_write_data(writer, content.data(), content.size());
        archive_entry_free(entry);
    }
    archive_write_close(writer);
    archive_write_free(writer);
    bytes.resize(used);
    return bytes;
}

// Archives as people pack them, and as no one should: each with the path inside it that the bridge hands the
// emulator, or the words that refuse it. The emulator is the judge: where it is installed, each one that is handed
// on must play.
struct LayoutRow
{
    std::string file;
    std::string bytes;
    std::string expected; // the path inside, or (starting with the file's name) the refusal
};

std::vector<LayoutRow> layoutRows()
{
    const std::string cart = cartridge();
    const std::string accented = "Caf\xc3\xa9 Chaos.a26";
    const std::string unflagged = "Caf\xc3\xa9 Dir/\xc3\x89t\xc3\xa9.a26";
    return {
        {"Folder.zip", zipOf({{"read me.txt", "hi"}, {"Game Dir/Test Cart.a26", cart}}), "Game Dir/Test Cart.a26"},
        {"Folder.7z", archiveOf("7zip", {{"Game Dir/", ""}, {"Game Dir/Test Cart.a26", cart}}),
         "Game Dir/Test Cart.a26"},
        {"Dot.zip", zipOf({{"./x.a26", cart}}), "./x.a26"},
        {"Dot.7z", archiveOf("7zip", {{"a/./x.a26", cart}}), "a/./x.a26"},
        {"Double.zip", zipOf({{"a//x.a26", cart}}), "a//x.a26"},
        {"Leading.zip", zipOf({{"/abs/x.a26", cart}}), "/abs/x.a26"},
        // The archive library reads a backslash as the separator it is on Windows.
        {"Back.zip", zipOf({{"dir\\x.a26", cart}}), "dir/x.a26"},
        {"Flagged.zip", zipOf({{"Lisez-moi.txt", "lisez"}, {accented, cart, true}}), accented},
        {"Unflagged.zip", zipOf({{unflagged, cart}}), unflagged},
        {"Accent.7z", archiveOf("7zip", {{"Lisez-moi.txt", ""}, {accented, cart}}), accented},
        {"New line.zip", zipOf({{"new\nline.a26", cart}}), "new\nline.a26"},
        {"Link.zip", zipOf({{"link.a26", "", false, "/etc/passwd"}, {"good.a26", cart}}), "good.a26"},
        {"Up.zip", zipOf({{"..", ""}, {"a/../../x.a26", cart}, {"ok.a26", cart}}), "ok.a26"},
        {"Climbs.zip", zipOf({{"../../x.a26", cart}}),
         "Climbs.zip cannot be played: its file \"../../x.a26\" names a place outside the archive"},
        {"Not UTF-8.zip", zipOf({{"read me.txt", "hi"}, {"\xff\xfe.a26", cart, true}}),
         "Not UTF-8.zip cannot be played: the name of a file in it is not valid UTF-8"},
        {"Empty.zip", zipOf({}), "Empty.zip cannot be played: it holds no file"},
        {"Empty.7z", archiveOf("7zip", {}), "Empty.7z cannot be played: it holds no file"},
        {"Huge.zip", zipOf({{"huge.a26", cart, false, "", 1536u << 20}}),
         "Huge.zip cannot be played: its file \"huge.a26\" is 1536 MB unpacked"},
    };
}

} // namespace

// Plays each layout with the program folder's emulator: what the bridge hands on plays, anything else is refused.
void playLayouts(ProgramFolder& program, bool realEmulator)
{
    const fs::path roms = program.folder / "ROMS" / "a2600";
    for (const LayoutRow& row : layoutRows()) {
        program.write("ROMS/a2600/" + row.file, row.bytes);
        fs::remove(program.folder / "fake-play.log");
        const auto run = program.run({"a2600", row.file});
        const std::string said = row.file + ": " + std::to_string(run.exitCode) + " " + run.errorOutput;
        if (row.expected.starts_with(row.file + " ")) {
            const std::string refusal = row.file + ": 1 MESS: " + row.expected;
            CHECK_EQUAL(said.substr(0, refusal.size()), refusal);
        } else if (realEmulator) {
            CHECK_EQUAL(said.substr(0, row.file.size() + 4), row.file + ": 0 ");
        } else {
            const std::string log = program.read("fake-play.log");
            CHECK_EQUAL(log.substr(0, log.find("\n-rompath")),
                        "a2600\n-cart\n" + (roms / pathFromUtf8(row.file)).string() + "/" + row.expected);
        }
    }
}

TEST_CASE("bridge: archives as people pack them play by the path the archive stores; others are refused in words")
{
    ProgramFolder program;
    playLayouts(program, false);
    // A name with a line end never starts a line of the log of its own.
    CHECK(program.log().find("\nline.a26") == std::string::npos);
    CHECK(program.log().find("new\\nline.a26") != std::string::npos);
    // Cut short at many lengths, as a download that stopped: never a crash, always the file named and why.
    for (const char* format : {"zip", "7zip"}) {
        const std::string whole =
            archiveOf(format, {{"read me.txt", ""}, {"Game Dir/Test Cart.a26", ""}, {"Caf\xc3\xa9.a26", ""}});
        const std::string name = std::string("Half Done.") + (format == std::string("zip") ? "zip" : "7z");
        for (std::size_t length = 0; length < whole.size(); length += 1 + whole.size() / 24) {
            program.write("ROMS/a2600/" + name, whole.substr(0, length));
            const auto run = program.run({"a2600", name});
            CHECK(run.exitedNormally && run.exitCode == 1);
            const std::string refusal = "MESS: " + name + " cannot be read: it is damaged or incomplete";
            CHECK_EQUAL(run.errorOutput.substr(0, refusal.size()), refusal);
        }
    }
    CHECK(program.read("bridge.log").find("Half Done.7z cannot be read: it is damaged or incomplete (") !=
          std::string::npos);
}

#ifndef _WIN32
TEST_CASE("bridge: the emulator users have plays every archive layout the bridge hands on")
{
    if (!fs::exists("/usr/games/mame")) {
        std::cout << "  skipped: the emulator (Debian's mame) is not installed\n";
        return;
    }
    ProgramFolder program;
    // It runs with the test's own home and saves nothing that matters; a second is enough to load the cartridge.
    program.write("bridge.ini", "emulator=/usr/games/mame\nplay-arguments=-video none -sound none -nothrottle "
                                "-skip_gameinfo -seconds_to_run 1\n");
    playLayouts(program, true);
}
#endif

#ifndef _WIN32
namespace
{

// The bridge started as Orvane starts it (a process group of its own, in the program folder), not waited for.
pid_t startBridge(const ProgramFolder& program, const std::vector<std::string>& arguments)
{
    std::vector<std::string> line{(program.folder / "MESS.EXE").string()};
    line.insert(line.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& argument : line)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
        ::setpgid(0, 0);
        const int nothing = ::open("/dev/null", O_WRONLY);
        ::dup2(nothing, STDOUT_FILENO);
        ::dup2(nothing, STDERR_FILENO);
        if (::chdir(program.folder.c_str()) == 0)
            ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    return child;
}

bool within(int seconds, const std::function<bool()>& condition)
{
    for (int tenth = 0; tenth < seconds * 10; ++tenth) {
        if (condition())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return condition();
}

// How the process ended, or -1 when it had not after 30 seconds (it is killed then).
int endOf(pid_t process)
{
    int status = -1;
    if (within(30, [&] { return ::waitpid(process, &status, WNOHANG) == process; }))
        return status;
    ::kill(-process, SIGKILL);
    ::waitpid(process, &status, 0);
    return -1;
}

// Ended, or left only as an entry its parent has yet to reap.
bool gone(pid_t process)
{
    const std::string stat = readFile("/proc/" + std::to_string(process) + "/stat");
    const std::size_t state = stat.rfind(") ");
    return stat.empty() || (state != std::string::npos && stat[state + 2] == 'Z');
}

} // namespace

TEST_CASE("bridge: asked to end while a play runs, it asks the emulator the same way, wrapped or not, then ends")
{
    ProgramFolder program;
    program.write("ROMS/a2600/game.a26", "c");
    program.write("fake-play-wait.txt", "");
    // A wrapper that does not hand its process over to the emulator.
    program.write("wrapper.sh", "#!/bin/sh\n\"$(dirname \"$0\")/fake\" \"$@\"\n");
    fs::permissions(program.folder / "wrapper.sh", fs::perms::owner_all);
    const std::vector<std::tuple<std::string, int, std::string>> endings{
        {"fake", SIGTERM, "ended on signal 15\n"},
        {"wrapper.sh", SIGTERM, "ended on signal 15\n"},
        {"fake", SIGHUP, "ended on signal 01\n"},
        {"wrapper.sh", SIGINT, "ended on signal 02\n"},
        // Killed itself, the bridge cannot pass the signal on: what watches for its end asks the emulator to end.
        {"fake", SIGKILL, "ended on signal 15\n"},
        {"wrapper.sh", SIGKILL, "ended on signal 15\n"},
    };
    for (const auto& [emulator, signal, ended] : endings) {
        program.write("bridge.ini", "emulator=" + emulator + "\n");
        fs::remove(program.folder / "fake-play-started.txt");
        fs::remove(program.folder / "fake-play-ended.log");
        const pid_t bridge = startBridge(program, {"a2600", "game.a26"});
        CHECK(within(20, [&] { return !program.read("fake-play-started.txt").empty(); }));
        const pid_t emulatorProcess = std::atoi(program.read("fake-play-started.txt").c_str());
        ::kill(bridge, signal);
        const int status = endOf(bridge);
        CHECK(within(10, [&] { return gone(emulatorProcess); }));
        CHECK_EQUAL(program.read("fake-play-ended.log"), ended);
        if (signal != SIGKILL) {
            CHECK(WIFEXITED(status) && WEXITSTATUS(status) == 128 + signal);
            CHECK(program.read("bridge.log").find("asked to end (signal " + std::to_string(signal) + "): a2600") !=
                  std::string::npos);
        }
    }
    // One that does not end when asked is killed after the grace, and the log says so rather than what the emulator
    // said last.
    program.write("bridge.ini", "emulator=fake\n");
    program.write("fake-play-stubborn.txt", "");
    program.write("fake-play-errors.txt", "ALSA lib seq_hw.c:466 chatter\n");
    fs::remove(program.folder / "fake-play-started.txt");
    const pid_t bridge = startBridge(program, {"a2600", "game.a26"});
    CHECK(within(20, [&] { return !program.read("fake-play-started.txt").empty(); }));
    ::kill(bridge, SIGTERM);
    endOf(bridge);
    CHECK(program.log().find("asked to end (signal 15): a2600 \"game.a26\" was ended by the bridge: it had not ended "
                             "within the grace it was given") != std::string::npos);
}

TEST_CASE("bridge: odd files in its cache never hang an update; no ending leaves a scratch file anywhere")
{
    ProgramFolder program;
    const fs::path temporary = program.root.path() / "tmp";
    fs::create_directories(temporary);
    setenv("TMPDIR", temporary.c_str(), 1);
    const fs::path cache = program.folder / "bridge-cache";
    CHECK_EQUAL(program.run({"-listfull"}).exitCode, 0);
    // A listing replaced by a link to an endless device is not read but asked for again and replaced; one replaced by
    // a pipe is not the bridge's to remove: the update goes on without keeping its listings, and says so.
    for (const bool pipe : {false, true}) {
        for (const char* name : {"listfull.txt", "identity"}) {
            fs::remove(cache / name);
            if (pipe)
                ::mkfifo((cache / name).c_str(), 0644);
            else
                fs::create_symlink("/dev/zero", cache / name);
            const int status = endOf(startBridge(program, {"-listfull"}));
            CHECK(WIFEXITED(status) && WEXITSTATUS(status) == 0);
            CHECK(fs::symlink_status(cache / name).type() == (pipe ? fs::file_type::fifo : fs::file_type::regular));
            if (pipe)
                CHECK(program.log().find("the listings are not kept: Cannot write " + (cache / name).string() +
                                         ": it is a pipe, not a file") != std::string::npos);
            fs::remove(cache / name);
        }
    }
    // An update cancelled while the emulator answers (Orvane ends the bridge's process group), or a bridge asked to
    // end during one, leaves nothing running, even behind a wrapper that does not hand its process over to the
    // emulator; and what a write killed long ago left is swept.
    program.write("bridge-cache/listmedia.txt.999999-1", "half");
    fs::last_write_time(cache / "listmedia.txt.999999-1", fs::file_time_type::clock::now() - std::chrono::hours(2));
    program.write("fake-listfull-wait.txt", "");
    program.write("wrapper.sh", "#!/bin/sh\n\"$(dirname \"$0\")/fake\" \"$@\"\n");
    fs::permissions(program.folder / "wrapper.sh", fs::perms::owner_all);
    for (const auto& [emulator, signal] : std::vector<std::pair<std::string, int>>{
             {"fake", -SIGKILL}, {"wrapper.sh", -SIGKILL}, {"wrapper.sh", SIGTERM}, {"wrapper.sh", SIGKILL}}) {
        program.write("bridge.ini", "emulator=" + emulator + "\n");
        program.updateEmulator();
        fs::remove(program.folder / "fake-asked.log");
        const pid_t bridge = startBridge(program, {"-listfull"});
        CHECK(within(20, [&] { return program.read("fake-asked.log").find("-listfull") != std::string::npos; }));
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        // A negative signal goes to the bridge's whole process group, as Orvane's Cancel sends it.
        if (signal < 0)
            ::kill(-bridge, -signal);
        else
            ::kill(bridge, signal);
        endOf(bridge);
        CHECK(within(10, [&] { return HostileTree::processesFrom(program.folder) == 0; }));
    }
    CHECK(fs::is_empty(temporary));
    CHECK(!fs::exists(cache / "listmedia.txt.999999-1"));
    for (const auto& entry : fs::directory_iterator(cache))
        CHECK_EQUAL(entry.path().filename().string().find('-'), std::string::npos);
    unsetenv("TMPDIR");
}
#endif

TEST_CASE("bridge: a hostile tree: nothing planted where its files belong is written through, read or removed")
{
    ProgramFolder program;
    const HostileTree::Victim victim(program.root.path() / "victim");
    program.write("ROMS/a2600/game.a26", "c");
    const std::string before = victim.state();
    struct Operation
    {
        const char* name;
        std::vector<std::string> arguments;
        std::vector<std::string> paths; // every file of the bridge's it reads or writes
    };
    const std::vector<Operation> operations{
        {"update",
         {"-listfull"},
         {"bridge-cache/identity", "bridge-cache/listfull.txt", "bridge-cache/listmedia.txt", "bridge-aliases.txt",
          "bridge.log", "bridge.ini", "bridge-cache"}},
        {"play", {"a2600", "game.a26"}, {"bridge-cache/configuration.txt", "bridge.log", "bridge.ini", "bridge-cache"}},
    };
    const std::string settings = program.read("bridge.ini");
    int cases = 0;
    for (const Operation& operation : operations) {
        for (const std::string& path : operation.paths) {
            for (const auto& [plant, plantName] : HostileTree::plants()) {
                // The cache folder itself is planted as a link to the victim's folder of look-alike leftovers.
                const bool folderAsLink = path == "bridge-cache";
                if (folderAsLink && plant != Plant::LinkToVictim)
                    continue;
                fs::remove_all(program.folder / "bridge-cache");
                program.write("bridge.ini", settings);
                program.updateEmulator();
                std::error_code error;
                if (folderAsLink) {
                    fs::create_symlink(victim.folder(), program.folder / "bridge-cache", error);
                    if (error)
                        continue;
                } else if (!HostileTree::plant(plant, program.folder / pathFromUtf8(path), victim)) {
                    continue;
                }
                ++cases;
                const auto run = program.run(operation.arguments);
                const std::string what =
                    std::string(operation.name) + ", " + (folderAsLink ? "a link" : plantName) + " at " + path + ": ";
                // Done, or refused in words that name the file; never ended by a signal.
                const bool named = run.errorOutput.find(fs::path(path).filename().string()) != std::string::npos;
                CHECK_EQUAL(what + (run.exitedNormally && (run.exitCode == 0 || named) ? "ok" : run.errorOutput),
                            what + "ok");
                CHECK_EQUAL(what + std::to_string(HostileTree::processesFrom(program.folder)), what + "0");
                CHECK_EQUAL(victim.state(), before);
                fs::remove_all(program.folder / pathFromUtf8(path), error);
            }
        }
    }
    std::cout << "  " << cases << " cases (operation, thing planted, path)\n";
#ifdef _WIN32
    CHECK(cases >= 9);
#else
    CHECK(cases >= 65);
#endif
}

namespace
{

// `size` bytes of the test's own whose CRC-32 is `crc`: the last four chosen to make it so, as the CRC of a text is
// linear in its bits. Never anybody's ROM, yet the lists take it for one.
[[maybe_unused]] std::string madeToMatch(std::uint32_t crc, std::size_t size, char fill = 'o')
{
    std::string bytes(size, fill);
    const auto crcOf = [&](std::uint32_t last) {
        for (int index = 0; index < 4; ++index)
            bytes[size - 4 + static_cast<std::size_t>(index)] = static_cast<char>((last >> (8 * index)) & 0xff);
        return crc32Of(bytes);
    };
    const std::uint32_t base = crcOf(0);
    std::vector<std::uint32_t> columns;
    for (int bit = 0; bit < 32; ++bit)
        columns.push_back(crcOf(1u << bit) ^ base);
    // Solve columns * x = crc ^ base over GF(2), by elimination on the 32 columns.
    const std::uint32_t wanted = crc ^ base;
    std::vector<std::pair<std::uint32_t, int>> equations;
    for (int row = 0; row < 32; ++row) {
        std::uint32_t coefficients = 0;
        for (int bit = 0; bit < 32; ++bit)
            coefficients |= ((columns[bit] >> row) & 1u) << bit;
        equations.emplace_back(coefficients, static_cast<int>((wanted >> row) & 1u));
    }
    std::uint32_t x = 0;
    for (int bit = 0; bit < 32; ++bit) {
        auto pivot = std::find_if(equations.begin() + bit, equations.end(),
                                  [&](const auto& equation) { return (equation.first >> bit) & 1u; });
        if (pivot == equations.end())
            continue;
        std::swap(*pivot, equations[bit]);
        for (std::size_t other = 0; other < equations.size(); ++other) {
            if (other != static_cast<std::size_t>(bit) && ((equations[other].first >> bit) & 1u)) {
                equations[other].first ^= equations[bit].first;
                equations[other].second ^= equations[bit].second;
            }
        }
    }
    for (int bit = 0; bit < 32; ++bit)
        x |= static_cast<std::uint32_t>(equations[bit].second) << bit;
    crcOf(x);
    return bytes;
}

std::string hexCrc(const std::string& bytes)
{
    char text[9];
    std::snprintf(text, sizeof text, "%08x", crc32Of(bytes));
    return text;
}

} // namespace

TEST_CASE("bridge: -identify names an image by its content, as the emulator's lists give it")
{
    ProgramFolder program;
    const std::string cart = "a cartridge of the test's own";
    const std::string prg(16384, 'p'), chr(8192, 'c');
    const std::string nes = std::string("NES\x1a\x01\x01", 6) + std::string(10, '\0') + prg + chr;
    const std::string twin = "twin" + std::string(60, 't');
    const std::string list =
        "<?xml version=\"1.0\"?>\n<softwarelist name=\"a2600\">\n"
        "<software name=\"parent\"><description>The Game</description><year>1982</year><publisher>Us</publisher>"
        "<part name=\"cart\"><dataarea name=\"rom\" size=\"" +
        std::to_string(cart.size()) + "\"><rom name=\"a.bin\" size=\"" + std::to_string(cart.size()) + "\" crc=\"" +
        hexCrc(cart) + "\" sha1=\"" + sha1Of(cart) +
        "\"/></dataarea></part></software>\n"
        "<software name=\"clone\" cloneof=\"parent\" supported=\"partial\"><description>The Game (alt)</description>"
        "<year>1983</year><publisher>Us &amp; them</publisher><part name=\"cart\"><dataarea name=\"rom\"><rom "
        "name=\"b\" size=\"" +
        std::to_string(cart.size()) + "\" crc=\"" + hexCrc(cart) +
        "\"/></dataarea></part></software>\n"
        "<software name=\"twin1\"><description>Twin one</description><part name=\"cart\"><dataarea name=\"rom\">"
        "<rom name=\"t\" size=\"64\" crc=\"" +
        hexCrc(twin) + "\" sha1=\"" + sha1Of(twin) +
        "\"/></dataarea></part></software>\n"
        "<software name=\"twin2\" supported=\"no\"><description>Twin two</description><part name=\"cart\"><dataarea "
        "name=\"rom\">"
        "<rom name=\"t\" size=\"64\" crc=\"" +
        hexCrc(twin) +
        "\" sha1=\"0000\"/></dataarea></part></software>\n"
        "</softwarelist>\n";
    const std::string nesList =
        "<softwarelist name=\"nes\"><software name=\"cave\"><description>NES cave</description><year>1990</year>"
        "<publisher>Them</publisher><part name=\"cart\"><dataarea name=\"prg\"><rom size=\"16384\" crc=\"" +
        hexCrc(prg) + "\"/></dataarea><dataarea name=\"chr\"><rom size=\"8192\" crc=\"" + hexCrc(chr) +
        "\"/></dataarea></part></software></softwarelist>\n";
    program.write("hash/a2600.xml", list);
    program.write("hash/nes.xml", nesList);
    program.write("fake-listxml.txt", "<mame><machine name=\"a2600\"><softwarelist name=\"a2600\" status=\"original\"/>"
                                      "<softwarelist name=\"nes\" status=\"compatible\"/></machine>"
                                      "<machine name=\"other\"><softwarelist name=\"other\"/></machine></mame>\n");
    program.write("ROMS/a2600/game.a26", cart);
    program.write("ROMS/a2600/Zipped.zip", zipOf({{"read me.txt", "hi"}, {"game.a26", cart}}));
    program.write("ROMS/a2600/Packed.7z", archiveOf("7zip", {{"game.a26", cart}}));
    program.write("ROMS/a2600/cave.nes", nes);
    program.write("ROMS/a2600/twin.a26", twin);
    program.write("ROMS/a2600/unknown.a26", "nobody's");
    program.write("ROMS/a2600/Half.zip", zipOf({{"game.a26", cart}}).substr(0, 30));
    // Asked after an update, as Orvane asks: the media are known, and the emulator is asked for the lists alone.
    CHECK_EQUAL(program.run({"-listfull"}).exitCode, 0);
    const std::string game =
        "a2600:parent\tThe Game\t1982\tUs\tyes\na2600:clone\tThe Game (alt)\t1983\tUs & them\tpartial\n";
    const std::vector<std::tuple<std::string, int, std::string>> rows{
        {"game.a26", 0, game},
        {"Zipped.zip", 0, game},
        {"Packed.7z", 0, game},
        {"cave.nes", 0, "nes:cave\tNES cave\t1990\tThem\tyes\n"},
        {"twin.a26", 0, "a2600:twin1\tTwin one\t\t\tyes\n"},
        {"unknown.a26", 1, "not in the emulator's lists"},
        {"Half.zip", 2, "Half.zip cannot be read: it is damaged or incomplete"},
        {"none.a26", 2, "no image \"none.a26\""},
    };
    for (const auto& [image, exitCode, said] : rows) {
        const auto run = program.run({"-identify", "a2600", image});
        CHECK_EQUAL(image + " " + std::to_string(run.exitCode), image + " " + std::to_string(exitCode));
        const std::string answer = exitCode == 0 ? program.read("out.txt") : run.errorOutput;
        CHECK_EQUAL(image + ": " + (exitCode == 0 || answer.find(said) == std::string::npos ? answer : said),
                    image + ": " + said);
    }
    // A play that fails names the title beside the file.
    program.write("fake-play-exit.txt", "5");
    CHECK(program.run({"a2600", "game.a26"}).errorOutput.find("game.a26 (The Game) did not play: ") !=
          std::string::npos);
    fs::remove(program.folder / "fake-play-exit.txt");
    // The lists are read once: asked again, the emulator is asked nothing and its files are not read.
    fs::remove(program.folder / "fake-asked.log");
    const auto written = fs::last_write_time(program.folder / "hash/a2600.xml");
    program.write("hash/a2600.xml", std::string(list.size(), 'x'));
    fs::last_write_time(program.folder / "hash/a2600.xml", written);
    CHECK_EQUAL(program.run({"-identify", "a2600", "cave.nes"}).exitCode, 0);
    CHECK_EQUAL(program.read("fake-asked.log"), std::string());
}

#ifndef _WIN32
TEST_CASE("bridge: -identify with the emulator users have names a file made to match one of its lists")
{
    const fs::path lists = "/usr/share/games/mame/hash/a2600.xml";
    if (!fs::exists("/usr/games/mame") || !fs::exists(lists)) {
        std::cout << "  skipped: the emulator's lists (Debian's mame and mame-data) are not installed\n";
        return;
    }
    const std::string xml = readFile(lists);
    const std::size_t entry = xml.find("<software name=\"pitfall\">");
    const std::size_t rom = xml.find("<rom ", entry);
    const auto attribute = [&](const std::string& name) {
        const std::size_t start = xml.find(name + "=\"", rom) + name.size() + 2;
        return xml.substr(start, xml.find('"', start) - start);
    };
    CHECK(entry != std::string::npos && rom != std::string::npos);
    ProgramFolder program;
    program.write("bridge.ini", "emulator=/usr/games/mame\n");
    program.write("ROMS/a2600/Made.a26",
                  madeToMatch(static_cast<std::uint32_t>(std::stoul(attribute("crc"), nullptr, 16)),
                              std::stoul(attribute("size"))));
    const auto run = program.run({"-identify", "a2600", "Made.a26"});
    CHECK_EQUAL(run.exitCode, 0);
    CHECK(program.read("out.txt").starts_with("a2600:pitfall\tPitfall! - Pitfall Harry's Jungle Adventure\t1982\t"));
}
#endif
