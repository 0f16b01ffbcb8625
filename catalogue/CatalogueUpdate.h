// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include "Shell.h"

#include <QString>

namespace Orvane
{

// The emulator in the program folder that "Update systems" asks for its systems.
inline constexpr char emulatorFileName[] = "MESS.EXE";

// The command that has the emulator write the catalogue: "COMMAND.COM /C <short path> -listfull > Orvane.sys".
QString updateCommandLine(const QString& emulatorShortPath);

// Why the output of an update must not replace the catalogue, or the empty text when it may: the emulator
// failed, or what it wrote lists no system.
QString rejectedUpdateReason(const ProcessOutcome& outcome, const QString& newCatalogue);

} // namespace Orvane
