// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "launch/Recordings.h"

#include "core/TextColumns.h"
#include "launch/LaunchCommand.h"

namespace Orvane
{

QString recordingName(const QString& fileName)
{
    return leftCharacters(fileName, characterCount(fileName) - 4);
}

QStringList recordingNames(const QStringList& fileNames)
{
    QStringList names;
    names.reserve(fileNames.size());
    for (const QString& fileName : fileNames)
        names.append(recordingName(fileName));
    return names;
}

QString proposedRecordingName(const QString& imageLine)
{
    // Eight columns from the launch field would bring the quote and the start of the file name along with a
    // short system name, and a quote in a recording name would break the command line; the system name alone
    // is what those columns held for a full-length name.
    const QString field = launchField(imageLine);
    return trimBlanks(leftCharacters(field, 8)).section(u' ', 0, 0);
}

} // namespace Orvane
