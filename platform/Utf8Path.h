// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include <filesystem>
#include <string_view>

namespace Orvane
{

// Texts at the platform layer's boundary are UTF-8 (on POSIX: the file system's bytes as they are). A path made
// from a plain `std::string` would be read in the ANSI code page on Windows, so every path is made here; a path's
// `string()` gives UTF-8 back on both platforms.
inline std::filesystem::path pathFromUtf8(std::string_view text)
{
    return std::filesystem::path(std::u8string_view(reinterpret_cast<const char8_t*>(text.data()), text.size()));
}

} // namespace Orvane
