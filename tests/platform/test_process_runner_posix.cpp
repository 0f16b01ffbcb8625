// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "Check.h"
#include "TemporaryFolder.h"

#include "platform/CommandProcessor.h"
#include "platform/ProgramRun.h"
#include "platform/ShellTools.h"
#include "platform/SystemProcessLauncher.h"
#include "platform/ThisProgram.h"

#include <csignal>
#include <sstream>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace Orvane;

namespace
{

std::string readFile(const fs::path& path)
{
    std::ifstream input(path, std::ios::binary);
    std::stringstream content;
    content << input.rdbuf();
    return content.str();
}

} // namespace

TEST_CASE("a result asked for what it does not hold stops the program with a message")
{
    const fs::path helper = runningProgramPath().parent_path() / "platform_helper";
    for (const auto& [asked, message] : {std::pair{"value", "the value of a failed result was used"},
                                         std::pair{"reason", "the reason of a result that succeeded was used"}}) {
        const auto run = runAndWait({helper, {"misuse-result", asked}, helper.parent_path(), std::nullopt});
        CHECK(run.ok() && !run->exitedNormally && run->signal == SIGABRT);
        CHECK(run->errorOutput.find(message) != std::string::npos);
    }
}

TEST_CASE("a command processor line: program, arguments and redirection")
{
    const auto plain = parseCommandProcessorLine("MESS -listfull");
    CHECK_EQUAL(plain.command, std::string("MESS -listfull"));
    CHECK_EQUAL(plain.redirectionFile, std::string());

    const auto update = parseCommandProcessorLine("COMMAND.COM /C /opt/My Games/MESS.EXE -listfull > Orvane.sys");
    CHECK_EQUAL(update.command, std::string("/opt/My Games/MESS.EXE -listfull"));
    CHECK_EQUAL(update.redirectionFile, std::string("Orvane.sys"));
    CHECK(!update.append);

    const auto appending = parseCommandProcessorLine("command.com /c prog \"a > b\" >> \"out file.txt\"");
    CHECK_EQUAL(appending.command, std::string("prog \"a > b\""));
    CHECK_EQUAL(appending.redirectionFile, std::string("out file.txt"));
    CHECK(appending.append);

    const auto noRedirection = parseCommandProcessorLine("COMMAND.COM /C prog x");
    CHECK_EQUAL(noRedirection.command, std::string("prog x"));
    CHECK_EQUAL(noRedirection.redirectionFile, std::string());
}

TEST_CASE("ShellAndWait returns only once the process has ended")
{
    TemporaryFolder root;
    const fs::path program = root.path() / "program";
    root.write("program/slow", "#!/bin/sh\nsleep 0.5\necho finished > ended.txt\n", true);
    SystemProcessLauncher shell;
    CHECK(tov_ShellTools::ShellAndWait(shell, ProgramRun::fromCommandLine("slow", program)).ok());
    CHECK_EQUAL(readFile(program / "ended.txt"), std::string("finished\n"));
    CHECK_EQUAL(tov_ShellTools::ShellAndWait(shell, ProgramRun::fromCommandLine("missing", program)).error(),
                std::string("Cannot find the program \"missing\"."));
    // Given up on, it is ended before the call returns.
    root.write("program/stuck", "#!/bin/sh\necho partial\nexec sleep 60\n", true);
    ProgramRun stuck = ProgramRun::fromCommandLine("stuck", program);
    stuck.keepOutput = true;
    const auto ended =
        tov_ShellTools::ShellAndWait(shell, stuck, [](RunningProgram& process) { return process.endsWithin({}); });
    CHECK(ended.ok() && ended.value()->finished() && !ended.value()->outcome().exitedNormally);
}

TEST_CASE("ShortPathName gives the existing file as spelt on disk, or Error!")
{
    TemporaryFolder root;
    const fs::path emulator = root.write("My Games/mess.exe", "x");
    SystemProcessLauncher shell;
    CHECK_EQUAL(tov_ShellTools::ShortPathName(shell, (root.path() / "My Games/MESS.EXE").string()), emulator.string());
    CHECK_EQUAL(tov_ShellTools::ShortPathName(shell, (root.path() / "My Games/none.exe").string()),
                std::string("Error!"));
    CHECK_EQUAL(tov_ShellTools::ShortPathName(shell, (root.path() / "Nowhere/MESS.EXE").string()),
                std::string("Error!"));
}

