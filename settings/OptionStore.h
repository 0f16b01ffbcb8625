// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include "core/Result.h"

#include <QString>

#include <array>
#include <functional>
#include <memory>

class QSettings;

namespace Orvane
{

inline constexpr char optionsSection[] = "Options";
inline constexpr char gamesSection[] = "Games";

// The options, one per option control, in the order they are restored at start-up.
enum class Option
{
    OriginalMameOption,
    AlternateMameOption,
    AlternateMameText,
    AdditionalParamText,
    BeamText,
    FlickerText,
    FrameskipSlider,
    CheatCheck,
    AdditionalParamCheck,
    BeamCheck,
    FlickerCheck,
    SbOplCheck,
    VideoCombo,
    AudioCombo,
    DoubleCombo,
    DepthCombo,
    VGAFreqCombo,
    ScanlinesCombo,
    VESACombo,
    VSyncCombo,
    RotateCombo,
    FlipCombo,
    SampleRateCombo,
    BitRateCombo,
    AntialiasCombo,
    JoyCombo,
};
inline constexpr std::size_t optionCount = 26;

// One option: its settings key is its control's name.
struct OptionKey
{
    Option option;
    const char* name;
    const char* defaultValue; // what an absent key reads as
};

// Every option, in the order of Option.
const std::array<OptionKey, optionCount>& optionKeys();
const OptionKey& optionKey(Option option);

// The per-user settings: text values by section and key, written through at once so the file holds every
// value as soon as it is written.
class OptionStore
{
public:
    // The user's own store: ~/.config/Orvane/Orvane.conf (or $XDG_CONFIG_HOME), the registry on Windows.
    static std::unique_ptr<OptionStore> forUser();
    // A store kept in one settings file.
    static std::unique_ptr<OptionStore> inFile(const QString& path);
    ~OptionStore();

    // The stored text, the default when the key is absent; a key that holds the empty text reads as empty.
    QString read(const char* section, const QString& key, const QString& defaultValue) const;
    // Gives the reason, naming the settings file, when the store refuses the value.
    Result<void> write(const char* section, const QString& key, const QString& value);
    QString location() const;

private:
    explicit OptionStore(std::function<std::unique_ptr<QSettings>()> open);

    std::function<std::unique_ptr<QSettings>()> m_open;
    std::unique_ptr<QSettings> m_settings;
    bool m_refused = false;
};

} // namespace Orvane
