// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include "core/Result.h"

#include <QString>

#include <functional>
#include <memory>

class QSettings;

namespace Orvane
{

inline constexpr char optionsSection[] = "Options";
inline constexpr char gamesSection[] = "Games";

// The per-user settings: text values by section and key, written through at once so the file holds every
// value as soon as it is written.
class OptionStore
{
public:
    // The user's own store: ~/.config/Orvane/Orvane.conf (or $XDG_CONFIG_HOME), the registry on Windows.
    static std::unique_ptr<OptionStore> forUser();
    // A store kept in one settings file, a file the user keeps (platform/Files.h): a pipe, a device, a folder or a
    // link of another user's in its place is never read or written; the store then holds nothing and refuses every
    // write, saying why, until the file's place is sound again.
    static std::unique_ptr<OptionStore> inFile(const QString& path);
    ~OptionStore();

    // The stored text, the default when the key is absent; a key that holds the empty text reads as empty.
    QString read(const char* section, const QString& key, const QString& defaultValue) const;
    // Gives the reason, naming the settings file, when the store refuses the value. A value the store holds
    // already is not written again.
    Result<void> write(const char* section, const QString& key, const QString& value);
    QString location() const;

private:
    OptionStore(QString file, std::function<std::unique_ptr<QSettings>()> open);
    QString placeRefusal() const;
    void reopen();

    QString m_file; // empty for the registry
    std::function<std::unique_ptr<QSettings>()> m_open;
    std::unique_ptr<QSettings> m_settings; // none while the file's place holds what is no file
    QString m_refusal;                     // why, then
    bool m_refused = false;
};

} // namespace Orvane
