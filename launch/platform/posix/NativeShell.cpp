// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "NativeShell.h"

#include "ProgramSearch.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace Orvane
{

namespace
{

// What the started process reports back through the pipe when it cannot run the program.
struct ChildFailure
{
    int stage = 0; // 1: changing to the folder, 2: starting the program, 3: forking
    int error = 0;
};

[[noreturn]] void failInChild(int pipe, int stage)
{
    const ChildFailure failure{stage, errno};
    [[maybe_unused]] const ssize_t written = ::write(pipe, &failure, sizeof failure);
    ::_exit(127);
}

// Forks twice so that the program is adopted by init and never left as a zombie of Orvane. Only async-signal-safe
// calls happen between fork and exec; everything the child needs is prepared before.
StartResult spawnDetached(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                          const std::filesystem::path& folder)
{
    const std::string programText = program.string();
    const std::string folderText = folder.string();
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(programText.c_str()));
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    int pipe[2];
    if (::pipe2(pipe, O_CLOEXEC) != 0)
        return {false, "Cannot start " + programText + ": " + std::strerror(errno)};

    const pid_t child = ::fork();
    if (child < 0) {
        const int error = errno;
        ::close(pipe[0]);
        ::close(pipe[1]);
        return {false, "Cannot start " + programText + ": " + std::strerror(error)};
    }
    if (child == 0) {
        ::close(pipe[0]);
        ::setsid();
        const pid_t grandchild = ::fork();
        if (grandchild < 0)
            failInChild(pipe[1], 3);
        if (grandchild > 0)
            ::_exit(0);
        sigset_t none;
        sigemptyset(&none);
        ::sigprocmask(SIG_SETMASK, &none, nullptr);
        if (::chdir(folderText.c_str()) != 0)
            failInChild(pipe[1], 1);
        ::execve(programText.c_str(), argv.data(), environ);
        failInChild(pipe[1], 2);
    }

    ::close(pipe[1]);
    while (::waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
    }
    // The pipe closes without a word when exec succeeds.
    ChildFailure failure;
    ssize_t received;
    while ((received = ::read(pipe[0], &failure, sizeof failure)) < 0 && errno == EINTR) {
    }
    ::close(pipe[0]);
    if (received != static_cast<ssize_t>(sizeof failure))
        return {true, {}};
    const std::string reason = std::strerror(failure.error);
    if (failure.stage == 1)
        return {false, "Cannot start " + programText + " in " + folderText + ": " + reason};
    return {false, "Cannot start " + programText + ": " + reason};
}

} // namespace

NativeShell::NativeShell(std::filesystem::path programFolder) : m_programFolder(std::move(programFolder)) {}

StartResult NativeShell::startDetached(const std::string& commandLine)
{
    // X11 gives a program no way to open another program's window maximised, so the window state is left to it.
    const Resolution resolution = resolveCommandLine(commandLine, currentSearchPlaces(m_programFolder));
    if (!resolution.command)
        return {false, resolution.error};
    return spawnDetached(resolution.command->program, resolution.command->arguments, m_programFolder);
}

} // namespace Orvane
