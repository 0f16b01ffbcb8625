// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "settings/OptionStore.h"

#include "ApplicationInfo.h"
#include "core/NativeText.h"
#include "platform/Files.h"
#include "platform/SystemConventions.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>

namespace Orvane
{

std::unique_ptr<OptionStore> OptionStore::forUser()
{
    const QString title = QString::fromLatin1(ApplicationInfo::title);
    // Where the native store keeps its file, named here so that the file is looked at before the store reads it;
    // the user's registry has no file that anything could be planted in place of.
    if (settingsInFiles())
        return inFile(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + u'/' + title + u'/' +
                      title + u".conf");
    return std::unique_ptr<OptionStore>(
        new OptionStore(QString(), [title] { return std::make_unique<QSettings>(title, title); }));
}

std::unique_ptr<OptionStore> OptionStore::inFile(const QString& path)
{
    return std::unique_ptr<OptionStore>(
        new OptionStore(path, [path] { return std::make_unique<QSettings>(path, QSettings::IniFormat); }));
}

OptionStore::OptionStore(QString file, std::function<std::unique_ptr<QSettings>()> open)
    : m_file(std::move(file)), m_open(std::move(open))
{
    reopen();
}

OptionStore::~OptionStore() = default;

// The settings file and its lock file as the store reads and writes them: the store would wait for ever on a pipe
// and write through a link into whatever it names. A link in the lock file's place is removed; anything else that is
// no file, and a link of another user's, makes the store refuse, saying why.
QString OptionStore::placeRefusal() const
{
    if (m_file.isEmpty())
        return {};
    if (const PlatformResult<void> usable = checkKeptFile(platformPath(m_file), KeptBy::User); !usable)
        return fromNativeBytes(usable.error());
    const QString lock = m_file + u".lock";
    if (const PlatformResult<void> usable = clearLinkFrom(platformPath(lock)); !usable)
        return u"its lock file " + QDir::toNativeSeparators(lock) + u": " + fromNativeBytes(usable.error());
    return {};
}

void OptionStore::reopen()
{
    m_settings.reset();
    m_refusal = placeRefusal();
    if (m_refusal.isEmpty())
        m_settings = m_open();
    m_refused = false;
}

static QString settingsKey(const char* section, const QString& key)
{
    return QLatin1String(section) + u'/' + key;
}

QString OptionStore::read(const char* section, const QString& key, const QString& defaultValue) const
{
    const QString path = settingsKey(section, key);
    if (!m_settings || !m_settings->contains(path))
        return defaultValue;
    const QVariant value = m_settings->value(path);
    // A value edited by hand with a comma in it comes back as a list; it is still one text.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(u", ");
    return value.toString();
}

Result<void> OptionStore::write(const char* section, const QString& key, const QString& value)
{
    // Restoring the window sets each control to what the store holds, and a control that changes writes its value
    // back: a value the store already holds is not written again, so a start does not rewrite the file sixteen
    // times over.
    if (m_settings && !m_refused && m_settings->contains(settingsKey(section, key)) &&
        read(section, key, QString()) == value)
        return {};
    // A store keeps its first error for good, so after a refusal the next write goes through a fresh one: a write
    // that succeeds then counts as success (and takes along what was refused), and a failure is seen again. What is
    // in the file's place is looked at before every write, since it may have changed since the last.
    if (m_refused || !m_settings)
        reopen();
    else if (m_refusal = placeRefusal(); !m_refusal.isEmpty())
        m_settings.reset();
    if (!m_settings)
        return Failure(u"Cannot write the settings file " + location() + u": " + m_refusal + u'.');
    m_settings->setValue(settingsKey(section, key), value);
    m_settings->sync();
    if (m_settings->status() == QSettings::NoError)
        return {};
    const QString reason = m_settings->status() == QSettings::AccessError
                               ? QStringLiteral("it or its folder cannot be written")
                               : QStringLiteral("its content cannot be read as settings");
    m_refused = true;
    return Failure(u"Cannot write the settings file " + location() + u": " + reason + u'.');
}

QString OptionStore::location() const
{
    return QDir::toNativeSeparators(m_file.isEmpty() && m_settings ? m_settings->fileName() : m_file);
}

} // namespace Orvane
