// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>

namespace Orvane::Bench
{

// How big a generated program folder is. The defaults are today's sizes: the emulator's catalogue and the image
// folders that users keep.
struct FolderSizes
{
    int systems = 45000;
    int firstSystemImages = 20000; // for the alphabetically first description
    int bigSystemImages = 100000;  // for another system
    int recordings = 500;
};

struct GeneratedFolder
{
    QString path;
    QString firstSystem; // short name of the alphabetically first description
    QString firstDescription;
    QString bigSystem;
    QString bigDescription;
    QStringList descriptions; // in the order of the file
};

// Writes a program folder: a catalogue of realistic descriptions (some non-ASCII, some with inner double quotes),
// the same list for the stand-in as listfull.txt, the image folders and the recordings. With `standIn` set it is
// copied in as MESS.EXE. The same sizes always give the same folder, so a folder generated before with these
// sizes is used as it is.
GeneratedFolder generateProgramFolder(const QString& path, const FolderSizes& sizes, const QString& standIn = {});

} // namespace Orvane::Bench
