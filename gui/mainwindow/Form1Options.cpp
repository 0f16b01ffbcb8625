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

#include <cstring>

namespace Orvane
{

QWidget* Form1::optionControl(const OptionKey& key) const
{
    return findChild<QWidget*>(QLatin1String(key.name));
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
    const QWidget* const special[] = {ui.OriginalMameOption, ui.AlternateMameOption, ui.AdditionalParamCheck,
                                      ui.FrameskipSlider};
    for (const OptionKey& key : optionKeys()) {
        QWidget* control = optionControl(key);
        if (std::find(std::begin(special), std::end(special), control) == std::end(special))
            connectOptionChange(control, key.kind, this, [this, name = key.name] { storeOption(name); });
    }
}

void Form1::storeSetting(const char* section, const QString& key, const QString& value)
{
    if (m_options.write(section, key, value)) {
        m_storeFailureReported = false;
        return;
    }
    if (!m_storeFailureReported) {
        m_storeFailureReported = true;
        report(m_options.error());
    }
}

void Form1::storeOption(const char* name)
{
    for (const OptionKey& key : optionKeys()) {
        if (std::strcmp(key.name, name) == 0)
            storeSetting(optionsSection, QLatin1String(name), optionText(optionControl(key), key.kind));
    }
}

void Form1::OriginalMameOption_Click()
{
    ui.AlternateMameText->setEnabled(false);
    // One click always rewrites the pair, each button with its own state.
    storeOption("OriginalMameOption");
    storeOption("AlternateMameOption");
}

void Form1::AlternateMameOption_Click()
{
    ui.AlternateMameText->setEnabled(true);
    storeOption("OriginalMameOption");
    storeOption("AlternateMameOption");
}

void Form1::AdditionalParamCheck_Click()
{
    ui.AdditionalParamText->setEnabled(ui.AdditionalParamCheck->checkValue() == 1);
    storeOption("AdditionalParamCheck");
}

void Form1::FrameskipSlider_Change()
{
    ui.FrameskipLabel->setText(frameskipCaption(ui.FrameskipSlider->value()));
    storeOption("FrameskipSlider");
}

void Form1::RestoreOptions()
{
    for (const OptionKey& key : optionKeys()) {
        QWidget* control = optionControl(key);
        const QString defaultValue = QLatin1String(key.defaultValue);
        const QString stored = m_options.read(optionsSection, QLatin1String(key.name), defaultValue);
        // A value put in the store by hand that the control cannot take gives way to the default, in the
        // control and in the store.
        if (!applyOptionText(control, key.kind, stored)) {
            applyOptionText(control, key.kind, defaultValue);
            storeOption(key.name);
        }
    }
    ui.FrameskipLabel->setText(frameskipCaption(ui.FrameskipSlider->value()));
}

} // namespace Orvane
