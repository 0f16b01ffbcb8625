// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "app/StartupLists.h"

#include <QThread>

namespace Orvane
{

StartupLists::StartupLists(QString programFolder, StartupTricks tricks) : m_programFolder(std::move(programFolder))
{
    if (!tricks.prepareAhead)
        return;
    // Qt makes the first thread that asks which thread is current its main thread. The preparing threads use Qt
    // too, so this one asks first: it is the one that makes the application and runs its events.
    QThread::currentThread();
    m_state = State::Preparing;
    m_thread = std::thread(
        [this, besideSort = tricks.imagesBesideSort] { m_lists = prepareLists(m_programFolder, besideSort); });
}

StartupLists::~StartupLists()
{
    finish();
}

void StartupLists::waitUntilPrepared()
{
    if (m_thread.joinable())
        m_thread.join();
}

std::optional<CatalogueReader> StartupLists::takeCatalogue(const QString& cataloguePath)
{
    if (m_state != State::Preparing)
        return std::nullopt;
    waitUntilPrepared();
    // Lists prepared for another catalogue are never shown.
    if (m_lists.cataloguePath != cataloguePath) {
        finish();
        return std::nullopt;
    }
    m_state = State::Prepared;
    return std::move(m_lists.catalogue);
}

std::optional<QStringList> StartupLists::takeSortedDescriptions()
{
    if (m_state != State::Prepared || !m_lists.sortedDescriptions)
        return std::nullopt;
    return std::exchange(m_lists.sortedDescriptions, std::nullopt);
}

std::optional<QStringList> StartupLists::takeImageLines(const QString& systemName)
{
    std::optional<QStringList> lines;
    // The first system's lines serve the one load that start-up begins with.
    if (m_state == State::Prepared && m_lists.firstSystemName == systemName)
        lines = std::move(m_lists.firstImageLines);
    finish();
    return lines;
}

void StartupLists::finish()
{
    waitUntilPrepared();
    m_lists = PreparedLists();
    m_state = State::Done;
}

StartupListSource::StartupListSource(QString programFolder, std::unique_ptr<StartupLists> startup)
    : ListSource(std::move(programFolder)), m_startup(std::move(startup))
{
    if (m_startup && m_startup->programFolder() != this->programFolder())
        m_startup.reset();
}

const Result<SystemsCatalogue>& StartupListSource::catalogue()
{
    if (m_startup) {
        // Until the first system's images are served, start-up is one load of the window, and the file was
        // compared with what was prepared a moment ago.
        if (m_startup->state() == StartupLists::State::Prepared)
            return reader().last();
        if (std::optional<CatalogueReader> prepared = m_startup->takeCatalogue(cataloguePath()))
            reader() = std::move(*prepared);
    }
    const std::uint64_t readsBefore = reader().reads();
    const Result<SystemsCatalogue>& current = ListSource::catalogue();
    // Read again: the file changed since it was prepared, and so did what the prepared lists show. A catalogue
    // with nothing to list needs none of them either.
    if (reader().reads() != readsBefore || !current || current->empty())
        finish();
    return current;
}

QStringList StartupListSource::sortedDescriptions()
{
    if (m_startup) {
        if (std::optional<QStringList> prepared = m_startup->takeSortedDescriptions())
            return std::move(*prepared);
    }
    return ListSource::sortedDescriptions();
}

QStringList StartupListSource::imageLines(const QString& systemName)
{
    std::optional<QStringList> prepared = m_startup ? m_startup->takeImageLines(systemName) : std::nullopt;
    return prepared ? std::move(*prepared) : ListSource::imageLines(systemName);
}

void StartupListSource::adopt(SystemsCatalogue catalogue)
{
    finish();
    ListSource::adopt(std::move(catalogue));
}

void StartupListSource::finish()
{
    if (m_startup)
        m_startup->finish();
}

} // namespace Orvane
