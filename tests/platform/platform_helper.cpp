// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
// A small program the platform tests start, on any system:
//   platform_helper print WORD...              prints the words, one per line, on standard output
//   platform_helper write-after MS FILE        waits MS milliseconds, then writes FILE
//   platform_helper wait-then-write GO FILE    waits (at most 20 seconds) for GO to exist, then writes FILE
//   platform_helper misuse-result value|reason asks a result for what it does not hold
#include "platform/Result.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

int main(int argc, char* argv[])
{
    if (argc >= 2 && std::strcmp(argv[1], "print") == 0) {
        for (int index = 2; index < argc; ++index)
            std::printf("%s\n", argv[index]);
        return 0;
    }
    if (argc == 4 && std::strcmp(argv[1], "write-after") == 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(std::stoi(argv[2])));
        std::ofstream(argv[3]) << "written\n";
        return 0;
    }
    if (argc == 4 && std::strcmp(argv[1], "wait-then-write") == 0) {
        for (int attempt = 0; attempt < 400 && !std::filesystem::exists(argv[2]); ++attempt)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        std::ofstream(argv[3]) << "written\n";
        return 0;
    }
    if (argc == 3 && std::strcmp(argv[1], "misuse-result") == 0) {
        const Orvane::PlatformResult<std::string> failed = Orvane::Failure(std::string("no"));
        const Orvane::PlatformResult<std::string> succeeded = std::string("yes");
        std::printf("%zu\n", std::strcmp(argv[2], "value") == 0 ? failed->size() : succeeded.error().size());
        return 0;
    }
    std::fprintf(stderr, "usage: platform_helper print|write-after|wait-then-write|misuse-result ...\n");
    return 2;
}
