// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
// How the POSIX side starts the processes of SystemProcessLauncher.h and ProgramRun.h: shared by both, used by nothing
// else.
#pragma once

#include "platform/ProgramRun.h"
#include "platform/ThisProgram.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <sys/types.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace Orvane::Posix
{

std::string systemError(int error);

// Everything the child needs, prepared before fork: between fork and exec only async-signal-safe calls happen.
struct ChildSetup
{
    std::string program;
    std::vector<std::string> arguments;
    std::string folder;
    std::vector<char*> argv;
    // Standard input, output and error for the program; -1 keeps Orvane's own.
    int input = -1;
    int output = -1;
    int error = -1;

    ChildSetup(const std::filesystem::path& programPath, std::vector<std::string> programArguments,
               const std::filesystem::path& workingFolder)
        : program(programPath.string()), arguments(std::move(programArguments)), folder(workingFolder.string())
    {
        argv.push_back(program.data());
        for (std::string& argument : arguments)
            argv.push_back(argument.data());
        argv.push_back(nullptr);
    }
};

enum class ChildKind
{
    // Forked twice, so that init adopts the program and it is never left as a zombie of Orvane.
    Detached,
    // The leader of a process group of its own, so that ending it also ends whatever it started.
    Waited,
};

// The started child's process (for a waited one), or why it did not start.
PlatformResult<pid_t> startChild(const ChildSetup& setup, ChildKind kind);

// In a forked child: runs the program of `setup` with its streams and folder, or reports why not through `pipe` (a
// close-on-exec pipe, which closes without a word when the program runs) and ends.
[[noreturn]] void execInChild(const ChildSetup& setup, int pipe);
// Reads that report (closing the pipe): nothing when the program runs, else the stage and the error. Only system
// calls, so a fork of a process with other threads may use it.
std::optional<std::pair<int, int>> readStartFailure(int pipe);
std::string startFailureText(const ChildSetup& setup, int stage, int error);

class File
{
public:
    explicit File(int descriptor = -1) : m_descriptor(descriptor) {}
    ~File() { reset(); }
    File(File&& other) noexcept : m_descriptor(std::exchange(other.m_descriptor, -1)) {}
    File& operator=(File&& other) noexcept
    {
        reset(std::exchange(other.m_descriptor, -1));
        return *this;
    }
    int get() const { return m_descriptor; }
    void reset(int descriptor = -1)
    {
        if (m_descriptor >= 0)
            ::close(m_descriptor);
        m_descriptor = descriptor;
    }

private:
    int m_descriptor;
};

// A file for the process's error output that vanishes when closed.
File anonymousFile();
// Up to `length` bytes of the file from `start`.
std::string readFrom(int descriptor, off_t start, std::size_t length);

// How a process ended, from its wait status and the file that took its error output (closed here).
ProcessOutcome outcomeOf(int status, File& errorOutput);

// The file a run's standard output is written to (added to with appendOutput), opened without waiting on a FIFO; none
// (-1) without an output file.
PlatformResult<File> openOutputFile(const ProgramRun& run);

// A started process, leading its own group, that the caller polls, waits for or ends; `keptOutput`, when open, the
// read end of the pipe its standard output goes to, read meanwhile so the program never waits on a full pipe.
std::unique_ptr<RunningProgram> runningProgram(pid_t process, File errorOutput, File keptOutput);

} // namespace Orvane::Posix
