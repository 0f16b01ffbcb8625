// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "platform/ProgramRun.h"

#include "platform/posix/ChildProcess.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <mutex>
#include <poll.h>
#include <set>
#include <string_view>
#include <sys/prctl.h>
#include <sys/signalfd.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <time.h>

namespace Orvane
{

namespace fs = std::filesystem;
using namespace Posix;

namespace
{

// What the keeper tells the caller, one record at a time through a pipe. The program's own process writes a
// failure to start into the same pipe before it ends.
struct Report
{
    enum Kind : int
    {
        NotStarted = 1, // `value`: the stage (see ChildFailure in ChildProcess.cpp), `detail`: the error
        Ended = 2,      // `value`: the program's wait status, `detail`: the signal that asked it to end, or 0
    };
    int kind = 0;
    int value = 0;
    int detail = 0;
    int timedOut = 0;
    int killed = 0; // the program itself was killed, not having ended when asked
};

bool writeReport(int pipe, const Report& report)
{
    ssize_t written;
    while ((written = ::write(pipe, &report, sizeof report)) < 0 && errno == EINTR) {
    }
    return written == static_cast<ssize_t>(sizeof report);
}

long long nowInMilliseconds()
{
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

// The keeper's own children: the program, and whatever was handed to it as the subreaper. Read from the kernel's
// list where it keeps one, else from every process's parent; at most `room` of them. Only system calls, since the
// keeper is a fork of a process that may have other threads.
int childrenOf(pid_t keeper, pid_t* children, int room)
{
    char number[16];
    int digits = 0;
    for (long rest = keeper; rest > 0 || digits == 0; rest /= 10)
        number[digits++] = static_cast<char>('0' + rest % 10);
    char path[64] = "/proc/";
    std::size_t used = 6;
    for (int repeat = 0; repeat < 2; ++repeat) {
        for (int index = digits - 1; index >= 0; --index)
            path[used++] = number[index];
        for (const char character : std::string_view(repeat == 0 ? "/task/" : "/children"))
            path[used++] = character;
    }
    path[used] = '\0';
    int count = 0;
    const int list = ::open(path, O_RDONLY | O_CLOEXEC);
    if (list >= 0) {
        char text[8192];
        ssize_t size;
        while ((size = ::read(list, text, sizeof text - 1)) < 0 && errno == EINTR) {
        }
        ::close(list);
        long number = -1;
        for (ssize_t index = 0; index < std::max<ssize_t>(size, 0) + 1 && count < room; ++index) {
            const char character = index < size ? text[index] : ' ';
            if (character >= '0' && character <= '9') {
                number = (number < 0 ? 0 : number * 10) + (character - '0');
            } else if (number >= 0) {
                children[count++] = static_cast<pid_t>(number);
                number = -1;
            }
        }
        return count;
    }
    DIR* processes = ::opendir("/proc");
    if (!processes)
        return 0;
    while (const dirent* entry = ::readdir(processes)) {
        if (count >= room || entry->d_name[0] < '0' || entry->d_name[0] > '9')
            continue;
        char statPath[300];
        std::snprintf(statPath, sizeof statPath, "/proc/%s/stat", entry->d_name);
        const int stat = ::open(statPath, O_RDONLY | O_CLOEXEC);
        if (stat < 0)
            continue;
        char text[512];
        const ssize_t size = ::read(stat, text, sizeof text - 1);
        ::close(stat);
        if (size <= 0)
            continue;
        text[size] = '\0';
        // "pid (name) state parent ...": the name may hold anything but ends at the last ')'.
        const char* end = std::strrchr(text, ')');
        int parent = 0;
        if (end && std::sscanf(end + 1, " %*c %d", &parent) == 1 && parent == keeper)
            children[count++] = static_cast<pid_t>(std::atoi(entry->d_name));
    }
    ::closedir(processes);
    return count;
}

// Sends the signal to each of the keeper's children and to the process group each may lead.
void signalChildren(pid_t keeper, int signal)
{
    pid_t children[512];
    const int count = childrenOf(keeper, children, 512);
    for (int index = 0; index < count; ++index) {
        ::kill(-children[index], signal);
        ::kill(children[index], signal);
    }
}

// The keeper: a process of its own group between the caller and the program, the subreaper of everything the program
// starts. It tells the caller how the program ended once nothing it started is left, and ends all of it when the
// caller asks (a signal number through `lifeline`) or goes (`lifeline` closes).
[[noreturn]] void keep(const ChildSetup& setup, int reportPipe, int lifeline, std::chrono::milliseconds grace,
                       std::chrono::milliseconds timeLimit)
{
    ::setpgid(0, 0);
    ::prctl(PR_SET_CHILD_SUBREAPER, 1);
    sigset_t watched;
    sigemptyset(&watched);
    for (const int signal : {SIGCHLD, SIGTERM, SIGINT, SIGHUP})
        sigaddset(&watched, signal);
    ::sigprocmask(SIG_BLOCK, &watched, nullptr);
    const int signals = ::signalfd(-1, &watched, SFD_CLOEXEC | SFD_NONBLOCK);
    const pid_t keeper = ::getpid();
    int started[2];
    if (::pipe2(started, O_CLOEXEC) != 0) {
        writeReport(reportPipe, Report{Report::NotStarted, 3, errno});
        ::_exit(0);
    }
    const pid_t program = ::fork();
    if (program == 0) {
        ::setpgid(0, 0);
        execInChild(setup, started[1]);
    }
    ::close(started[1]);
    if (program < 0) {
        writeReport(reportPipe, Report{Report::NotStarted, 3, errno});
        ::_exit(0);
    }
    ::setpgid(program, program);
    if (const auto failure = readStartFailure(started[0]))
        writeReport(reportPipe, Report{Report::NotStarted, failure->first, failure->second});

    int status = 0;
    int requested = 0;
    bool ended = false;
    bool callerGone = false;
    const long long limitAt = timeLimit.count() > 0 ? nowInMilliseconds() + timeLimit.count() : -1;
    bool timedOut = false;
    bool killed = false;
    long long killAt = -1; // when what is left is killed, once it has been asked to end
    const auto askToEnd = [&](int signal) {
        ::kill(-program, signal);
        signalChildren(keeper, signal);
        const long long at = nowInMilliseconds() + grace.count();
        killAt = killAt < 0 ? at : std::min(killAt, at);
    };
    for (;;) {
        // Whatever has ended is taken in: the program's status is kept, the rest are leftovers. Nothing left to wait
        // for means nothing the program started is running.
        bool anyLeft = true;
        for (;;) {
            int ending = 0;
            const pid_t reaped = ::waitpid(-1, &ending, WNOHANG);
            if (reaped == program) {
                ended = true;
                status = ending;
            }
            if (reaped <= 0) {
                anyLeft = reaped == 0 || errno == EINTR;
                break;
            }
        }
        if (ended && !anyLeft)
            break;
        // What the program left running when it ended is asked to end as well.
        if (ended && killAt < 0)
            askToEnd(SIGTERM);
        long long now = nowInMilliseconds();
        if (!ended && !timedOut && limitAt >= 0 && now >= limitAt) {
            timedOut = true;
            killAt = now;
        }
        if (killAt >= 0 && now >= killAt) {
            killed = killed || !ended;
            ::kill(-program, SIGKILL);
            signalChildren(keeper, SIGKILL);
        }
        pollfd watchedFiles[2] = {{signals, POLLIN, 0}, {callerGone ? -1 : lifeline, POLLIN, 0}};
        // Leftovers have no signal of their own to wake the keeper: it looks again every little while.
        long long wait = killAt >= 0 ? std::clamp(killAt - now, 10LL, 100LL) : ended ? 10 : -1;
        if (limitAt >= 0 && !timedOut)
            wait = wait < 0 ? std::max(limitAt - now, 0LL) : std::min(wait, std::max(limitAt - now, 0LL));
        ::poll(watchedFiles, 2, static_cast<int>(wait));
        signalfd_siginfo information;
        while (::read(signals, &information, sizeof information) == static_cast<ssize_t>(sizeof information)) {
            // The keeper is asked to end as its caller would be.
            if (information.ssi_signo != SIGCHLD && requested == 0) {
                requested = static_cast<int>(information.ssi_signo);
                askToEnd(requested);
            }
        }
        if (watchedFiles[1].revents) {
            unsigned char said = 0;
            const ssize_t got = ::read(lifeline, &said, 1);
            if (got == 1 && requested == 0) {
                requested = said;
                askToEnd(said);
            } else if (got == 1) {
                // Asked twice, it waits no longer.
                killAt = nowInMilliseconds();
            } else if (got == 0 || (got < 0 && errno != EINTR && errno != EAGAIN)) {
                callerGone = true;
                askToEnd(grace.count() > 0 ? SIGTERM : SIGKILL);
            }
        }
    }
    writeReport(reportPipe, Report{Report::Ended, status, requested, timedOut ? 1 : 0, killed ? 1 : 0});
    ::_exit(0);
}

// The runs now waiting that pass on a signal asking this process to end: the write end of each keeper's lifeline.
std::mutex runsMutex;
std::set<int>& waitingRuns()
{
    static std::set<int> runs;
    return runs;
}

class WaitingRun
{
public:
    explicit WaitingRun(int lifeline) : m_lifeline(lifeline)
    {
        const std::lock_guard lock(runsMutex);
        waitingRuns().insert(lifeline);
    }
    ~WaitingRun()
    {
        const std::lock_guard lock(runsMutex);
        waitingRuns().erase(m_lifeline);
    }
    WaitingRun(const WaitingRun&) = delete;
    WaitingRun& operator=(const WaitingRun&) = delete;

    // A signal that asks this process to end goes to every run that waits, whichever thread received it.
    static void passOn(int signal)
    {
        const std::lock_guard lock(runsMutex);
        const auto said = static_cast<unsigned char>(signal);
        for (const int lifeline : waitingRuns())
            [[maybe_unused]] const ssize_t sent = ::send(lifeline, &said, 1, MSG_NOSIGNAL);
    }

private:
    int m_lifeline;
};

void appendOutput(int pipe, std::string& output, bool& open)
{
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(pipe, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            open = got < 0 && errno == EAGAIN;
            return;
        }
        // Beyond what is kept it is read and dropped, so the program never waits on a full pipe.
        output.append(buffer,
                      std::min(static_cast<std::size_t>(got), outputKept - std::min(outputKept, output.size())));
    }
}

// Where the run's standard output goes: its output file; for kept output the write end of a pipe whose read end is
// put in `keptOutput`; none (-1) otherwise.
PlatformResult<File> openStandardOutput(const ProgramRun& run, File& keptOutput)
{
    PlatformResult<File> opened = openOutputFile(run);
    if (!opened || opened->get() >= 0 || !run.keepOutput)
        return opened;
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0)
        return Failure("Cannot start " + run.program.string() + ": " + systemError(errno));
    keptOutput.reset(ends[0]);
    ::fcntl(keptOutput.get(), F_SETPIPE_SZ, 1 << 20);
    return File(ends[1]);
}

} // namespace

