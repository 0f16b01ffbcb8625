// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "platform/DesktopDocuments.h"

namespace Orvane
{

bool systemOpensDocuments()
{
    return false;
}

PlatformResult<void> openDocument(NativeWindow, const std::string& target, const std::filesystem::path&)
{
    return Failure("Cannot open " + target + ": the desktop opens documents here, not the platform layer");
}

} // namespace Orvane
