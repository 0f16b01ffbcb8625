// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "gui/mainwindow/Form1Ui.h"
#include "gui/widgets/CheckControls.h"
#include "gui/widgets/ControlBuilder.h"
#include "settings/SettingsText.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>

namespace Orvane
{

namespace
{

QLabel* label(ControlBuilder& builder, QWidget* parent, const char* name, QRect geometry, int tabIndex,
              const char* caption)
{
    return builder.add<QLabel>(parent, name, geometry, tabIndex, FontStyle::Normal, QString::fromUtf8(caption));
}

} // namespace

QString frameskipCaption(int position)
{
    return u"Frameskip: " + numberToText(position);
}

// The graphics, sound and joystick options. They lie below the client area and, apart from the slider, are
// disabled: their values are kept for the user but no longer offered.
void setupOptionFrames(Form1Ui& ui, QWidget* client, ControlBuilder& builder)
{
    ui.Frame2 = builder.add<QGroupBox>(client, "Frame2", twipsRect(120, 4920, 6732, 2292), 1, FontStyle::Normal,
                                       QStringLiteral("Graphics"));
    QGroupBox* graphics = ui.Frame2;
    ui.Label7 = label(builder, graphics, "Label7", twipsRect(120, 360, 972, 252), 23, "Resolution:");
    ui.VideoCombo =
        builder.addList(graphics, "VideoCombo", twipsRect(1080, 360, 1212, 264), 4,
                        {"Default [Auto]", "320x240", "400x300", "512x384", "640x480", "800x600", "1024x768"});
    ui.VideoCombo->setToolTip(QStringLiteral("Choose your prefered res here..."));
    ui.Label4 = label(builder, graphics, "Label4", twipsRect(120, 720, 972, 252), 18, "Double pixel:");
    ui.DoubleCombo =
        builder.addList(graphics, "DoubleCombo", twipsRect(1080, 720, 1212, 264), 17, {"Default [Auto]", "Yes", "No"});
    ui.DoubleCombo->setToolTip(QStringLiteral("Can make redraws faster but reduce the image..."));
    ui.Label5 = label(builder, graphics, "Label5", twipsRect(120, 1080, 972, 252), 20, "Color depth:");
    ui.DepthCombo = builder.addList(graphics, "DepthCombo", twipsRect(1080, 1080, 1212, 264), 19,
                                    {"Default [16bit]", "8bit [256]", "16bit [65k]"});
    ui.Label6 = label(builder, graphics, "Label6", twipsRect(120, 1440, 852, 252), 22, "VGA Freq.:");
    ui.VGAFreqCombo =
        builder.addList(graphics, "VGAFreqCombo", twipsRect(1080, 1440, 1212, 264), 21, {"Default [0]", "1", "2", "3"});
    ui.VGAFreqCombo->setToolTip(
        QStringLiteral("WARNING: Can damage your monitior ! Please read MAME documentation..."));
    ui.FrameskipLabel = builder.add<QLabel>(graphics, "FrameskipLabel", twipsRect(120, 1800, 972, 252), 2,
                                            FontStyle::Normal, frameskipCaption(0));
    ui.FrameskipSlider = builder.add<QSlider>(graphics, "FrameskipSlider", twipsRect(1080, 1800, 1212, 252), 3,
                                              FontStyle::Normal, Qt::Horizontal);
    ui.FrameskipSlider->setRange(0, 3);
    ui.FrameskipSlider->setSingleStep(1);
    ui.FrameskipSlider->setPageStep(5);
    ui.FrameskipSlider->setTickPosition(QSlider::TicksBelow);
    ui.FrameskipSlider->setTickInterval(1);
    ui.FrameskipSlider->setValue(0);
    ui.Label8 = label(builder, graphics, "Label8", twipsRect(2520, 360, 732, 252), 30, "Scanlines:");
    ui.ScanlinesCombo = builder.addList(graphics, "ScanlinesCombo", twipsRect(3360, 360, 1212, 264), 28,
                                        {"Default", "Scanlines", "No scanlines"});
    ui.Label9 = label(builder, graphics, "Label9", twipsRect(2520, 720, 492, 252), 31, "VESA:");
    ui.VESACombo =
        builder.addList(graphics, "VESACombo", twipsRect(3360, 720, 1212, 264), 29, {"Default", "VESA", "No VESA"});
    ui.Label10 = label(builder, graphics, "Label10", twipsRect(2520, 1080, 492, 252), 33, "VSync:");
    ui.VSyncCombo =
        builder.addList(graphics, "VSyncCombo", twipsRect(3360, 1080, 1212, 264), 32, {"Default", "VSync", "No VSync"});
    ui.Label11 = label(builder, graphics, "Label11", twipsRect(2520, 1440, 492, 252), 35, "Rotate:");
    ui.RotateCombo = builder.addList(graphics, "RotateCombo", twipsRect(3360, 1440, 1212, 264), 34,
                                     {"Default", "No rotate", "Clockwise", "Anit-clockwise"});
    ui.Label12 = label(builder, graphics, "Label12", twipsRect(2520, 1800, 492, 252), 37, "Flip:");
    ui.FlipCombo = builder.addList(graphics, "FlipCombo", twipsRect(3360, 1800, 1212, 264), 36,
                                   {"Default", "X only", "Y only", "X&Y"});

    ui.Frame4 = builder.add<QGroupBox>(graphics, "Frame4", twipsRect(4800, 240, 1692, 1812), 49, FontStyle::Normal,
                                       QStringLiteral("Vector"));
    QGroupBox* vector = ui.Frame4;
    ui.Label13 = label(builder, vector, "Label13", twipsRect(120, 240, 852, 252), 55, "Antialiasing:");
    ui.AntialiasCombo = builder.addList(vector, "AntialiasCombo", twipsRect(120, 480, 1452, 264), 50,
                                        {"Default", "Antialias", "No Antialias"});
    ui.BeamCheck = builder.add<CheckBox>(vector, "BeamCheck", twipsRect(120, 960, 732, 252), 52, FontStyle::Normal,
                                         QStringLiteral("Beam:"));
    ui.BeamText = builder.add<QLineEdit>(vector, "BeamText", twipsRect(960, 960, 612, 288), 54, FontStyle::Fixed,
                                         QStringLiteral("1.00"));
    ui.FlickerCheck = builder.add<CheckBox>(vector, "FlickerCheck", twipsRect(120, 1320, 852, 252), 51,
                                            FontStyle::Normal, QStringLiteral("Flicker:"));
    ui.FlickerText = builder.add<QLineEdit>(vector, "FlickerText", twipsRect(960, 1320, 612, 288), 53, FontStyle::Fixed,
                                            QStringLiteral("0"));

    ui.Frame3 = builder.add<QGroupBox>(client, "Frame3", twipsRect(6960, 4920, 2772, 1692), 5, FontStyle::Normal,
                                       QStringLiteral("Sound"));
    QGroupBox* sound = ui.Frame3;
    ui.Label1 = label(builder, sound, "Label1", twipsRect(120, 360, 852, 252), 11, "Soundcard:");
    ui.AudioCombo =
        builder.addList(sound, "AudioCombo", twipsRect(960, 360, 1692, 264), 6,
                        {"Ask Interactively", "Silence", "Sound Blaster", "Sound Blaster AWE32", "Pro Audio Spectrum",
                         "Ultrasound MAX", "Ultrasound", "Windows Sound System", "Ensoniq Soundscape"});
    ui.AudioCombo->setToolTip(QStringLiteral("Choose SB if you got a SB AWE32 for better results"));
    ui.Label2 = label(builder, sound, "Label2", twipsRect(120, 720, 972, 252), 12, "Sample rate:");
    ui.SampleRateCombo = builder.addList(sound, "SampleRateCombo", twipsRect(1080, 720, 1212, 264), 13,
                                         {"Default", "11,025 kHz", "22,050 kHz", "44,100 kHz"});
    ui.Label3 = label(builder, sound, "Label3", twipsRect(120, 1080, 732, 252), 14, "Bit rate:");
    ui.BitRateCombo =
        builder.addList(sound, "BitRateCombo", twipsRect(1080, 1080, 1212, 264), 15, {"Default", "8 bits", "16 bits"});
    ui.BitRateCombo->setToolTip(QStringLiteral("For the software sound rendering engine not your soundcard..."));
    ui.SbOplCheck = builder.add<CheckBox>(sound, "SbOplCheck", twipsRect(120, 1440, 2412, 192), 16, FontStyle::Normal,
                                          QStringLiteral("Use the SoundBlaster OPL chip"));
    ui.SbOplCheck->setToolTip(QStringLiteral("Faster but less faithful"));

    ui.Frame6 = builder.add<QGroupBox>(client, "Frame6", twipsRect(6960, 6600, 2772, 612), 38, FontStyle::Normal,
                                       QStringLiteral("Joystick"));
    ui.JoyCombo =
        builder.addList(ui.Frame6, "JoyCombo", twipsRect(240, 240, 2412, 264), 39,
                        {"Default", "No Joystick", "Normal 2 button", "CH Flightstick Pro", "Stick/Pad with 4 buttons",
                         "Stick/Pad with 6 buttons", "Dual joysticks", "Wingman Extreme or Warrior"});
}

} // namespace Orvane
