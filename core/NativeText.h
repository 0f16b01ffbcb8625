// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringView>

#include <filesystem>
#include <string>
#include <string_view>

namespace Orvane
{

// File names and paths cross into the system as UTF-8 bytes (the platform layer widens them on Windows). A Linux
// name may hold bytes that are not UTF-8: each such byte is carried as the lone surrogate U+DC80 to U+DCFF and
// turned back into the same byte on the way out, so such a file lists, shows a replacement character and still
// reaches the emulator under its exact name.
QString fromNativeBytes(std::string_view bytes);
std::string toNativeBytes(QStringView text);

// A path for the platform layer, with the platform's folder separators.
std::string toNativePath(const QString& path);

// The path the platform layer takes for a path Orvane holds as text.
std::filesystem::path platformPath(const QString& path);

// Whether a text holds a byte that was carried over as a surrogate: it has no spelling in any text encoding.
bool holdsCarriedBytes(QStringView text);

} // namespace Orvane
