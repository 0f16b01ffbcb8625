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
#include <iterator>
#include <variant>

namespace Orvane
{

namespace
{

using ControlMember = std::variant<QRadioButton * Form1Ui::*, QLineEdit * Form1Ui::*, QSlider * Form1Ui::*,
                                   CheckBox * Form1Ui::*, ToggleCheckButton * Form1Ui::*, QComboBox * Form1Ui::*>;

// Whether the user may change an option in this version; the design leaves most of them disabled for good.
enum class Offered
{
    Yes,
    No,
};
// Whether a change of the option only stores its value, or goes to a handler of its own that also stores it.
enum class OnChange
{
    Store,
    OwnHandler,
};

// One option: its control, its key in the settings, the text an absent key reads as, and how the window treats it.
// Restore, write-through and the disabled controls all come from this table. The key is written out rather than
// taken from the control's name, so that renaming a control cannot move what users stored to a new key.
struct OptionDeclaration
{
    ControlMember control;
    const char* key;
    const char* defaultValue;
    Offered offered;
    OnChange onChange;
};

// Every option, once, in the order the window restores them at start-up. A row that names a control the window
// does not have, or one of a kind no binder takes, does not compile.
constexpr OptionDeclaration options[] = {
    {&Form1Ui::OriginalMameOption, "OriginalMameOption", "True", Offered::Yes, OnChange::OwnHandler},
    {&Form1Ui::AlternateMameOption, "AlternateMameOption", "False", Offered::Yes, OnChange::OwnHandler},
    {&Form1Ui::AlternateMameText, "AlternateMameText", "pmame31", Offered::Yes, OnChange::Store},
    {&Form1Ui::AdditionalParamText, "AdditionalParamText", "Nothing !", Offered::Yes, OnChange::Store},
    {&Form1Ui::BeamText, "BeamText", "1.00", Offered::No, OnChange::Store},
    {&Form1Ui::FlickerText, "FlickerText", "0", Offered::No, OnChange::Store},
    {&Form1Ui::FrameskipSlider, "FrameskipSlider", "0", Offered::Yes, OnChange::OwnHandler},
    {&Form1Ui::CheatCheck, "CheatCheck", "0", Offered::No, OnChange::Store},
    {&Form1Ui::AdditionalParamCheck, "AdditionalParamCheck", "0", Offered::Yes, OnChange::OwnHandler},
    {&Form1Ui::BeamCheck, "BeamCheck", "0", Offered::No, OnChange::Store},
    {&Form1Ui::FlickerCheck, "FlickerCheck", "0", Offered::No, OnChange::Store},
    {&Form1Ui::SbOplCheck, "SbOplCheck", "0", Offered::No, OnChange::Store},
    {&Form1Ui::VideoCombo, "VideoCombo", "0", Offered::No, OnChange::Store},
    {&Form1Ui::AudioCombo, "AudioCombo", "0", Offered::No, OnChange::Store},
    {&Form1Ui::DoubleCombo, "DoubleCombo", "0", Offered::No, OnChange::Store},
    {&Form1Ui::DepthCombo, "DepthCombo", "0", Offered::No, OnChange::Store},
    {&Form1Ui::VGAFreqCombo, "VGAFreqCombo", "0", Offered::No, OnChange::Store},
    {&Form1Ui::ScanlinesCombo, "ScanlinesCombo", "0", Offered::No, OnChange::Store},
    {&Form1Ui::VESACombo, "VESACombo", "0", Offered::No, OnChange::Store},
    {&Form1Ui::VSyncCombo, "VSyncCombo", "0", Offered::No, OnChange::Store},
    {&Form1Ui::RotateCombo, "RotateCombo", "0", Offered::No, OnChange::Store},
    {&Form1Ui::FlipCombo, "FlipCombo", "0", Offered::No, OnChange::Store},
    {&Form1Ui::SampleRateCombo, "SampleRateCombo", "0", Offered::No, OnChange::Store},
    {&Form1Ui::BitRateCombo, "BitRateCombo", "0", Offered::No, OnChange::Store},
    {&Form1Ui::AntialiasCombo, "AntialiasCombo", "0", Offered::No, OnChange::Store},
    {&Form1Ui::JoyCombo, "JoyCombo", "0", Offered::No, OnChange::Store},
};

OptionControl controlOf(const Form1Ui& ui, const OptionDeclaration& option)
{
    return std::visit([&ui](auto member) -> OptionControl { return ui.*member; }, option.control);
}

QString keyOf(const Form1Ui& ui, const OptionControl& control)
{
    const auto option = std::find_if(std::begin(options), std::end(options),
                                     [&](const OptionDeclaration& row) { return controlOf(ui, row) == control; });
    Q_ASSERT(option != std::end(options));
    return QLatin1String(option->key);
}

} // namespace

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
    for (const OptionDeclaration& option : options) {
        const OptionControl control = controlOf(ui, option);
        if (option.onChange == OnChange::Store)
            connectOptionChange(control, this, [this, control] { storeOption(control); });
        if (option.offered == Offered::No)
            optionWidget(control)->setEnabled(false);
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

void Form1::storeOption(const OptionControl& control)
{
    storeSetting(optionsSection, keyOf(ui, control), optionText(control));
}

void Form1::OriginalMameOption_Click()
{
    ui.AlternateMameText->setEnabled(false);
    // One click always rewrites the pair, each button with its own state.
    storeOption(ui.OriginalMameOption);
    storeOption(ui.AlternateMameOption);
}

void Form1::AlternateMameOption_Click()
{
    ui.AlternateMameText->setEnabled(true);
    storeOption(ui.OriginalMameOption);
    storeOption(ui.AlternateMameOption);
}

void Form1::AdditionalParamCheck_Click()
{
    ui.AdditionalParamText->setEnabled(ui.AdditionalParamCheck->checkValue() == 1);
    storeOption(ui.AdditionalParamCheck);
}

void Form1::FrameskipSlider_Change()
{
    ui.FrameskipLabel->setText(frameskipCaption(ui.FrameskipSlider->value()));
    storeOption(ui.FrameskipSlider);
}

void Form1::RestoreOptions()
{
    for (const OptionDeclaration& option : options) {
        const OptionControl control = controlOf(ui, option);
        const QString defaultValue = QLatin1String(option.defaultValue);
        const QString stored = m_options.read(optionsSection, QLatin1String(option.key), defaultValue);
        // A value put in the store by hand that the control cannot take gives way to the default, in the
        // control and in the store.
        if (!applyOptionText(control, stored)) {
            applyOptionText(control, defaultValue);
            storeOption(control);
        }
    }
    ui.FrameskipLabel->setText(frameskipCaption(ui.FrameskipSlider->value()));
}

} // namespace Orvane
