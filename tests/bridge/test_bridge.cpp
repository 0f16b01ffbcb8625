// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
// The bridge's rules, and the bridge itself run as Orvane runs it, against a fake emulator (on Linux and, built
// for Windows, under Wine).
#include "Check.h"
#include "TemporaryFolder.h"

#include "bridge/BridgeRules.h"
#include "bridge/EmulatorListings.h"
#include "platform/CommandLine.h"
#include "platform/ProgramRun.h"

#include <fstream>
#include <sstream>

namespace fs = std::filesystem;
using namespace Orvane;
using namespace Orvane::Bridge;

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
                             "caf               \"Caf\xc3\xa9 \"Quoted\" system\"\n";
const std::string listMedia = "SYSTEM           MEDIA NAME       (brief)    IMAGE FILE EXTENSIONS SUPPORTED\n"
                              "---------------- --------------------------- -------------------------------\n"
                              "a2600            cartridge        (cart)     .bin  .a26  \n"
                              "pacman           (none)\n"
                              "verylongname1    cartridge        (cart)     .bin  \n"
                              "verylongname2    floppydisk1      (flop1)    .dsk  .bin  \n"
                              "verylongname2    cassette         (cass)     .wav  \n"
                              "caf              quickload        (quik)     .COM  \n";

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
    fs::path folder = root.path() / pathFromUtf8("Program caf\xc3\xa9");

    ProgramFolder()
    {
        const fs::path built = fs::absolute(fs::path(Check::programPath())).parent_path();
        fs::create_directories(folder);
        fs::copy_file(built / ("orvane-bridge" + executableSuffix), folder / "MESS.EXE");
        fs::copy_file(built / ("fake_emulator" + executableSuffix), folder / ("fake" + executableSuffix));
        write("bridge.ini", "# the fake emulator\nemulator=fake\n");
        write("fake-listfull.txt", listFull);
        write("fake-listmedia.txt", listMedia);
        write("fake-showconfig.txt", "homepath                  .\nrompath                   $HOME/mame/roms\n");
    }
    void write(const std::string& name, const std::string& content)
    {
        fs::create_directories((folder / pathFromUtf8(name)).parent_path());
        std::ofstream(folder / pathFromUtf8(name), std::ios::binary) << content;
    }
    std::string read(const std::string& name) const { return readFile(folder / pathFromUtf8(name)); }
    // Runs MESS as Orvane does, in the program folder; its standard output lands in "out.txt". A start that
    // failed reads as a run that did not end normally, with the reason as its error output.
    ProcessOutcome run(const std::vector<std::string>& arguments) const
    {
        const auto run = runAndWait({folder / "MESS.EXE", arguments, folder, folder / "out.txt"});
        return run ? run.value() : ProcessOutcome{false, -1, 0, run.error()};
    }
    // The emulator's build changes: its listings must be asked for again.
    void updateEmulator()
    {
        const fs::path fake = folder / ("fake" + executableSuffix);
        fs::last_write_time(fake, fs::last_write_time(fake) + std::chrono::hours(1));
    }
};

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
                                                     "caf       \"Caf\xc3\xa9 \"Quoted\" system\"\r\n"));

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
}

TEST_CASE("bridge: a play start names the system, its media switch, the image and where ROMs and recordings are")
{
    ProgramFolder program;
    program.write("ROMS/A2600/Test Cart.A26", "c");
    program.write("INP/old run.INP", "r");
    const fs::path roms = program.folder / "ROMS";
    const std::string start = "a2600\n-cart\n" + (roms / "A2600" / "Test Cart.A26").string() + "\n-rompath\n" +
                              roms.string() + ";$HOME/mame/roms\n-input_directory\n" +
                              (program.folder / "INP").string() + "\n";
    CHECK_EQUAL(program.run({"a2600", "test cart.a26"}).exitCode, 0);
    CHECK_EQUAL(program.run({"a2600", "Test Cart.A26", "-record", "run1"}).exitCode, 0);
    CHECK_EQUAL(program.run({"a2600", "Test Cart.A26", "-playback", "old run"}).exitCode, 0);
    // Windows finds a name in any case as it is asked for: there the letter case of a path says nothing.
    CHECK_EQUAL(
        comparable(program.read("fake-play.log")),
        comparable(start + "--\n" + start + "-record\nrun1.inp\n--\n" + start + "-playback\nold run.INP\n--\n"));
    // The emulator's own exit status comes back.
    program.write("fake-play-exit.txt", "5");
    CHECK_EQUAL(program.run({"a2600", "Test Cart.A26"}).exitCode, 5);
}

TEST_CASE("bridge: what cannot be played is refused with one line that says why, and nothing is started")
{
    ProgramFolder program;
    program.write("ROMS/a2600/game.a26", "c");
    program.write("ROMS/a2600/notes.txt", "n");
    const std::vector<std::pair<std::vector<std::string>, std::string>> refusals{
        {{}, "no system was given"},
        {{"a2600", ""}, "no image file was given"},
        {{"a2600", "missing.a26"}, "no image \"missing.a26\""},
        {{"a2600", "notes.txt"}, "no media of a2600 takes the file notes.txt (it takes .bin .a26)"},
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
}

TEST_CASE("bridge rules: media by extension, settings, the emulator's ROM path, arguments that split back")
{
    const auto media = parseListMedia(listMedia);
    CHECK_EQUAL(std::string(mediaForFile(media.at("verylongname2"), "Disk.BIN")->brief), std::string("flop1"));
    CHECK_EQUAL(std::string(mediaForFile(media.at("caf"), "x.com")->brief), std::string("quik"));
    CHECK(!mediaForFile(media.at("a2600"), "noextension"));
    CHECK(media.count("pacman") == 0);
    CHECK_EQUAL(configuredRomPath("rompathx   a\nrompath    $HOME/r;/usr/r  \n").value_or("none"),
                std::string("$HOME/r;/usr/r"));
    const auto settings = parseSettings("\n# c\nemulator = /opt/m ame\nplay-arguments=-a \"b c\"\n").value();
    CHECK_EQUAL(settings.emulator, std::string("/opt/m ame"));
    CHECK_EQUAL(settings.playArguments, (std::vector<std::string>{"-a", "b c"}));
    for (const std::string argument : {"plain", "two words", "", "quote\"d", "end\\", "a\\\\\"b", "tab\there"})
        CHECK_EQUAL(splitArguments("x " + quoteArgument(argument)), (std::vector<std::string>{"x", argument}));
}
