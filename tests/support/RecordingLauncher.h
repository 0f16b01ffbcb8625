// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include "platform/ProcessLauncher.h"

#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

// Stands in for the operating system's shell: keeps the command line of every play and hidden run it is handed. Play
// starts nothing; hidden runs and short paths go to `delegate` (a real shell on a test's program folder) when there is
// one.
class RecordingLauncher final : public Orvane::ProcessLauncher
{
public:
    explicit RecordingLauncher(Orvane::ProcessLauncher* delegate = nullptr) : m_delegate(delegate) {}

    Orvane::PlatformResult<void> startDetached(const Orvane::ProgramRun& run) override
    {
        started.push_back(run.commandLine);
        if (!startSucceeds)
            return Orvane::Failure(std::string("Cannot find the program."));
        return {};
    }

    Orvane::PlatformResult<std::unique_ptr<Orvane::RunningProgram>> start(const Orvane::ProgramRun& run) override
    {
        hidden.push_back(run.commandLine);
        if (!m_delegate)
            return Orvane::Failure(std::string("Nothing is started in this test."));
        return m_delegate->start(run);
    }

    // Questions to the emulator are answered by `answer` where a test gives one, else by the delegate; from any
    // thread.
    Orvane::PlatformResult<Orvane::ProcessOutcome> runAndWait(const Orvane::ProgramRun& run) override
    {
        {
            const std::lock_guard lock(m_asking);
            asked.push_back(run.arguments);
        }
        if (answer)
            return answer(run);
        if (!m_delegate)
            return Orvane::Failure(std::string("Nothing is started in this test."));
        return m_delegate->runAndWait(run);
    }

    std::vector<std::vector<std::string>> askedSoFar()
    {
        const std::lock_guard lock(m_asking);
        return asked;
    }

    Orvane::PlatformResult<std::string> shortPath(const std::string& path) override
    {
        if (shortPathRefusal)
            return Orvane::Failure(*shortPathRefusal);
        if (!m_delegate)
            return Orvane::Failure(std::string("no short paths in this test"));
        return m_delegate->shortPath(path);
    }

    std::vector<std::string> started;
    std::vector<std::string> hidden;
    bool startSucceeds = true;
    // When set, every short path is refused with this reason.
    std::optional<std::string> shortPathRefusal;
    std::function<Orvane::PlatformResult<Orvane::ProcessOutcome>(const Orvane::ProgramRun&)> answer;

private:
    Orvane::ProcessLauncher* m_delegate;
    std::mutex m_asking;
    std::vector<std::vector<std::string>> asked;
};
