// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
// The floor of a start in a fresh process: plain C++, no Qt, the start-up's reads, listings and sorts; writes one
// byte to standard output once they are done.
//
//   orvane-startup-floor PROGRAM_FOLDER
#include "bench/Floors.h"

#include <cstdlib>
#include <unistd.h>

int main(int argc, char* argv[])
{
    if (argc < 2)
        return 2;
    const char done = Orvane::Bench::Floor::startUp(argv[1]) > 0 ? 1 : 0;
    const bool told = write(STDOUT_FILENO, &done, 1) == 1;
    std::_Exit(told ? 0 : 1);
}
