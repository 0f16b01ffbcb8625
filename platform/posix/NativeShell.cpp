// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "platform/NativeShell.h"
#include "platform/ProgramRun.h"

#include "platform/CommandProcessor.h"
#include "platform/ProgramSearch.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>

extern char** environ;

namespace Orvane
{

namespace fs = std::filesystem;

namespace
{

std::string systemError(int error)
{
    return std::strerror(error);
}

// What the child reports back through a close-on-exec pipe when it cannot run the program. When exec succeeds
// the pipe closes without a word.
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

    ChildSetup(const fs::path& programPath, std::vector<std::string> programArguments, const fs::path& workingFolder)
        : program(programPath.string()), arguments(std::move(programArguments)), folder(workingFolder.string())
    {
        argv.push_back(program.data());
        for (std::string& argument : arguments)
            argv.push_back(argument.data());
        argv.push_back(nullptr);
    }
};

[[noreturn]] void execInChild(const ChildSetup& setup, int pipe)
{
    sigset_t none;
    sigemptyset(&none);
    ::sigprocmask(SIG_SETMASK, &none, nullptr);
    if (setup.input >= 0)
        ::dup2(setup.input, STDIN_FILENO);
    if (setup.output >= 0)
        ::dup2(setup.output, STDOUT_FILENO);
    if (setup.error >= 0)
        ::dup2(setup.error, STDERR_FILENO);
    if (::chdir(setup.folder.c_str()) != 0)
        failInChild(pipe, 1);
    ::execve(setup.program.c_str(), setup.argv.data(), environ);
    failInChild(pipe, 2);
}

// Reads the child's report; an empty result means the program is running.
std::string readChildFailure(int pipe, const ChildSetup& setup)
{
    ChildFailure failure;
    ssize_t received;
    while ((received = ::read(pipe, &failure, sizeof failure)) < 0 && errno == EINTR) {
    }
    ::close(pipe);
    if (received != static_cast<ssize_t>(sizeof failure))
        return {};
    if (failure.stage == 1)
        return "Cannot start " + setup.program + " in " + setup.folder + ": " + systemError(failure.error);
    return "Cannot start " + setup.program + ": " + systemError(failure.error);
}

void waitForChild(pid_t child, int* status)
{
    while (::waitpid(child, status, 0) < 0 && errno == EINTR) {
    }
}

enum class ChildKind
{
    // Forked twice, so that init adopts the program and it is never left as a zombie of Orvane.
    Detached,
    // The leader of a process group of its own, so that ending it also ends whatever it started.
    Waited,
    // In the caller's own process group, and ended when the caller ends: whoever ends the caller's group (Orvane
    // cancelling an update through the bridge) ends it too.
    Tied,
};

// The started child's process (for a waited one), or why it did not start.
PlatformResult<pid_t> startChild(const ChildSetup& setup, ChildKind kind)
{
    int pipe[2];
    if (::pipe2(pipe, O_CLOEXEC) != 0)
        return Failure("Cannot start " + setup.program + ": " + systemError(errno));
    const pid_t parent = ::getpid();
    const pid_t child = ::fork();
    if (child < 0) {
        const int error = errno;
        ::close(pipe[0]);
        ::close(pipe[1]);
        return Failure("Cannot start " + setup.program + ": " + systemError(error));
    }
    if (child == 0) {
        ::close(pipe[0]);
        if (kind == ChildKind::Detached) {
            ::setsid();
            const pid_t grandchild = ::fork();
            if (grandchild < 0)
                failInChild(pipe[1], 3);
            if (grandchild > 0)
                ::_exit(0);
        } else if (kind == ChildKind::Waited) {
            ::setpgid(0, 0);
        } else {
            // The signal comes when the forking thread ends; runAndWait waits on that same thread.
            ::prctl(PR_SET_PDEATHSIG, SIGKILL);
            if (::getppid() != parent)
                ::_exit(127);
        }
        execInChild(setup, pipe[1]);
    }
    ::close(pipe[1]);
    if (kind == ChildKind::Detached)
        waitForChild(child, nullptr);
    const std::string failure = readChildFailure(pipe[0], setup);
    if (failure.empty())
        return child;
    if (kind != ChildKind::Detached)
        waitForChild(child, nullptr);
    return Failure(failure);
}

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
File anonymousFile()
{
    // A temporary folder that does not exist (TMPDIR naming a removed folder) is no reason to fail the process.
    std::error_code error;
    fs::path folder = fs::temp_directory_path(error);
    if (error)
        folder = "/tmp";
    std::string name = (folder / "orvane-errors-XXXXXX").string();
    const int descriptor = ::mkostemp(name.data(), O_CLOEXEC);
    if (descriptor >= 0)
        ::unlink(name.c_str());
    return File(descriptor);
}

class PosixHiddenProcess final : public HiddenProcess
{
public:
    PosixHiddenProcess(pid_t process, File errorOutput, RedirectionFiles files)
        : m_process(process), m_errorOutput(std::move(errorOutput)), m_files(std::move(files))
    {}

