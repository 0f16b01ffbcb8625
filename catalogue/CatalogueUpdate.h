// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include "catalogue/SystemsCatalogue.h"
#include "platform/ProcessLauncher.h"

#include <QString>

#include <optional>

namespace Orvane
{

// The emulator in the program folder that "Update systems" asks for its systems.
inline constexpr char emulatorFileName[] = "MESS.EXE";

// The emulator as a user knows it, for what Orvane says: "MESS.EXE", or where the program folder's MESS.EXE is the
// bridge installed beside Orvane (orvane-bridge), the emulator it drives ("mame (through MESS.EXE)").
QString emulatorAsKnown(const QString& programFolder);

// The command that has the emulator write the catalogue: "COMMAND.COM /C <short path> -listfull > Orvane.sys".
QString updateCommandLine(const QString& emulatorShortPath);

// What the emulator wrote (the outcome's output), read once, when it may replace the catalogue; otherwise why not
// (the emulator failed, or what it wrote lists no system or is too large to be a catalogue).
Result<SystemsCatalogue> checkUpdate(const ProcessOutcome& outcome);

// How an update shows that it is working and lets the user give up: the window's progress dialog.
class UpdateProgress
{
public:
    virtual ~UpdateProgress() = default;
    // Returns true once the process has ended, or false when the user gave up (the process is then ended).
    virtual bool waitFor(RunningProgram& process) = 0;
};

// "Update systems": the emulator in the program folder writes the catalogue through the command processor line,
// shown in progress only when it does not end within a moment, its output kept and checked before it takes the
// catalogue's place. Gives the new catalogue, nothing when the user gave up, or the reason the catalogue was kept as it
// was.
Result<std::optional<SystemsCatalogue>> updateCatalogue(ProcessLauncher& shell, const QString& programFolder,
                                                        UpdateProgress& progress);

} // namespace Orvane
