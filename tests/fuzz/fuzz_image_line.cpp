// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
// The image-line builder on any file name: the launch field always carries the whole name, the shown part is
// its first 63 characters, and the line's columns hold.
#include "ImageList.h"
#include "LaunchCommand.h"
#include "TextColumns.h"
#include "TextFile.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString name =
        Orvane::decodeText(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    const QString line = Orvane::buildImageLine(name, QStringLiteral("coleco"));
    if (Orvane::launchField(line) != u"coleco \"" + name + u'"')
        __builtin_trap();
    if (Orvane::shownFileName(line) != Orvane::trimBlanks(Orvane::leftCharacters(name, 63)))
        __builtin_trap();
    if (Orvane::characterCount(line) != 63 + 6 + 3 + Orvane::characterCount(name))
        __builtin_trap();
    return 0;
}