    ~PosixHiddenProcess() override
    {
        if (!m_finished)
            kill();
        discardOutput();
    }

    bool finished() override
    {
        if (m_finished)
            return true;
        int status = 0;
        pid_t result;
        while ((result = ::waitpid(m_process, &status, WNOHANG)) < 0 && errno == EINTR) {
        }
        if (result == m_process || result < 0)
            noteEnd(status);
        return m_finished;
    }

    void wait() override
    {
        if (m_finished)
            return;
        int status = 0;
        waitForChild(m_process, &status);
        noteEnd(status);
    }

    void kill() override
    {
        if (m_finished)
            return;
        // The process leads its own group, so this also ends whatever it started.
        ::kill(-m_process, SIGKILL);
        wait();
    }

    ProcessOutcome outcome() const override { return m_outcome; }

    std::string stagedOutputPath() const override { return m_files.staged ? m_files.writeTo.string() : std::string(); }

    PlatformResult<void> commitOutput() override { return commitStagedOutput(m_files); }

    void discardOutput() override
    {
        if (!m_files.staged)
            return;
        ::unlink(m_files.writeTo.c_str());
        m_files.staged = false;
    }

private:
    void noteEnd(int status)
    {
        m_finished = true;
        m_outcome.exitedNormally = WIFEXITED(status);
        m_outcome.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        m_outcome.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
        struct stat written;
        if (m_errorOutput.get() >= 0 && ::fstat(m_errorOutput.get(), &written) == 0) {
            // The end is kept: that is where a program says why it stopped.
            const off_t start = std::max<off_t>(0, written.st_size - static_cast<off_t>(errorOutputKept));
            m_outcome.errorOutput.resize(static_cast<std::size_t>(written.st_size - start));
            const ssize_t length =
                ::pread(m_errorOutput.get(), m_outcome.errorOutput.data(), m_outcome.errorOutput.size(), start);
            m_outcome.errorOutput.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
        }
        m_errorOutput.reset();
    }

    pid_t m_process;
    File m_errorOutput;
    RedirectionFiles m_files;
    bool m_finished = false;
    ProcessOutcome m_outcome;
};

} // namespace

NativeShell::NativeShell(std::filesystem::path programFolder) : m_programFolder(std::move(programFolder)) {}

PlatformResult<void> NativeShell::startDetached(const std::string& commandLine)
{
    // X11 gives a program no way to open another program's window maximised, so the window state is left to it.
    const PlatformResult<ResolvedCommand> command =
        resolveCommandLine(commandLine, currentSearchPlaces(m_programFolder));
    if (!command)
        return Failure(command.error());
    const ChildSetup setup(command->program, command->arguments, m_programFolder);
    if (const PlatformResult<pid_t> started = startChild(setup, ChildKind::Detached); !started)
        return Failure(started.error());
    return {};
}

