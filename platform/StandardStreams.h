// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

namespace Orvane
{

// A program started with its standard input, output or error closed would hand those numbers to the next files
// it opens, and a diagnostic meant for the error output would then land in the catalogue or the favourites. Each
// closed one is opened on the null device, before anything else is opened. Nothing to do on Windows.
void openClosedStandardStreams();

} // namespace Orvane
