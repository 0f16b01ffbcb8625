// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "platform/MessageWindow.h"

#include "platform/windows/ChildProcess.h"

namespace Orvane
{

using namespace Windows;

PlatformResult<void> showMessageWindow(const std::string& title, const std::string& text, const std::filesystem::path&)
{
    if (MessageBoxW(nullptr, widen(text).c_str(), widen(title).c_str(), MB_OK | MB_ICONERROR | MB_SETFOREGROUND) == 0)
        return Failure("cannot show a message: " + systemMessage(GetLastError()));
    return {};
}

} // namespace Orvane
