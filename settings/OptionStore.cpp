// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "settings/OptionStore.h"

#include "ApplicationInfo.h"

#include <QDir>
#include <QSettings>

namespace Orvane
{

const std::array<OptionKey, 26>& optionKeys()
{
    static const std::array<OptionKey, 26> keys{{
        {"OriginalMameOption", OptionKind::OptionButton, "True"},
        {"AlternateMameOption", OptionKind::OptionButton, "False"},
        {"AlternateMameText", OptionKind::TextBox, "pmame31"},
        {"AdditionalParamText", OptionKind::TextBox, "Nothing !"},
        {"BeamText", OptionKind::TextBox, "1.00"},
        {"FlickerText", OptionKind::TextBox, "0"},
        {"FrameskipSlider", OptionKind::Slider, "0"},
        {"CheatCheck", OptionKind::CheckBox, "0"},
        {"AdditionalParamCheck", OptionKind::CheckBox, "0"},
        {"BeamCheck", OptionKind::CheckBox, "0"},
        {"FlickerCheck", OptionKind::CheckBox, "0"},
        {"SbOplCheck", OptionKind::CheckBox, "0"},
        {"VideoCombo", OptionKind::DropDownList, "0"},
        {"AudioCombo", OptionKind::DropDownList, "0"},
        {"DoubleCombo", OptionKind::DropDownList, "0"},
        {"DepthCombo", OptionKind::DropDownList, "0"},
        {"VGAFreqCombo", OptionKind::DropDownList, "0"},
        {"ScanlinesCombo", OptionKind::DropDownList, "0"},
        {"VESACombo", OptionKind::DropDownList, "0"},
        {"VSyncCombo", OptionKind::DropDownList, "0"},
        {"RotateCombo", OptionKind::DropDownList, "0"},
        {"FlipCombo", OptionKind::DropDownList, "0"},
        {"SampleRateCombo", OptionKind::DropDownList, "0"},
        {"BitRateCombo", OptionKind::DropDownList, "0"},
        {"AntialiasCombo", OptionKind::DropDownList, "0"},
        {"JoyCombo", OptionKind::DropDownList, "0"},
    }};
    return keys;
}

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

bool OptionStore::write(const char* section, const QString& key, const QString& value)
{
    // A store keeps its first error for good, so after a refusal the next write goes through a fresh one: a write
    // that succeeds then counts as success (and takes along what was refused), and a failure is seen again.
    if (m_refused) {
        m_settings.reset();
        m_settings = m_open();
        m_refused = false;
    }
    m_settings->setValue(settingsKey(section, key), value);
    m_settings->sync();
    if (m_settings->status() == QSettings::NoError) {
        m_error.clear();
        return true;
    }
    const QString reason = m_settings->status() == QSettings::AccessError
                               ? QStringLiteral("it or its folder cannot be written")
                               : QStringLiteral("its content cannot be read as settings");
    m_error = u"Cannot write the settings file " + location() + u": " + reason + u'.';
    m_refused = true;
    return false;
}

QString OptionStore::location() const
{
    return QDir::toNativeSeparators(m_settings->fileName());
}

} // namespace Orvane
