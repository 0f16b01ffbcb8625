// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
// Appends one favourite as the window does, for tests that run it where the test itself cannot go (a full file
// system in a mount namespace of its own). Prints the reason and exits 1 when the add is refused.
#include "catalogue/Favourites.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: favourite_append FILE LINE\n");
        return 2;
    }
    const Orvane::Result<void> added =
        Orvane::appendFavourite(std::filesystem::path(argv[1]), QString::fromUtf8(argv[2]));
    if (added) {
        std::printf("added\n");
        return 0;
    }
    std::printf("%s\n", added.error().toUtf8().constData());
    return 1;
}
