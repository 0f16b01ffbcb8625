// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "Check.h"

#include "platform/CommandLine.h"

using Orvane::splitArguments;
using Orvane::splitCommandLine;
using Orvane::takeProgramToken;
using Words = std::vector<std::string>;

TEST_CASE("blanks separate, runs of blanks and tabs count once, trailing blanks add nothing")
{
    CHECK_EQUAL(splitArguments("abc def"), (Words{"abc", "def"}));
    CHECK_EQUAL(splitArguments("  abc \t def  "), (Words{"abc", "def"}));
    CHECK_EQUAL(splitArguments(""), Words{});
    CHECK_EQUAL(splitArguments("   "), Words{});
}

TEST_CASE("double quotes group blanks and are removed")
{
    CHECK_EQUAL(splitArguments(R"(abc "Cave Quest.bin" )"), (Words{"abc", "Cave Quest.bin"}));
    CHECK_EQUAL(splitArguments(R"(a"b c"d)"), (Words{"ab cd"}));
    CHECK_EQUAL(splitArguments(R"("")"), (Words{""}));
    CHECK_EQUAL(splitArguments(R"(x "" y)"), (Words{"x", "", "y"}));
    // An unclosed quote runs to the end of the line.
    CHECK_EQUAL(splitArguments(R"("open ended  )"), (Words{"open ended  "}));
}

TEST_CASE("backslashes escape a quote only when they stand before one")
{
    CHECK_EQUAL(splitArguments(R"(a\b c\\d)"), (Words{R"(a\b)", R"(c\\d)"}));
    CHECK_EQUAL(splitArguments(R"(\"x\")"), (Words{R"("x")"}));
    CHECK_EQUAL(splitArguments(R"(\\"a b")"), (Words{R"(\a b)"}));
    CHECK_EQUAL(splitArguments(R"(\\\"a)"), (Words{R"(\"a)"}));
    CHECK_EQUAL(splitArguments(R"("C:\Games\" x)"), (Words{R"(C:\Games" x)"}));
}

TEST_CASE("quotes inside quotes: doubled and tripled")
{
    CHECK_EQUAL(splitArguments(R"("a""b")"), (Words{R"(a"b)"}));
    CHECK_EQUAL(splitArguments(R"(""")"), (Words{R"(")"}));
    CHECK_EQUAL(splitArguments(R"(""" x)"), (Words{R"(")", "x"}));
}

TEST_CASE("shell characters are plain text")
{
    CHECK_EQUAL(splitArguments(R"(sys "$(touch x).rom")"), (Words{"sys", "$(touch x).rom"}));
    CHECK_EQUAL(splitArguments(R"(sys "a;b.rom" `id` |&)"), (Words{"sys", "a;b.rom", "`id`", "|&"}));
    CHECK_EQUAL(splitArguments("sys \"\xc3\xa9t\xc3\xa9 \xe2\x98\x85.rom\""),
                (Words{"sys", "\xc3\xa9t\xc3\xa9 \xe2\x98\x85.rom"}));
}

TEST_CASE("the program name follows its own rules")
{
    const auto quoted = takeProgramToken(R"("C:\My Games\pmame31" abc)");
    CHECK_EQUAL(quoted.name, std::string(R"(C:\My Games\pmame31)"));
    CHECK(quoted.quoted);
    const auto plain = takeProgramToken(R"(  dir\MESS abc)");
    CHECK_EQUAL(plain.name, std::string(R"(dir\MESS)"));
    CHECK(!plain.quoted);
    // An unquoted program name runs to the next blank, quotes and backslashes included.
    CHECK_EQUAL(splitCommandLine(R"(a\"b c)"), (Words{R"(a\"b)", "c"}));
    CHECK_EQUAL(splitCommandLine("MESS  "), (Words{"MESS"}));
    CHECK_EQUAL(splitCommandLine(R"(MESS lumen "Cave Quest.bin" )"), (Words{"MESS", "lumen", "Cave Quest.bin"}));
    CHECK_EQUAL(splitCommandLine(R"(MESS lumen "x.bin" -record Default )"),
                (Words{"MESS", "lumen", "x.bin", "-record", "Default"}));
}
