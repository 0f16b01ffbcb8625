// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "LaunchCommand.h"

#include "TextColumns.h"

namespace Orvane
{

QString launchField(QStringView line)
{
    return charactersFrom(line, launchFieldColumn);
}

QString programPrefix(const ProgramChoice& choice)
{
    return choice.originalSelected ? QStringLiteral("MESS ") : choice.alternateName + u' ';
}

QString buildLaunchCommand(const ProgramChoice& choice, const QString& selectedLine, const QString& extraArgument)
{
    return programPrefix(choice) + launchField(selectedLine) + u' ' + extraArgument;
}

QString playbackArgument(const QString& recordingName)
{
    return u"-playback " + recordingName + u' ';
}

QString recordArgument(const QString& recordingName)
{
    return u"-record " + recordingName + u' ';
}

} // namespace Orvane
