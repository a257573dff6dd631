// Number texts: reading decimal text with rounding half to even, and the
// text forms written to the store and shown in the settings dialog.

#include "settings/number_text.h"

#include <QtTest>

#include <cmath>
#include <limits>

using namespace plotdesk;

Q_DECLARE_METATYPE(std::optional<int32_t>)
Q_DECLARE_METATYPE(std::optional<double>)

class NumberTextTest : public QObject {
    Q_OBJECT
private slots:
    void readsInt32HalfEven_data();
    void readsInt32HalfEven();
    void readsInt16WithinItsRange();
    void readsDoubles_data();
    void readsDoubles();
    void readsSingles();
    void readingIgnoresTheLocale();
    void integerTexts();
    void singleTexts_data();
    void singleTexts();
    void generalNumberTexts();
};

void NumberTextTest::readsInt32HalfEven_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<std::optional<int32_t>>("value");
    const std::optional<int32_t> none;
    QTest::newRow("plain") << "2000" << std::optional<int32_t>(2000);
    QTest::newRow("negative") << "-1000" << std::optional<int32_t>(-1000);
    QTest::newRow("plus sign") << "+7" << std::optional<int32_t>(7);
    QTest::newRow("blanks around") << "  16777215 " << std::optional<int32_t>(16777215);
    QTest::newRow("tab") << "\t5" << std::optional<int32_t>(5);
    QTest::newRow("2.5 to even 2") << "2.5" << std::optional<int32_t>(2);
    QTest::newRow("3.5 to even 4") << "3.5" << std::optional<int32_t>(4);
    QTest::newRow("-2.5 to even -2") << "-2.5" << std::optional<int32_t>(-2);
    QTest::newRow("-3.5 to even -4") << "-3.5" << std::optional<int32_t>(-4);
    QTest::newRow("2.51 up") << "2.51" << std::optional<int32_t>(3);
    QTest::newRow("0.5 to 0") << "0.5" << std::optional<int32_t>(0);
    QTest::newRow("fraction only") << ".7" << std::optional<int32_t>(1);
    QTest::newRow("trailing point") << "12." << std::optional<int32_t>(12);
    QTest::newRow("exponent") << "1e3" << std::optional<int32_t>(1000);
    QTest::newRow("exponent with sign") << "2.5E+1" << std::optional<int32_t>(25);
    QTest::newRow("negative exponent") << "15e-1" << std::optional<int32_t>(2);
    QTest::newRow("largest") << "2147483647" << std::optional<int32_t>(2147483647);
    QTest::newRow("smallest") << "-2147483648" << std::optional<int32_t>(-2147483647 - 1);
    QTest::newRow("rounds past the largest") << "2147483647.5" << none;
    QTest::newRow("just too large") << "2147483648" << none;
    QTest::newRow("1e20") << "1e20" << none;
    QTest::newRow("overflowing exponent") << "1e400" << none;
    QTest::newRow("empty") << "" << none;
    QTest::newRow("blank") << "   " << none;
    QTest::newRow("word") << "abc" << none;
    QTest::newRow("trailing letters") << "12abc" << none;
    QTest::newRow("inner blank") << "1 2" << none;
    QTest::newRow("comma") << "1,5" << none;
    QTest::newRow("two signs") << "--1" << none;
    QTest::newRow("sign only") << "-" << none;
    QTest::newRow("point only") << "." << none;
    QTest::newRow("bare exponent") << "e5" << none;
    QTest::newRow("hex") << "0x10" << none;
    QTest::newRow("infinity") << "inf" << none;
    QTest::newRow("nan") << "nan" << none;
}

void NumberTextTest::readsInt32HalfEven() {
    QFETCH(QString, text);
    QFETCH(std::optional<int32_t>, value);
    QCOMPARE(toInt32HalfEven(text), value);
}

void NumberTextTest::readsInt16WithinItsRange() {
    QCOMPARE(toInt16HalfEven(QStringLiteral("1")), std::optional<int16_t>(1));
    QCOMPARE(toInt16HalfEven(QStringLiteral("4.5")), std::optional<int16_t>(4));
    QCOMPARE(toInt16HalfEven(QStringLiteral("32767")), std::optional<int16_t>(32767));
    QCOMPARE(toInt16HalfEven(QStringLiteral("-32768.4")), std::optional<int16_t>(-32768));
    QVERIFY(!toInt16HalfEven(QStringLiteral("32768")));
    QVERIFY(!toInt16HalfEven(QStringLiteral("-32769")));
    QVERIFY(!toInt16HalfEven(QStringLiteral("wide")));
}

