// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "CatalogueReference.h"
#include "catalogue/CatalogueUpdate.h"
#include "catalogue/FolderListing.h"
#include "catalogue/ImageList.h"
#include "catalogue/SystemsCatalogue.h"
#include "catalogue/TextFile.h"
#include "core/TextColumns.h"
#include "launch/LaunchCommand.h"
#include "launch/Recordings.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <fcntl.h>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#endif

using namespace Orvane;
using namespace Qt::StringLiterals;

class TestCatalogue final : public QObject
{
    Q_OBJECT

private slots:
    void catalogueLines_data();
    void catalogueLines();
    void catalogueFiles();
    void lastMatchingLineDecides();
    void textEncodingsAndLineEnds();
    void catalogueBytesReadAsText_data();
    void catalogueBytesReadAsText();
    void imageLineColumns();
    void folderNotesAreNotImages();
    void folderListing();
    void recordingNames();
    void updateCommandAndChecks();

private:
    QString writeFile(const QString& name, const QByteArray& content);
    QTemporaryDir m_folder;
};

QString TestCatalogue::writeFile(const QString& name, const QByteArray& content)
{
    const QString path = m_folder.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

void TestCatalogue::catalogueLines_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QString>("systemName");
    QTest::addColumn<QString>("description");

    QTest::newRow("usual") << u"abc       \"Alpha Beta Computer\""_s << true << u"abc"_s << u"Alpha Beta Computer"_s;
    QTest::newRow("five-letter name") << u"xyz12     \"X Y Z\""_s << true << u"xyz12"_s << u"X Y Z"_s;
    QTest::newRow("exactly 12 characters") << u"abc        \""_s << true << u"abc"_s << QString();
    QTest::newRow("11 characters") << u"abc       \""_s << false << QString() << QString();
    QTest::newRow("empty") << QString() << false << QString() << QString();
    QTest::newRow("name of 9 characters is cut to 8") << u"abcdefghi \"Nine\""_s << true << u"abcdefgh"_s << u"Nine"_s;
    QTest::newRow("name with leading blanks") << u"   ab     \"Lead\""_s << true << u"ab"_s << u"Lead"_s;
    QTest::newRow("inner quotes kept") << u"q         \"The \"Q\" box\""_s << true << u"q"_s << u"The \"Q\" box"_s;
    QTest::newRow("non-ASCII description")
        << u"fm7       \"Fujitsu FM-7 ゲーム\""_s << true << u"fm7"_s << u"Fujitsu FM-7 ゲーム"_s;
}

void TestCatalogue::catalogueLines()
{
    QFETCH(QString, line);
    QFETCH(bool, valid);
    const std::optional<CatalogueEntry> entry = parseCatalogueLine(line);
    QCOMPARE(entry.has_value(), valid);
    if (!entry)
        return;
    QTEST(entry->systemName.toString(), "systemName");
    QTEST(entry->description, "description");
}

