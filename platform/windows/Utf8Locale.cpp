// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "platform/Utf8Locale.h"

namespace Orvane
{

struct ThreadUtf8Locale::State
{
};

ThreadUtf8Locale::ThreadUtf8Locale() = default;
ThreadUtf8Locale::~ThreadUtf8Locale() = default;

bool ThreadUtf8Locale::active() const
{
    return false;
}

} // namespace Orvane
