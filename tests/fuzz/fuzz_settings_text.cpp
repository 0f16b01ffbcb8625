// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
// The settings conversions on any stored text: they never fail, and a number read back is the one written.
#include "catalogue/TextFile.h"
#include "settings/SettingsText.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString text =
        Orvane::decodeText(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    Orvane::textToTruth(text);
    Orvane::leadingNumber(text);
    if (const std::optional<qint16> small = Orvane::textToInt16(text)) {
        if (Orvane::textToInt16(Orvane::numberToText(*small)) != small)
            __builtin_trap();
    }
    if (const std::optional<qint32> large = Orvane::textToInt32(text)) {
        if (Orvane::textToInt32(Orvane::numberToText(*large)) != large)
            __builtin_trap();
    }
    const std::optional<bool> truth = Orvane::textToTruth(text);
    if (truth && Orvane::textToTruth(Orvane::truthToText(*truth)) != truth)
        __builtin_trap();
    return 0;
}
