// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include "app/PreparedLists.h"
#include "catalogue/ListSource.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <thread>

namespace Orvane
{

// The ways start-up gets the window its first lists sooner. Each stays only while it pays: the benchmark prints
// the start-up figure with all of them and without each.
struct StartupTricks
{
    // The lists are prepared on another thread from the program's first moment, while Qt and the window are built.
    bool prepareAhead = true;
    // The first system's images are listed on a thread of their own while the descriptions sort.
    bool imagesBesideSort = true;
};

// The window's first lists, prepared while the program starts: the thread that prepares them and how far
// start-up has come. What was prepared is served once each, and only while it is what
// the files hold; the window then reads afresh.
class StartupLists
{
public:
    enum class State
    {
        Preparing, // the thread is at work
        Prepared,  // the catalogue was the one prepared: the lists not yet served are held
        Done,      // served, outdated or never prepared: the thread has ended and nothing is held
    };

    // Starts preparing the lists of `programFolder` now, on the thread that goes on to make the application.
    explicit StartupLists(QString programFolder, StartupTricks tricks = {});
    ~StartupLists();
    StartupLists(const StartupLists&) = delete;
    StartupLists& operator=(const StartupLists&) = delete;

    State state() const { return m_state; }
    const QString& programFolder() const { return m_programFolder; }

    void waitUntilPrepared();
    // Waits for the preparation; the catalogue as it was read, when it was read from `cataloguePath`. Otherwise
    // start-up is done and nothing is served.
    std::optional<CatalogueReader> takeCatalogue(const QString& cataloguePath);
    // The descriptions in list order, once.
    std::optional<QStringList> takeSortedDescriptions();
    // The image lines of `systemName` when they are the ones prepared; start-up is done after this either way.
    std::optional<QStringList> takeImageLines(const QString& systemName);
    // Drops what was not served.
    void finish();

private:
    QString m_programFolder;
    State m_state = State::Done;
    PreparedLists m_lists; // the thread's until it is joined
    std::thread m_thread;
};

// The window's lists at start-up: what `startup` prepared is served once each, while the files still hold what
// was read; anything else, and everything once start-up is over, is read afresh.
class StartupListSource final : public ListSource
{
public:
    // `startup` is used only when it was prepared for this program folder.
    StartupListSource(QString programFolder, std::unique_ptr<StartupLists> startup);

    const Result<SystemsCatalogue>& catalogue() override;
    QStringList sortedDescriptions() override;
    QStringList imageLines(const QString& systemName) override;
    void adopt(SystemsCatalogue catalogue) override;

private:
    void finish();

    std::unique_ptr<StartupLists> m_startup;
};

} // namespace Orvane
