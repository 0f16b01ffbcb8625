// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

class QAction;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMainWindow;
class QMenu;
class QPushButton;
class QRadioButton;
class QSlider;
class QString;
class QWidget;

namespace Orvane
{

class CheckBox;
class FileListBox;
class SortedListBox;
class ToggleCheckButton;

// The controls of the main window, each named as its objectName. Controls without a role keep numbered names.
struct Form1Ui
{
    // Placed on the window.
    QGroupBox* Frame1 = nullptr;
    QGroupBox* Frame5 = nullptr;
    QPushButton* SwapListCommand = nullptr;
    QPushButton* GamesListCommand = nullptr;
    QLabel* CommandlineLabel = nullptr;
    QGroupBox* Frame2 = nullptr;
    QGroupBox* Frame3 = nullptr;
    QGroupBox* Frame6 = nullptr;
    FileListBox* INPFile = nullptr;

    // The lists, in Frame1.
    QLabel* Label14 = nullptr;
    SortedListBox* EmulatedSystemList = nullptr;
    QFrame* Line1 = nullptr;
    QLabel* Label15 = nullptr;
    SortedListBox* GamesList = nullptr;

    // "General", in Frame5.
    QRadioButton* OriginalMameOption = nullptr;
    QPushButton* AboutButton = nullptr;
    QRadioButton* AlternateMameOption = nullptr;
    QLineEdit* AlternateMameText = nullptr;
    CheckBox* AdditionalParamCheck = nullptr;
    QLineEdit* AdditionalParamText = nullptr;
    ToggleCheckButton* CheatCheck = nullptr;
    QPushButton* Command1 = nullptr;
    QComboBox* PlaybackCombo = nullptr;
    QPushButton* Command2 = nullptr;
    QLineEdit* RecText = nullptr;
    QPushButton* PlayButton = nullptr;

    // "Graphics", in Frame2, with "Vector" (Frame4) inside it.
    QLabel* Label7 = nullptr;
    QComboBox* VideoCombo = nullptr;
    QLabel* Label4 = nullptr;
    QComboBox* DoubleCombo = nullptr;
    QLabel* Label5 = nullptr;
    QComboBox* DepthCombo = nullptr;
    QLabel* Label6 = nullptr;
    QComboBox* VGAFreqCombo = nullptr;
    QLabel* FrameskipLabel = nullptr;
    QSlider* FrameskipSlider = nullptr;
    QLabel* Label8 = nullptr;
    QComboBox* ScanlinesCombo = nullptr;
    QLabel* Label9 = nullptr;
    QComboBox* VESACombo = nullptr;
    QLabel* Label10 = nullptr;
    QComboBox* VSyncCombo = nullptr;
    QLabel* Label11 = nullptr;
    QComboBox* RotateCombo = nullptr;
    QLabel* Label12 = nullptr;
    QComboBox* FlipCombo = nullptr;
    QGroupBox* Frame4 = nullptr;
    QLabel* Label13 = nullptr;
    QComboBox* AntialiasCombo = nullptr;
    CheckBox* BeamCheck = nullptr;
    QLineEdit* BeamText = nullptr;
    CheckBox* FlickerCheck = nullptr;
    QLineEdit* FlickerText = nullptr;

    // "Sound", in Frame3.
    QLabel* Label1 = nullptr;
    QComboBox* AudioCombo = nullptr;
    QLabel* Label2 = nullptr;
    QComboBox* SampleRateCombo = nullptr;
    QLabel* Label3 = nullptr;
    QComboBox* BitRateCombo = nullptr;
    CheckBox* SbOplCheck = nullptr;

    // "Joystick", in Frame6.
    QComboBox* JoyCombo = nullptr;

    QMenu* FileMenu = nullptr;
    QAction* UpdateSystemsMenu = nullptr;
    // Checkable: the systems list shows only the systems with images.
    QAction* OnlyWithImagesMenu = nullptr;

    // Builds every control in its design-time state on `window`, whose client area it fixes.
    void setupUi(QMainWindow* window);
};

class ControlBuilder;
// Builds the option frames, below the client area, on `client`.
void setupOptionFrames(Form1Ui& ui, QWidget* client, ControlBuilder& builder);

// The caption of FrameskipLabel for a slider position.
QString frameskipCaption(int position);

} // namespace Orvane
