// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include "catalogue/SystemsCatalogue.h"
#include "platform/Shell.h"

#include <QString>

namespace Orvane
{

// The emulator in the program folder that "Update systems" asks for its systems.
inline constexpr char emulatorFileName[] = "MESS.EXE";

// The command that has the emulator write the catalogue: "COMMAND.COM /C <short path> -listfull > Orvane.sys".
QString updateCommandLine(const QString& emulatorShortPath);

// What the emulator wrote, read once, when it may replace the catalogue; otherwise why not (the emulator failed,
// or what it wrote lists no system).
Result<SystemsCatalogue> checkUpdate(const ProcessOutcome& outcome, const QString& newCatalogue);

} // namespace Orvane