void TestCatalogue::catalogueFiles()
{
    // The header may hold anything, even something shorter than a system line; it is never read.
    const QString twoSystems = writeFile(u"two.sys"_s, "x\r\nzzz       \"Zed\"\r\nabc       \"Alpha\"\r\n");
    Result<SystemsCatalogue> catalogue = readSystemsCatalogue(twoSystems);
    QVERIFY(catalogue.ok());
    QCOMPARE(catalogue->descriptions().toStringList(), (QStringList{u"Zed"_s, u"Alpha"_s}));
    QCOMPARE(catalogue->systemNameFor(u"Alpha"_s), std::optional<QString>(u"abc"_s));
    QCOMPARE(catalogue->systemNameFor(u"alpha"_s), std::nullopt);
    QCOMPARE(catalogue->skippedLines(), 0);

    // Short lines are skipped and counted, except a blank last line.
    catalogue = readSystemsCatalogue(writeFile(u"short.sys"_s, "head\r\nshort\r\n\r\nabc       \"Alpha\"\r\n\r\n"));
    QCOMPARE(catalogue->descriptions().toStringList(), QStringList{u"Alpha"_s});
    QCOMPARE(catalogue->skippedLines(), 2);

    catalogue = readSystemsCatalogue(writeFile(u"header.sys"_s, "Name:     Description:\r\n"));
    QVERIFY(catalogue.ok());
    QVERIFY(catalogue->empty());
    catalogue = readSystemsCatalogue(writeFile(u"empty.sys"_s, ""));
    QVERIFY(catalogue.ok());
    QVERIFY(catalogue->empty());

    catalogue = readSystemsCatalogue(m_folder.filePath(u"missing.sys"_s));
    QVERIFY(!catalogue.ok());
    QVERIFY2(catalogue.error().startsWith(QDir::toNativeSeparators(m_folder.filePath(u"missing.sys"_s)) + u": "),
             qPrintable(catalogue.error()));
    catalogue = readSystemsCatalogue(m_folder.path());
    QVERIFY(!catalogue.ok());
    QCOMPARE(catalogue.error(), QString(QDir::toNativeSeparators(m_folder.path()) + u": it is a folder"));
#ifdef Q_OS_UNIX
    // A pipe would block a reader until someone writes to it: it is refused without being opened.
    const QString fifo = m_folder.filePath(u"fifo.sys"_s);
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QVERIFY(!readSystemsCatalogue(fifo).ok());

    // The catalogue kept between reads is read afresh after a rewrite of the same size that keeps the old time.
    CatalogueReader reader;
    QCOMPARE(reader.read(twoSystems)->systemNameFor(u"Alpha"_s), std::optional<QString>(u"abc"_s));
    struct stat written;
    QCOMPARE(::stat(QFile::encodeName(twoSystems).constData(), &written), 0);
    writeFile(u"two.sys"_s, "x\r\nzzz       \"Zed\"\r\nxyz       \"Alpha\"\r\n");
    const struct timespec times[2] = {written.st_atim, written.st_mtim};
    QCOMPARE(::utimensat(AT_FDCWD, QFile::encodeName(twoSystems).constData(), times, 0), 0);
    QCOMPARE(reader.read(twoSystems)->systemNameFor(u"Alpha"_s), std::optional<QString>(u"xyz"_s));
#endif
}

void TestCatalogue::lastMatchingLineDecides()
{
    const SystemsCatalogue catalogue =
        readSystemsCatalogue(
            writeFile(u"twice.sys"_s, "h\r\nfirst     \"Same\"\r\nother     \"Else\"\r\nsecond    \"Same\"\r\n"))
            .value();
    QCOMPARE(catalogue.systemNameFor(u"Same"_s), std::optional<QString>(u"second"_s));
    QCOMPARE(catalogue.systemNameFor(u"Else"_s), std::optional<QString>(u"other"_s));
}

void TestCatalogue::textEncodingsAndLineEnds()
{
    QCOMPARE(splitLines(u"a\r\nb\nc\rd"_s), (QStringList{u"a"_s, u"b"_s, u"c"_s, u"d"_s}));
    QCOMPARE(splitLines(u"a\r\n"_s), QStringList{u"a"_s});
    QCOMPARE(splitLines(u"a\n\n"_s), (QStringList{u"a"_s, QString()}));
    QCOMPARE(splitLines(u"\r\r\n"_s), (QStringList{QString(), QString()}));
    QCOMPARE(splitLines(QString()), QStringList());

    QCOMPARE(decodeText("caf\xc3\xa9"), u"café"_s);
    // Not valid UTF-8: read as Latin-1, nothing lost.
    QCOMPARE(decodeText("caf\xe9 \xff"), u"café ÿ"_s);

    const QString latin1 = writeFile(u"latin1.sys"_s, "h\nabc       \"Caf\xe9\"\nlast      \"No end\"");
    const SystemsCatalogue catalogue = readSystemsCatalogue(latin1).value();
    QCOMPARE(catalogue.descriptions().toStringList(), (QStringList{u"Café"_s, u"No end"_s}));
}

