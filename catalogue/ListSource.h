// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include "catalogue/PreparedLists.h"
#include "catalogue/SystemsCatalogue.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>

namespace Orvane
{

// What the window lists: the catalogue's descriptions, sorted, and a system's image lines, sorted, read from the
// program folder's files when asked (the catalogue only when its bytes changed). Lists start-up prepared ahead are
// served in their place, through the same calls.
class ListSource
{
public:
    explicit ListSource(QString programFolder) : m_programFolder(std::move(programFolder)) {}
    ListSource(const ListSource&) = delete;
    ListSource& operator=(const ListSource&) = delete;

    const QString& programFolder() const { return m_programFolder; }
    QString cataloguePath() const;

    // Lists start-up prepared for this folder while the window was built: the catalogue, its descriptions and the
    // first system's images are each served once, while the catalogue's file holds what was read; the window's
    // first load takes them, and anything else is read afresh.
    void takePrepared(PreparedLists prepared);
    // Whether prepared lists are still waiting to be served.
    bool holdsPrepared() const { return m_prepared.has_value(); }

    // The catalogue as its file holds it now.
    const Result<SystemsCatalogue>& catalogue();
    // The descriptions of the catalogue catalogue() gave last, in list order; the file is not read again.
    LineList sortedDescriptions();
    std::optional<QString> systemNameFor(QStringView description);
    // The same from the catalogue last read, without looking at the file: for what a mere hover shows.
    std::optional<QString> knownSystemNameFor(QStringView description) const;
    // Every description's system in the catalogue last read (the last line that matches decides), for what looks
    // at every line of the list; made when first asked for after a read.
    const QHash<QString, QString>& knownSystemNames();
    // Of the descriptions (in their order), those of the systems whose image folder holds an image, in the
    // catalogue last read.
    LineList withImagesOnly(const LineList& descriptions) const;
    // The image lines of one system's folder, in list order; none when it has no folder.
    LineList imageLines(const QString& systemName);
    // Takes a catalogue that was just checked and moved to the catalogue's place, so it is not read again.
    void adopt(SystemsCatalogue catalogue);

private:
    QString m_programFolder;
    CatalogueReader m_reader;
    std::optional<PreparedLists> m_prepared;
    bool m_preparedCatalogueServed = false;
    QHash<QString, QString> m_systemNames;
    std::optional<std::uint64_t> m_systemNamesRead; // the read they were made from
};

} // namespace Orvane
