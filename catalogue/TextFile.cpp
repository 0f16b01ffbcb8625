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

#include <cerrno>
#include <cstring>
#include <string_view>

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

Result<QStringList> readTextLines(const std::filesystem::path& path)
{
    const Result<QByteArray> file = readBytes(path);
    if (!file)
        return Failure(file.error());
    return splitLines(decodeText(file.value()));
}

QString tooLargeText()
{
    return fromNativeBytes(tooLargeReason(static_cast<std::uintmax_t>(largestTextFile)));
}

// The platform's reason as the catalogue's readers give it: the file and what went wrong with it.
static QString readingFailure(const std::string& reason)
{
    constexpr std::string_view cannotRead = "Cannot read ";
    return fromNativeBytes(reason.starts_with(cannotRead) ? reason.substr(cannotRead.size()) : reason);
}

Result<void> openTextFile(const std::filesystem::path& path, QFile& file)
{
    const PlatformResult<OpenedFile> opened =
        openKeptFile(path, KeptBy::User, static_cast<std::uintmax_t>(largestTextFile));
    if (!opened)
        return Failure(readingFailure(opened.error()));
    if (!file.open(opened->descriptor, QIODevice::ReadOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle))
        return Failure(shownFile(path) + u": " + file.errorString());
    return {};
}

Result<std::optional<QByteArray>> readUserFile(const std::filesystem::path& path)
{
    const PlatformResult<std::optional<std::string>> file =
        readKeptFile(path, KeptBy::User, static_cast<std::uintmax_t>(largestTextFile));
    if (!file)
        return Failure(readingFailure(file.error()));
    if (!file.value())
        return std::optional<QByteArray>();
    return std::optional(QByteArray::fromStdString(*file.value()));
}

Result<QByteArray> readBytes(const std::filesystem::path& path)
{
    Result<std::optional<QByteArray>> file = readUserFile(path);
    if (!file)
        return Failure(file.error());
    if (!file.value())
        return Failure(shownFile(path) + u": " + fromNativeBytes(std::strerror(ENOENT)));
    return std::move(*file.value());
}

Result<void> replaceFile(const std::filesystem::path& path, const QByteArray& bytes)
{
    return fromPlatform(replaceWholeFile(path, std::string_view(bytes.constData(), bytes.size()), KeptBy::User));
}

QString shownFile(const std::filesystem::path& path)
{
    return fromNativeBytes(shownPath(path));
}

QString locateInFolder(const QString& folder, const QString& name)
{
    const auto found = findEntryIgnoringCase(platformPath(folder), toNativeBytes(name));
    if (!found)
        return QDir(folder).filePath(name);
    return QDir(folder).filePath(fromNativeBytes(found->filename().string()));
}

} // namespace Orvane
