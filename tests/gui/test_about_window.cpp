// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "RecordingLauncher.h"
#include "RecordingMessages.h"
#include "RecordingOpener.h"

#include "gui/about/AboutInfo.h"
#include "gui/about/FrmAbouttov.h"
#include "gui/mainwindow/Form1.h"
#include "settings/OptionStore.h"

#include <QLabel>
#include <QPushButton>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <functional>
#include <memory>

using namespace Orvane;
using namespace Qt::StringLiterals;

class TestAboutWindow final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void versionLine();
    void questionMarkShowsTheWindowModally();
    void eachShowingIsBuiltAfresh();
    void shellButtonsOpenTheirTargetAndClose_data();
    void shellButtonsOpenTheirTargetAndClose();

private:
    // Presses "?" and, once the About window is up, runs `whileOpen` on it; returns when the window is gone.
    void withAboutWindow(const std::function<void(FrmAbouttov*)>& whileOpen);

    QTemporaryDir m_folder;
    RecordingLauncher m_shell;
    RecordingMessages m_messages;
    RecordingOpener m_opener;
    std::unique_ptr<OptionStore> m_options;
    std::unique_ptr<Form1> m_window;
};

void TestAboutWindow::init()
{
    m_opener = RecordingOpener();
    m_options = OptionStore::inFile(m_folder.filePath(u"config/Orvane/Orvane.conf"_s));
    m_window = std::make_unique<Form1>(m_folder.path(), Form1Services{m_shell, m_messages, *m_options, m_opener});
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void TestAboutWindow::cleanup()
{
    m_window.reset();
    m_options.reset();
}

void TestAboutWindow::withAboutWindow(const std::function<void(FrmAbouttov*)>& whileOpen)
{
    bool ran = false;
    QTimer::singleShot(0, this, [&] {
        auto* about = qobject_cast<FrmAbouttov*>(QApplication::activeModalWidget());
        QVERIFY(about);
        ran = true;
        // A failed check leaves the lambda early: the window must still close, or the test would hang.
        const auto closeWhateverHappens = qScopeGuard([about] {
            if (about->isVisible())
                about->reject();
        });
        whileOpen(about);
    });
    QTest::mouseClick(m_window->findChild<QPushButton*>(u"AboutButton"_s), Qt::LeftButton);
    QVERIFY(ran);
    QVERIFY(!m_window->findChild<FrmAbouttov*>());
}

void TestAboutWindow::versionLine()
{
    QCOMPARE(Orvane::versionLine(u"Orvane"_s, 0, 0, 6), u"Orvane v0.0.6"_s);
    QCOMPARE(Orvane::versionLine(u"Orvane"_s, 1, 12, 0), u"Orvane v1.12.0"_s);
    QCOMPARE(Orvane::versionLine(u"Orvane"_s, 0, 0, 12), u"Orvane v0.0.12"_s);
}

void TestAboutWindow::questionMarkShowsTheWindowModally()
{
    withAboutWindow([&](FrmAbouttov* about) {
        QVERIFY(about->isModal());
        QCOMPARE(about->parentWidget(), m_window.get());
        QCOMPARE(about->windowTitle(), u"About..."_s);
        QCOMPARE(about->findChild<QLabel*>(u"Label1"_s)->text(), u"Orvane v0.0.6"_s);
        QCOMPARE(about->focusWidget(), about->findChild<QToolButton*>(u"Command3"_s));
        // Centred on its owner. Wine, with no window manager to draw frames, places it lower by its title bar.
        const QPoint offset = about->frameGeometry().center() - m_window->frameGeometry().center();
        if (qEnvironmentVariableIsSet("ORVANE_UNDER_WINE"))
            QEXPECT_FAIL("", "Wine without a window manager places a dialog by its client area", Continue);
        QVERIFY2(qAbs(offset.x()) <= 2 && qAbs(offset.y()) <= 2,
                 qPrintable(QStringLiteral("%1,%2").arg(offset.x()).arg(offset.y())));
        QTest::keyClick(about, Qt::Key_Escape);
    });
    QVERIFY(m_opener.opened.isEmpty());
}

void TestAboutWindow::eachShowingIsBuiltAfresh()
{
    QPointer<FrmAbouttov> first;
    withAboutWindow([&](FrmAbouttov* about) {
        first = about;
        // Whatever was done to it, the next showing starts from its load again.
        about->findChild<QLabel*>(u"Label1"_s)->setText(u"changed"_s);
        QTest::mouseClick(about->findChild<QPushButton*>(u"Command1"_s), Qt::LeftButton);
    });
    QVERIFY(first.isNull());
    withAboutWindow([&](FrmAbouttov* about) {
        QCOMPARE(about->findChild<QLabel*>(u"Label1"_s)->text(), u"Orvane v0.0.6"_s);
        QTest::keyClick(about, Qt::Key_Return); // Enter means Ok
    });
}

void TestAboutWindow::shellButtonsOpenTheirTargetAndClose_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("openerSucceeds");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("pageOnDisk"); // the help page as it is spelt in the program folder, if there
    const QString help = QDir::toNativeSeparators(m_folder.filePath(u"Orvane.htm"_s));
    QTest::newRow("Doc") << u"Command2"_s << true << help << QString();
    QTest::newRow("Doc, no help page") << u"Command2"_s << false << help << QString();
#ifdef Q_OS_UNIX
    // Only where file names tell letter cases apart does the spelling on disk differ from the one asked for.
    QTest::newRow("Doc, help page in another letter case")
        << u"Command2"_s << true << QDir::toNativeSeparators(m_folder.filePath(u"ORVANE.HTM"_s)) << u"ORVANE.HTM"_s;
#endif
    QTest::newRow("home page") << u"Command3"_s << true << u"https://www.example.org/orvane/"_s << QString();
    QTest::newRow("home page, no browser")
        << u"Command3"_s << false << u"https://www.example.org/orvane/"_s << QString();
    QTest::newRow("e-mail") << u"Command4"_s << true << u"mailto:orvane@example.org?Subject=Orvane program"_s
                            << QString();
    QTest::newRow("e-mail, no mail program")
        << u"Command4"_s << false << u"mailto:orvane@example.org?Subject=Orvane program"_s << QString();
}

