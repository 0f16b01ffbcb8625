// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include <memory>

namespace Orvane
{

// While it lives, the calling thread's character conversions are UTF-8 whatever the process's locale, so a C
// library that converts names to and from "the current locale" (libarchive) passes UTF-8 through; the thread's
// locale is put back after. On Windows, where such libraries convert through wide characters, it changes nothing.
class ThreadUtf8Locale
{
public:
    ThreadUtf8Locale();
    ~ThreadUtf8Locale();
    ThreadUtf8Locale(const ThreadUtf8Locale&) = delete;
    ThreadUtf8Locale& operator=(const ThreadUtf8Locale&) = delete;

    // Whether the thread's multibyte text is UTF-8 now (false on Windows, where it is the ANSI code page).
    bool active() const;

private:
    struct State;
    std::unique_ptr<State> m_state;
};

} // namespace Orvane
