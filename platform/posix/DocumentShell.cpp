// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "platform/DocumentShell.h"

namespace Orvane
{

bool shellOpensDocuments()
{
    return false;
}

PlatformResult<void> openWithShell(NativeWindow, const std::string& target, const std::filesystem::path&)
{
    return Failure("Cannot open " + target + ": the desktop opens documents here, not the platform layer");
}

} // namespace Orvane