void TestAboutWindow::shellButtonsOpenTheirTargetAndClose()
{
    QFETCH(QString, button);
    QFETCH(bool, openerSucceeds);
    QFETCH(QString, target);
    QFETCH(QString, pageOnDisk);
    QFile page(m_folder.filePath(pageOnDisk));
    if (!pageOnDisk.isEmpty())
        QVERIFY(page.open(QIODevice::WriteOnly));
    const auto removePage = qScopeGuard([&] { page.remove(); });
    m_opener.succeeds = openerSucceeds;
    QWidget* aboutWindow = nullptr;
    withAboutWindow([&](FrmAbouttov* about) {
        aboutWindow = about;
        QTest::mouseClick(about->findChild<QAbstractButton*>(button), Qt::LeftButton);
    });
    QCOMPARE(m_opener.opened, QStringList{target});
    // The About window asks: the desktop's messages about it belong to that window.
    QCOMPARE(m_opener.owners, QList<QWidget*>{aboutWindow});
    QVERIFY(m_messages.informed.isEmpty());
    // The mail's subject is the running program's title, whatever it is.
    if (button == u"Command4"_s) {
        FrmAbouttov other({u"Renamed"_s, 0, 0, 6, m_folder.path()}, m_opener, m_window.get());
        other.Command4_Click();
        QCOMPARE(m_opener.opened.last(), u"mailto:orvane@example.org?Subject=Renamed program"_s);
    }
}

QTEST_MAIN(TestAboutWindow)
#include "test_about_window.moc"
