// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "app/StartupLists.h"

#include <QThread>

namespace Orvane
{

StartupLists::StartupLists(QString programFolder, Preparation prepare) : m_programFolder(std::move(programFolder))
{
    // Qt makes the first thread that asks which thread is current its main thread. The preparing threads use Qt
    // too, so this one asks first: it is the one that makes the application and runs its events.
    QThread::currentThread();
    m_thread = std::thread([this, prepare = std::move(prepare)] { m_lists = prepare(m_programFolder); });
}

StartupLists::~StartupLists()
{
    if (m_thread.joinable())
        m_thread.join();
}

std::optional<PreparedLists> StartupLists::take(const QString& programFolder)
{
    if (m_thread.joinable())
        m_thread.join();
    if (programFolder != m_programFolder)
        return std::nullopt;
    return std::exchange(m_lists, std::nullopt);
}

StartupLists::Preparation StartupLists::defaultPreparation()
{
    return [](const QString& programFolder) { return prepareLists(programFolder); };
}

} // namespace Orvane
