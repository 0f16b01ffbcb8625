// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "CommandLineOptions.h"

#include "AboutInfo.h"
#include "ApplicationInfo.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>
#include <cstring>

namespace Orvane
{

std::optional<int> answerCommandLine(int argc, char* argv[])
{
    if (argc != 2)
        return std::nullopt;
    if (std::strcmp(argv[1], "--help") == 0) {
        std::printf("Usage: orvane [--version | --help]\n"
                    "Orvane keeps its emulator, catalogue, image folders and favourites in its program folder,\n"
                    "the folder that holds the orvane program; \"orvane --version\" shows which one that is.\n");
        return 0;
    }
    if (std::strcmp(argv[1], "--version") != 0)
        return std::nullopt;
    const QCoreApplication application(argc, argv);
    const QString line = versionLine(QString::fromLatin1(ApplicationInfo::title), ApplicationInfo::versionMajor,
                                     ApplicationInfo::versionMinor, ApplicationInfo::versionRevision);
    const QString folder = QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
    std::printf("%s\nProgram folder: %s\n", line.toLocal8Bit().constData(), folder.toLocal8Bit().constData());
    return 0;
}

} // namespace Orvane
