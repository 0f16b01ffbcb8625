// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
// The Windows side of the platform layer, with the real Win32 calls (run under Wine here).
#include "Check.h"
#include "TemporaryFolder.h"

#include "platform/ProgramSearch.h"
#include "platform/ShellTools.h"
#include "platform/SystemProcessLauncher.h"

#include <windows.h>

#include <chrono>
#include <cstring>
#include <sstream>
#include <thread>

namespace fs = std::filesystem;
using namespace Orvane;

namespace
{

fs::path helperProgram()
{
    return fs::absolute(fs::path(Check::programPath())).parent_path() / "platform_helper.exe";
}

// A program folder holding the helper under the name a command line gives.
fs::path folderWithHelper(TemporaryFolder& root, const std::string& name)
{
    const fs::path folder = root.path() / "program";
    fs::create_directories(folder);
    fs::copy_file(helperProgram(), folder / name, fs::copy_options::overwrite_existing);
    return folder;
}

std::string readFile(const fs::path& path)
{
    std::ifstream input(path, std::ios::binary);
    std::stringstream content;
    content << input.rdbuf();
    return content.str();
}

bool waitForFile(const fs::path& path)
{
    for (int attempt = 0; attempt < 400 && !fs::exists(path); ++attempt)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    return fs::exists(path);
}

} // namespace

TEST_CASE("Windows: a program is found by name, with .exe and in any letter case")
{
    TemporaryFolder root;
    const fs::path folder = folderWithHelper(root, "MESS.EXE");
    const SearchPlaces places{folder, root.path(), ""};
    CHECK(findProgram("MESS", places).has_value());
    CHECK(findProgram("mess", places).has_value());
    CHECK(findProgram("Mess.Exe", places).has_value());
    CHECK(!findProgram("pmame31", places).has_value());
}

TEST_CASE("Windows: ShortPathName gives the 8.3 form of an existing long name with blanks, or Error!")
{
    TemporaryFolder root;
    const fs::path file = root.write("A long folder name/The long file name.executable", "x");
    SystemProcessLauncher shell;
    const std::string shortPath = tov_ShellTools::ShortPathName(shell, file.string());
    std::cout << "  short form of " << file.string() << ": " << shortPath << '\n';
    CHECK(shortPath != "Error!");
    CHECK_EQUAL(shortPath.size(), std::strlen(shortPath.c_str()));
    CHECK(shortPath.find(' ') == std::string::npos);
    // It names the same file.
    char longForm[MAX_PATH] = {};
    const DWORD length = GetLongPathNameA(shortPath.c_str(), longForm, MAX_PATH);
    CHECK(length > 0);
    CHECK(fs::equivalent(fs::path(std::string(longForm, length)), file));
    CHECK_EQUAL(tov_ShellTools::ShortPathName(shell, (root.path() / "missing.exe").string()), std::string("Error!"));
    CHECK_EQUAL(shell.shortPath((root.path() / "missing.exe").string()).error(),
                "there is no " + (root.path() / "missing.exe").string());
    // A file that is there but whose name the ANSI code page cannot spell has no short name: the reason says so.
    const fs::path unspelt = root.write("\xe6\x97\xa5\xe6\x9c\xac/MESS.EXE", "x");
    CHECK_EQUAL(tov_ShellTools::ShortPathName(shell, unspelt.string()), std::string("Error!"));
    const auto reason = shell.shortPath(unspelt.string());
    CHECK(!reason.ok() && reason.error().find("could not be had") != std::string::npos);
}

TEST_CASE("Windows: ShellAndWait returns only once the process has ended")
{
    TemporaryFolder root;
    const fs::path folder = folderWithHelper(root, "slow.exe");
    SystemProcessLauncher shell;
    const fs::path written = folder / "ended.txt";
    CHECK(tov_ShellTools::ShellAndWait(shell, ProgramRun::fromCommandLine("slow write-after 700 ended.txt", folder))
              .ok());
    CHECK_EQUAL(readFile(written), std::string("written\r\n"));
}

TEST_CASE("Windows: a COMMAND.COM line writes its output through an inherited handle, in the program folder")
{
    TemporaryFolder root;
    const fs::path folder = folderWithHelper(root, "MESS.EXE");
    SystemProcessLauncher shell;
    const std::string shortPath = tov_ShellTools::ShortPathName(shell, (folder / "MESS.EXE").string());
    const std::string line = "COMMAND.COM /C " + shortPath + " print -listfull \"two words\" > out.sys";
    const auto ran = tov_ShellTools::ShellAndWait(shell, ProgramRun::fromCommandProcessorLine(line, folder));
    CHECK_EQUAL(ran.ok() ? std::string() : ran.error(), std::string());
    CHECK_EQUAL(readFile(folder / "out.sys"), std::string("-listfull\r\ntwo words\r\n"));
    // Kept rather than written (the update), the output comes back whole once the program has ended.
    ProgramRun kept = ProgramRun::fromCommandLine(shortPath + " print -listfull", folder);
    kept.keepOutput = true;
    const auto keptRun = tov_ShellTools::ShellAndWait(shell, kept);
    CHECK(keptRun.ok() && keptRun.value()->outcome().output == "-listfull\r\n");
}

TEST_CASE("Windows: a play start returns at once, without waiting for the program")
{
    TemporaryFolder root;
    const fs::path folder = folderWithHelper(root, "MESS.EXE");
    SystemProcessLauncher shell;
    CHECK(shell.startDetached(ProgramRun::fromCommandLine("MESS wait-then-write go.txt done.txt ", folder)).ok());
    // Had the start waited, it would not have returned before "go" exists.
    CHECK(!fs::exists(folder / "done.txt"));
    std::ofstream(folder / "go.txt") << "go";
    CHECK(waitForFile(folder / "done.txt"));
    CHECK(!shell.startDetached(ProgramRun::fromCommandLine("pmame31 lumen \"a.bin\" ", folder)).ok());
}
