// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
// Command-line splitting on any text: it never fails, and a file name quoted as Orvane quotes it (one without
// double quotes or line ends) always comes back as one argument, whatever else it holds.
#include "platform/CommandLine.h"
#include "platform/CommandProcessor.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> words = Orvane::splitCommandLine(text);
    if (words.empty())
        __builtin_trap();
    Orvane::parseCommandProcessorLine(text);

    std::string name;
    for (const char character : text) {
        if (character != '"' && character != '\0')
            name += character;
    }
    // Backslashes before the closing quote would escape it, as on Windows; Orvane's names never end in one.
    while (!name.empty() && name.back() == '\\')
        name.pop_back();
    const std::vector<std::string> play = Orvane::splitCommandLine("MESS lumen \"" + name + "\" ");
    if (play != std::vector<std::string>{"MESS", "lumen", name})
        __builtin_trap();
    return 0;
}
