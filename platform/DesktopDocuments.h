// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include "platform/ProcessLauncher.h"

#include <cstdint>
#include <filesystem>
#include <string>

namespace Orvane
{

// Whether the platform's own shell opens documents: on Windows it does; elsewhere the desktop is reached through Qt.
bool systemOpensDocuments();

// A window of the program as the platform knows it (a window handle on Windows), carried through this layer
// without its type; 0 for none.
using NativeWindow = std::uintptr_t;

// Windows: asks the shell to open a document, web address or mail link (ShellExecuteA with the owner window,
// "Open", no parameters, the program folder as working folder, shown normally). Elsewhere it opens nothing and
// says so.
PlatformResult<void> openDocument(NativeWindow owner, const std::string& target,
                                  const std::filesystem::path& programFolder);

} // namespace Orvane
