// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include "catalogue/LineOrder.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

#include <optional>

namespace Orvane
{

// An image line: the file name padded with blanks to 63 columns, then the launch field from column 64 (the
// system name, a blank and the file name in double quotes). A name longer than 63 characters shows its first 63
// and the launch field still carries it whole.
QString buildImageLine(const QString& fileName, const QString& systemName);

// A file named dir.txt, in any letter case, is a note about the folder, never an image.
bool isFolderNote(const QString& fileName);

// The lines for a folder's files, folder notes left out.
QStringList buildImageLines(const QStringList& fileNames, const QString& systemName);

// The file name that an image line shows: its first 63 columns without the surrounding blanks.
QString shownFileName(const QString& imageLine);

// The whole file name an image line is for, read back from its launch field as the emulator would receive it;
// what the line shows where it has no such field.
QString wholeFileName(const QString& imageLine);
// The system an image line launches; empty where it has no launch field.
QString imageSystemName(const QString& imageLine);

// The folder of one system's images: its folder inside ROMS, found in any letter case. None for a system name
// that is no plain folder name (a slash, ".."): such a name never reaches outside ROMS.
std::optional<QString> imageFolderFor(const QString& programFolder, const QString& systemName);

// Which systems' image folders hold at least one image, found as imageFolderFor finds a folder (its exact name,
// else in any letter case): ROMS is listed once, and only the folders found there are looked into, each until its
// first image. Asked of 45,000 systems, it makes nothing for each.
class FoldersWithImages
{
public:
    explicit FoldersWithImages(const QString& programFolder);
    bool holds(QStringView systemName) const;

private:
    QSet<QString> m_existing;
    QSet<QString> m_holding;
    QHash<QString, bool> m_firstByFold;
};

// The image lines of one system, sorted: its folder listed, folder notes left out. A system without a folder
// gives no lines.
LineList imageLinesFor(const QString& programFolder, const QString& systemName);

} // namespace Orvane
