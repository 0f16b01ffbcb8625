// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include "core/NativeText.h"
#include "platform/Result.h"

#include <QString>

#include <type_traits>

namespace Orvane
{

// The core's readers and writers give their value or the reason, naming the file, as the window shows it.
template <typename Value> using Result = Expected<Value, QString>;

// A platform call's result as the core gives it on: the same value, or the same reason as text.
template <typename Value> Result<Value> fromPlatform(PlatformResult<Value> result)
{
    if (!result)
        return Failure(fromNativeBytes(std::move(result).error()));
    if constexpr (std::is_void_v<Value>)
        return {};
    else
        return std::move(result).value();
}

} // namespace Orvane
