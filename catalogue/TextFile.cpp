// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "catalogue/TextFile.h"

#include "core/NativeText.h"
#include "platform/Files.h"
#include "platform/ProgramSearch.h"
#include "platform/Utf8Path.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>

#include <filesystem>
#include <system_error>

namespace Orvane
{

QString decodeText(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return QString::fromLatin1(bytes);
}

bool isValidUtf8(QByteArrayView bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    [[maybe_unused]] const QString text = utf8.decode(bytes);
    return !utf8.hasError();
}

static QList<QStringView> splitLineViews(QStringView text)
{
    QList<QStringView> lines;
    const qsizetype size = text.size();
    for (qsizetype start = 0; start < size;) {
        const LineEnd line = findLineEnd(text.utf16(), size, start);
        lines.append(text.mid(start, line.end - start));
        start = line.next;
    }
    return lines;
}

QStringList splitLines(const QString& text)
{
    QStringList lines;
    for (const QStringView line : splitLineViews(text))
        lines.append(line.toString());
    return lines;
}

Result<QStringList> readTextLines(const QString& path)
{
    const Result<QByteArray> file = readBytes(path);
    if (!file)
        return Failure(file.error());
    return splitLines(decodeText(file.value()));
}

Result<void> openTextFile(const QString& path, QFile& file)
{
    const QString shown = QDir::toNativeSeparators(path);
    std::error_code status;
    const std::filesystem::path native = platformPath(path);
    const auto type = std::filesystem::status(native, status);
    if (status)
        return Failure(shown + u": " + fromNativeBytes(status.message()));
    if (!std::filesystem::is_regular_file(type))
        return Failure(shown + u": " + QStringLiteral("not a file"));
    if (std::filesystem::file_size(native, status) > static_cast<std::uintmax_t>(largestTextFile))
        return Failure(shown + u": " + QStringLiteral("larger than 64 MB, not read"));
    file.setFileName(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return Failure(shown + u": " + file.errorString());
    return {};
}

Result<QByteArray> readBytes(const QString& path)
{
    QFile file;
    if (const Result<void> opened = openTextFile(path, file); !opened)
        return Failure(opened.error());
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return Failure(QDir::toNativeSeparators(path) + u": " + file.errorString());
    return bytes;
}

Result<void> replaceFile(const QString& path, const QByteArray& bytes)
{
    return fromPlatform(replaceWholeFile(platformPath(path), std::string_view(bytes.constData(), bytes.size())));
}

QString locateInFolder(const QString& folder, const QString& name)
{
    const auto found = findEntryIgnoringCase(platformPath(folder), toNativeBytes(name));
    if (!found)
        return QDir(folder).filePath(name);
    return QDir(folder).filePath(fromNativeBytes(found->filename().string()));
}

} // namespace Orvane
