// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "app/CommandLineOptions.h"

#include "ApplicationInfo.h"
#include "gui/about/AboutInfo.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QMessageBox>

#include <algorithm>
#include <cstdio>
#include <span>
#include <string_view>

namespace Orvane
{

namespace
{

const char usage[] = "Usage: orvane [--version | --help | --message TITLE TEXT]\n"
                     "Orvane keeps its emulator, catalogue, image folders and favourites in its program folder,\n"
                     "the folder that holds the orvane program; \"orvane --version\" shows which one that is.\n"
                     "The user's guide is Orvane.htm in that folder (\"Doc\" in the About window opens it).\n";

// Qt's own options, which the window system's side of Qt takes from the command line: the ones after which the
// next argument is their value, and the ones that stand alone.
constexpr std::string_view qtOptionsWithValue[] = {"-platform",
                                                   "-platformpluginpath",
                                                   "-platformtheme",
                                                   "-plugin",
                                                   "-qwindowgeometry",
                                                   "-qwindowicon",
                                                   "-qwindowtitle",
                                                   "-style",
                                                   "-stylesheet",
                                                   "-geometry",
                                                   "-display",
                                                   "-session",
                                                   "-title",
                                                   "-name",
                                                   "-icon"};
constexpr std::string_view qtOptions[] = {"-reverse", "-nograb", "-dograb", "-sync", "-widgetcount", "-testability"};

bool isAmong(std::string_view argument, std::span<const std::string_view> options)
{
    // Qt takes them with one dash or two.
    if (argument.starts_with("--"))
        argument.remove_prefix(1);
    return std::find(options.begin(), options.end(), argument) != options.end();
}

int printVersion(int argc, char* argv[])
{
    const QCoreApplication application(argc, argv);
    const QString line = versionLine(QString::fromLatin1(ApplicationInfo::title), ApplicationInfo::versionMajor,
                                     ApplicationInfo::versionMinor, ApplicationInfo::versionRevision);
    const QString folder = QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
    std::printf("%s\nProgram folder: %s\n", line.toLocal8Bit().constData(), folder.toLocal8Bit().constData());
    return 0;
}

// A message window of its own, for a program beside Orvane that has none to show (the bridge, when a play fails).
int showMessage(int argc, char* argv[], const char* title, const char* text)
{
    const QApplication application(argc, argv);
    QMessageBox box(QMessageBox::Warning, QString::fromUtf8(title), QString::fromUtf8(text), QMessageBox::Ok);
    box.exec();
    return 0;
}

} // namespace

std::optional<int> answerCommandLine(int argc, char* argv[])
{
    if (argc == 4 && std::string_view(argv[1]) == "--message")
        return showMessage(argc, argv, argv[2], argv[3]);
    for (int index = 1; index < argc; ++index) {
        const std::string_view argument = argv[index];
        if (argument == "--help" || argument == "-h" || argument == "-?") {
            std::printf("%s", usage);
            return 0;
        }
        if (argument == "--version")
            return printVersion(argc, argv);
        if (isAmong(argument, qtOptionsWithValue) && index + 1 < argc) {
            ++index;
            continue;
        }
        if (isAmong(argument, qtOptions))
            continue;
        std::fprintf(stderr, "orvane: unknown argument \"%s\"\n%s", argv[index], usage);
        return 2;
    }
    return std::nullopt;
}

} // namespace Orvane