PlatformResult<std::unique_ptr<HiddenProcess>> NativeShell::startHidden(const std::string& commandLine,
                                                                        Redirection redirection)
{
    const CommandProcessorLine line = parseCommandProcessorLine(commandLine);
    const PlatformResult<ResolvedCommand> command =
        resolveCommandLine(line.command, currentSearchPlaces(m_programFolder));
    if (!command)
        return Failure(command.error());
    ChildSetup setup(command->program, command->arguments, m_programFolder);

    const File input(::open("/dev/null", O_RDONLY | O_CLOEXEC));
    RedirectionFiles files = redirectionFiles(line, m_programFolder, redirection);
    File output;
    if (files.writeTo.empty()) {
        output.reset(::open("/dev/null", O_WRONLY | O_CLOEXEC));
    } else {
        const int mode = O_WRONLY | O_CREAT | O_CLOEXEC | (line.append ? O_APPEND : O_TRUNC);
        output.reset(::open(files.writeTo.c_str(), mode, 0644));
        int error = errno;
        // A shared program folder takes no new file, though its files may be written.
        if (output.get() < 0 && (error == EACCES || error == EROFS || error == EPERM) &&
            stageInTemporaryFolder(files)) {
            output.reset(::open(files.writeTo.c_str(), mode, 0600));
            error = errno;
        }
        if (output.get() < 0)
            return Failure("Cannot write " + files.writeTo.string() + ": " + systemError(error));
    }
    File errorOutput = anonymousFile();
    setup.input = input.get();
    setup.output = output.get();
    setup.error = errorOutput.get() >= 0 ? errorOutput.get() : output.get();

    const PlatformResult<pid_t> started = startChild(setup, ChildKind::Waited);
    if (!started) {
        if (files.staged)
            ::unlink(files.writeTo.c_str());
        return Failure(started.error());
    }
    return std::unique_ptr<HiddenProcess>(
        std::make_unique<PosixHiddenProcess>(started.value(), std::move(errorOutput), files));
}

PlatformResult<std::string> NativeShell::shortPath(const std::string& path)
{
    // POSIX paths have no short form: the path of the existing file, spelt as it is on disk.
    const fs::path full{path};
    const auto found = findEntryIgnoringCase(full.parent_path(), full.filename().string());
    std::error_code error;
    if (!found || !fs::exists(*found, error))
        return Failure("there is no " + path);
    return found->string();
}

PlatformResult<ProcessOutcome> runAndWait(const ProgramRun& run)
{
    ChildSetup setup(run.program, run.arguments, run.workingFolder);
    File output;
    if (run.outputFile) {
        output.reset(::open(run.outputFile->c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
        if (output.get() < 0)
            return Failure("Cannot write " + run.outputFile->string() + ": " + systemError(errno));
        setup.output = output.get();
    }
    File errorOutput = anonymousFile();
    setup.error = errorOutput.get();
    const PlatformResult<pid_t> started = startChild(setup, ChildKind::Tied);
    if (!started)
        return Failure(started.error());
    PosixHiddenProcess process(started.value(), std::move(errorOutput), RedirectionFiles{});
    process.wait();
    return process.outcome();
}

unsigned long currentProcessId()
{
    return static_cast<unsigned long>(::getpid());
}

std::filesystem::path runningProgramPath()
{
    std::error_code error;
    return fs::read_symlink("/proc/self/exe", error);
}

std::vector<std::string> programArguments(int argc, char* argv[])
{
    return std::vector<std::string>(argv + std::min(argc, 1), argv + argc);
}

bool writeStandardOutput(std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(STDOUT_FILENO, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

PlatformResult<void> showMessageWindow(const std::string& title, const std::string& text,
                                       const std::filesystem::path& programFolder)
{
    const auto set = [](const char* name) {
        const char* value = std::getenv(name);
        return value && *value;
    };
    if (!set("DISPLAY") && !set("WAYLAND_DISPLAY"))
        return Failure(std::string("there is no display to show a message on"));
    const fs::path helper = programFolder / "orvane";
    if (!isExecutableFile(helper))
        return Failure("there is no " + helper.string() + " to show a message with");
    ChildSetup setup(helper, {"--message", title, text}, programFolder);
    const File nothing(::open("/dev/null", O_RDWR | O_CLOEXEC));
    setup.input = setup.output = nothing.get();
    if (const PlatformResult<pid_t> started = startChild(setup, ChildKind::Detached); !started)
        return Failure(started.error());
    return {};
}

std::string shownArgument(std::string_view argument)
{
    const bool plain =
        !argument.empty() && argument.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTU"
                                                        "VWXYZ0123456789-_./:=+,@%") == std::string::npos;
    if (plain)
        return std::string(argument);
    std::string quoted = "'";
    for (const char character : argument) {
        if (character == '\'')
            quoted += "'\\''";
        else
            quoted += character;
    }
    return quoted + "'";
}

} // namespace Orvane
