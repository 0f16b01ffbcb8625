// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include "gui/about/DocumentOpener.h"

#include <QList>
#include <QStringList>

// Keeps what the window would have handed to the desktop; answers as told.
class RecordingOpener final : public Orvane::DocumentOpener
{
public:
    bool open(const QString& target, QWidget* owner) override
    {
        opened.append(target);
        owners.append(owner);
        return succeeds;
    }

    QStringList opened;
    QList<QWidget*> owners;
    bool succeeds = true;
};
