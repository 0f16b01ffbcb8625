// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
// The image-line builder on any file name, as the file system hands it over: the launch field splits back into
// the system and exactly the name's bytes, the shown part is its first 63 characters, and a name that Windows
// allows keeps the field it always had.
#include "catalogue/ImageList.h"
#include "core/NativeText.h"
#include "core/TextColumns.h"
#include "launch/LaunchCommand.h"
#include "platform/CommandLine.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const QString name = Orvane::fromNativeBytes(bytes);
    if (Orvane::toNativeBytes(name) != bytes)
        __builtin_trap();
    const QString line = Orvane::buildImageLine(name, QStringLiteral("coleco"));
    const std::vector<std::string> arguments = Orvane::splitArguments(Orvane::toNativeBytes(Orvane::launchField(line)));
    if (arguments != std::vector<std::string>{"coleco", bytes})
        __builtin_trap();
    if (Orvane::shownFileName(line) != Orvane::trimBlanks(Orvane::leftCharacters(name, 63)))
        __builtin_trap();
    if (!name.contains(u'"') && !name.contains(u'\\') && Orvane::launchField(line) != u"coleco \"" + name + u'"')
        __builtin_trap();
    return 0;
}
