// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

namespace Orvane
{

// The maker's home page and mail address, which the About window hands to the desktop.
inline constexpr char homePageAddress[] = "https://www.example.org/orvane/";
inline constexpr char makerMailAddress[] = "orvane@example.org";

// "<title> v<major>.<minor>.<revision>", each part in plain decimal.
QString versionLine(const QString& title, int major, int minor, int revision);

// "mailto:<address>?Subject=<title> program", the subject left unescaped as mail programs read it.
QString mailLink(const QString& title);

// The help page beside the program: "<program folder>/<title>.htm".
QString helpPagePath(const QString& programFolder, const QString& title);

} // namespace Orvane
