// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "settings/OptionStore.h"

#include "ApplicationInfo.h"

#include <QDir>
#include <QSettings>

namespace Orvane
{

std::unique_ptr<OptionStore> OptionStore::forUser()
{
    const QString title = QString::fromLatin1(ApplicationInfo::title);
    return std::unique_ptr<OptionStore>(new OptionStore([title] { return std::make_unique<QSettings>(title, title); }));
}

std::unique_ptr<OptionStore> OptionStore::inFile(const QString& path)
{
    return std::unique_ptr<OptionStore>(
        new OptionStore([path] { return std::make_unique<QSettings>(path, QSettings::IniFormat); }));
}

OptionStore::OptionStore(std::function<std::unique_ptr<QSettings>()> open)
    : m_open(std::move(open)), m_settings(m_open())
{}

OptionStore::~OptionStore() = default;

static QString settingsKey(const char* section, const QString& key)
{
    return QLatin1String(section) + u'/' + key;
}

QString OptionStore::read(const char* section, const QString& key, const QString& defaultValue) const
{
    const QString path = settingsKey(section, key);
    if (!m_settings->contains(path))
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
    if (!m_refused && m_settings->contains(settingsKey(section, key)) && read(section, key, QString()) == value)
        return {};
    // A store keeps its first error for good, so after a refusal the next write goes through a fresh one: a write
    // that succeeds then counts as success (and takes along what was refused), and a failure is seen again.
    if (m_refused) {
        m_settings.reset();
        m_settings = m_open();
        m_refused = false;
    }
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
    return QDir::toNativeSeparators(m_settings->fileName());
}

} // namespace Orvane
