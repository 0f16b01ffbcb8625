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

UpdateCheck checkUpdate(const ProcessOutcome& outcome, const QString& newCatalogue)
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
        return {detail.isEmpty() ? reason : reason + u'\n' + detail, {}};
    }
    UpdateCheck check{{}, readSystemsCatalogue(newCatalogue)};
    if (!check.catalogue.ok)
        check.problem = u"Cannot read what " + emulator + u" -listfull wrote: " + check.catalogue.error;
    else if (check.catalogue.entries.empty())
        check.problem = emulator + u" -listfull listed no systems.";
    return check;
}

} // namespace Orvane
