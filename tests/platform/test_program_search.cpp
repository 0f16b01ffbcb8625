// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "Check.h"
#include "TemporaryFolder.h"

#include "platform/ProgramSearch.h"

namespace fs = std::filesystem;
using Orvane::findProgram;
using Orvane::resolveCommandLine;
using Orvane::SearchPlaces;

namespace
{

const std::string script = "#!/bin/sh\nexit 0\n";

// A program folder, a current folder and two PATH folders side by side.
struct Places
{
    TemporaryFolder root;
    SearchPlaces places;

    Places()
    {
        for (const char* folder : {"program", "current", "path1", "path2"})
            fs::create_directories(root.path() / folder);
        places.programFolder = root.path() / "program";
        places.currentFolder = root.path() / "current";
        places.pathVariable = (root.path() / "path1").string() + ":" + ":" + (root.path() / "path2").string();
    }
};

} // namespace

TEST_CASE("program folder first, then the current folder, then PATH in its order")
{
    Places setup;
    const fs::path inPath2 = setup.root.write("path2/emu", script, true);
    CHECK_EQUAL(findProgram("emu", setup.places).value_or(fs::path()), inPath2);
    const fs::path inPath1 = setup.root.write("path1/emu", script, true);
    CHECK_EQUAL(findProgram("emu", setup.places).value_or(fs::path()), inPath1);
    const fs::path inCurrent = setup.root.write("current/emu", script, true);
    CHECK_EQUAL(findProgram("emu", setup.places).value_or(fs::path()), inCurrent);
    const fs::path inProgram = setup.root.write("program/emu", script, true);
    CHECK_EQUAL(findProgram("emu", setup.places).value_or(fs::path()), inProgram);
    CHECK(!findProgram("other", setup.places));
    CHECK(!findProgram("", setup.places));
}

TEST_CASE("a name matches with \".exe\" and in any letter case")
{
    Places setup;
    const fs::path mess = setup.root.write("program/MESS.EXE", script, true);
    CHECK_EQUAL(findProgram("MESS", setup.places).value_or(fs::path()), mess);
    CHECK_EQUAL(findProgram("mess", setup.places).value_or(fs::path()), mess);
    CHECK_EQUAL(findProgram("Mess.Exe", setup.places).value_or(fs::path()), mess);
    // The exact spelling wins over another case.
    const fs::path lower = setup.root.write("program/mess.exe", script, true);
    CHECK_EQUAL(findProgram("mess.exe", setup.places).value_or(fs::path()), lower);
}

TEST_CASE("only regular executable files are programs")
{
    Places setup;
    setup.root.write("program/emu", "not a program", false);
    fs::create_directories(setup.root.path() / "current/emu");
    const fs::path real = setup.root.write("path1/emu", script, true);
    CHECK_EQUAL(findProgram("emu", setup.places).value_or(fs::path()), real);
}

TEST_CASE("a name with a folder is a path from the current folder")
{
    Places setup;
    setup.root.write("program/tools/emu", script, true);
    const fs::path relative = setup.root.write("current/tools/emu", script, true);
    CHECK_EQUAL(findProgram("tools/emu", setup.places).value_or(fs::path()), setup.places.currentFolder / "tools/emu");
    CHECK(fs::equivalent(findProgram("tools/EMU", setup.places).value_or(fs::path()), relative));
    const fs::path absolute = setup.root.write("elsewhere/emu.exe", script, true);
    CHECK_EQUAL(findProgram((setup.root.path() / "elsewhere/emu").string(), setup.places).value_or(fs::path()),
                absolute);
    // A path is never looked for along PATH.
    setup.root.write("path1/sub/other", script, true);
    CHECK(!findProgram("sub/other", setup.places));
}

TEST_CASE("the command line's program is found and its arguments split")
{
    Places setup;
    const fs::path mess = setup.root.write("program/MESS.EXE", script, true);
    const auto resolution = resolveCommandLine(R"(MESS lumen "$(touch x).rom" )", setup.places);
    CHECK(resolution.ok());
    if (resolution) {
        CHECK_EQUAL(resolution->program, mess);
        CHECK_EQUAL(resolution->arguments, (std::vector<std::string>{"lumen", "$(touch x).rom"}));
    }
    const auto missing = resolveCommandLine(R"(pmame31 lumen "a.bin" )", setup.places);
    CHECK(!missing.ok());
    CHECK_EQUAL(missing.error(), std::string("Cannot find the program \"pmame31\"."));
    CHECK(!resolveCommandLine("  ", setup.places).ok());
}

TEST_CASE("an unquoted program path with blanks: the shortest run of words naming a program wins")
{
    Places setup;
    const fs::path longer = setup.root.write("My Emulators/new build/emu", script, true);
    const std::string folder = (setup.root.path() / "My Emulators").string();
    const auto resolved = resolveCommandLine(folder + "/new build/emu lumen \"a b.bin\" ", setup.places);
    CHECK(resolved.ok());
    if (resolved) {
        CHECK_EQUAL(resolved->program, longer);
        CHECK_EQUAL(resolved->arguments, (std::vector<std::string>{"lumen", "a b.bin"}));
    }
    // With a program at "My Emulators/new", that shorter name is the program and "build/emu" its argument.
    const fs::path shorter = setup.root.write("My Emulators/new", script, true);
    const auto shortest = resolveCommandLine(folder + "/new build/emu lumen ", setup.places);
    CHECK(shortest.ok());
    if (shortest) {
        CHECK_EQUAL(shortest->program, shorter);
        CHECK_EQUAL(shortest->arguments, (std::vector<std::string>{"build/emu", "lumen"}));
    }
    // Quoted, the name is taken whole and never shortened.
    const auto quoted = resolveCommandLine("\"" + folder + "/new build/emu\" lumen", setup.places);
    CHECK(quoted.ok() && quoted->program == longer);
}
