// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "Check.h"
#include "TemporaryFolder.h"

#include "platform/SystemProcessLauncher.h"
#include "platform/ThisProgram.h"

#include <chrono>
#include <sstream>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace
{

// Logs its working folder and arguments, one per line, then waits for the test's signal before it says "done".
// If starting it waited for it to end, the test would never give that signal.
const std::string loggingProgram = R"(#!/bin/sh
log="$ORVANE_PLATFORM_TEST_LOG"
pwd > "$log.tmp"
for argument in "$@"; do printf '%s\n' "$argument" >> "$log.tmp"; done
mv "$log.tmp" "$log"
i=0
while [ ! -e "$log.go" ] && [ $i -lt 200 ]; do sleep 0.05; i=$((i+1)); done
echo done >> "$log"
)";

std::string waitForFile(const fs::path& file, const std::string& lastLine)
{
    // Bounded only so that a broken start fails the test instead of hanging it.
    for (int attempt = 0; attempt < 400; ++attempt) {
        std::ifstream input(file);
        std::stringstream content;
        content << input.rdbuf();
        const std::string text = content.str();
        if (input && (lastLine.empty() || text.find(lastLine) != std::string::npos))
            return text;
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
    }
    return {};
}

} // namespace

TEST_CASE("a play start runs the program directly in the program folder and does not wait for it")
{
    TemporaryFolder root;
    const fs::path programFolder = root.path() / "program";
    root.write("program/MESS.EXE", loggingProgram, true);
    const fs::path log = root.path() / "log";
    ::setenv("ORVANE_PLATFORM_TEST_LOG", log.c_str(), 1);
    // Orvane itself runs elsewhere: the program must still start in its own folder.
    fs::current_path(root.path());

    Orvane::SystemProcessLauncher shell;
    CHECK(shell
              .startDetached(
                  Orvane::ProgramRun::fromCommandLine(R"(MESS lumen "$(touch x).rom" "a;b `id` & c" )", programFolder))
              .ok());

    CHECK_EQUAL(waitForFile(log, ""), programFolder.string() + "\nlumen\n$(touch x).rom\n" + "a;b `id` & c\n");
    std::ofstream(log.string() + ".go") << "go";
    CHECK(waitForFile(log, "done\n").find("done") != std::string::npos);
    // Nothing ran the file name as a command.
    CHECK(!fs::exists(programFolder / "x"));
    CHECK(!fs::exists(root.path() / "x"));
    ::unsetenv("ORVANE_PLATFORM_TEST_LOG");
}

TEST_CASE("a program that is missing or cannot run is reported, never started through a shell")
{
    TemporaryFolder root;
    Orvane::SystemProcessLauncher shell;
    const auto missing =
        shell.startDetached(Orvane::ProgramRun::fromCommandLine(R"(pmame31 lumen "a.bin" )", root.path()));
    CHECK(!missing.ok());
    CHECK_EQUAL(missing.error(), std::string("Cannot find the program \"pmame31\"."));

    // Executable bits on a file the system cannot run.
    const fs::path broken = root.write("MESS",
                                       "\x7f"
                                       "ELF not really",
                                       true);
    const auto refused = shell.startDetached(Orvane::ProgramRun::fromCommandLine("MESS  ", root.path()));
    CHECK(!refused.ok());
    CHECK(refused.error().find("Cannot start " + broken.string() + ": ") == 0);
}

TEST_CASE("closed standard streams are opened on the null device, so no file takes their numbers")
{
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(STDIN_FILENO);
        ::close(STDOUT_FILENO);
        ::close(STDERR_FILENO);
        Orvane::openClosedStandardStreams();
        struct stat null
        {
        };
        ::stat("/dev/null", &null);
        int wrong = 0;
        for (int stream = 0; stream <= 2; ++stream) {
            struct stat status
            {
            };
            if (::fstat(stream, &status) != 0 || status.st_rdev != null.st_rdev)
                ++wrong;
        }
        const int next = ::open("/dev/null", O_RDONLY);
        ::_exit(wrong == 0 && next > STDERR_FILENO ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    CHECK(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}
