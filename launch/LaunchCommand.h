// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringView>

namespace Orvane
{

// An image line holds the file name for the eye in its first 63 columns; from column 64 on it holds what is put
// behind the emulator's name: the system name, a blank and the quoted file name.
inline constexpr qsizetype launchFieldColumn = 64;

QString launchField(QStringView line);

// A file name in double quotes, so that the Windows splitting of a command line gives back exactly the name as
// one argument: a quote inside goes as \", and backslashes are doubled where a quote follows them. A name that
// Windows allows holds neither, so its field reads as it always did.
QString quotedFileName(QStringView fileName);
void appendQuotedFileName(QString& text, QStringView fileName);

// Which emulator the user chose: the original program, or an alternate build named in a text box.
struct ProgramChoice
{
    bool originalSelected = true;
    QString alternateName;
};

// "MESS " for the original program, otherwise the alternate name exactly as typed and a blank.
QString programPrefix(const ProgramChoice& choice);

// The play command: the program prefix, the launch field of the selected line and a blank, then the extra
// argument unchanged. `selectedLine` is the empty text when nothing is selected.
QString buildLaunchCommand(const ProgramChoice& choice, const QString& selectedLine, const QString& extraArgument);

// The extra arguments of the record and playback buttons; the emulator receives the bare recording name.
QString playbackArgument(const QString& recordingName);
QString recordArgument(const QString& recordingName);

} // namespace Orvane
