// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "catalogue/ImageList.h"

#include "catalogue/FolderListing.h"
#include "catalogue/LineOrder.h"
#include "catalogue/TextFile.h"

#include "core/NativeText.h"
#include "core/TextColumns.h"
#include "launch/LaunchCommand.h"
#include "platform/CommandLine.h"
#include "platform/FolderEntries.h"

#include <QDir>
#include <QHash>

namespace Orvane
{

QString buildImageLine(const QString& fileName, const QString& systemName)
{
    constexpr qsizetype nameColumns = launchFieldColumn - 1;
    const qsizetype length = characterCount(fileName);
    // Built in place: a folder of 100,000 images makes as many lines.
    QString line;
    line.reserve(qMax(fileName.size(), nameColumns) + systemName.size() + fileName.size() + 4);
    if (length <= nameColumns) {
        // Padded in place: a string of blanks for each line is one allocation more per image.
        line.append(fileName);
        line.resize(line.size() + nameColumns - length, u' ');
    } else
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

QString imageSystemName(const QString& imageLine)
{
    const std::vector<std::string> arguments = splitArguments(launchField(imageLine).toStdString());
    return arguments.size() == 2 ? QString::fromStdString(arguments[0]) : QString();
}

// A system name comes from a file that other programs write; it names one folder inside ROMS, never a path.
static bool isPlainFolderName(const QString& name)
{
    return !name.isEmpty() && name != u"." && name != u".." && !name.contains(u'/') && !name.contains(u'\\');
}

std::optional<QString> imageFolderFor(const QString& programFolder, const QString& systemName)
{
    if (!isPlainFolderName(systemName))
        return std::nullopt;
    return locateInFolder(locateInFolder(programFolder, QStringLiteral("ROMS")), systemName);
}

// The lines are built as the names are read, without a list of the names in between.
static QStringList imageLinesIn(const QString& folder, const QString& systemName)
{
    QStringList lines;
    const Result<void> listed = forEachFile(folder, QStringLiteral("*.*"), [&](const QString& name) {
        if (!isFolderNote(name))
            lines.append(buildImageLine(name, systemName));
    });
    // A folder that cannot be read lists nothing, as a system without a folder does.
    if (!listed)
        return {};
    sortLines(lines);
    return lines;
}

QSet<QString> systemsWithImages(const QString& programFolder, const QStringList& systemNames)
{
    // ROMS is listed once; a system's folder is looked for among its folders as locateInFolder would find it, its
    // exact name first, then in any letter case.
    const QString roms = locateInFolder(programFolder, QStringLiteral("ROMS"));
    QSet<QString> exact;
    QHash<QString, QString> folded;
    for (const QString& folder : QDir(roms).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::NoSort)) {
        exact.insert(folder);
        if (!folded.contains(folder.toCaseFolded()))
            folded.insert(folder.toCaseFolded(), folder);
    }
    QSet<QString> holding;
    QHash<QString, bool> looked;
    for (const QString& system : systemNames) {
        if (!isPlainFolderName(system))
            continue;
        const QString folder = exact.contains(system) ? system : folded.value(system.toCaseFolded());
        if (folder.isEmpty())
            continue;
        auto known = looked.constFind(folder);
        if (known == looked.cend()) {
            // Until its first image: a folder of 100,000 is not read whole.
            bool image = false;
            (void)forEachFileIn(platformPath(roms + u'/' + folder), [&](std::string_view name) {
                image = !isFolderNote(fromNativeBytes(name));
                return !image;
            });
            known = looked.insert(folder, image);
        }
        if (*known)
            holding.insert(system);
    }
    return holding;
}

QStringList imageLinesFor(const QString& programFolder, const QString& systemName)
{
    const std::optional<QString> folder = imageFolderFor(programFolder, systemName);
    return folder ? imageLinesIn(*folder, systemName) : QStringList();
}

} // namespace Orvane
