// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "platform/StandardStreams.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace Orvane
{

void openClosedStandardStreams()
{
    for (int stream = STDIN_FILENO; stream <= STDERR_FILENO; ++stream) {
        if (::fcntl(stream, F_GETFD) != -1 || errno != EBADF)
            continue;
        // The lowest free number is the one just found closed.
        const int opened = ::open("/dev/null", O_RDWR);
        if (opened >= 0 && opened != stream) {
            ::dup2(opened, stream);
            ::close(opened);
        }
    }
}

} // namespace Orvane
