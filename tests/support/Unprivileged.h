// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include <sys/fsuid.h>
#include <unistd.h>

// Takes away the rights that file permissions deny, even from root (as CI runs): while it lasts, file access is
// checked as the user nobody.
class AsUnprivilegedUser
{
public:
    AsUnprivilegedUser()
    {
        if (::geteuid() == 0) {
            ::setfsgid(65534);
            ::setfsuid(65534);
        }
    }
    ~AsUnprivilegedUser()
    {
        if (::geteuid() == 0) {
            ::setfsuid(0);
            ::setfsgid(0);
        }
    }
    AsUnprivilegedUser(const AsUnprivilegedUser&) = delete;
    AsUnprivilegedUser& operator=(const AsUnprivilegedUser&) = delete;
};
