// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "RecordingLauncher.h"
#include "RecordingMessages.h"
#include "RecordingOpener.h"
#include "bench/BenchFolder.h"

#include "catalogue/ImageList.h"
#include "catalogue/LineOrder.h"
#include "gui/mainwindow/Form1.h"
#include "gui/widgets/SortedListBox.h"
#include "settings/OptionStore.h"

#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <random>

using namespace Orvane;
using namespace Qt::StringLiterals;

// The order and contents of the lists at today's sizes: 45,000 systems and an image folder of 100,000 files.
class TestUnderLoad final : public QObject
{
    Q_OBJECT

private slots:
    void lineOrderMatchesItsDefinition();
    void sortedListsMatchTheDefinition();
    void realSizedFolder();
};

// The order by its definition: the whole text compared without regard to case, then with it.
static bool referenceLess(const QString& left, const QString& right)
{
    const int folded = left.compare(right, Qt::CaseInsensitive);
    return folded != 0 ? folded < 0 : left.compare(right) < 0;
}

void TestUnderLoad::lineOrderMatchesItsDefinition()
{
    // Texts with long shared beginnings, letters in both cases, accents, a German sharp s, a character outside
    // the Basic Multilingual Plane and control characters, compared in every pairing.
    const QStringList pieces{u"Kestrel Arcade Board"_s,
                             u"kestrel arcade board"_s,
                             u"KESTREL"_s,
                             u"Élan"_s,
                             u"élan"_s,
                             u"Elan"_s,
                             u"straße"_s,
                             u"STRASSE"_s,
                             u"𝄞 clef"_s,
                             u"𝄟 clef"_s,
                             u"a\tb"_s,
                             u"a b"_s,
                             u"a"_s,
                             u""_s,
                             u"Zed"_s,
                             u"[x]"_s,
                             u"_x"_s,
                             u"0"_s};
    std::mt19937 random(7);
    QStringList texts = pieces;
    for (int index = 0; index < 400; ++index)
        texts << pieces.at(random() % pieces.size()) + pieces.at(random() % pieces.size());
    for (const QString& left : texts) {
        for (const QString& right : texts) {
            if (lineLess(left, right) != referenceLess(left, right))
                QFAIL(qPrintable(u"\""_s + left + u"\" against \""_s + right + u'"'));
        }
    }
}

void TestUnderLoad::sortedListsMatchTheDefinition()
{
    // Long texts that first differ before, at and after the sixteenth unit, in ASCII and beyond it (the Kelvin
    // and long s signs fold to ASCII letters; Greek, Turkish, Cherokee and title-case letters fold in their own
    // ways), with zero units, short texts and duplicates.
    const QStringList pieces{u"Kestrel Arcade B"_s,
                             u"kestrel arcade b"_s,
                             u"Kestrel Arcade"_s,
                             u"Kestrel Arcade Board"_s,
                             u"\u212Aestrel"_s,
                             u"\u017Ftar"_s,
                             u"star"_s,
                             u"Élan"_s,
                             u"elan"_s,
                             u"𝄞"_s,
                             QString(1, QChar(u'\0')),
                             u"a"_s,
                             u" "_s,
                             u""_s,
                             u"Z"_s,
                             u"_"_s,
                             u"0123456789abcde"_s,
                             u"ΣΊΣΥΦΟΣ"_s,
                             u"σίσυφος"_s,
                             u"ς"_s,
                             u"İstanbul"_s,
                             u"ıi"_s,
                             u"ẞ"_s,
                             u"ß"_s,
                             u"\uAB70\u13A0"_s,
                             u"\u13A0\uAB70"_s,
                             u"ǄǅǆDž"_s,
                             u"Ꭰ"_s};
    std::mt19937 random(11);
    QStringList texts = pieces;
    for (int index = 0; index < 3000; ++index) {
        QString text;
        for (int part = random() % 4; part >= 0; --part)
            text += pieces.at(random() % pieces.size());
        texts << text;
    }
    // Many lines the same but for letter case, or the same outright.
    for (int copy = 0; copy < 40; ++copy)
        texts << pieces.at(copy % 2) << pieces.at(3) << pieces.at(copy % 2) + pieces.at(copy % 2);
    QStringList expected = texts;
    std::sort(expected.begin(), expected.end(), referenceLess);
    QStringList shuffled = texts;
    std::shuffle(shuffled.begin(), shuffled.end(), random);
    sortLines(shuffled);
    QVERIFY(shuffled == expected);
    QStringList reversed(expected.crbegin(), expected.crend());
    sortLines(reversed);
    QVERIFY(reversed == expected);
    sortLines(expected);
    QVERIFY(expected == shuffled);
}

void TestUnderLoad::realSizedFolder()
{
    QTemporaryDir scratch;
    const Bench::GeneratedFolder folder =
        Bench::generateProgramFolder(scratch.filePath(u"program"_s), Bench::FolderSizes{45000, 2000, 100000, 50});
    RecordingLauncher shell;
    RecordingMessages messages;
    RecordingOpener opener;
    const auto options = OptionStore::inFile(scratch.filePath(u"config/Orvane.conf"_s));
    Form1 window(folder.path, Form1Services{shell, messages, *options, opener});
    window.Form_Load();
    auto* systems = window.findChild<SortedListBox*>(u"EmulatedSystemList"_s);
    auto* games = window.findChild<SortedListBox*>(u"GamesList"_s);

    QStringList sortedDescriptions = folder.descriptions;
    std::sort(sortedDescriptions.begin(), sortedDescriptions.end(), referenceLess);
    QCOMPARE(systems->count(), 45000);
    QVERIFY(systems->lines() == sortedDescriptions);
    QCOMPARE(systems->selectedIndex(), 0);
    QCOMPARE(systems->line(0), folder.firstDescription);
    QCOMPARE(games->count(), 2000);

    systems->setSelectedIndex(static_cast<int>(systems->lines().indexOf(folder.bigDescription)));
    QStringList names = QDir(folder.path + u"/ROMS/"_s + folder.bigSystem).entryList(QDir::Files);
    QCOMPARE(names.size(), 100000);
    QStringList expected;
    for (const QString& name : names)
        expected << name + QString(63 - name.size(), u' ') + folder.bigSystem + u" \""_s + name + u'"';
    std::sort(expected.begin(), expected.end(), referenceLess);
    QCOMPARE(games->count(), 100000);
    QVERIFY(games->lines() == expected);
    QVERIFY(messages.informed.isEmpty());
}

QTEST_MAIN(TestUnderLoad)
#include "test_under_load.moc"
