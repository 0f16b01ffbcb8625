// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "platform/StandardStreams.h"

namespace Orvane
{

// A Windows program's standard handles are never reused for the files it opens.
void openClosedStandardStreams() {}

} // namespace Orvane
