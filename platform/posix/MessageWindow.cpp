// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "platform/MessageWindow.h"

#include "platform/ProgramSearch.h"
#include "platform/posix/ChildProcess.h"

#include <cstdlib>
#include <fcntl.h>

namespace Orvane
{

namespace fs = std::filesystem;
using namespace Posix;

PlatformResult<void> showMessageWindow(const std::string& title, const std::string& text,
                                       const std::filesystem::path& programFolder)
{
    const auto set = [](const char* name) {
        const char* value = std::getenv(name);
        return value && *value;
    };
    if (!set("DISPLAY") && !set("WAYLAND_DISPLAY"))
        return Failure(std::string("there is no display to show a message on"));
    const fs::path helper = programFolder / "orvane";
    if (!isExecutableFile(helper))
        return Failure("there is no " + helper.string() + " to show a message with");
    ChildSetup setup(helper, {"--message", title, text}, programFolder);
    const File nothing(::open("/dev/null", O_RDWR | O_CLOEXEC));
    setup.input = setup.output = nothing.get();
    if (const PlatformResult<pid_t> started = startChild(setup, ChildKind::Detached); !started)
        return Failure(started.error());
    return {};
}

} // namespace Orvane
