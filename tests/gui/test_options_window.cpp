// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "ProgramFolder.h"
#include "RecordingLauncher.h"
#include "RecordingMessages.h"
#include "RecordingOpener.h"
#include "SettingsFile.h"
#include "WindowControls.h"

#include "gui/mainwindow/Form1.h"
#include "gui/widgets/CheckControls.h"
#include "gui/widgets/SortedListBox.h"
#include "settings/OptionStore.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSettings>
#include <QSlider>
#include <QTest>

#include <memory>

using namespace Orvane;
using namespace Qt::StringLiterals;

class TestOptionsWindow final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void firstStartShowsTheDefaultsAndWritesOnlyWhatChanged();
    void typingWritesEveryKeystroke();
    void programChoiceRewritesThePair();
    void bothProgramKeysTrue();
    void bothProgramKeysFalseLaunchTheAlternateBuild();
    void storedValuesComeBack();
    void rejectedValuesFallBackToTheirDefaults();
    void eachKindWritesItsTextForm();
    void greyedCheckBoxClickedStoresOneZeroOne();
    void closingWritesNothing();

private:
    void start(bool controlsRenamed = false);
    void restart();
    void store(const char* key, const QString& value);
    QMap<QString, QString> options() const { return storedSettings(m_settingsFile, u"Options"_s); }
    template <typename Widget> Widget* control(const char* name) const { return findControl<Widget>(*m_window, name); }

    std::unique_ptr<QTemporaryDir> m_configHome;
    QString m_settingsFile;
    std::unique_ptr<ProgramFolder> m_folder;
    RecordingLauncher m_shell;
    RecordingMessages m_messages;
    RecordingOpener m_opener;
    std::unique_ptr<OptionStore> m_options;
    std::unique_ptr<Form1> m_window;
};

void TestOptionsWindow::init()
{
    // The user's own store, moved into an empty folder of this test's.
    m_configHome = std::make_unique<QTemporaryDir>();
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_configHome->path()));
    m_settingsFile = m_configHome->filePath(u"Orvane/Orvane.conf"_s);
    m_folder = std::make_unique<ProgramFolder>();
    m_folder->write(u"Orvane.sys"_s, "h\r\nabc       \"Alpha\"\r\n");
    m_folder->write(u"ROMS/abc/a.rom"_s, "x");
    m_messages = RecordingMessages();
    m_shell.started.clear();
}

void TestOptionsWindow::cleanup()
{
    m_window.reset();
    m_options.reset();
    m_folder.reset();
    m_configHome.reset();
}