void TestCatalogue::catalogueBytesReadAsText_data()
{
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray line = "kestrel    \"Kestrel Arcade\"";
    QTest::newRow("ends") << "h\r\n" + line + "\r" + line + "\n" + line + "\r\n\r\n" + line;
    QTest::newRow("blank last line") << "h\n" + line + "\n\n";
    QTest::newRow("CR LF last") << "h\n" + line + "\r\n";
    QTest::newRow("CR then LF ending") << QByteArray("h\n\r\r\n");
    QTest::newRow("short lines") << QByteArray("h\nshort\n\n12345678901\n123456789012\n  a     x\"d\"");
    QTest::newRow("header only") << QByteArray("Name:     Description:");
    QTest::newRow("nothing") << QByteArray();
    QTest::newRow("byte order marks") << "\xEF\xBB\xBFh\n\xEF\xBB\xBF" + line + "\nab        \"\xEF\xBB\xBF\"";
    QTest::newRow("UTF-8") << QByteArray(
        "h\ncafe      \"Caf\xC3\xA9 "
        "\xF0\x9D\x84\x9E\"\n\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9 x  \"\xF0\x9D\x84\x9E\"");
    QTest::newRow("not UTF-8 in the header") << "\xFFh\nabc       \"Caf\xC3\xA9\"\n" + line;
    QTest::newRow("cut sequence before a line end") << "h\nabc       \"Caf\xC3\"\n" + line + "\xC3\nabc       \"x\"";
    QTest::newRow("cut sequence at the end") << "h\nabc       \"Caf\xC3\xA9\"\n" + line + "\xE2\x82";
    QTest::newRow("encoded surrogate") << "h\nabc       \"\xED\xA0\x80\"\n" + line;
    // Lines are looked at eight bytes at a time: a line end, and a byte that is not ASCII, at every place in eight.
    QByteArray everyPlace = "h\n";
    for (int length = 0; length < 20; ++length) {
        QByteArray text = "abc       \"" + QByteArray(length, 'x') + '"';
        if (length % 3 == 1)
            text.replace(11 + length / 2, 2, "\xC3\xA9");
        everyPlace += text + (length % 3 == 0 ? "\r\n" : length % 3 == 1 ? "\n" : "\r");
    }
    QTest::newRow("every place in eight bytes") << everyPlace;
    // One byte that is no UTF-8 makes the whole file Latin-1, wherever in eight it lies.
    for (int place = 11; place < 20; ++place)
        QTest::addRow("no UTF-8 at %d", place)
            << "h\nabc       \"Caf\xC3\xA9\"\nabc       \"" + QByteArray(place - 11, 'x') + "\xE9xxxxxxxx\"\n";
    static const char zeros[] = "h\na\0b\0\0\0\0\0\0\0\0\0\0\n";
    QTest::newRow("zero bytes") << QByteArray(zeros, sizeof zeros - 1);
}

void TestCatalogue::catalogueBytesReadAsText()
{
    QFETCH(QByteArray, bytes);
    QVERIFY(sameCatalogue(parseSystemsCatalogue(bytes), referenceCatalogue(bytes)));
    // Read in pieces of any size, a line end or a character cut between two of them.
    const QString file = writeFile(u"bytes.sys"_s, bytes);
    for (const qsizetype pieceBytes : {1, 2, 3, 5, 13, 64 * 1024})
        QVERIFY2(sameCatalogue(readSystemsCatalogue(file, pieceBytes), referenceCatalogue(bytes)),
                 qPrintable(QString::number(pieceBytes)));
}

