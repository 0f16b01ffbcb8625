// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace Orvane
{

struct StartResult
{
    bool started = false;
    std::string error; // why it did not start, naming the program
};

// What Orvane asks of the operating system's shell. The window talks to this interface only, so tests can put a
// recording double in its place.
class Shell
{
public:
    virtual ~Shell() = default;

    // Starts a Windows-style command line in the program folder, window maximised, and returns without waiting.
    virtual StartResult startDetached(const std::string& commandLine) = 0;
};

} // namespace Orvane
