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

#include <algorithm>
#include <array>

namespace Orvane
{

// Appends the line to `text`, which may hold other lines before it.
static void appendImageLine(QString& text, const QString& fileName, const QString& systemName)
{
    constexpr qsizetype nameColumns = launchFieldColumn - 1;
    const qsizetype length = characterCount(fileName);
    if (length <= nameColumns) {
        // Padded in place: a string of blanks for each line is one allocation more per image.
        text.append(fileName);
        text.resize(text.size() + nameColumns - length, u' ');
    } else
        text.append(leftCharacters(fileName, nameColumns));
    text.append(systemName).append(u' ');
    appendQuotedFileName(text, fileName);
}

QString buildImageLine(const QString& fileName, const QString& systemName)
{
    QString line;
    line.reserve(qMax(fileName.size(), launchFieldColumn - 1) + systemName.size() + fileName.size() + 4);
    appendImageLine(line, fileName, systemName);
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
static bool isPlainFolderName(QStringView name)
{
    return !name.isEmpty() && name != u"." && name != u".." && !name.contains(u'/') && !name.contains(u'\\');
}

std::optional<QString> imageFolderFor(const QString& programFolder, const QString& systemName)
{
    if (!isPlainFolderName(systemName))
        return std::nullopt;
    return locateInFolder(locateInFolder(programFolder, QStringLiteral("ROMS")), systemName);
}

// The lines are built as the names are read, one after another in one text, without a list of the names or a string
// per line: a folder of 100,000 images makes as many lines.
static LineList imageLinesIn(const QString& folder, const QString& systemName)
{
    QString text;
    std::vector<LineList::Span> spans;
    const Result<void> listed = forEachFile(folder, QStringLiteral("*.*"), [&](const QString& name) {
        if (isFolderNote(name))
            return;
        const auto start = static_cast<std::int32_t>(text.size());
        appendImageLine(text, name, systemName);
        spans.push_back({start, static_cast<std::int32_t>(text.size() - start)});
    });
    // A folder that cannot be read lists nothing, as a system without a folder does.
    if (!listed)
        return {};
    LineList lines(std::move(text), std::move(spans));
    lines.sort();
    return lines;
}

// A system name folded for comparing without regard to letter case, in place: no allocation for each of 45,000.
static QStringView folded(QStringView name, std::array<char16_t, 64>& buffer)
{
    const qsizetype size = std::min<qsizetype>(name.size(), buffer.size());
    for (qsizetype index = 0; index < size; ++index)
        buffer[static_cast<std::size_t>(index)] = name[index].toCaseFolded().unicode();
    return QStringView(buffer.data(), size);
}

FoldersWithImages::FoldersWithImages(const QString& programFolder)
{
    // ROMS is listed once; each folder in it is looked into until its first image.
    const QString roms = locateInFolder(programFolder, QStringLiteral("ROMS"));
    QStringList folders = QDir(roms).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::NoSort);
    // In byte order, as a name in another letter case is found.
    std::sort(folders.begin(), folders.end(),
              [](const QString& a, const QString& b) { return a.toUtf8() < b.toUtf8(); });
    for (const QString& folder : folders) {
        bool image = false;
        (void)forEachFileIn(platformPath(roms + u'/' + folder), [&](std::string_view name) {
            image = !isFolderNote(fromNativeBytes(name));
            return !image;
        });
        m_existing.insert(folder);
        if (image)
            m_holding.insert(folder);
        std::array<char16_t, 64> buffer;
        const QString key = folded(folder, buffer).toString();
        if (!m_firstByFold.contains(key))
            m_firstByFold.insert(key, image);
    }
}

bool FoldersWithImages::holds(QStringView systemName) const
{
    if (!isPlainFolderName(systemName) || m_existing.isEmpty())
        return false;
    const QString exact = QString::fromRawData(reinterpret_cast<const QChar*>(systemName.utf16()), systemName.size());
    if (m_existing.contains(exact))
        return m_holding.contains(exact);
    std::array<char16_t, 64> buffer;
    const QStringView key = folded(systemName, buffer);
    return m_firstByFold.value(QString::fromRawData(reinterpret_cast<const QChar*>(key.utf16()), key.size()), false);
}

LineList imageLinesFor(const QString& programFolder, const QString& systemName)
{
    const std::optional<QString> folder = imageFolderFor(programFolder, systemName);
    return folder ? imageLinesIn(*folder, systemName) : LineList();
}

} // namespace Orvane
