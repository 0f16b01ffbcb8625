// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include "platform/ProcessLauncher.h"

namespace Orvane
{

// The shell of the platform Orvane runs on: POSIX processes started directly (never through a shell), or the
// Win32 calls on Windows.
class SystemProcessLauncher final : public ProcessLauncher
{
public:
    PlatformResult<void> startDetached(const ProgramRun& run) override { return Orvane::startDetached(run); }
    PlatformResult<std::unique_ptr<RunningProgram>> start(const ProgramRun& run) override { return Orvane::start(run); }
    PlatformResult<ProcessOutcome> runAndWait(const ProgramRun& run) override { return Orvane::runAndWait(run); }
    PlatformResult<std::string> shortPath(const std::string& path) override;
};

} // namespace Orvane
