// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
// Stands in front of the emulator for the play-start figure: a question ("-listfull", "-showconfig", ...) goes to
// the emulator named in ORVANE_PROBE_EMULATOR and its answer comes back as it is; a play writes the moment this
// program started (nanoseconds of the system clock) to ORVANE_PROBE_FILE and ends.
#include "platform/ProgramRun.h"
#include "platform/ThisProgram.h"
#include "platform/Utf8Path.h"

#include <chrono>
#include <cstdlib>
#include <fstream>

int main(int argc, char* argv[])
{
    const auto started = std::chrono::system_clock::now().time_since_epoch();
    const std::vector<std::string> arguments = Orvane::programArguments(argc, argv);
    const char* emulator = std::getenv("ORVANE_PROBE_EMULATOR");
    const char* file = std::getenv("ORVANE_PROBE_FILE");
    if (!emulator || !file)
        return 2;
    if (!arguments.empty() && arguments.front().rfind("-", 0) == 0) {
        const auto run = Orvane::runAndWait(
            {Orvane::pathFromUtf8(emulator), arguments, std::filesystem::current_path(), std::nullopt});
        return run && run->exitedNormally ? run->exitCode : 1;
    }
    std::ofstream(Orvane::pathFromUtf8(file)) << std::chrono::duration_cast<std::chrono::nanoseconds>(started).count();
    return 0;
}