PlatformResult<ProcessOutcome> runAndWait(const ProgramRun& described)
{
    const PlatformResult<ProgramRun> found = withProgramFound(described);
    if (!found)
        return Failure(found.error());
    const ProgramRun& run = found.value();
    ChildSetup setup(run.program, run.arguments, run.workingFolder);
    File outputRead;
    PlatformResult<File> opened = openStandardOutput(run, outputRead);
    if (!opened)
        return Failure(opened.error());
    File output = std::move(opened).value();
    if (outputRead.get() >= 0)
        ::fcntl(outputRead.get(), F_SETFL, O_NONBLOCK);
    setup.output = output.get();
    File errorOutput = anonymousFile();
    setup.error = errorOutput.get();

    int reportEnds[2];
    int lifelineEnds[2];
    if (::pipe2(reportEnds, O_CLOEXEC) != 0)
        return Failure("Cannot start " + run.program.string() + ": " + systemError(errno));
    File report(reportEnds[0]);
    File reportWrite(reportEnds[1]);
    // A socket rather than a pipe: a signal passed on to a keeper that has just ended must not end this process.
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, lifelineEnds) != 0)
        return Failure("Cannot start " + run.program.string() + ": " + systemError(errno));
    File lifelineRead(lifelineEnds[0]);
    File lifeline(lifelineEnds[1]);

    // A graceful run passes on the signals that ask this process to end; they wait, blocked, for this thread.
    const bool graceful = run.endingGrace.count() > 0;
    sigset_t asking, previous;
    sigemptyset(&asking);
    for (const int signal : {SIGTERM, SIGINT, SIGHUP})
        sigaddset(&asking, signal);
    if (graceful)
        ::pthread_sigmask(SIG_BLOCK, &asking, &previous);
    File signals(graceful ? ::signalfd(-1, &asking, SFD_CLOEXEC | SFD_NONBLOCK) : -1);
    const auto restore = [&] {
        if (graceful)
            ::pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    };

    const pid_t keeper = ::fork();
    if (keeper == 0) {
        // The caller's ends of the pipes are closed here, so that the keeper sees the caller go.
        ::close(report.get());
        ::close(lifeline.get());
        if (outputRead.get() >= 0)
            ::close(outputRead.get());
        keep(setup, reportWrite.get(), lifelineRead.get(), run.endingGrace, run.timeLimit);
    }
    const int forkError = errno;
    reportWrite.reset();
    lifelineRead.reset();
    output.reset();
    if (keeper < 0) {
        restore();
        return Failure("Cannot start " + run.program.string() + ": " + systemError(forkError));
    }

    std::optional<WaitingRun> waiting;
    if (graceful)
        waiting.emplace(lifeline.get());
    ProcessOutcome outcome;
    std::optional<Report> failure;
    bool outputOpen = outputRead.get() >= 0;
    bool over = false;
    while (!over) {
        pollfd watched[3] = {
            {report.get(), POLLIN, 0}, {outputOpen ? outputRead.get() : -1, POLLIN, 0}, {signals.get(), POLLIN, 0}};
        if (::poll(watched, 3, -1) < 0 && errno != EINTR)
            break;
        if (watched[1].revents) {
            appendOutput(outputRead.get(), outcome.output, outputOpen);
            // A program that writes a long output line by line would wake this thread for every line, taking the
            // time from the program itself where cores are few: past its first 64 KB the output is taken in
            // batches instead, the pipe holding a megabyte meanwhile.
            const timespec batch{0, 3 * 1000 * 1000};
            if (outcome.output.size() >= 64 * 1024)
                ::nanosleep(&batch, nullptr);
        }
        if (watched[2].revents) {
            signalfd_siginfo information;
            while (::read(signals.get(), &information, sizeof information) == static_cast<ssize_t>(sizeof information))
                WaitingRun::passOn(static_cast<int>(information.ssi_signo));
        }
        if (watched[0].revents) {
            Report said;
            ssize_t got;
            while ((got = ::read(report.get(), &said, sizeof said)) < 0 && errno == EINTR) {
            }
            if (got != static_cast<ssize_t>(sizeof said)) {
                // The keeper is gone without a word: killed from outside.
                over = true;
                said = Report{Report::Ended, SIGKILL, 0};
            }
            if (said.kind == Report::NotStarted && !failure)
                failure = said;
            if (said.kind == Report::Ended) {
                over = true;
                std::string output = std::move(outcome.output);
                outcome = outcomeOf(said.value, errorOutput);
                outcome.output = std::move(output);
                outcome.endRequested = said.detail;
                outcome.timedOut = said.timedOut != 0;
                outcome.killed = said.killed != 0;
            }
        }
    }
    while (::waitpid(keeper, nullptr, 0) < 0 && errno == EINTR) {
    }
    waiting.reset();
    restore();
    if (outputOpen)
        appendOutput(outputRead.get(), outcome.output, outputOpen);
    if (failure)
        return Failure(startFailureText(setup, failure->value, failure->detail));
    return outcome;
}

