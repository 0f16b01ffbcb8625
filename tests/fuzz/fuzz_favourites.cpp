// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
// The favourites reader on any bytes: it never fails, no line it gives holds a line end, and lines written back
// read back the same.
#include "catalogue/Favourites.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QStringList lines =
        Orvane::parseFavourites(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    QByteArray written;
    for (const QString& line : lines) {
        if (line.contains(u'\r') || line.contains(u'\n'))
            __builtin_trap();
        written += line.toUtf8() + "\r\n";
    }
    if (Orvane::parseFavourites(written) != lines)
        __builtin_trap();
    return 0;
}
