// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>

namespace Orvane
{

// The emulator keeps its input recordings as files "<name>.INP" in the folder INP of the program folder.
inline constexpr char recordingsFolderName[] = "INP";
inline constexpr char recordingsPattern[] = "*.INP";

// A recording's name is its file name without the last four characters (".INP").
QString recordingName(const QString& fileName);
QStringList recordingNames(const QStringList& fileNames);

// The name proposed for the next recording when an image line is pressed: the line's system name.
QString proposedRecordingName(const QString& imageLine);

} // namespace Orvane
