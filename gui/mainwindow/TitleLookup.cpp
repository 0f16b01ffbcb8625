// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "gui/mainwindow/TitleLookup.h"

#include "catalogue/CatalogueUpdate.h"
#include "catalogue/TextFile.h"
#include "core/NativeText.h"

namespace Orvane
{

static QString keyOf(const QString& systemName, const QString& fileName)
{
    return systemName + u'\n' + fileName;
}

TitleLookup::TitleLookup(ProcessLauncher& shell, QString programFolder, QObject* parent)
    : QObject(parent), m_shell(shell), m_programFolder(std::move(programFolder))
{
    // One question at a time: the first of a system builds the emulator's index of its lists, which the next use.
    m_asking.setMaxThreadCount(1);
}

TitleLookup::~TitleLookup()
{
    m_asking.clear();
    m_asking.waitForDone();
}

std::optional<TitleAnswer> TitleLookup::known(const QString& systemName, const QString& fileName) const
{
    const auto found = m_answers.constFind(keyOf(systemName, fileName));
    if (found == m_answers.cend())
        return std::nullopt;
    return *found;
}

void TitleLookup::request(const QString& systemName, const QString& fileName)
{
    const QString key = keyOf(systemName, fileName);
    if (!m_emulatorAnswers || m_answers.contains(key) || m_pending.contains(key))
        return;
    m_pending.insert(key);
    ProgramRun run{platformPath(locateInFolder(m_programFolder, QLatin1String(emulatorFileName))),
                   identifyArguments(systemName, fileName), platformPath(m_programFolder)};
    run.keepOutput = true;
    run.timeLimit = identifyTimeLimit;
    m_asking.start([this, run = std::move(run), key, systemName, fileName] {
        TitleAnswer answer = parseTitleAnswer(m_shell.runAndWait(run));
        QMetaObject::invokeMethod(
            this, [this, key, systemName, fileName, answer] { take(key, systemName, fileName, answer); },
            Qt::QueuedConnection);
    });
}

void TitleLookup::take(const QString& key, const QString& systemName, const QString& fileName, TitleAnswer answer)
{
    m_pending.remove(key);
    // An emulator that does not know the question is not asked it again; one that took too long may yet answer the
    // next.
    if (answer.kind == TitleAnswer::Kind::NoAnswer) {
        m_emulatorAnswers = false;
        m_asking.clear();
    }
    m_answers.insert(key, std::move(answer));
    emit answered(systemName, fileName);
}

} // namespace Orvane