void TestCatalogue::imageLineColumns()
{
    // The name padded to 63 columns, the system name from column 64, a blank, the name in quotes.
    for (const int length : {1, 62, 63}) {
        const QString name(length, u'n');
        const QString line = buildImageLine(name, u"coleco"_s);
        QCOMPARE(characterCount(line), 63 + 6 + 1 + length + 2);
        QCOMPARE(line.left(63), name + QString(63 - length, u' '));
        QCOMPARE(launchField(line), u"coleco \""_s + name + u'"');
        QCOMPARE(shownFileName(line), name);
    }
    QCOMPARE(buildImageLine(u"game1.rom"_s, u"coleco"_s),
             u"game1.rom"_s + QString(54, u' ') + u"coleco \"game1.rom\""_s);
    // Longer names show their first 63 characters; the launch field still carries the whole name.
    const QString longName = QString(63, u'a') + u"bcd.rom"_s;
    const QString longLine = buildImageLine(longName, u"x"_s);
    QCOMPARE(longLine, QString(63, u'a') + u"x \""_s + longName + u'"');
    QCOMPARE(launchField(longLine), u"x \""_s + longName + u'"');
    // Hovering a line shows the whole name, read back from its launch field, quotes and backslashes included.
    for (const QString& name : {longName, u"a \"b\\\" c\\.rom"_s, u" lead  trail .rom "_s, u"$(x);'é'.rom"_s})
        QCOMPARE(wholeFileName(buildImageLine(name, u"x"_s)), name);
    QCOMPARE(wholeFileName(u"games"_s), u"games"_s);
    // System names of 1 and 8 characters, and one of 9 as the catalogue cuts it.
    QCOMPARE(launchField(buildImageLine(u"a.bin"_s, u"z"_s)), u"z \"a.bin\""_s);
    QCOMPARE(launchField(buildImageLine(u"a.bin"_s, u"orbitvcs"_s)), u"orbitvcs \"a.bin\""_s);
    const auto cut = parseCatalogueLine(u"abcdefghi \"Nine\""_s);
    QCOMPARE(launchField(buildImageLine(u"a.bin"_s, cut->systemName.toString())), u"abcdefgh \"a.bin\""_s);
    // Characters, not UTF-16 units, fill the columns.
    const QString wide = u"𝄞 music.rom"_s;
    QCOMPARE(launchField(buildImageLine(wide, u"s"_s)), u"s \""_s + wide + u'"');
}

void TestCatalogue::folderNotesAreNotImages()
{
    const QStringList lines = buildImageLines(
        {u"a.rom"_s, u"dir.txt"_s, u"DIR.TXT"_s, u"Dir.Txt"_s, u"dir.txt.bak"_s, u"mydir.txt"_s}, u"sys"_s);
    QStringList shown;
    for (const QString& line : lines)
        shown << shownFileName(line);
    QCOMPARE(shown, (QStringList{u"a.rom"_s, u"dir.txt.bak"_s, u"mydir.txt"_s}));
}

