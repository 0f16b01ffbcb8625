// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "catalogue/CatalogueUpdate.h"

#include <QRegularExpression>

namespace Orvane
{

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

Result<SystemsCatalogue> checkUpdate(const ProcessOutcome& outcome, const QString& newCatalogue)
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
    Result<SystemsCatalogue> catalogue = readSystemsCatalogue(newCatalogue);
    if (!catalogue)
        return Failure(u"Cannot read what " + emulator + u" -listfull wrote: " + catalogue.error());
    if (catalogue->entries.empty())
        return Failure(emulator + u" -listfull listed no systems.");
    return catalogue;
}

} // namespace Orvane