void TestOptionsWindow::start(bool controlsRenamed)
{
    m_options = OptionStore::forUser();
    QCOMPARE(m_options->location(), m_settingsFile);
    m_window = std::make_unique<Form1>(m_folder->path(), Form1Services{m_shell, m_messages, *m_options, m_opener});
    // Renamed, every control must still read and rewrite the keys users have stored.
    const QList<QWidget*> named =
        controlsRenamed ? m_window->findChildren<QWidget*>(QRegularExpression(u"^[A-Z]"_s)) : QList<QWidget*>();
    for (QWidget* widget : named)
        widget->setObjectName(u"renamed" + widget->objectName());
    m_window->Form_Load();
    for (QWidget* widget : named)
        widget->setObjectName(widget->objectName().mid(7));
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void TestOptionsWindow::restart()
{
    m_window.reset();
    m_options.reset();
    start();
}

void TestOptionsWindow::store(const char* key, const QString& value)
{
    QSettings settings(m_settingsFile, QSettings::IniFormat);
    settings.setValue(u"Options/"_s + QLatin1String(key), value);
}

void TestOptionsWindow::firstStartShowsTheDefaultsAndWritesOnlyWhatChanged()
{
    start();
    QVERIFY(control<QRadioButton>("OriginalMameOption")->isChecked());
    QVERIFY(!control<QRadioButton>("AlternateMameOption")->isChecked());
    QCOMPARE(control<QLineEdit>("AlternateMameText")->text(), u"pmame31"_s);
    QVERIFY(!control<QLineEdit>("AlternateMameText")->isEnabled());
    QCOMPARE(control<QLineEdit>("AdditionalParamText")->text(), u"Nothing !"_s);
    QVERIFY(!control<QLineEdit>("AdditionalParamText")->isEnabled());
    QCOMPARE(control<QLineEdit>("BeamText")->text(), u"1.00"_s);
    QCOMPARE(control<QLineEdit>("FlickerText")->text(), u"0"_s);
    for (const char* box : {"AdditionalParamCheck", "BeamCheck", "FlickerCheck", "SbOplCheck"})
        QCOMPARE(control<CheckBox>(box)->checkValue(), 0);
    QCOMPARE(control<ToggleCheckButton>("CheatCheck")->checkValue(), 0);
    QCOMPARE(control<QSlider>("FrameskipSlider")->value(), 0);
    QCOMPARE(control<QLabel>("FrameskipLabel")->text(), u"Frameskip: 0"_s);

    // Only the controls whose design-time value differed from the default ran their handlers.
    QMap<QString, QString> expected{{u"AlternateMameText"_s, u"pmame31"_s}, {u"AdditionalParamText"_s, u"Nothing !"_s}};
    for (QComboBox* list : m_window->findChildren<QComboBox*>()) {
        if (list->objectName() == u"PlaybackCombo")
            continue;
        QCOMPARE(list->currentIndex(), 0);
        expected.insert(list->objectName(), u"0"_s);
    }
    QCOMPARE(expected.size(), 16);
    QCOMPARE(options(), expected);
    QVERIFY(storedSettings(m_settingsFile, u"Games"_s).isEmpty());
}

void TestOptionsWindow::typingWritesEveryKeystroke()
{
    start();
    auto* check = control<CheckBox>("AdditionalParamCheck");
    auto* text = control<QLineEdit>("AdditionalParamText");
    QTest::mouseClick(check, Qt::LeftButton);
    QVERIFY(text->isEnabled());
    QCOMPARE(options().value(u"AdditionalParamCheck"_s), u"1"_s);

    text->clear();
    QCOMPARE(options().value(u"AdditionalParamText"_s, u"absent"_s), QString());
    QStringList seen;
    connect(text, &QLineEdit::textChanged, this, [&] { seen << options().value(u"AdditionalParamText"_s); });
    QTest::keyClicks(text, u"abc"_s);
    QCOMPARE(seen, (QStringList{u"a"_s, u"ab"_s, u"abc"_s}));
    // The whole text is kept as it was typed, blanks included.
    QTest::keyClicks(text, u" -x  "_s);
    QCOMPARE(options().value(u"AdditionalParamText"_s), u"abc -x  "_s);
    // An option's value is remembered, never handed to the emulator: Play's line stays as it is.
    control<SortedListBox>("GamesList")->setSelectedIndex(0);
    m_window->PlayButton_Click();
    QCOMPARE(m_shell.started.back(), std::string("MESS abc \"a.rom\" "));

    QTest::mouseClick(check, Qt::LeftButton);
    QVERIFY(!text->isEnabled());
    QCOMPARE(options().value(u"AdditionalParamCheck"_s), u"0"_s);

    // An emptied box comes back empty, not with the default text.
    text->clear();
    restart();
    QCOMPARE(control<QLineEdit>("AdditionalParamText")->text(), QString());
}

void TestOptionsWindow::programChoiceRewritesThePair()
{
    start();
    QTest::mouseClick(control<QRadioButton>("AlternateMameOption"), Qt::LeftButton);
    QCOMPARE(options().value(u"OriginalMameOption"_s), u"False"_s);
    QCOMPARE(options().value(u"AlternateMameOption"_s), u"True"_s);
    QVERIFY(control<QLineEdit>("AlternateMameText")->isEnabled());
    QTest::mouseClick(control<QRadioButton>("OriginalMameOption"), Qt::LeftButton);
    QCOMPARE(options().value(u"OriginalMameOption"_s), u"True"_s);
    QCOMPARE(options().value(u"AlternateMameOption"_s), u"False"_s);
    QVERIFY(!control<QLineEdit>("AlternateMameText")->isEnabled());
}

void TestOptionsWindow::bothProgramKeysTrue()
{
    store("OriginalMameOption", u"True"_s);
    store("AlternateMameOption", u"true"_s);
    start();
    QVERIFY(!control<QRadioButton>("OriginalMameOption")->isChecked());
    QVERIFY(control<QRadioButton>("AlternateMameOption")->isChecked());
    QVERIFY(control<QLineEdit>("AlternateMameText")->isEnabled());
    QCOMPARE(options().value(u"OriginalMameOption"_s), u"False"_s);
    QCOMPARE(options().value(u"AlternateMameOption"_s), u"True"_s);
}

void TestOptionsWindow::bothProgramKeysFalseLaunchTheAlternateBuild()
{
    store("OriginalMameOption", u"False"_s);
    store("AlternateMameOption", u"0"_s);
    store("AlternateMameText", u"emu9"_s);
    start();
    QVERIFY(!control<QRadioButton>("OriginalMameOption")->isChecked());
    QVERIFY(!control<QRadioButton>("AlternateMameOption")->isChecked());
    QVERIFY(!control<QLineEdit>("AlternateMameText")->isEnabled());
    control<SortedListBox>("GamesList")->setSelectedIndex(0);
    m_window->PlayButton_Click();
    QCOMPARE(m_shell.started.back(), std::string("emu9 abc \"a.rom\" "));
}

void TestOptionsWindow::storedValuesComeBack()
{
    store("AdditionalParamCheck", u"2"_s);
    store("AdditionalParamText", u"-nosound"_s);
    store("VideoCombo", u"-1"_s);
    store("RotateCombo", u"2.5"_s);
    store("FrameskipSlider", u"3"_s);
    store("CheatCheck", u"1"_s);
    start(true);
    QCOMPARE(control<CheckBox>("AdditionalParamCheck")->checkState(), Qt::PartiallyChecked);
    QVERIFY(!control<QLineEdit>("AdditionalParamText")->isEnabled());
    QCOMPARE(control<QLineEdit>("AdditionalParamText")->text(), u"-nosound"_s);
    QCOMPARE(control<QComboBox>("VideoCombo")->currentIndex(), -1);
    QCOMPARE(control<QComboBox>("RotateCombo")->currentIndex(), 2);
    QCOMPARE(control<QSlider>("FrameskipSlider")->value(), 3);
    QCOMPARE(control<QLabel>("FrameskipLabel")->text(), u"Frameskip: 3"_s);
    QCOMPARE(control<ToggleCheckButton>("CheatCheck")->checkValue(), 1);
    QVERIFY(control<ToggleCheckButton>("CheatCheck")->isChecked());
    QCOMPARE(options().value(u"AdditionalParamCheck"_s), u"2"_s);
    QCOMPARE(options().value(u"VideoCombo"_s), u"-1"_s);
    QCOMPARE(options().value(u"RotateCombo"_s), u"2"_s);
}

void TestOptionsWindow::rejectedValuesFallBackToTheirDefaults()
{
    store("VideoCombo", u"99"_s);
    store("JoyCombo", u"70000"_s);
    store("FrameskipSlider", u"7"_s);
    store("OriginalMameOption", u"maybe"_s);
    store("BeamCheck", u"3"_s);
    start();
    QCOMPARE(control<QComboBox>("VideoCombo")->currentIndex(), 0);
    QCOMPARE(control<QComboBox>("JoyCombo")->currentIndex(), 0);
    QCOMPARE(control<QSlider>("FrameskipSlider")->value(), 0);
    QVERIFY(control<QRadioButton>("OriginalMameOption")->isChecked());
    QCOMPARE(control<CheckBox>("BeamCheck")->checkValue(), 0);
    // The store holds the defaults in their place.
    QCOMPARE(options().value(u"VideoCombo"_s), u"0"_s);
    QCOMPARE(options().value(u"JoyCombo"_s), u"0"_s);
    QCOMPARE(options().value(u"FrameskipSlider"_s), u"0"_s);
    QCOMPARE(options().value(u"OriginalMameOption"_s), u"True"_s);
    QCOMPARE(options().value(u"BeamCheck"_s), u"0"_s);
    QVERIFY(m_messages.informed.isEmpty());
}

void TestOptionsWindow::eachKindWritesItsTextForm()
{
    start();
    control<QComboBox>("RotateCombo")->setCurrentIndex(2);
    QCOMPARE(options().value(u"RotateCombo"_s), u"2"_s);
    control<QComboBox>("FlipCombo")->setCurrentIndex(-1);
    QCOMPARE(options().value(u"FlipCombo"_s), u"-1"_s);
    control<QSlider>("FrameskipSlider")->setValue(3);
    QCOMPARE(options().value(u"FrameskipSlider"_s), u"3"_s);
    QCOMPARE(control<QLabel>("FrameskipLabel")->text(), u"Frameskip: 3"_s);
    control<CheckBox>("SbOplCheck")->setCheckValue(2);
    QCOMPARE(options().value(u"SbOplCheck"_s), u"2"_s);
    control<ToggleCheckButton>("CheatCheck")->setCheckValue(1);
    QCOMPARE(options().value(u"CheatCheck"_s), u"1"_s);
    control<QLineEdit>("BeamText")->setText(u"2.50"_s);
    QCOMPARE(options().value(u"BeamText"_s), u"2.50"_s);

    // The vector check boxes store themselves and touch nothing else.
    const bool beamTextEnabled = control<QLineEdit>("BeamText")->isEnabled();
    control<CheckBox>("BeamCheck")->setCheckValue(1);
    control<CheckBox>("FlickerCheck")->setCheckValue(2);
    QCOMPARE(options().value(u"BeamCheck"_s), u"1"_s);
    QCOMPARE(options().value(u"FlickerCheck"_s), u"2"_s);
    QCOMPARE(control<QLineEdit>("BeamText")->isEnabled(), beamTextEnabled);
    QCOMPARE(control<QLineEdit>("FlickerText")->isEnabled(), beamTextEnabled);

    // None of them reaches the command line.
    control<SortedListBox>("GamesList")->setSelectedIndex(0);
    m_window->PlayButton_Click();
    QCOMPARE(m_shell.started.back(), std::string("MESS abc \"a.rom\" "));
}

void TestOptionsWindow::greyedCheckBoxClickedStoresOneZeroOne()
{
    store("SbOplCheck", u"2"_s);
    start();
    auto* check = control<CheckBox>("SbOplCheck");
    QCOMPARE(check->checkValue(), 2);
    // The design leaves it disabled; a user's click is what is tested here.
    check->setEnabled(true);
    QStringList stored;
    for (int click = 0; click < 3; ++click) {
        QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(6, check->height() / 2));
        stored << options().value(u"SbOplCheck"_s);
    }
    QCOMPARE(stored, (QStringList{u"1"_s, u"0"_s, u"1"_s}));
}

void TestOptionsWindow::closingWritesNothing()
{
    start();
    QTest::mouseClick(control<QRadioButton>("AlternateMameOption"), Qt::LeftButton);
    QFile before(m_settingsFile);
    QVERIFY(before.open(QIODevice::ReadOnly));
    const QByteArray content = before.readAll();
    const QDateTime modified = QFileInfo(m_settingsFile).lastModified();
    m_window->close();
    m_window.reset();
    m_options.reset();
    QFile after(m_settingsFile);
    QVERIFY(after.open(QIODevice::ReadOnly));
    QCOMPARE(after.readAll(), content);
    QCOMPARE(QFileInfo(m_settingsFile).lastModified(), modified);
}

QTEST_MAIN(TestOptionsWindow)
#include "test_options_window.moc"
