// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

// A small test harness for the platform layer, which is built without Qt (also as Windows programs run under
// Wine), so it cannot use Qt Test.

#include <functional>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace Check
{

struct Case
{
    const char* name;
    std::function<void()> body;
};

inline std::vector<Case>& cases()
{
    static std::vector<Case> all;
    return all;
}

// The test program's own path, for finding the helper programs built beside it.
inline std::string& programPath()
{
    static std::string path;
    return path;
}

inline int& failures()
{
    static int count = 0;
    return count;
}

struct Registration
{
    Registration(const char* name, std::function<void()> body) { cases().push_back({name, std::move(body)}); }
};

template <typename T> std::string show(const T& value)
{
    std::ostringstream text;
    if constexpr (requires {
                      value.begin();
                      value.end();
                  } &&
                  !std::is_convertible_v<T, std::string>) {
        text << '[';
        const char* separator = "";
        for (const auto& item : value) {
            text << separator << show(item);
            separator = ", ";
        }
        text << ']';
    } else if constexpr (std::is_convertible_v<T, std::string>) {
        text << '"' << std::string(value) << '"';
    } else {
        text << value;
    }
    return text.str();
}

inline void fail(const char* file, int line, const std::string& message)
{
    ++failures();
    std::cout << "  FAIL " << file << ':' << line << ": " << message << '\n';
}

inline int runAll()
{
    for (const Case& testCase : cases()) {
        const int before = failures();
        // Written out before and after each case, so a case that never ends is named in the output.
        std::cout << "RUN  " << testCase.name << std::endl;
        testCase.body();
        std::cout << (failures() == before ? "PASS " : "FAIL ") << testCase.name << std::endl;
    }
    std::cout << "Totals: " << cases().size() << " cases, " << failures() << " failed checks\n";
    return failures() == 0 ? 0 : 1;
}

} // namespace Check

#define CHECK_JOIN2(a, b) a##b
#define CHECK_JOIN(a, b) CHECK_JOIN2(a, b)
#define TEST_CASE(name)                                                                                                \
    static void CHECK_JOIN(checkCase, __LINE__)();                                                                     \
    static const Check::Registration CHECK_JOIN(checkRegistration, __LINE__)(name, CHECK_JOIN(checkCase, __LINE__));   \
    static void CHECK_JOIN(checkCase, __LINE__)()

#define CHECK(condition)                                                                                               \
    do {                                                                                                               \
        if (!(condition))                                                                                              \
            Check::fail(__FILE__, __LINE__, "CHECK(" #condition ")");                                                  \
    } while (false)

// The values are copied: a reference into a temporary (a member of a returned result) would dangle.
#define CHECK_EQUAL(actual, expected)                                                                                  \
    do {                                                                                                               \
        const auto checkActual = (actual);                                                                             \
        const auto checkExpected = (expected);                                                                         \
        if (!(checkActual == checkExpected))                                                                           \
            Check::fail(__FILE__, __LINE__,                                                                            \
                        #actual " is " + Check::show(checkActual) + ", expected " + Check::show(checkExpected));       \
    } while (false)
