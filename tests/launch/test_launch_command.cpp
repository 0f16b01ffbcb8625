// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "catalogue/ImageList.h"
#include "core/NativeText.h"
#include "core/TextColumns.h"
#include "launch/LaunchCommand.h"
#include "platform/CommandLine.h"

#include <QTest>

using namespace Orvane;

class TestLaunchCommand final : public QObject
{
    Q_OBJECT

private slots:
    void command_data();
    void command();
    void launchFieldCountsCharacters();
    void recordingArguments();
    void fileNameStaysOneArgument_data();
    void fileNameStaysOneArgument();
};

// An image line as the image list builds it: the name padded to 63 columns, then the launch field.
static QString imageLine(const QString& fileName, const QString& system)
{
    return fileName + QString(63 - characterCount(fileName), u' ') + system + u" \"" + fileName + u'"';
}

void TestLaunchCommand::command_data()
{
    QTest::addColumn<bool>("original");
    QTest::addColumn<QString>("alternateName");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("extra");
    QTest::addColumn<QString>("expected");

    const QString coleco = imageLine(QStringLiteral("game1.rom"), QStringLiteral("coleco"));
    QTest::newRow("original program") << true << QString() << coleco << QString()
                                      << QStringLiteral("MESS coleco \"game1.rom\" ");
    QTest::newRow("alternate build") << false << QStringLiteral("pmame31") << coleco << QString()
                                     << QStringLiteral("pmame31 coleco \"game1.rom\" ");
    QTest::newRow("alternate name ignored while the original is chosen")
        << true << QStringLiteral("pmame31") << coleco << QString() << QStringLiteral("MESS coleco \"game1.rom\" ");
    QTest::newRow("nothing selected") << true << QString() << QString() << QString() << QStringLiteral("MESS  ");
    QTest::newRow("line of 63 characters")
        << true << QString() << QString(63, u'x') << QString() << QStringLiteral("MESS  ");
    QTest::newRow("line of 10 characters")
        << true << QString() << QStringLiteral("games     ") << QString() << QStringLiteral("MESS  ");
    QTest::newRow("line of 64 characters")
        << true << QString() << QString(63, u' ') + u'z' << QString() << QStringLiteral("MESS z ");
    QTest::newRow("empty alternate name")
        << false << QString() << coleco << QString() << QStringLiteral(" coleco \"game1.rom\" ");
    QTest::newRow("alternate name with blanks and a folder")
        << false << QStringLiteral("/opt/my emu/pmame31 -nosound") << coleco << QString()
        << QStringLiteral("/opt/my emu/pmame31 -nosound coleco \"game1.rom\" ");
    QTest::newRow("alternate name kept untrimmed")
        << false << QStringLiteral(" pm ") << coleco << QString() << QStringLiteral(" pm  coleco \"game1.rom\" ");
    QTest::newRow("record argument") << true << QString() << coleco << recordArgument(QStringLiteral("Default"))
                                     << QStringLiteral("MESS coleco \"game1.rom\" -record Default ");
    QTest::newRow("playback argument, nothing selected")
        << true << QString() << QString() << playbackArgument(QStringLiteral("Default"))
        << QStringLiteral("MESS  -playback Default ");
}

void TestLaunchCommand::command()
{
    QFETCH(bool, original);
    QFETCH(QString, alternateName);
    QFETCH(QString, line);
    QFETCH(QString, extra);
    QFETCH(QString, expected);
    QCOMPARE(buildLaunchCommand(ProgramChoice{original, alternateName}, line, extra), expected);
}

void TestLaunchCommand::launchFieldCountsCharacters()
{
    // A name outside the Basic Multilingual Plane takes one column, though it is two UTF-16 units.
    const QString clef = QString::fromUtf8("\xf0\x9d\x84\x9e");
    const QString name = clef + u"music.rom";
    const QString line = imageLine(name, QStringLiteral("lumen"));
    QCOMPARE(characterCount(name), 10);
    QCOMPARE(launchField(line), u"lumen \"" + name + u'"');
    QCOMPARE(leftCharacters(line, 1), clef);
    QCOMPARE(charactersFrom(QStringLiteral("abc"), 4), QString());
}

void TestLaunchCommand::recordingArguments()
{
    QCOMPARE(recordArgument(QString()), QStringLiteral("-record  "));
    QCOMPARE(recordArgument(QStringLiteral(" my run ")), QStringLiteral("-record  my run  "));
    QCOMPARE(playbackArgument(QString()), QStringLiteral("-playback  "));
}

void TestLaunchCommand::fileNameStaysOneArgument_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<bool>("windowsName"); // a name Windows allows keeps the line it always had
    QTest::newRow("plain") << QByteArray("game1.rom") << true;
    QTest::newRow("blanks, shell characters") << QByteArray(" a & b; $(x) `y`.rom ") << true;
    QTest::newRow("non-ASCII") << QByteArray("caf\xc3\xa9 \xf0\x9d\x84\x9e.rom") << true;
    QTest::newRow("longer than 63 characters") << QByteArray(80, 'n') << true;
    QTest::newRow("inner quote") << QByteArray("quote\"d.rom") << false;
    QTest::newRow("quoted arguments") << QByteArray("a\" -x \"b.rom") << false;
    QTest::newRow("trailing backslash") << QByteArray("a\\") << false;
    QTest::newRow("backslashes before a quote") << QByteArray("a\\\\\"b\\\"") << false;
    QTest::newRow("backslashes elsewhere") << QByteArray("a\\b\\\\c") << false;
    QTest::newRow("three quotes") << QByteArray("\"\"\"") << false;
    QTest::newRow("not UTF-8") << QByteArray("bad\xff\xfe \xc3 \xed\xb2\x80.rom") << false;
    QTest::newRow("overlong UTF-8") << QByteArray("over\xc1\xa1 \xc0\x80.rom") << false;
    QTest::newRow("not UTF-8 beside an emoji") << QByteArray("bad\xff \xf0\x9f\x92\xbe.rom") << false;
}

void TestLaunchCommand::fileNameStaysOneArgument()
{
    QFETCH(QByteArray, name);
    QFETCH(bool, windowsName);
    const QString fileName = fromNativeBytes(name.toStdString());
    QCOMPARE(toNativeBytes(fileName), name.toStdString());
    const QString line = buildImageLine(fileName, QStringLiteral("coleco"));
    if (windowsName)
        QCOMPARE(line, leftCharacters(QString(fileName + QString(63, u' ')), 63) + u"coleco \"" + fileName + u'"');
    // The shown part is the name as it is.
    QCOMPARE(leftCharacters(line, 63).trimmed(), leftCharacters(fileName, 63).trimmed());
    const std::vector<std::string> arguments = splitArguments(toNativeBytes(launchField(line)));
    QCOMPARE(arguments, (std::vector<std::string>{"coleco", name.toStdString()}));
}

QTEST_APPLESS_MAIN(TestLaunchCommand)
#include "test_launch_command.moc"
