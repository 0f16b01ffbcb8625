// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
// A small program the platform tests start, on any system:
//   platform_helper print WORD...              prints the words, one per line, on standard output
//   platform_helper write-after MS FILE        waits MS milliseconds, then writes FILE
//   platform_helper wait-then-write GO FILE    waits (at most 20 seconds) for GO to exist, then writes FILE
#include "Utf8Path.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#ifdef _WIN32
#include <windows.h>

#include <shellapi.h>
#endif

using Orvane::pathFromUtf8;

// The arguments in UTF-8: on Windows taken from the wide command line, as the ANSI ones lose what the code page
// cannot spell.
static std::vector<std::string> arguments([[maybe_unused]] int argc, [[maybe_unused]] char* argv[])
{
#ifdef _WIN32
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> result;
    for (int index = 0; index < count; ++index) {
        const int length = WideCharToMultiByte(CP_UTF8, 0, wide[index], -1, nullptr, 0, nullptr, nullptr);
        std::string text(static_cast<std::size_t>(length > 0 ? length - 1 : 0), '\0');
        WideCharToMultiByte(CP_UTF8, 0, wide[index], -1, text.data(), length, nullptr, nullptr);
        result.push_back(std::move(text));
    }
    LocalFree(wide);
    return result;
#else
    return std::vector<std::string>(argv, argv + argc);
#endif
}

int main(int argc, char* argv[])
{
    const std::vector<std::string> words = arguments(argc, argv);
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
