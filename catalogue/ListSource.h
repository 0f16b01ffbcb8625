// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include "catalogue/StartupLists.h"
#include "catalogue/SystemsCatalogue.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

namespace Orvane
{

// What the window lists: the catalogue's descriptions, sorted, and a system's image lines, sorted. At start-up it
// serves what was prepared while the window was built, as long as that is what the files hold; otherwise, and
// always after, it reads afresh (the catalogue only when its bytes changed).
class ListSource
{
public:
    // `startup`: the first lists, when they are being prepared for this program folder.
    explicit ListSource(QString programFolder, std::unique_ptr<StartupLists> startup = nullptr);
    ListSource(const ListSource&) = delete;
    ListSource& operator=(const ListSource&) = delete;

    QString cataloguePath() const;

    // The catalogue as its file holds it now.
    const Result<SystemsCatalogue>& catalogue();
    // The descriptions of the catalogue catalogue() gave last, in list order; the file is not read again.
    QStringList sortedDescriptions();
    std::optional<QString> systemNameFor(const QString& description);
    // The same from the catalogue last read, without looking at the file: for what a mere hover shows.
    std::optional<QString> knownSystemNameFor(const QString& description) const;
    // The image lines of one system's folder, in list order; none when it has no folder.
    QStringList imageLines(const QString& systemName);
    // Takes a catalogue that was just checked and moved to the catalogue's place, so it is not read again.
    void adopt(SystemsCatalogue catalogue);

private:
    void takePreparedCatalogue();
    void finishStartup();

    QString m_programFolder;
    std::unique_ptr<StartupLists> m_startup;
    CatalogueReader m_reader;
};

} // namespace Orvane
