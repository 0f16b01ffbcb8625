// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
// Writing a file where it lies and making one afresh, on both sides of the platform layer.
#include "Check.h"
#include "TemporaryFolder.h"

#include "platform/Files.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace fs = std::filesystem;
using namespace Orvane;

TEST_CASE("a new file is made afresh or not at all; a pipe in a file's place never hangs a write")
{
    TemporaryFolder folder;
    const fs::path made = folder.path() / "made.txt";
    CHECK(writeNewFile(made, "first").ok());
    // Never over what is there: a file, or a link planted under the name.
    CHECK(!writeNewFile(made, "second").ok());
    std::error_code error;
    const fs::path target = folder.write("target.txt", "theirs");
    fs::create_symlink(target, folder.path() / "planted.txt", error);
    if (!error)
        CHECK(!writeNewFile(folder.path() / "planted.txt", "mine").ok());
    CHECK(!writeNewFile(folder.path() / "no folder" / "x.txt", "x").ok());
    std::ifstream first(made, std::ios::binary), theirs(target, std::ios::binary);
    std::string text, other;
    std::getline(first, text);
    std::getline(theirs, other);
    CHECK_EQUAL(text + " " + other, std::string("first theirs"));
#ifndef _WIN32
    // A favourites file turned into a pipe with no reader: the write fails at once instead of waiting for ever.
    const fs::path pipe = folder.path() / "pipe.fav";
    CHECK(::mkfifo(pipe.c_str(), 0644) == 0);
    CHECK(!appendInPlace(pipe, "line\n").ok());
    CHECK(!overwriteInPlace(pipe, "whole\n").ok());
#endif
}
