// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "bench/BenchFolder.h"

#include "catalogue/LineOrder.h"

#include <QDir>
#include <QFile>

#include <random>
#include <set>

namespace Orvane::Bench
{

namespace
{

const QStringList makers{
    QStringLiteral("Kestrel"),    QStringLiteral("Lumen"),   QStringLiteral("Pixa"),       QStringLiteral("Zephyr"),
    QStringLiteral("Orbit"),      QStringLiteral("Tundra"),  QStringLiteral("Quill"),      QStringLiteral("Müller"),
    QStringLiteral("Señal"),      QStringLiteral("Électro"), QStringLiteral("Nordstrand"), QStringLiteral("Halcyon"),
    QStringLiteral("ファミリー"), QStringLiteral("Vektor"),  QStringLiteral("Brisa"),      QStringLiteral("Corvid"),
    QStringLiteral("Dynamo"),     QStringLiteral("Straße"),  QStringLiteral("Aurora"),     QStringLiteral("Basilisk")};
const QStringList models{
    QStringLiteral("Home Computer"),   QStringLiteral("Games Console"),   QStringLiteral("Handheld"),
    QStringLiteral("Arcade Board"),    QStringLiteral("Word Processor"),  QStringLiteral("Pocket Computer"),
    QStringLiteral("Television Game"), QStringLiteral("Educational Toy"), QStringLiteral("Laptop"),
    QStringLiteral("Workstation"),     QStringLiteral("Synthesizer"),     QStringLiteral("Terminal")};
const QStringList variants{QStringLiteral(""),        QStringLiteral(" 64"),         QStringLiteral(" II"),
                           QStringLiteral(" Plus"),   QStringLiteral(" (PAL)"),      QStringLiteral(" (NTSC)"),
                           QStringLiteral(" Mk 2"),   QStringLiteral(" \"Deluxe\""), QStringLiteral(" 128K"),
                           QStringLiteral(" (Japan)")};
const QStringList titleWords{
    QStringLiteral("Galaxy"), QStringLiteral("Raiders"), QStringLiteral("Moon"),     QStringLiteral("Patrol"),
    QStringLiteral("Cave"),   QStringLiteral("Quest"),   QStringLiteral("Dragon's"), QStringLiteral("Lair"),
    QStringLiteral("Snake"),  QStringLiteral("Chess"),   QStringLiteral("Rally"),    QStringLiteral("Racer"),
    QStringLiteral("Bubble"), QStringLiteral("Pop"),     QStringLiteral("Café"),     QStringLiteral("Chaos"),
    QStringLiteral("Alien"),  QStringLiteral("Attack"),  QStringLiteral("Super"),    QStringLiteral("Mega"),
    QStringLiteral("Castle"), QStringLiteral("Night"),   QStringLiteral("Tower"),    QStringLiteral("Zoo")};
const QStringList regions{QStringLiteral("(Europe)"), QStringLiteral("(USA)"),   QStringLiteral("(Japan)"),
                          QStringLiteral("(World)"),  QStringLiteral("(Rev 1)"), QStringLiteral("(Proto)")};
const QStringList extensions{QStringLiteral(".bin"), QStringLiteral(".rom"), QStringLiteral(".zip"),
                             QStringLiteral(".dsk"), QStringLiteral(".tap"), QStringLiteral(".a26")};

QString shortName(int index)
{
    return u'b' + QString::number(index, 36).rightJustified(5, u'0');
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

QStringList imageNames(std::mt19937& random, int count, int seedOffset)
{
    QStringList names;
    names.reserve(count);
    std::set<QString> seen;
    for (int index = 0; names.size() < count; ++index) {
        QString name;
        const int words = 2 + static_cast<int>(random() % 3);
        for (int word = 0; word < words; ++word)
            name += (word ? QStringLiteral(" ") : QString()) + titleWords.at(random() % titleWords.size());
        name += u' ' + QString::number(index + seedOffset) + u' ' + regions.at(random() % regions.size()) +
                extensions.at(random() % extensions.size());
        if (seen.insert(name).second)
            names.append(name);
    }
    return names;
}

void writeImages(const QString& folder, const QStringList& names)
{
    QDir().mkpath(folder);
    for (const QString& name : names)
        writeBytes(folder + u'/' + name, QByteArray());
}

} // namespace

GeneratedFolder generateProgramFolder(const QString& path, const FolderSizes& sizes, const QString& standIn)
{
    GeneratedFolder folder;
    folder.path = path;
    QDir().mkpath(path);
    std::mt19937 random(20261207);

    QByteArray systemLines;
    QStringList names;
    for (int index = 0; index < sizes.systems; ++index) {
        const QString description = makers.at(random() % makers.size()) + u' ' + models.at(random() % models.size()) +
                                    variants.at(random() % variants.size()) + u" #" + QString::number(index);
        names.append(shortName(index));
        folder.descriptions.append(description);
        systemLines += (names.last().leftJustified(8, u' ') + u"  \"" + description + u"\"\r\n").toUtf8();
    }
    writeBytes(path + u"/Orvane.sys", "Name:     Description:\r\n" + systemLines);
    writeBytes(path + u"/listfull.txt", systemLines);

    int first = 0;
    for (int index = 1; index < folder.descriptions.size(); ++index) {
        if (lineLess(folder.descriptions.at(index), folder.descriptions.at(first)))
            first = index;
    }
    const int big = first == 7 ? 8 : 7;
    folder.firstSystem = names.at(first);
    folder.firstDescription = folder.descriptions.at(first);
    folder.bigSystem = names.at(big);
    folder.bigDescription = folder.descriptions.at(big);

    const QString marker = path + u"/.generated";
    const QByteArray signature = QByteArray::number(sizes.systems) + ' ' + QByteArray::number(sizes.firstSystemImages) +
                                 ' ' + QByteArray::number(sizes.bigSystemImages) + ' ' +
                                 QByteArray::number(sizes.recordings);
    QFile previous(marker);
    if (!previous.open(QIODevice::ReadOnly) || previous.readAll() != signature) {
        writeImages(path + u"/ROMS/" + folder.firstSystem, imageNames(random, sizes.firstSystemImages, 0));
        writeImages(path + u"/ROMS/" + folder.bigSystem,
                    imageNames(random, sizes.bigSystemImages, sizes.firstSystemImages));
        QDir().mkpath(path + u"/INP");
        for (int index = 0; index < sizes.recordings; ++index)
            writeBytes(path + u"/INP/Run " + QString::number(index) + u".INP", "recording\r\n");
        writeBytes(marker, signature);
    }

    if (!standIn.isEmpty()) {
        QFile::remove(path + u"/MESS.EXE");
        if (!QFile::copy(standIn, path + u"/MESS.EXE"))
            qFatal("cannot copy the stand-in %s", qPrintable(standIn));
        QFile(path + u"/MESS.EXE")
            .setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                            QFileDevice::ExeGroup | QFileDevice::ExeOther | QFileDevice::ReadOther);
    }
    return folder;
}

} // namespace Orvane::Bench