void TestCatalogue::folderListing()
{
    // Pipes, sockets, links and names that differ only in case: a POSIX file system's.
#ifdef Q_OS_UNIX
    QTemporaryDir folder;
    for (const QString& name : {u"c.rom"_s, u"B.ROM"_s, u"a.rom"_s, u".hidden"_s, u"A.rom"_s})
        QFile(folder.filePath(name)).open(QIODevice::WriteOnly);
    QVERIFY(QDir(folder.path()).mkdir(u"folder.rom"_s));
    QVERIFY(QFile::link(folder.filePath(u"a.rom"_s), folder.filePath(u"link.rom"_s)));
    QVERIFY(QFile::link(folder.filePath(u"nowhere"_s), folder.filePath(u"broken.rom"_s)));
    QCOMPARE(::mkfifo(QFile::encodeName(folder.filePath(u"pipe.rom"_s)).constData(), 0600), 0);
    const int unixSocket = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray socketPath = QFile::encodeName(folder.filePath(u"socket.rom"_s));
    qstrncpy(address.sun_path, socketPath.constData(), sizeof address.sun_path);
    QCOMPARE(::bind(unixSocket, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);

    const Result<QStringList> listing = listFiles(folder.path(), u"*.*"_s);
    ::close(unixSocket);
    QVERIFY(listing.ok());
    QCOMPARE(listing.value(), (QStringList{u"A.rom"_s, u"a.rom"_s, u"B.ROM"_s, u"c.rom"_s, u"link.rom"_s}));

    const Result<QStringList> missing = listFiles(folder.filePath(u"none"_s), u"*.*"_s);
    QVERIFY(!missing.ok());
    QVERIFY(missing.error().startsWith(folder.filePath(u"none"_s) + u": "));
#endif

    QVERIFY(matchesPattern(u"noext"_s, u"*.*"_s));
    QVERIFY(matchesPattern(u"b.inp"_s, u"*.INP"_s));
    QVERIFY(!matchesPattern(u"b.inpx"_s, u"*.INP"_s));
    QVERIFY(matchesPattern(u"x.INP.INP"_s, u"*.INP"_s));
    QVERIFY(matchesPattern(u"ab"_s, u"a?"_s));
    QVERIFY(!matchesPattern(u"a"_s, u"a?"_s));
    // Trailing stars match nothing as well.
    QVERIFY(matchesPattern(u"game"_s, u"game*"_s) && matchesPattern(u"game"_s, u"game**"_s));
}

void TestCatalogue::recordingNames()
{
    QTemporaryDir folder;
    for (const QString& name : {u"b.inp"_s, u"c.txt"_s, u"a.INP"_s})
        QFile(folder.filePath(name)).open(QIODevice::WriteOnly);
    const Result<QStringList> listing = listFiles(folder.path(), QLatin1String(recordingsPattern));
    QCOMPARE(Orvane::recordingNames(listing.value()), (QStringList{u"a"_s, u"b"_s}));
    QCOMPARE(recordingName(u"Default.INP"_s), u"Default"_s);

    QCOMPARE(proposedRecordingName(buildImageLine(u"Cave Quest.bin"_s, u"lumen"_s)), u"lumen"_s);
    QCOMPARE(proposedRecordingName(buildImageLine(u"a.a26"_s, u"orbitvcs"_s)), u"orbitvcs"_s);
    QCOMPARE(proposedRecordingName(u"games"_s), QString());
}

void TestCatalogue::updateCommandAndChecks()
{
    QCOMPARE(updateCommandLine(u"/opt/My Games/MESS.EXE"_s),
             u"COMMAND.COM /C /opt/My Games/MESS.EXE -listfull > Orvane.sys"_s);

    const std::string good = "Name:     Description:\r\nabc       \"Alpha\"\r\n";
    QVERIFY(checkUpdate(ProcessOutcome{true, 0, 0, {}, good, 0}).ok());
    QCOMPARE(checkUpdate(ProcessOutcome{true, 0, 0, {}, "Name:     Description:\r\n", 0}).error(),
             u"MESS.EXE -listfull listed no systems."_s);
    QCOMPARE(checkUpdate(ProcessOutcome{true, 0, 0, {}, std::string(64 * 1024 * 1024 + 1, 'a'), 0}).error(),
             u"Cannot read what MESS.EXE -listfull wrote: it is larger than 64 MB"_s);
    QCOMPARE(checkUpdate(ProcessOutcome{true, 3, 0, "broken: no ROM path\nmore", good, 0}).error(),
             u"MESS.EXE -listfull failed with exit code 3.\nbroken: no ROM path"_s);
    // A runaway first line is cut to what a message box can show.
    const std::string longLine(400, 'x');
    QCOMPARE(checkUpdate(ProcessOutcome{true, 3, 0, "\n " + longLine + "\nmore", good, 0}).error(),
             u"MESS.EXE -listfull failed with exit code 3.\n"_s + QString(300, u'x'));
    QCOMPARE(checkUpdate(ProcessOutcome{false, -1, 11, {}, good, 0}).error(),
             u"MESS.EXE -listfull crashed (signal 11)."_s);
}

QTEST_APPLESS_MAIN(TestCatalogue)
#include "test_catalogue.moc"
