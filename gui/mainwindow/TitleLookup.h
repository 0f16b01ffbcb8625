// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include "catalogue/ImageTitles.h"
#include "platform/ProcessLauncher.h"

#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>
#include <QThreadPool>

#include <optional>

namespace Orvane
{

// The titles the emulator's lists give the images, asked for off the window's thread, one question at a time, and
// kept for the session. An emulator that answers in another form (the classic one) is not asked again.
class TitleLookup final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TitleLookup)

public:
    TitleLookup(ProcessLauncher& shell, QString programFolder, QObject* parent = nullptr);
    ~TitleLookup() override;

    // The answer for the image, when it came.
    std::optional<TitleAnswer> known(const QString& systemName, const QString& fileName) const;
    // Asks for it, once; answered() says when it came.
    void request(const QString& systemName, const QString& fileName);

signals:
    void answered(const QString& systemName, const QString& fileName);

private:
    void take(const QString& key, const QString& systemName, const QString& fileName, TitleAnswer answer);

    ProcessLauncher& m_shell;
    QString m_programFolder;
    QThreadPool m_asking;
    QHash<QString, TitleAnswer> m_answers;
    QSet<QString> m_pending;
    bool m_emulatorAnswers = true;
};

} // namespace Orvane
