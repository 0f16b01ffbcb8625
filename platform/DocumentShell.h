// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include "platform/Shell.h"

#include <filesystem>
#include <string>

namespace Orvane
{

// Windows: asks the shell to open a document, web address or mail link (ShellExecuteA with "Open", no
// parameters, the program folder as working folder, shown normally). Elsewhere the desktop is reached through Qt.
StartResult openWithShell(const std::string& target, const std::filesystem::path& programFolder);

} // namespace Orvane
