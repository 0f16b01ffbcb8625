// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "Check.h"

int main(int, char* argv[])
{
    Check::programPath() = argv[0];
    return Check::runAll();
}
