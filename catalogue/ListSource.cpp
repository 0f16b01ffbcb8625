// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "catalogue/ListSource.h"

#include "catalogue/LineOrder.h"
#include "catalogue/TextFile.h"
#include "platform/StartupMemory.h"

#include <QThread>

namespace Orvane
{

ListSource::ListSource(QString programFolder, std::future<PreparedLists> prepared)
    : m_programFolder(std::move(programFolder)), m_prepared(std::move(prepared))
{}

ListSource::~ListSource()
{
    if (m_prepared.valid())
        m_prepared.wait();
    dropStartup();
}

std::unique_ptr<ListSource> ListSource::preparedAhead(const QString& programFolder)
{
    // Qt takes the first thread that asks for the current thread for its main thread: that must be this one,
    // not one of the preparing threads.
    QThread::currentThread();
    holdStartupMemory();
    auto source =
        std::make_unique<ListSource>(programFolder, std::async(std::launch::async, prepareLists, programFolder));
    source->m_holdsStartupMemory = true;
    return source;
}

QString ListSource::cataloguePath() const
{
    return locateInFolder(m_programFolder, QLatin1String(catalogueFileName));
}

void ListSource::takePrepared()
{
    if (!m_prepared.valid())
        return;
    PreparedLists prepared = m_prepared.get();
    // Lists prepared for another catalogue are never shown.
    if (prepared.cataloguePath == cataloguePath()) {
        m_reader = std::move(prepared.catalogue);
        m_startup = std::move(prepared);
    } else {
        dropStartup();
    }
}

const Result<SystemsCatalogue>& ListSource::catalogue()
{
    takePrepared();
    const QString path = cataloguePath();
    const std::uint64_t readsBefore = m_reader.reads();
    const Result<SystemsCatalogue>& current = m_reader.read(path);
    // Read again: the file changed since it was prepared, and so did what the prepared lists show. A catalogue
    // with nothing to list needs none of them either.
    if (m_reader.reads() != readsBefore || !current || current->entries.empty())
        dropStartup();
    return current;
}

QStringList ListSource::sortedDescriptions()
{
    takePrepared();
    if (m_startup && !m_startup->sortedDescriptions.isEmpty())
        return std::exchange(m_startup->sortedDescriptions, {});
    const Result<SystemsCatalogue>& catalogue = m_reader.last();
    QStringList descriptions = catalogue ? catalogue->descriptions() : QStringList();
    sortLines(descriptions);
    return descriptions;
}

std::optional<QString> ListSource::systemNameFor(const QString& description)
{
    const Result<SystemsCatalogue>& current = catalogue();
    return current ? current->systemNameFor(description) : std::nullopt;
}

QStringList ListSource::imageLines(const QString& systemName)
{
    takePrepared();
    // The first system's lines serve the one load that start-up begins with.
    const bool prepared = m_startup && m_startup->firstSystemName == systemName;
    QStringList lines = prepared ? std::move(m_startup->firstImageLines) : imageLinesFor(m_programFolder, systemName);
    dropStartup();
    return lines;
}

void ListSource::adopt(SystemsCatalogue catalogue)
{
    dropStartup();
    m_reader.adopt(cataloguePath(), std::move(catalogue));
}

void ListSource::dropStartup()
{
    m_startup.reset();
    if (m_holdsStartupMemory) {
        releaseStartupMemory();
        m_holdsStartupMemory = false;
    }
}

} // namespace Orvane
