// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "catalogue/CatalogueUpdate.h"

#include "catalogue/Favourites.h"

#include "catalogue/TextFile.h"
#include "core/NativeText.h"
#include "platform/Files.h"
#include "platform/ShellTools.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace Orvane
{

using namespace Qt::StringLiterals;

// An update that ends this soon is not shown in a progress window that would only flash by; the window is not
// seen as stuck for so short a time.
static constexpr std::chrono::milliseconds quietWait(250);

QString emulatorAsKnown(const QString& programFolder)
{
    const QString emulator = QLatin1String(emulatorFileName);
    const Result<std::optional<QByteArray>> installed =
        readUserFile(platformPath(locateInFolder(programFolder, emulator)));
    const Result<std::optional<QByteArray>> bridge =
        readUserFile(platformPath(QDir(programFolder).filePath(u"orvane-bridge"_s)));
    if (!installed || !bridge || !installed.value() || !bridge.value() || *installed.value() != *bridge.value())
        return emulator;
    // The bridge's settings name the emulator it drives; without one, it drives Debian's.
    QString driven = u"mame"_s;
    if (const auto settings = readUserFile(platformPath(QDir(programFolder).filePath(u"bridge.ini"_s)));
        settings && settings.value()) {
        for (const QString& line : splitLines(decodeText(*settings.value()))) {
            QString value = line.trimmed();
            if (!value.startsWith(u"emulator"_s) || !value.contains(u'='))
                continue;
            value = value.section(u'=', 1).trimmed().remove(u'"');
            if (!value.isEmpty())
                driven = QFileInfo(value).fileName();
        }
    }
    return driven + u" (through " + emulator + u')';
}

QString updateCommandLine(const QString& emulatorShortPath)
{
    return u"COMMAND.COM /C " + emulatorShortPath + u" -listfull > " + QLatin1String(catalogueFileName);
}

// The first line of what the emulator wrote to its error output, which usually says why it failed.
static QString firstErrorLine(const std::string& errorOutput)
{
    const QString text = QString::fromLocal8Bit(errorOutput).trimmed();
    return text.section(QRegularExpression(QStringLiteral("[\r\n]")), 0, 0).left(300);
}

Result<SystemsCatalogue> checkUpdate(const ProcessOutcome& outcome)
{
    const QString emulator = QString::fromLatin1(emulatorFileName);
    QString reason;
    if (!outcome.exitedNormally && outcome.signal != 0)
        reason = emulator + u" -listfull crashed (signal " + QString::number(outcome.signal) + u").";
    else if (!outcome.exitedNormally)
        reason = emulator + u" -listfull was stopped.";
    else if (outcome.exitCode != 0)
        reason = emulator + u" -listfull failed with exit code " + QString::number(outcome.exitCode) + u'.';
    if (!reason.isEmpty()) {
        const QString detail = firstErrorLine(outcome.errorOutput);
        return Failure(detail.isEmpty() ? reason : reason + u'\n' + detail);
    }
    if (outcome.output.size() > static_cast<std::size_t>(largestTextFile))
        return Failure(u"Cannot read what " + emulator + u" -listfull wrote: " + tooLargeText());
    SystemsCatalogue catalogue = parseSystemsCatalogue(outcome.output);
    if (catalogue.empty())
        return Failure(emulator + u" -listfull listed no systems.");
    return catalogue;
}

Result<std::optional<SystemsCatalogue>> updateCatalogue(ProcessLauncher& shell, const QString& programFolder,
                                                        UpdateProgress& progress)
{
    const QString emulator = locateInFolder(programFolder, QLatin1String(emulatorFileName));
    std::string why;
    const std::string shortPath = tov_ShellTools::ShortPathName(shell, toNativePath(emulator), &why);
    if (shortPath == "Error!") {
        // A MESS.EXE that is there but has no short name (a folder named outside the ANSI code page, say) is
        // told as it is, not as a missing program.
        if (!QFileInfo::exists(emulator))
            return Failure(u"there is no " + QLatin1String(emulatorFileName) + u" in " +
                           QDir::toNativeSeparators(programFolder) + u'.');
        return Failure(fromNativeBytes(why) + u'.');
    }
    // What an Orvane killed while it wrote left behind under the catalogue's or the favourites' name goes first.
    sweepLeftovers(platformPath(programFolder), {catalogueFileName, favouritesFileName}, KeptBy::User);
    // The output is kept, and replaces the catalogue only once it is known to hold systems. The progress shows only
    // when the emulator does not answer within a moment.
    ProgramRun run = ProgramRun::fromCommandProcessorLine(toNativeBytes(updateCommandLine(fromNativeBytes(shortPath))),
                                                          platformPath(programFolder));
    const std::filesystem::path catalogueFile =
        run.outputFile.value_or(platformPath(QDir(programFolder).filePath(QLatin1String(catalogueFileName))));
    run.outputFile.reset();
    run.keepOutput = true;
    bool gaveUp = false;
    auto ran = fromPlatform(tov_ShellTools::ShellAndWait(shell, run, [&](RunningProgram& process) {
        gaveUp = !process.endsWithin(quietWait) && !progress.waitFor(process);
        return !gaveUp;
    }));
    if (!ran)
        return Failure(ran.error());
    if (gaveUp)
        return std::optional<SystemsCatalogue>();
    const ProcessOutcome outcome = ran.value()->outcome();
    Result<SystemsCatalogue> checked = checkUpdate(outcome);
    if (!checked)
        return Failure(checked.error());
    if (const Result<void> written = fromPlatform(replaceWholeFile(catalogueFile, outcome.output, KeptBy::User));
        !written)
        return Failure(written.error());
    return std::optional<SystemsCatalogue>(std::move(checked).value());
}

} // namespace Orvane