PlatformResult<void> startDetached(const ProgramRun& described)
{
    // X11 gives a program no way to open another program's window maximised, so the window state is left to it.
    const PlatformResult<ProgramRun> found = withProgramFound(described);
    if (!found)
        return Failure(found.error());
    ChildSetup setup(found->program, found->arguments, found->workingFolder);
    PlatformResult<File> output = openOutputFile(found.value());
    if (!output)
        return Failure(output.error());
    setup.output = output->get();
    if (const PlatformResult<pid_t> started = startChild(setup, ChildKind::Detached); !started)
        return Failure(started.error());
    return {};
}

PlatformResult<std::unique_ptr<RunningProgram>> start(const ProgramRun& described)
{
    const PlatformResult<ProgramRun> found = withProgramFound(described);
    if (!found)
        return Failure(found.error());
    const ProgramRun& run = found.value();
    ChildSetup setup(run.program, run.arguments, run.workingFolder);

    const File input(::open("/dev/null", O_RDONLY | O_CLOEXEC));
    File keptOutput;
    PlatformResult<File> opened = openStandardOutput(run, keptOutput);
    if (!opened)
        return Failure(opened.error());
    File output = std::move(opened).value();
    if (output.get() < 0)
        output.reset(::open("/dev/null", O_WRONLY | O_CLOEXEC));
    File errorOutput = anonymousFile();
    setup.input = input.get();
    setup.output = output.get();
    setup.error = errorOutput.get() >= 0 ? errorOutput.get() : output.get();

    const PlatformResult<pid_t> started = startChild(setup, ChildKind::Waited);
    if (!started)
        return Failure(started.error());
    return runningProgram(started.value(), std::move(errorOutput), std::move(keptOutput));
}

} // namespace Orvane
