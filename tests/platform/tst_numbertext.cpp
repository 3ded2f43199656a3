#include "platform/NumberText.h"

#include <QTest>

using namespace corvex;

class TstNumberText : public QObject {
    Q_OBJECT
  private slots:
    void formatPatterns_data();
    void formatPatterns();
    void halvesRoundToEven_data();
    void halvesRoundToEven();
    void integerRanges();
    void numberToTextHasLeadingBlankWhenNotNegative();
    void leadingNumber_data();
    void leadingNumber();
};

void TstNumberText::formatPatterns_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("expected");
    QTest::newRow("label with three decimals") << 1.2 << "0.000"
                                               << "1.200";
    QTest::newRow("negative label") << -60.0 << "0.000"
                                    << "-60.000";
    QTest::newRow("tiny negative label shows plain zero") << -1e-9 << "0.000"
                                                          << "0.000";
    QTest::newRow("readout X has four decimals") << 12.5 << "0.0000E+00"
                                                 << "1.2500E+01";
    QTest::newRow("readout Y has three decimals") << -0.25 << "0.000E+00"
                                                  << "-2.500E-01";
    QTest::newRow("exponent text with plus sign") << 1200.0 << "+0.00E+00;-0.00E+00"
                                                  << "+1.20E+03";
    // Mantissa rounding carries into the exponent.
    QTest::newRow("9.996 raises the exponent") << 9.996 << "+0.00E+00;-0.00E+00"
                                               << "+1.00E+01";
    QTest::newRow("three-digit exponent") << 1e120 << "+0.00E+00;-0.00E+00"
                                          << "+1.00E+120";
    QTest::newRow("legend number") << 100.0 << "###"
                                   << "100";
    QTest::newRow("sequence with four digits") << 1000.0 << "000"
                                               << "1000";
}

void TstNumberText::formatPatterns() {
    QFETCH(double, value);
    QFETCH(QString, pattern);
    QFETCH(QString, expected);
    QCOMPARE(QString::fromStdString(formatNumber(value, pattern.toStdString())), expected);
}

void TstNumberText::halvesRoundToEven_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("expected");
    QTest::newRow("2.5 goes down to the even 2") << 2.5 << 2.0;
    QTest::newRow("3.5 goes up to the even 4") << 3.5 << 4.0;
    QTest::newRow("0.5 goes to 0 (5 points give progress step 0)") << 0.5 << 0.0;
    QTest::newRow("1.5 goes to 2 (15 points give step 2)") << 1.5 << 2.0;
}

void TstNumberText::halvesRoundToEven() {
    QFETCH(double, value);
    QFETCH(double, expected);
    QCOMPARE(roundHalfEven(value), expected);
}

void TstNumberText::integerRanges() {
    QCOMPARE(toInt16(32767.0), std::optional<int16_t>(32767));
    QCOMPARE(toInt16(32767.5), std::optional<int16_t>()); // rounds to 32768: out of range
    QCOMPARE(toInt16(-32768.0), std::optional<int16_t>(-32768));
    QCOMPARE(toInt16(-32769.0), std::optional<int16_t>());
    QCOMPARE(toInt32(2147483647.0), std::optional<int32_t>(2147483647));
    QCOMPARE(toInt32(2147483648.0), std::optional<int32_t>());
    QCOMPARE(toInt32(std::numeric_limits<double>::quiet_NaN()), std::optional<int32_t>());
}

void TstNumberText::numberToTextHasLeadingBlankWhenNotNegative() {
    QCOMPARE(numberToText(5), std::string(" 5"));
    QCOMPARE(numberToText(0), std::string(" 0"));
    QCOMPARE(numberToText(-13), std::string("-13"));
}

void TstNumberText::leadingNumber_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");
    QTest::newRow("plain") << "4" << 4.0;
    QTest::newRow("leading blank from an arrow press") << " 17" << 17.0;
    QTest::newRow("text after the number is ignored") << "12abc" << 12.0;
    QTest::newRow("exponent without digits stops before the E") << "3E" << 3.0;
    QTest::newRow("no number") << "abc" << 0.0;
}

void TstNumberText::leadingNumber() {
    QFETCH(QString, text);
    QFETCH(double, expected);
    QCOMPARE(corvex::leadingNumber(text.toStdString()), expected);
}

QTEST_APPLESS_MAIN(TstNumberText)
#include "tst_numbertext.moc"
