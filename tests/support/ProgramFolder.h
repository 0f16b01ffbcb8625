// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

// A program folder of a test's own, with the stand-in emulator as MESS.EXE when asked for.
class ProgramFolder
{
public:
    QString path() const { return m_folder.path(); }
    QString filePath(const QString& name) const { return m_folder.filePath(name); }

    void write(const QString& name, const QByteArray& content, bool executable = false) const
    {
        const QString file = filePath(name);
        QDir().mkpath(QFileInfo(file).path());
        QFile output(file);
        if (!output.open(QIODevice::WriteOnly | QIODevice::Truncate) || output.write(content) != content.size())
            qFatal("cannot write %s", qPrintable(file));
        if (executable)
            output.setPermissions(output.permissions() | QFileDevice::ExeOwner | QFileDevice::ExeGroup |
                                  QFileDevice::ExeOther);
    }

    QByteArray read(const QString& name) const
    {
        QFile input(filePath(name));
        return input.open(QIODevice::ReadOnly) ? input.readAll() : QByteArray();
    }

    void installStandIn() const
    {
        QFile standIn(QStringLiteral(ORVANE_STANDIN));
        if (!standIn.open(QIODevice::ReadOnly))
            qFatal("no stand-in emulator at %s", ORVANE_STANDIN);
        write(QStringLiteral("MESS.EXE"), standIn.readAll(), true);
    }

private:
    QTemporaryDir m_folder;
};
