// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "CatalogueUpdate.h"

#include "SystemsCatalogue.h"

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

QString rejectedUpdateReason(const ProcessOutcome& outcome, const QString& newCatalogue)
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
        return detail.isEmpty() ? reason : reason + u'\n' + detail;
    }
    const SystemsCatalogue catalogue = readSystemsCatalogue(newCatalogue);
    if (!catalogue.ok)
        return u"Cannot read what " + emulator + u" -listfull wrote: " + catalogue.error;
    if (catalogue.entries.empty())
        return emulator + u" -listfull listed no systems.";
    return {};
}

} // namespace Orvane
