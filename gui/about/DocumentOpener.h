// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

class QWidget;

namespace Orvane
{

// Hands a document path, a web address or a mail link to the desktop, which opens it with the program the user
// chose for it. Behind an interface so tests can see what would have been opened.
class DocumentOpener
{
public:
    virtual ~DocumentOpener() = default;
    // Whether the desktop took it; nobody is told when it did not. `owner` is the window that asks: any message
    // the desktop shows about it belongs to that window.
    virtual bool open(const QString& target, QWidget* owner) = 0;
};

class DesktopDocumentOpener final : public DocumentOpener
{
public:
    explicit DesktopDocumentOpener(QString programFolder) : m_programFolder(std::move(programFolder)) {}
    bool open(const QString& target, QWidget* owner) override;

private:
    QString m_programFolder;
};

} // namespace Orvane
