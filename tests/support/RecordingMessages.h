// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include "gui/mainwindow/MessageBoxes.h"

#include <QList>
#include <QString>
#include <QStringList>

// Keeps every message the window shows and answers its questions from a list (OK when the list is empty).
class RecordingMessages final : public Orvane::MessageBoxes
{
public:
    void inform(QWidget*, const QString& text) override { informed.append(text); }
    bool confirm(QWidget*, const QString& text) override
    {
        asked.append(text);
        return answers.isEmpty() ? true : answers.takeFirst();
    }

    QStringList informed;
    QStringList asked;
    QList<bool> answers;
};
