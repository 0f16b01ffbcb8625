// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include "platform/Result.h"

#include <QString>

namespace Orvane
{

// The core's readers and writers give their value or the reason, naming the file, as the window shows it.
template <typename Value> using Result = Expected<Value, QString>;

} // namespace Orvane
