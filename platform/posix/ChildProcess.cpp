// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "platform/posix/ChildProcess.h"

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <thread>

extern char** environ;

namespace Orvane::Posix
{

namespace fs = std::filesystem;

std::string systemError(int error)
{
    return std::strerror(error);
}

namespace
{

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

// Reads the child's report; an empty result means the program is running.
std::string readChildFailure(int pipe, const ChildSetup& setup)
{
    const std::optional<std::pair<int, int>> failure = readStartFailure(pipe);
    return failure ? startFailureText(setup, failure->first, failure->second) : std::string();
}

void waitForChild(pid_t child, int* status)
{
    while (::waitpid(child, status, 0) < 0 && errno == EINTR) {
    }
}

// Reads a program's standard output on a thread of its own until the pipe closes, or until told the program has
// ended and its last writers have had their moment.
class OutputReader
{
public:
    explicit OutputReader(File pipe) : m_pipe(std::move(pipe))
    {
        int ends[2];
        if (::pipe2(ends, O_CLOEXEC) == 0) {
            m_stopRead.reset(ends[0]);
            m_stop.reset(ends[1]);
        }
        m_thread = std::thread([this] { read(); });
    }
    ~OutputReader() { finish(std::chrono::milliseconds(0)); }

    // What was read, once the pipe has closed or `linger` has passed.
    std::string finish(std::chrono::milliseconds linger)
    {
        if (!m_thread.joinable())
            return std::move(m_output);
        {
            std::unique_lock lock(m_mutex);
            m_closed.wait_for(lock, linger, [this] { return m_done; });
        }
        [[maybe_unused]] const ssize_t written = ::write(m_stop.get(), "", 1);
        m_thread.join();
        return std::move(m_output);
    }

private:
    void read()
    {
        char buffer[65536];
        for (;;) {
            pollfd watched[2] = {{m_pipe.get(), POLLIN, 0}, {m_stopRead.get(), POLLIN, 0}};
            if (::poll(watched, 2, -1) < 0 && errno != EINTR)
                break;
            if (watched[1].revents && !watched[0].revents)
                break;
            const ssize_t got = ::read(m_pipe.get(), buffer, sizeof buffer);
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0)
                break;
            // Beyond what is kept it is read and dropped, so the program never waits on a full pipe.
            m_output.append(
                buffer, std::min(static_cast<std::size_t>(got), outputKept - std::min(outputKept, m_output.size())));
        }
        const std::lock_guard lock(m_mutex);
        m_done = true;
        m_closed.notify_all();
    }

    File m_pipe;
    File m_stopRead;
    File m_stop;
    std::string m_output;
    std::mutex m_mutex;
    std::condition_variable m_closed;
    bool m_done = false;
    std::thread m_thread;
};

class PosixRunningProgram final : public RunningProgram
{
public:
    PosixRunningProgram(pid_t process, File errorOutput, File keptOutput)
        : m_process(process), m_errorOutput(std::move(errorOutput))
    {
        if (keptOutput.get() >= 0)
            m_output.emplace(std::move(keptOutput));
    }

    ~PosixRunningProgram() override
    {
        if (!m_finished)
            kill();
    }

    bool endsWithin(std::chrono::milliseconds limit) override
    {
        if (reapIfEnded() || limit.count() <= 0)
            return m_finished;
        const auto deadline = std::chrono::steady_clock::now() + limit;
        const auto left = [&] {
            return std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now()).count();
        };
#ifdef SYS_pidfd_open
        // A process descriptor becomes readable the moment the process ends, so no time is lost to polling.
        const File ending(static_cast<int>(::syscall(SYS_pidfd_open, m_process, 0)));
        if (ending.get() >= 0) {
            pollfd watched{ending.get(), POLLIN, 0};
            while (!reapIfEnded() && left() > 0)
                ::poll(&watched, 1, static_cast<int>(left()));
            return m_finished;
        }
#endif
        while (!reapIfEnded() && left() > 0)
            ::usleep(1000);
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

    ProcessOutcome outcome() const override
    {
        return m_outcome;
    }

private:
    bool reapIfEnded()
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

    void noteEnd(int status)
    {
        m_finished = true;
        m_outcome = outcomeOf(status, m_errorOutput);
        // What the program started may still hold its output open for a moment; what comes later is not its own.
        if (m_output)
            m_outcome.output = m_output->finish(std::chrono::seconds(2));
        m_output.reset();
    }

    pid_t m_process;
    File m_errorOutput;
    std::optional<OutputReader> m_output;
    bool m_finished = false;
    ProcessOutcome m_outcome;
};

} // namespace

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

std::optional<std::pair<int, int>> readStartFailure(int pipe)
{
    ChildFailure failure;
    ssize_t received;
    while ((received = ::read(pipe, &failure, sizeof failure)) < 0 && errno == EINTR) {
    }
    ::close(pipe);
    if (received != static_cast<ssize_t>(sizeof failure))
        return std::nullopt;
    return std::pair(failure.stage, failure.error);
}

std::string startFailureText(const ChildSetup& setup, int stage, int error)
{
    if (stage == 1)
        return "Cannot start " + setup.program + " in " + setup.folder + ": " + systemError(error);
    return "Cannot start " + setup.program + ": " + systemError(error);
}

PlatformResult<pid_t> startChild(const ChildSetup& setup, ChildKind kind)
{
    int pipe[2];
    if (::pipe2(pipe, O_CLOEXEC) != 0)
        return Failure("Cannot start " + setup.program + ": " + systemError(errno));
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
        } else {
            ::setpgid(0, 0);
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

ProcessOutcome outcomeOf(int status, File& errorOutput)
{
    ProcessOutcome outcome;
    outcome.exitedNormally = WIFEXITED(status);
    outcome.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    outcome.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    struct stat written;
    if (errorOutput.get() >= 0 && ::fstat(errorOutput.get(), &written) == 0) {
        // The end is kept: that is where a program says why it stopped.
        const off_t start = std::max<off_t>(0, written.st_size - static_cast<off_t>(errorOutputKept));
        outcome.errorOutput = readFrom(errorOutput.get(), start, static_cast<std::size_t>(written.st_size - start));
    }
    errorOutput.reset();
    return outcome;
}

std::string readFrom(int descriptor, off_t start, std::size_t length)
{
    std::string text(length, '\0');
    std::size_t got = 0;
    while (got < length) {
        const ssize_t read = ::pread(descriptor, text.data() + got, length - got, start + static_cast<off_t>(got));
        if (read < 0 && errno == EINTR)
            continue;
        if (read <= 0)
            break;
        got += static_cast<std::size_t>(read);
    }
    text.resize(got);
    return text;
}

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

PlatformResult<File> openOutputFile(const ProgramRun& run)
{
    if (!run.outputFile)
        return File();
    const int mode = O_WRONLY | O_CREAT | O_CLOEXEC | O_NONBLOCK | (run.appendOutput ? O_APPEND : O_TRUNC);
    File output(::open(run.outputFile->c_str(), mode, 0644));
    if (output.get() < 0)
        return Failure("Cannot write " + run.outputFile->string() + ": " + systemError(errno));
    return output;
}

std::unique_ptr<RunningProgram> runningProgram(pid_t process, File errorOutput, File keptOutput)
{
    return std::make_unique<PosixRunningProgram>(process, std::move(errorOutput), std::move(keptOutput));
}

} // namespace Orvane::Posix
