// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "platform/ProgramRun.h"

#include "platform/ProgramSearch.h"
#include "platform/posix/ChildProcess.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <optional>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>

namespace Orvane
{

namespace fs = std::filesystem;
using namespace Posix;

namespace
{

// Watches, from a process of its own, that the caller says a play is over; should the caller die first (killed, or
// ended by a signal it could not wait on), it asks the play's process group to end, then kills it after the grace.
class Guard
{
public:
    Guard(pid_t group, std::chrono::milliseconds grace)
    {
        int ends[2];
        if (::pipe2(ends, O_CLOEXEC) != 0)
            return;
        m_guard = ::fork();
        if (m_guard == 0) {
            // Only async-signal-safe calls from here on. The signals that end the caller stay blocked: they are the
            // caller's to pass on.
            ::close(ends[1]);
            char said = 0;
            ssize_t read;
            while ((read = ::read(ends[0], &said, 1)) < 0 && errno == EINTR) {
            }
            if (read == 1)
                ::_exit(0);
            ::kill(-group, SIGTERM);
            const timespec pause{0, 50 * 1000 * 1000};
            for (auto waited = std::chrono::milliseconds(0); waited < grace; waited += std::chrono::milliseconds(50)) {
                if (::kill(-group, 0) != 0)
                    ::_exit(0);
                ::nanosleep(&pause, nullptr);
            }
            ::kill(-group, SIGKILL);
            ::_exit(0);
        }
        ::close(ends[0]);
        if (m_guard < 0)
            ::close(ends[1]);
        else
            m_over.reset(ends[1]);
    }
    ~Guard()
    {
        if (m_guard <= 0)
            return;
        [[maybe_unused]] const ssize_t written = ::write(m_over.get(), "x", 1);
        m_over.reset();
        while (::waitpid(m_guard, nullptr, 0) < 0 && errno == EINTR) {
        }
    }
    Guard(const Guard&) = delete;
    Guard& operator=(const Guard&) = delete;

private:
    pid_t m_guard = -1;
    File m_over;
};

using Clock = std::chrono::steady_clock;

// Waiting for a process group to end: the leader's status once it has ended, what is still running asked to end
// and killed after the grace, and a signal that asks this process to end passed on to the group.
class GroupEnding
{
public:
    GroupEnding(pid_t leader, std::chrono::milliseconds grace) : m_leader(leader), m_grace(grace) {}

    int status() const { return m_status; }
    int requested() const { return m_requested; }

    // Reaps what has ended and asks or kills what must end; true once the leader and its whole group are gone.
    bool over(Clock::time_point now)
    {
        int ended = 0;
        pid_t process;
        while ((process = ::waitpid(-1, &ended, WNOHANG)) > 0) {
            if (process == m_leader) {
                m_leaderEnded = true;
                m_status = ended;
            }
        }
        if (m_leaderEnded && ::kill(-m_leader, 0) != 0)
            return true;
        // Whatever the program left running when it ended is asked to end as well.
        if (m_leaderEnded && m_killAt == never) {
            ::kill(-m_leader, SIGTERM);
            m_killAt = now + m_grace;
        }
        if (now >= m_killAt) {
            ::kill(-m_leader, SIGKILL);
            if (m_giveUpAt == never)
                m_giveUpAt = now + std::chrono::seconds(1);
            // Only processes that are not this one's to wait for can be left: dead ones their parents reap.
            if (m_leaderEnded && now >= m_giveUpAt)
                return true;
        }
        return false;
    }

    // Waits a little for one of the watched signals; one that asks to end is passed on to the group.
    void waitForSignal(const sigset_t& watched, Clock::time_point now)
    {
        auto left = std::chrono::milliseconds(100);
        if (m_killAt != never && m_killAt > now)
            left = std::min(left, std::chrono::ceil<std::chrono::milliseconds>(m_killAt - now));
        const timespec wait{0, static_cast<long>(left.count()) * 1000 * 1000};
        siginfo_t information;
        const int signal = ::sigtimedwait(&watched, &information, &wait);
        if (signal != SIGTERM && signal != SIGINT && signal != SIGHUP)
            return;
        if (m_requested == 0) {
            m_requested = signal;
            ::kill(-m_leader, signal);
            m_killAt = std::min(m_killAt, now + m_grace);
        } else {
            // Asked twice, it waits no longer.
            m_killAt = now;
        }
    }

private:
    pid_t m_leader;
    std::chrono::milliseconds m_grace;
    int m_status = 0;
    bool m_leaderEnded = false;
    int m_requested = 0;
    static constexpr Clock::time_point never = Clock::time_point::max();
    Clock::time_point m_killAt = never;
    Clock::time_point m_giveUpAt = never;
};

// Runs the program as the leader of a process group of its own, and waits until it and all it started have ended,
// passing on a signal that asks this process to end.
PlatformResult<ProcessOutcome> runAskingToEnd(const ChildSetup& setup, File& errorOutput,
                                              std::chrono::milliseconds grace)
{
    sigset_t watched, previous;
    sigemptyset(&watched);
    for (const int signal : {SIGTERM, SIGINT, SIGHUP, SIGCHLD})
        sigaddset(&watched, signal);
    ::pthread_sigmask(SIG_BLOCK, &watched, &previous);
    // What a wrapper script leaves when it ends is handed to this process, so it can be waited for too.
    ::prctl(PR_SET_CHILD_SUBREAPER, 1);
    const auto restore = [&] {
        ::prctl(PR_SET_CHILD_SUBREAPER, 0);
        ::pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    };
    const PlatformResult<pid_t> started = startChild(setup, ChildKind::Waited);
    if (!started) {
        restore();
        return Failure(started.error());
    }
    GroupEnding ending(started.value(), grace);
    {
        const Guard guard(started.value(), grace);
        while (!ending.over(Clock::now()))
            ending.waitForSignal(watched, Clock::now());
    }
    restore();
    ProcessOutcome outcome = outcomeOf(ending.status(), errorOutput);
    outcome.endRequested = ending.requested();
    return outcome;
}

} // namespace

PlatformResult<ProcessOutcome> runAndWait(const ProgramRun& run)
{
    ChildSetup setup(run.program, run.arguments, run.workingFolder);
    File output;
    if (run.outputFile) {
        output.reset(::open(run.outputFile->c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
        if (output.get() < 0)
            return Failure("Cannot write " + run.outputFile->string() + ": " + systemError(errno));
        setup.output = output.get();
    } else if (run.outputScratchFolder) {
        output = scratchFile(*run.outputScratchFolder);
        if (output.get() < 0)
            return Failure("Cannot make a file for the output of " + run.program.string() + ": " + systemError(errno));
        setup.output = output.get();
    }
    File errorOutput = anonymousFile();
    setup.error = errorOutput.get();
    PlatformResult<ProcessOutcome> outcome = Failure(std::string());
    if (run.endingGrace.count() > 0) {
        outcome = runAskingToEnd(setup, errorOutput, run.endingGrace);
    } else {
        const PlatformResult<pid_t> started = startChild(setup, ChildKind::Tied);
        if (!started)
            return Failure(started.error());
        const std::unique_ptr<HiddenProcess> process =
            hiddenProcess(started.value(), std::move(errorOutput), RedirectionFiles{});
        process->wait();
        outcome = process->outcome();
    }
    if (outcome && !run.outputFile && run.outputScratchFolder) {
        struct stat written;
        if (::fstat(output.get(), &written) == 0)
            outcome->output =
                readFrom(output.get(), 0, std::min(static_cast<std::size_t>(written.st_size), outputKept));
    }
    return outcome;
}

} // namespace Orvane
