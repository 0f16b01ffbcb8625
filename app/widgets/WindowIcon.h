// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QIcon>

namespace Orvane
{

QIcon makeWindowIcon();

} // namespace Orvane
