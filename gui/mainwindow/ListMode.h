// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

namespace Orvane
{

// What the games list shows: a system's images, or the favourites. The list keeps it as its tag text.
enum class ListMode
{
    Full,
    Favourites,
};

inline QString listModeTag(ListMode mode)
{
    return mode == ListMode::Favourites ? QStringLiteral("Fav") : QStringLiteral("Full");
}

inline ListMode listModeOfTag(const QString& tag)
{
    return tag == listModeTag(ListMode::Favourites) ? ListMode::Favourites : ListMode::Full;
}

// The caption of the games list's frame in each mode.
inline QString listModeCaption(ListMode mode)
{
    return mode == ListMode::Favourites ? QStringLiteral("Games [Favourites list]")
                                        : QStringLiteral("Games [Full list]");
}

} // namespace Orvane
