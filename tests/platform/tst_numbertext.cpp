#include "platform/NumberText.h"
#include "platform/RuntimeError.h"

#include <QTest>
#include <cmath>

using namespace corvex;
using namespace std::string_literals;

class TstNumberText : public QObject {
    Q_OBJECT
  private slots:
    void formatPatterns() {
        const struct {
            double value;
            const char *pattern, *expected;
        } cases[] = {
            {1.2, "0.000", "1.200"},                       // axis labels: three decimals
            {-60, "0.000", "-60.000"},                     //
            {-1e-9, "0.000", "0.000"},                     // a label that shows zero has no minus sign
            {12.5, "0.0000E+00", "1.2500E+01"},            // readout X: four decimals
            {-0.25, "0.000E+00", "-2.500E-01"},            // readout Y: three
            {1200, "+0.00E+00;-0.00E+00", "+1.20E+03"},    // axis exponent text
            {-0.0125, "+0.00E+00;-0.00E+00", "-1.25E-02"}, //
            {9.996, "+0.00E+00;-0.00E+00", "+1.00E+01"},   // mantissa rounding carries into the exponent
            {1e120, "+0.00E+00;-0.00E+00", "+1.00E+120"},  //
            {100, "###", "100"},                           // legend numbers
            {2.5, "###", "2"},                             // halves to even
            {0.4, "###", ""},                              // "#" shows no digit for zero
            {-0.4, "###", ""},                             // nor for a negative zero
            {-7, "###", "-7"},                             //
            {7, "000", "007"},                             // sequence numbers: three digits at least
            {1000, "000", "1000"},                         //
            {-4.5, "000", "-004"},                         //
            {INFINITY, "000", "inf"},                      // defined, however large
        };
        for (const auto& c : cases)
            QCOMPARE(formatNumber(c.value, c.pattern), std::string(c.expected));
    }
    void halvesRoundToEven() {
        const std::pair<double, double> cases[] = {
            {2.5, 2},
            {3.5, 4},
            {0.5, 0},
            {1.5, 2},
            {-2.5, -2},
            {2.6, 3},
            {0.49999999999999994, 0}, // the largest double below a half
            {0x1p52 - 0.5, 0x1p52},
            {-0x1p52 + 0.5, -0x1p52}, // halves next to 2^52 go to the even end
            {0x1p52 + 1, 0x1p52 + 1},
            {-1e300, -1e300}, // whole already
            {-0.3, -0.0},
            {-0.0, -0.0},
            {0.0, 0.0}}; // the sign of a zero stays
        for (const auto& [value, expected] : cases)
            QCOMPARE(std::pair(roundHalfEven(value), std::signbit(roundHalfEven(value))),
                     std::pair(expected, std::signbit(expected)));
        QVERIFY(std::isinf(roundHalfEven(INFINITY)) && std::isnan(roundHalfEven(NAN)));
    }
    void integerRanges() {
        QCOMPARE(toInt16(32767.0), std::optional<int16_t>(32767));
        QCOMPARE(toInt16(32767.5), std::optional<int16_t>());        // rounds to 32768: out of range
        QCOMPARE(toInt16(-32768.5), std::optional<int16_t>(-32768)); // rounds to the even -32768
        QCOMPARE(toInt16(-32769.0), std::optional<int16_t>());
        QCOMPARE(toInt32(2147483647.0), std::optional<int32_t>(2147483647));
        QCOMPARE(toInt32(-2147483648.0), std::optional<int32_t>(-2147483647 - 1));
        QCOMPARE(toInt32(2147483648.0), std::optional<int32_t>());
        QCOMPARE(toInt32(-2147483649.0), std::optional<int32_t>());
        QCOMPARE(toInt32(std::numeric_limits<double>::quiet_NaN()), std::optional<int32_t>());
    }
    // Whole numbers have a leading blank when not negative. A failure without a message of its own is told
    // by number: 7 for lack of memory (an array too long to allocate too), 5 for anything else.
    void wholeNumbersAndErrorNumbers() {
        QCOMPARE(std::tuple(numberToText(0), numberToText(-13)), std::tuple(" 0"s, "-13"s));
        QCOMPARE(runtimeErrorText(runtimeErrorNumber(std::bad_alloc())), "Error # 7 !"s);
        QCOMPARE(runtimeErrorText(runtimeErrorNumber(std::bad_array_new_length())), "Error # 7 !"s);
        QCOMPARE(runtimeErrorText(runtimeErrorNumber(std::out_of_range("index"))), "Error # 5 !"s);
    }
    // The number a text starts with, as the delay display is read; 0 when there is none.
    void leadingNumber() {
        const std::pair<const char*, double> cases[] = {
            {"4", 4},   {" 109", 109}, {"\t-2.5", -2.5}, {"+.5", 0.5},   {"12abc", 12},  {"3E", 3},
            {"3E+", 3}, {"2e2x", 200}, {"2E-1", 0.2},    {"1.5e+1", 15}, {"abc", 0},     {"-", 0},
            {".", 0},   {"", 0},       {"7.", 7},        {"0x10", 0},    {"  0x1p4", 0}, // hexadecimal is no
                                                                                         // decimal number:
                                                                                         // its leading 0
        };
        for (const auto& [text, expected] : cases)
            QCOMPARE(corvex::leadingNumber(text), expected);
    }
};

QTEST_APPLESS_MAIN(TstNumberText)
#include "tst_numbertext.moc"
