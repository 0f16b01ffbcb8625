// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "catalogue/ImageList.h"

#include "core/TextColumns.h"
#include "launch/LaunchCommand.h"
#include "platform/CommandLine.h"

namespace Orvane
{

QString buildImageLine(const QString& fileName, const QString& systemName)
{
    constexpr qsizetype nameColumns = launchFieldColumn - 1;
    const qsizetype length = characterCount(fileName);
    // Built in place: a folder of 100,000 images makes as many lines.
    QString line;
    line.reserve(qMax(fileName.size(), nameColumns) + systemName.size() + fileName.size() + 4);
    if (length <= nameColumns)
        line.append(fileName).append(QString(nameColumns - length, u' '));
    else
        line.append(leftCharacters(fileName, nameColumns));
    line.append(systemName).append(u' ');
    appendQuotedFileName(line, fileName);
    return line;
}

bool isFolderNote(const QString& fileName)
{
    return fileName.compare(u"dir.txt", Qt::CaseInsensitive) == 0;
}

QStringList buildImageLines(const QStringList& fileNames, const QString& systemName)
{
    QStringList lines;
    lines.reserve(fileNames.size());
    for (const QString& name : fileNames) {
        if (!isFolderNote(name))
            lines.append(buildImageLine(name, systemName));
    }
    return lines;
}

QString shownFileName(const QString& imageLine)
{
    return trimBlanks(leftCharacters(imageLine, launchFieldColumn - 1));
}

QString wholeFileName(const QString& imageLine)
{
    const std::vector<std::string> arguments = splitArguments(launchField(imageLine).toStdString());
    if (arguments.size() != 2)
        return shownFileName(imageLine);
    return QString::fromStdString(arguments[1]);
}

} // namespace Orvane