void NumberTextTest::readsDoubles_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<std::optional<double>>("value");
    QTest::newRow("integer") << "-100" << std::optional<double>(-100);
    QTest::newRow("fraction") << " 0.1 " << std::optional<double>(0.1);
    QTest::newRow("tiny") << "-1.38777878078145E-16" << std::optional<double>(-1.38777878078145e-16);
    QTest::newRow("large") << "1.5E+20" << std::optional<double>(1.5e20);
    QTest::newRow("beyond double") << "1e309" << std::optional<double>();
    QTest::newRow("too small to hold") << "-1e-400" << std::optional<double>(0);
    // The magnitude decides, not the exponent's sign alone.
    const QString hundreds(400, QLatin1Char('0'));
    QTest::newRow("long digits, small exponent, too large") << "1" + hundreds + "e-5" << std::optional<double>();
    QTest::newRow("long digits, large exponent, too small") << "0." + hundreds + "1e+5" << std::optional<double>(0);
    QTest::newRow("long fraction, too small") << "0." + hundreds + "1" << std::optional<double>(0);
    QTest::newRow("exponent beyond any integer") << "1e-99999999999999999999" << std::optional<double>(0);
    QTest::newRow("exponent beyond any integer, too large") << "1e99999999999999999999" << std::optional<double>();
    QTest::newRow("smallest denormal") << "4.9e-324" << std::optional<double>(4.9e-324);
    QTest::newRow("not a number") << "2x" << std::optional<double>();
}

void NumberTextTest::readsDoubles() {
    QFETCH(QString, text);
    QFETCH(std::optional<double>, value);
    QCOMPARE(toDouble(text), value);
}

void NumberTextTest::readsSingles() {
    QCOMPARE(toSingle(QStringLiteral("-350.5")), std::optional<float>(-350.5f));
    QCOMPARE(toSingle(QStringLiteral("120")), std::optional<float>(120.0f));
    QCOMPARE(toSingle(QStringLiteral("0.1")), std::optional<float>(0.1f));
    QVERIFY(toSingle(QStringLiteral("3e38")));
    QVERIFY(!toSingle(QStringLiteral("4e38")));
    QVERIFY(!toSingle(QStringLiteral("-1e39")));
    QVERIFY(!toSingle(QStringLiteral("left")));
}

void NumberTextTest::readingIgnoresTheLocale() {
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const std::optional<double> withPoint = toDouble(QStringLiteral("2.5"));
    const std::optional<double> withComma = toDouble(QStringLiteral("2,5"));
    const QString written = singleText(-350.5f);
    QLocale::setDefault(previous);
    QCOMPARE(withPoint, std::optional<double>(2.5));
    QVERIFY(!withComma);
    QCOMPARE(written, QStringLiteral("-350.5"));
}

void NumberTextTest::integerTexts() {
    QCOMPARE(integerText(2000), QStringLiteral("2000"));
    QCOMPARE(integerText(-1000), QStringLiteral("-1000"));
    QCOMPARE(integerText(0), QStringLiteral("0"));
    QCOMPARE(integerText(16777215), QStringLiteral("16777215"));
    QCOMPARE(integerText(-2147483647 - 1), QStringLiteral("-2147483648"));
}

void NumberTextTest::singleTexts_data() {
    QTest::addColumn<float>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("whole") << 120.0f << "120";
    QTest::newRow("half") << -350.5f << "-350.5";
    QTest::newRow("zero") << 0.0f << "0";
    QTest::newRow("negative zero") << -0.0f << "0";
    QTest::newRow("a tenth, seven digits") << 0.1f << "0.1";
    QTest::newRow("third") << (1.0f / 3.0f) << "0.3333333";
    QTest::newRow("seven digits") << 1234567.0f << "1234567";
    QTest::newRow("eight digits round") << 12345678.0f << "1.234568E+07";
    QTest::newRow("rounding carries") << 9999999.5f << "1E+07";
    QTest::newRow("window left") << 6500.0f << "6500";
    QTest::newRow("small") << 0.0001f << "0.0001";
    QTest::newRow("smaller") << 0.00001f << "1E-05";
    QTest::newRow("twips fraction") << 1234.567f << "1234.567";
}

void NumberTextTest::singleTexts() {
    QFETCH(float, value);
    QFETCH(QString, text);
    QCOMPARE(singleText(value), text);
}

void NumberTextTest::generalNumberTexts() {
    QCOMPARE(generalNumberText(2000.0 / 2), QStringLiteral("1000"));
    QCOMPARE(generalNumberText(1001.0 / 2), QStringLiteral("500.5"));
    QCOMPARE(generalNumberText(-7.0 / 2), QStringLiteral("-3.5"));
    QCOMPARE(generalNumberText(1.0 / 3), QStringLiteral("0.333333333333333"));
}

QTEST_MAIN(NumberTextTest)
#include "number_text_test.moc"