TEST_CASE("a COMMAND.COM line writes its output file in the program folder, wherever Orvane runs")
{
    TemporaryFolder root;
    const fs::path program = root.path() / "program";
    root.write("program/MESS.EXE", "#!/bin/sh\necho \"header\"\necho \"args: $*\"\n", true);
    fs::create_directories(root.path() / "elsewhere");
    fs::current_path(root.path() / "elsewhere");
    SystemProcessLauncher shell;
    const std::string line = "COMMAND.COM /C " + tov_ShellTools::ShortPathName(shell, (program / "MESS.EXE").string()) +
                             " -listfull > Orvane.sys";
    CHECK(tov_ShellTools::ShellAndWait(shell, ProgramRun::fromCommandProcessorLine(line, program)).ok());
    CHECK_EQUAL(readFile(program / "Orvane.sys"), std::string("header\nargs: -listfull\n"));
    CHECK(!fs::exists(root.path() / "elsewhere/Orvane.sys"));
    // An existing file in another letter case is the one written, as on Windows; ">>" adds to it.
    fs::rename(program / "Orvane.sys", program / "orvane.SYS");
    CHECK(tov_ShellTools::ShellAndWait(shell, ProgramRun::fromCommandProcessorLine(line + " ", program)).ok());
    const std::string adding = "COMMAND.COM /C MESS.EXE >> ORVANE.sys";
    CHECK(tov_ShellTools::ShellAndWait(shell, ProgramRun::fromCommandProcessorLine(adding, program)).ok());
    CHECK(!fs::exists(program / "Orvane.sys"));
    CHECK_EQUAL(readFile(program / "orvane.SYS"), std::string("header\nargs: -listfull\nheader\nargs: \n"));
}

TEST_CASE("a hidden run keeps its output whole, however long, and its error output")
{
    TemporaryFolder root;
    const fs::path program = root.path() / "program";
    // Three megabytes: more than a pipe holds, so the output must be read while the program runs.
    root.write("program/MESS.EXE", "#!/bin/sh\nhead -c 3000000 /dev/zero\necho oops >&2\nexit 3\n", true);
    SystemProcessLauncher shell;
    ProgramRun run = ProgramRun::fromCommandLine("MESS.EXE -listfull", program);
    run.keepOutput = true;
    auto started = shell.start(run);
    CHECK(started.ok());
    if (!started)
        return;
    started.value()->wait();
    const ProcessOutcome outcome = started.value()->outcome();
    CHECK(outcome.exitedNormally);
    CHECK_EQUAL(outcome.exitCode, 3);
    CHECK_EQUAL(outcome.errorOutput, std::string("oops\n"));
    CHECK_EQUAL(outcome.output.size(), std::size_t(3000000));
}

TEST_CASE("a hung process is ended by kill, with whatever it started")
{
    TemporaryFolder root;
    // The child's number is moved into place whole, so the test never reads half of it.
    root.write("program/hang", "#!/bin/sh\nsleep 60 &\necho $! > child.tmp\nmv child.tmp child.pid\nsleep 60\n", true);
    SystemProcessLauncher shell;
    auto started = shell.start(ProgramRun::fromCommandLine("hang", root.path() / "program"));
    CHECK(started.ok());
    if (!started)
        return;
    RunningProgram& process = *started.value();
    CHECK(!process.finished());
    for (int attempt = 0; attempt < 200 && !fs::exists(root.path() / "program/child.pid"); ++attempt)
        ::usleep(20000);
    const pid_t child = std::stoi(readFile(root.path() / "program/child.pid"));
    process.kill();
    CHECK(process.finished());
    CHECK(!process.outcome().exitedNormally);
    // The grandchild went with it.
    for (int attempt = 0; attempt < 200 && ::kill(child, 0) == 0; ++attempt)
        ::usleep(20000);
    CHECK(::kill(child, 0) != 0);
}

TEST_CASE("a redirection into a folder that cannot be written is reported before anything runs")
{
    TemporaryFolder root;
    root.write("program/MESS.EXE", "#!/bin/sh\necho x\n", true);
    SystemProcessLauncher shell;
    const auto start = shell.start(
        ProgramRun::fromCommandProcessorLine("COMMAND.COM /C MESS.EXE > missing/out.txt", root.path() / "program"));
    CHECK(!start.ok());
    CHECK(start.error().find("Cannot write " + (root.path() / "program/missing/out.txt").string() + ": ") == 0);
}

TEST_CASE("runs wait each for their own program, take their output whole and leave nothing the program started")
{
    TemporaryFolder root;
    const fs::path folder = root.path();
    // A helper in a session of its own, as a wrapper may start one, would outlive a run that followed the group alone.
    root.write("wrapper",
               "#!/bin/sh\nsetsid sleep 60 &\necho $! > \"helper-$1.pid\"\nhead -c 1048576 /dev/zero\nexit $1\n", true);
    for (int round = 0; round < 5; ++round) {
        std::vector<PlatformResult<ProcessOutcome>> runs(2, Failure(std::string("not run")));
        std::vector<std::thread> threads;
        for (int index = 0; index < 2; ++index) {
            threads.emplace_back([&, index] {
                ProgramRun run{folder / "wrapper", {std::to_string(3 + index)}, folder};
                run.keepOutput = true;
                run.endingGrace = std::chrono::milliseconds(index == 0 ? 2000 : 0);
                runs[index] = runAndWait(run);
            });
        }
        for (std::thread& thread : threads)
            thread.join();
        for (int index = 0; index < 2; ++index) {
            CHECK(runs[index].ok());
            if (!runs[index])
                continue;
            CHECK_EQUAL(runs[index]->exitCode, 3 + index);
            CHECK_EQUAL(runs[index]->output.size(), std::size_t(1048576));
            const pid_t helper = std::stoi(readFile(folder / ("helper-" + std::to_string(3 + index) + ".pid")));
            CHECK_EQUAL(::kill(helper, 0), -1);
        }
    }
}
