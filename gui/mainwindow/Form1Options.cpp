// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "gui/mainwindow/Form1.h"

#include "gui/mainwindow/MessageBoxes.h"
#include "gui/mainwindow/OptionBinding.h"
#include "gui/widgets/CheckControls.h"
#include "settings/OptionStore.h"
#include "settings/SettingsText.h"

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSlider>

#include <QComboBox>

#include <algorithm>
#include <array>
#include <utility>
#include <variant>

namespace Orvane
{

namespace
{

using ControlMember = std::variant<QRadioButton * Form1Ui::*, QLineEdit * Form1Ui::*, QSlider * Form1Ui::*,
                                   CheckBox * Form1Ui::*, ToggleCheckButton * Form1Ui::*, QComboBox * Form1Ui::*>;

// Each option's control among the window's controls: a row that names a control the window does not have, or one
// of another kind than its binder takes, does not compile, and a row out of its option's place fails the check below.
constexpr std::array<std::pair<Option, ControlMember>, optionCount> optionControls{{
    {Option::OriginalMameOption, &Form1Ui::OriginalMameOption},
    {Option::AlternateMameOption, &Form1Ui::AlternateMameOption},
    {Option::AlternateMameText, &Form1Ui::AlternateMameText},
    {Option::AdditionalParamText, &Form1Ui::AdditionalParamText},
    {Option::BeamText, &Form1Ui::BeamText},
    {Option::FlickerText, &Form1Ui::FlickerText},
    {Option::FrameskipSlider, &Form1Ui::FrameskipSlider},
    {Option::CheatCheck, &Form1Ui::CheatCheck},
    {Option::AdditionalParamCheck, &Form1Ui::AdditionalParamCheck},
    {Option::BeamCheck, &Form1Ui::BeamCheck},
    {Option::FlickerCheck, &Form1Ui::FlickerCheck},
    {Option::SbOplCheck, &Form1Ui::SbOplCheck},
    {Option::VideoCombo, &Form1Ui::VideoCombo},
    {Option::AudioCombo, &Form1Ui::AudioCombo},
    {Option::DoubleCombo, &Form1Ui::DoubleCombo},
    {Option::DepthCombo, &Form1Ui::DepthCombo},
    {Option::VGAFreqCombo, &Form1Ui::VGAFreqCombo},
    {Option::ScanlinesCombo, &Form1Ui::ScanlinesCombo},
    {Option::VESACombo, &Form1Ui::VESACombo},
    {Option::VSyncCombo, &Form1Ui::VSyncCombo},
    {Option::RotateCombo, &Form1Ui::RotateCombo},
    {Option::FlipCombo, &Form1Ui::FlipCombo},
    {Option::SampleRateCombo, &Form1Ui::SampleRateCombo},
    {Option::BitRateCombo, &Form1Ui::BitRateCombo},
    {Option::AntialiasCombo, &Form1Ui::AntialiasCombo},
    {Option::JoyCombo, &Form1Ui::JoyCombo},
}};
static_assert([] {
    for (std::size_t index = 0; index < optionControls.size(); ++index) {
        if (static_cast<std::size_t>(optionControls[index].first) != index)
            return false;
    }
    return true;
}());

} // namespace

OptionControl Form1::optionControl(Option option) const
{
    return std::visit([this](auto member) -> OptionControl { return ui.*member; },
                      optionControls[static_cast<std::size_t>(option)].second);
}

void Form1::connectOptionHandlers()
{
    connect(ui.OriginalMameOption, &QRadioButton::toggled, this, [this](bool selected) {
        if (selected)
            OriginalMameOption_Click();
    });
    connect(ui.AlternateMameOption, &QRadioButton::toggled, this, [this](bool selected) {
        if (selected)
            AlternateMameOption_Click();
    });
    connect(ui.AdditionalParamCheck, &CheckBox::checkValueChanged, this, &Form1::AdditionalParamCheck_Click);
    connect(ui.FrameskipSlider, &QSlider::valueChanged, this, &Form1::FrameskipSlider_Change);
    // Every other option control only stores its value.
    const Option special[] = {Option::OriginalMameOption, Option::AlternateMameOption, Option::AdditionalParamCheck,
                              Option::FrameskipSlider};
    for (const OptionKey& key : optionKeys()) {
        if (std::find(std::begin(special), std::end(special), key.option) == std::end(special))
            connectOptionChange(optionControl(key.option), this, [this, option = key.option] { storeOption(option); });
    }
}

void Form1::storeSetting(const char* section, const QString& key, const QString& value)
{
    const Result<void> written = m_options.write(section, key, value);
    if (written) {
        m_storeFailureReported = false;
        return;
    }
    if (!m_storeFailureReported) {
        m_storeFailureReported = true;
        report(written.error());
    }
}

void Form1::storeOption(Option option)
{
    storeSetting(optionsSection, QLatin1String(optionKey(option).name), optionText(optionControl(option)));
}

void Form1::OriginalMameOption_Click()
{
    ui.AlternateMameText->setEnabled(false);
    // One click always rewrites the pair, each button with its own state.
    storeOption(Option::OriginalMameOption);
    storeOption(Option::AlternateMameOption);
}

void Form1::AlternateMameOption_Click()
{
    ui.AlternateMameText->setEnabled(true);
    storeOption(Option::OriginalMameOption);
    storeOption(Option::AlternateMameOption);
}

void Form1::AdditionalParamCheck_Click()
{
    ui.AdditionalParamText->setEnabled(ui.AdditionalParamCheck->checkValue() == 1);
    storeOption(Option::AdditionalParamCheck);
}

void Form1::FrameskipSlider_Change()
{
    ui.FrameskipLabel->setText(frameskipCaption(ui.FrameskipSlider->value()));
    storeOption(Option::FrameskipSlider);
}

void Form1::RestoreOptions()
{
    for (const OptionKey& key : optionKeys()) {
        const OptionControl control = optionControl(key.option);
        const QString defaultValue = QLatin1String(key.defaultValue);
        const QString stored = m_options.read(optionsSection, QLatin1String(key.name), defaultValue);
        // A value put in the store by hand that the control cannot take gives way to the default, in the
        // control and in the store.
        if (!applyOptionText(control, stored)) {
            applyOptionText(control, defaultValue);
            storeOption(key.option);
        }
    }
    ui.FrameskipLabel->setText(frameskipCaption(ui.FrameskipSlider->value()));
}

} // namespace Orvane
