// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "catalogue/ImageTitles.h"

#include "core/NativeText.h"

namespace Orvane
{

std::vector<std::string> identifyArguments(const QString& systemName, const QString& fileName)
{
    return {"-identify", toNativeBytes(systemName), toNativeBytes(fileName)};
}

TitleAnswer parseTitleAnswer(const PlatformResult<ProcessOutcome>& run)
{
    TitleAnswer answer;
    if (run && run->timedOut)
        answer.kind = TitleAnswer::Kind::TimedOut;
    if (!run || !run->exitedNormally || run->timedOut)
        return answer;
    if (run->exitCode == 1 && run->output.empty()) {
        answer.kind = TitleAnswer::Kind::NotListed;
        return answer;
    }
    if (run->exitCode == 2 && run->output.empty()) {
        answer.kind = TitleAnswer::Kind::Unreadable;
        return answer;
    }
    if (run->exitCode != 0)
        return answer;
    for (const QString& line : QString::fromUtf8(run->output).split(u'\n', Qt::SkipEmptyParts)) {
        const QStringList fields = line.trimmed().split(u'\t');
        const QString& supported = fields.value(4);
        // Any other line is no answer to this question: the program knows it not.
        if (fields.size() != 5 || !fields.first().contains(u':') ||
            (supported != u"yes" && supported != u"partial" && supported != u"no"))
            return TitleAnswer{};
        answer.titles.append({fields[0], fields[1], fields[2], fields[3], supported});
    }
    answer.kind = answer.titles.isEmpty() ? TitleAnswer::Kind::NoAnswer : TitleAnswer::Kind::Listed;
    return answer;
}

QString imageTip(const QString& wholeFileName, const TitleAnswer& answer)
{
    if (answer.kind == TitleAnswer::Kind::NotListed)
        return wholeFileName + u"\nnot in the emulator's lists";
    if (answer.kind != TitleAnswer::Kind::Listed)
        return wholeFileName;
    const ImageTitle& title = answer.titles.first();
    QString tip = wholeFileName + u'\n' + title.description;
    QStringList made;
    for (const QString& part : {title.year, title.publisher}) {
        if (!part.trimmed().isEmpty())
            made.append(part.trimmed());
    }
    if (!made.isEmpty())
        tip += u'\n' + made.join(u", ");
    if (title.supported == u"no")
        tip += u"\nnot working in the emulator";
    else if (title.supported == u"partial")
        tip += u"\npartly working";
    return tip;
}

} // namespace Orvane
