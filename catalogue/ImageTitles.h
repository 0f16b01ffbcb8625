// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include "platform/ProcessOutcome.h"
#include "platform/Result.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <chrono>
#include <string>
#include <vector>

namespace Orvane
{

// What the emulator's own software lists call an image, as the emulator program answers
// "MESS.EXE -identify <system> <image>": one line a matching entry, "<list>:<name>" TAB description TAB year TAB
// publisher TAB "yes", "partial" or "no"; exit 0. Nothing matching: exit 1; an image it cannot read: exit 2.
struct ImageTitle
{
    QString entry; // "<list>:<name>"
    QString description;
    QString year;
    QString publisher;
    QString supported; // "yes", "partial" or "no"
};

struct TitleAnswer
{
    enum class Kind
    {
        Listed,     // in the lists: `titles`, the parent first
        NotListed,  // read, and in no list
        Unreadable, // the emulator could not read the image
        NoAnswer,   // no answer of this form: an emulator that does not know the question
        TimedOut,   // no answer within identifyTimeLimit
    };
    Kind kind = Kind::NoAnswer;
    QList<ImageTitle> titles;
};

// The question's arguments, after the program.
std::vector<std::string> identifyArguments(const QString& systemName, const QString& fileName);
// How long an answer is waited for.
inline constexpr std::chrono::seconds identifyTimeLimit(10);
// The answer of a run, or why there is none. A program that answers in any other form (the classic emulator prints
// its usage) gives NoAnswer.
TitleAnswer parseTitleAnswer(const PlatformResult<ProcessOutcome>& run);

// An image line's tip: the whole file name, then what the lists say of it, each on a line of its own; only the name
// where there is no answer.
QString imageTip(const QString& wholeFileName, const TitleAnswer& answer);

} // namespace Orvane
