// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
// The catalogue reader on any bytes: it never fails, it reads what the whole decoded text holds, and every entry
// it keeps holds what its line held.
#include "../catalogue/CatalogueReference.h"
#include "catalogue/SystemsCatalogue.h"
#include "core/TextColumns.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const Orvane::SystemsCatalogue catalogue = Orvane::parseSystemsCatalogue(bytes);
    if (!sameCatalogue(catalogue, referenceCatalogue(bytes)))
        __builtin_trap();
    for (const Orvane::CatalogueSystem& entry : catalogue.entries()) {
        if (Orvane::characterCount(entry.systemName.view()) > 8 || entry.systemName.view().startsWith(u' ') ||
            entry.systemName.view().endsWith(u' '))
            __builtin_trap();
        if (catalogue.systemNameFor(catalogue.description(entry)) == std::nullopt)
            __builtin_trap();
    }
    return 0;
}
