// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "settings/SettingsText.h"

#include <QTest>

using namespace Orvane;
using namespace Qt::StringLiterals;

class TestSettingsText final : public QObject
{
    Q_OBJECT

private slots:
    void truthValues_data();
    void truthValues();
    void wholeNumbers_data();
    void wholeNumbers();
    void textForms();
};

void TestSettingsText::truthValues_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expected"); // 1 true, 0 false, -1 rejected
    QTest::newRow("True") << u"True"_s << 1;
    QTest::newRow("true") << u"true"_s << 1;
    QTest::newRow("blanks around") << u" True "_s << 1;
    QTest::newRow("FALSE") << u"FALSE"_s << 0;
    QTest::newRow("0") << u"0"_s << 0;
    QTest::newRow("-1") << u"-1"_s << 1;
    QTest::newRow("2.5") << u"2.5"_s << 1;
    QTest::newRow("0.0") << u"0.0"_s << 0;
    QTest::newRow("maybe") << u"maybe"_s << -1;
    QTest::newRow("empty") << QString() << -1;
    QTest::newRow("number then text") << u"1abc"_s << -1;
    QTest::newRow("nan") << u"nan"_s << -1;
}

void TestSettingsText::truthValues()
{
    QFETCH(QString, text);
    QFETCH(int, expected);
    const std::optional<bool> value = textToTruth(text);
    QCOMPARE(value.has_value() ? int(*value) : -1, expected);
}

void TestSettingsText::wholeNumbers_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("fits16");
    QTest::addColumn<int>("expected16");
    QTest::addColumn<bool>("fits32");
    QTest::addColumn<int>("expected32");
    QTest::newRow("0") << u"0"_s << true << 0 << true << 0;
    QTest::newRow("-1") << u"-1"_s << true << -1 << true << -1;
    QTest::newRow("2.5 goes to the even 2") << u"2.5"_s << true << 2 << true << 2;
    QTest::newRow("3.5 goes to the even 4") << u"3.5"_s << true << 4 << true << 4;
    QTest::newRow("-2.5") << u"-2.5"_s << true << -2 << true << -2;
    QTest::newRow("2.6") << u"2.6"_s << true << 3 << true << 3;
    QTest::newRow("leading blanks and trailing text") << u" 7abc"_s << true << 7 << true << 7;
    QTest::newRow("no number") << u"abc"_s << true << 0 << true << 0;
    QTest::newRow("empty") << QString() << true << 0 << true << 0;
    QTest::newRow("a lone sign") << u"-"_s << true << 0 << true << 0;
    QTest::newRow("fraction only") << u".5"_s << true << 0 << true << 0;
    QTest::newRow("exponent") << u"1e2x"_s << true << 100 << true << 100;
    QTest::newRow("16-bit top") << u"32767"_s << true << 32767 << true << 32767;
    QTest::newRow("16-bit overflow") << u"32768"_s << false << 0 << true << 32768;
    QTest::newRow("16-bit underflow") << u"-32769"_s << false << 0 << true << -32769;
    QTest::newRow("32-bit overflow") << u"2147483648"_s << false << 0 << false << 0;
    QTest::newRow("huge") << u"1e400"_s << false << 0 << false << 0;
}

void TestSettingsText::wholeNumbers()
{
    QFETCH(QString, text);
    QFETCH(bool, fits16);
    QFETCH(bool, fits32);
    const std::optional<qint16> small = textToInt16(text);
    QCOMPARE(small.has_value(), fits16);
    if (small)
        QTEST(int(*small), "expected16");
    const std::optional<qint32> large = textToInt32(text);
    QCOMPARE(large.has_value(), fits32);
    if (large)
        QTEST(int(*large), "expected32");
}

void TestSettingsText::textForms()
{
    QCOMPARE(truthToText(true), u"True"_s);
    QCOMPARE(truthToText(false), u"False"_s);
    QCOMPARE(numberToText(-1), u"-1"_s);
    QCOMPARE(numberToText(12345), u"12345"_s);
}

QTEST_APPLESS_MAIN(TestSettingsText)
#include "test_settings_text.moc"
