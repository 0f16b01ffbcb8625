// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "app/Application.h"
#include "app/CommandLineOptions.h"
#include "platform/ThisProgram.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    Orvane::openClosedStandardStreams();
    if (const std::optional<int> answered = Orvane::answerCommandLine(argc, argv))
        return *answered;
    std::unique_ptr<Orvane::StartupLists> startup = Orvane::startPreparingLists();
    QApplication application(argc, argv);
    return Orvane::runOrvane(application, std::move(startup));
}
