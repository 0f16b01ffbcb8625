// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
// An emulator of today's kind for the bridge's tests, on any system. It answers from files beside it:
//   -listfull               prints fake-listfull.txt
//   -listmedia [SYSTEM]     prints fake-listmedia.txt (only SYSTEM's lines, under the header, when one is given)
//   -showconfig             prints fake-showconfig.txt
//   -version                prints fake-version.txt
//   -listxml SYSTEM         prints fake-listxml.txt
//   anything else           a play: appends its arguments, one per line, to fake-play.log, and writes
//                           fake-play-errors.txt to its error output
// and ends with the exit code in fake-exit.txt (fake-play-exit.txt for a play) when that file exists. Every question
// (all but a play) is noted, one line each, in fake-asked.log. Runs that are ended from outside:
//   fake-play-wait.txt      a play writes its process number to fake-play-started.txt and waits; asked to end
//                           (SIGTERM, SIGINT, SIGHUP), it notes "ended on signal N" in fake-play-ended.log as it ends
//   fake-listfull-wait.txt  -listfull prints half its listing, then waits
//   fake-play-stubborn.txt  with fake-play-wait.txt: a play that is asked to end does not
#include "platform/ProgramRun.h"
#include "platform/ThisProgram.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

#ifndef _WIN32
static std::string endedLog;

static void endOnRequest(int signal)
{
    // Only async-signal-safe calls: the note is made as the emulator saves its settings on the way out.
    const int log = ::open(endedLog.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
    char text[] = "ended on signal 00\n";
    text[16] = static_cast<char>('0' + signal / 10);
    text[17] = static_cast<char>('0' + signal % 10);
    [[maybe_unused]] const ssize_t written = ::write(log, text, sizeof text - 1);
    ::close(log);
    ::_exit(0);
}
#endif

static void waitLong()
{
    for (int second = 0; second < 60; ++second)
        std::this_thread::sleep_for(std::chrono::seconds(1));
}

static std::string fileBeside(const fs::path& folder, const char* name)
{
    std::ifstream input(folder / name, std::ios::binary);
    std::stringstream content;
    content << input.rdbuf();
    return content.str();
}

int main(int argc, char* argv[])
{
    const std::vector<std::string> arguments = Orvane::programArguments(argc, argv);
    const fs::path folder = Orvane::runningProgramPath().parent_path();
    const auto exitCode = [&](const char* file) {
        const std::string text = fileBeside(folder, file);
        return text.empty() ? 0 : std::stoi(text);
    };
    const bool listing = !arguments.empty() && arguments[0].rfind("-list", 0) == 0;
    const int code = exitCode(listing || arguments == std::vector<std::string>{"-showconfig"} ? "fake-exit.txt"
                                                                                              : "fake-play-exit.txt");
    std::string output;
    if (!arguments.empty() && arguments[0].rfind("-", 0) == 0)
        std::ofstream(folder / "fake-asked.log", std::ios::app | std::ios::binary) << arguments[0] << '\n';
    if (arguments.size() == 1 && arguments[0] == "-version") {
        output = fileBeside(folder, "fake-version.txt");
    } else if (arguments.size() == 1 && arguments[0] == "-listfull") {
        output = fileBeside(folder, "fake-listfull.txt");
        if (fs::exists(folder / "fake-listfull-wait.txt")) {
            (void)Orvane::writeStandardOutput(output.substr(0, output.size() / 2));
            waitLong();
        }
    } else if (!arguments.empty() && arguments[0] == "-listmedia") {
        std::istringstream lines(fileBeside(folder, "fake-listmedia.txt"));
        int number = 0;
        for (std::string line; std::getline(lines, line); ++number) {
            if (arguments.size() == 1 || number < 2 || line.rfind(arguments[1] + ' ', 0) == 0)
                output += line + '\n';
        }
    } else if (arguments.size() == 2 && arguments[0] == "-listxml") {
        output = fileBeside(folder, "fake-listxml.txt");
    } else if (arguments.size() == 1 && arguments[0] == "-showconfig") {
        output = fileBeside(folder, "fake-showconfig.txt");
    } else {
        std::ofstream log(folder / "fake-play.log", std::ios::app | std::ios::binary);
        for (const std::string& argument : arguments)
            log << argument << '\n';
        log << "--\n";
        log.close();
        const std::string errors = fileBeside(folder, "fake-play-errors.txt");
        std::fwrite(errors.data(), 1, errors.size(), stderr);
        if (fs::exists(folder / "fake-play-wait.txt")) {
#ifndef _WIN32
            endedLog = (folder / "fake-play-ended.log").string();
            const bool stubborn = fs::exists(folder / "fake-play-stubborn.txt");
            for (const int signal : {SIGTERM, SIGINT, SIGHUP})
                std::signal(signal, stubborn ? SIG_IGN : endOnRequest);
            std::ofstream(folder / "fake-play-started.txt") << ::getpid() << '\n';
#endif
            waitLong();
        }
    }
    return Orvane::writeStandardOutput(output) ? code : 1;
}
