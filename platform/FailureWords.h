// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include "platform/Files.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace Orvane
{

// How a failure's reason about a file begins ("Cannot read <file>"), worded only when something fails: a read or
// write that goes well never turns the file's name into text.
struct Cannot
{
    std::string_view doing;
    const std::filesystem::path& file;

    std::string text() const { return std::string(doing) + " " + shownPath(file); }
    friend std::string operator+(const Cannot& cannot, std::string_view rest) { return cannot.text().append(rest); }
};

} // namespace Orvane
