// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "core/NativeText.h"

#include "platform/Utf8Path.h"

#include <QDir>

namespace Orvane
{

namespace
{

constexpr char16_t carriedByteBase = 0xDC00;

bool isCarriedByte(char16_t unit)
{
    return unit >= 0xDC80 && unit <= 0xDCFF;
}

// The length of the well-formed UTF-8 sequence at `index`, or 0 when the byte there starts none.
std::size_t sequenceLength(std::string_view bytes, std::size_t index)
{
    const auto byte = [&](std::size_t offset) { return static_cast<unsigned char>(bytes[index + offset]); };
    const std::size_t left = bytes.size() - index;
    const unsigned char lead = byte(0);
    const auto continuation = [&](std::size_t offset) { return offset < left && (byte(offset) & 0xC0) == 0x80; };
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        return continuation(1) ? 2 : 0;
    if (lead >= 0xE0 && lead <= 0xEF) {
        if (left < 2)
            return 0;
        // No overlong forms, and no surrogates: those are how carried bytes travel.
        const unsigned char second = byte(1);
        if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second >= 0xA0))
            return 0;
        return continuation(1) && continuation(2) ? 3 : 0;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        if (left < 2)
            return 0;
        const unsigned char second = byte(1);
        if ((lead == 0xF0 && second < 0x90) || (lead == 0xF4 && second >= 0x90))
            return 0;
        return continuation(1) && continuation(2) && continuation(3) ? 4 : 0;
    }
    return 0;
}

} // namespace

QString fromNativeBytes(std::string_view bytes)
{
    std::size_t index = 0;
    while (index < bytes.size() && static_cast<unsigned char>(bytes[index]) < 0x80)
        ++index;
    if (index == bytes.size())
        return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    std::size_t start = 0;
    while (index < bytes.size()) {
        const std::size_t length = sequenceLength(bytes, index);
        if (length > 0) {
            index += length;
            continue;
        }
        text += QString::fromUtf8(bytes.data() + start, static_cast<qsizetype>(index - start));
        text += QChar(char16_t(carriedByteBase + static_cast<unsigned char>(bytes[index])));
        start = ++index;
    }
    text += QString::fromUtf8(bytes.data() + start, static_cast<qsizetype>(bytes.size() - start));
    return text;
}

std::string toNativeBytes(QStringView text)
{
    if (!holdsCarriedBytes(text))
        return text.toUtf8().toStdString();
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()) * 3);
    qsizetype start = 0;
    for (qsizetype index = 0; index < text.size(); ++index) {
        const char16_t unit = text[index].unicode();
        if (!isCarriedByte(unit))
            continue;
        // A low surrogate that completes a pair is part of a character, not a carried byte.
        if (index > 0 && text[index - 1].isHighSurrogate())
            continue;
        bytes += text.mid(start, index - start).toUtf8().toStdString();
        bytes += static_cast<char>(unit - carriedByteBase);
        start = index + 1;
    }
    bytes += text.mid(start).toUtf8().toStdString();
    return bytes;
}

std::string toNativePath(const QString& path)
{
    return toNativeBytes(QDir::toNativeSeparators(path));
}

bool holdsCarriedBytes(QStringView text)
{
    for (qsizetype index = 0; index < text.size(); ++index) {
        if (isCarriedByte(text[index].unicode()) && (index == 0 || !text[index - 1].isHighSurrogate()))
            return true;
    }
    return false;
}

std::filesystem::path platformPath(const QString& path)
{
    return pathFromUtf8(toNativeBytes(path));
}

} // namespace Orvane
