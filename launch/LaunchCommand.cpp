// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "launch/LaunchCommand.h"

#include "core/TextColumns.h"

namespace Orvane
{

QString launchField(QStringView line)
{
    return charactersFrom(line, launchFieldColumn);
}

void appendQuotedFileName(QString& text, QStringView fileName)
{
    text += u'"';
    // Nearly every name needs no escape: it goes in as one piece.
    if (!fileName.contains(u'"') && !fileName.contains(u'\\')) {
        text += fileName;
        text += u'"';
        return;
    }
    qsizetype backslashes = 0;
    for (const QChar character : fileName) {
        if (character == u'\\') {
            ++backslashes;
        } else {
            // Backslashes escape only a quote behind them, so only there are they doubled.
            if (character == u'"')
                text += QString(backslashes + 1, u'\\');
            backslashes = 0;
        }
        text += character;
    }
    // The closing quote follows the name's last backslashes.
    text += QString(backslashes, u'\\');
    text += u'"';
}

QString quotedFileName(QStringView fileName)
{
    QString quoted;
    appendQuotedFileName(quoted, fileName);
    return quoted;
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
