// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include "Shell.h"

#include <string>
#include <vector>

// Stands in for the operating system's shell: keeps every command line it is handed and starts nothing.
class RecordingShell final : public Orvane::Shell
{
public:
    Orvane::StartResult startDetached(const std::string& commandLine) override
    {
        started.push_back(commandLine);
        return {startSucceeds, startSucceeds ? std::string() : "Cannot find the program."};
    }

    std::vector<std::string> started;
    bool startSucceeds = true;
};
