// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QFile>
#include <QMap>
#include <QString>

// What a settings file holds right now, read from the disk rather than through QSettings (which caches).
// Enough of the INI format for the plain values these tests write.
inline QMap<QString, QString> storedSettings(const QString& path, const QString& section)
{
    QMap<QString, QString> values;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return values;
    QString current;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith(u'[') && line.endsWith(u']')) {
            current = line.mid(1, line.size() - 2);
        } else if (current == section && line.contains(u'=')) {
            QString value = line.section(u'=', 1);
            if (value.size() >= 2 && value.startsWith(u'"') && value.endsWith(u'"'))
                value = value.mid(1, value.size() - 2);
            values.insert(line.section(u'=', 0, 0), value);
        }
    }
    return values;
}
