// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include "platform/ProcessLauncher.h"

#include <filesystem>

namespace Orvane
{

// The shell of the platform Orvane runs on: POSIX processes started directly (never through a shell), or the
// Win32 calls on Windows. Every process it starts runs in the program folder.
class SystemProcessLauncher final : public ProcessLauncher
{
public:
    explicit SystemProcessLauncher(std::filesystem::path programFolder);

    PlatformResult<void> startDetached(const std::string& commandLine) override;
    PlatformResult<std::unique_ptr<HiddenProcess>> startHidden(const std::string& commandLine,
                                                               Redirection redirection) override;
    PlatformResult<std::string> shortPath(const std::string& path) override;
    PlatformResult<ProcessOutcome> askAndWait(const ProgramRun& run) override;

private:
    std::filesystem::path m_programFolder;
};

} // namespace Orvane
