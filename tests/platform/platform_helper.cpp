// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
// A small program the platform tests start, on any system:
//   platform_helper print WORD...              prints the words, one per line, on standard output
//   platform_helper write-after MS FILE        waits MS milliseconds, then writes FILE
//   platform_helper wait-then-write GO FILE    waits (at most 20 seconds) for GO to exist, then writes FILE
#include "platform/ProgramRun.h"
#include "platform/Utf8Path.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

using Orvane::pathFromUtf8;

int main(int argc, char* argv[])
{
    // The program's name first, as the words are counted below.
    std::vector<std::string> words = Orvane::programArguments(argc, argv);
    words.insert(words.begin(), "platform_helper");
    const std::size_t count = words.size();
    if (count >= 2 && words[1] == "print") {
        for (std::size_t index = 2; index < count; ++index)
            std::printf("%s\n", words[index].c_str());
        return 0;
    }
    if (count == 4 && words[1] == "write-after") {
        std::this_thread::sleep_for(std::chrono::milliseconds(std::stoi(words[2])));
        std::ofstream(pathFromUtf8(words[3])) << "written\n";
        return 0;
    }
    if (count == 4 && words[1] == "wait-then-write") {
        for (int attempt = 0; attempt < 400 && !std::filesystem::exists(pathFromUtf8(words[2])); ++attempt)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        std::ofstream(pathFromUtf8(words[3])) << "written\n";
        return 0;
    }
    std::fprintf(stderr, "usage: platform_helper print|write-after|wait-then-write ...\n");
    return 2;
}
