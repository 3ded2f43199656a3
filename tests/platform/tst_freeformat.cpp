#include "platform/FreeFormatInput.h"
#include "support/MemorySource.h"

#include <QTest>
#include <limits>

using namespace corvex;

template <typename Input> static QList<float> fieldsOf(Input&& in) {
    QList<float> got;
    for (float v = 0; in.readField(v);)
        got << v;
    return got;
}

// Line ends in whole files and failed fields that end a record: tst_reader fileGivesItsPoints.
class TstFreeFormat : public QObject {
    Q_OBJECT
  private slots:
    void fieldSeparators() {
        const std::pair<const char*, QList<float>> cases[] = {
            {"1 2  3", {1, 2, 3}},
            {"1 , 2,3", {1, 2, 3}}, // comma with blanks around
            {"1,,3", {1, 0, 3}},    // an empty field between two commas reads 0
            {"1\r\n2\r3\n4", {1, 2, 3, 4}},
            {"-1.5E2 +.5 2.e-1 3e+0", {-150, 0.5f, 0.2f, 3}},
        };
        for (const auto& [text, expected] : cases)
            QCOMPARE(fieldsOf(FreeFormatInput(text)), expected);
    }

    void fieldsThatFail() {
        // Not numbers, beyond the float range (infinity from half a unit above FLT_MAX on), or no field.
        for (const char* field : {"nan", "inf", "0x10", "12abc", "1E", "1e+", "E5", "-", "+", ".", "+-1",
                                  "1.2.3", "1e5.5", "1E39", "3.40282357E+38", "-1E39", "1e400", ""}) {
            float v = 42;
            QVERIFY2(!FreeFormatInput(field).readField(v), field);
            QCOMPARE(v, 42.0f); // the target keeps its value
        }
    }

    // Every number is the correctly rounded double (the C++ compiler rounds the literal the same way).
    void numbersAreCorrectlyRounded() {
        const std::pair<const char*, double> cases[] = {
            {"123456789012345e-22", 123456789012345e-22}, // 15 digits and 10^22: exact operands
            {"9508661149964889e-5", 9508661149964889e-5}, // 16 digits: the mantissa alone would round
            {"12345678901234567890123", 12345678901234567890123.0}, // past 64 bits
            {"0.00000000000000000000000001234", 1.234e-26},         // leading zeros: 4 digits, 10^-29
        };
        for (const auto& [text, expected] : cases) {
            double v = 0;
            QVERIFY2(parseDecimal(text, v) && v == expected, text);
        }
    }

    // The 16-bit limits and underflow: tst_reader fileGivesItsPoints.
    void rangesOfTargets() {
        FreeFormatInput in("2.5 3.5 3.4028235E+38 -3.4028235E+38");
        int16_t s = 0;
        QVERIFY(in.readField(s) && s == 2); // halves to even
        QVERIFY(in.readField(s) && s == 4);
        float big = 0;
        // The usual 8-digit text of the largest float lies a little above it but rounds to it.
        QVERIFY(in.readField(big) && big == std::numeric_limits<float>::max());
        QVERIFY(in.readField(big) && big == -std::numeric_limits<float>::max());
    }

    // Lines, line ends and fields cut anywhere by the pieces a file is read in: the same lines and
    // numbers as from the whole text. CR LF split between two pieces is still one line end.
    void inputInPiecesReadsAsWhole() {
        const std::string text = "line one\r\nline two\r\n12.5 , -3E2,,7\r\n\r\n 8\t-0.25e+1";
        for (int size : {1, 2, 3, 5, 64 * 1024}) {
            testing::MemorySource source(text, size_t(size));
            FreeFormatInput in(source);
            std::string one, two;
            QVERIFY(in.readLine(one) && in.readLine(two));
            QCOMPARE(std::pair(one, two), std::pair(std::string("line one"), std::string("line two")));
            QCOMPARE(fieldsOf(in), (QList<float>{12.5f, -300, 0, 7, 8, -2.5f}));
            QCOMPARE(std::pair(in.atEnd(), in.position()), std::pair(true, text.size()));
        }
    }

    // Memory stays bounded: a line without end keeps its first 65,536 characters; a field of more than
    // 4,096 characters is no number, even when its digits would make one; the next field reads.
    void overlongLineAndField() {
        const std::string text = std::string(100000, 'a') + "\n2";
        testing::MemorySource source(text, 5000); // the limit falls inside a piece
        FreeFormatInput in(source);
        std::string line;
        QVERIFY(in.readLine(line) && line == std::string(65536, 'a'));
        float v = 0;
        QVERIFY(in.readField(v) && v == 2);

        const std::string longest = std::string(4095, '0') + "1"; // 4,096 characters
        const std::string fields = longest + " 0." + std::string(4094, '0') + "1 3";
        testing::MemorySource pieces(fields, 1000);
        FreeFormatInput in2(pieces);
        v = 5;
        QVERIFY(in2.readField(v) && v == 1.0f);
        QVERIFY(!in2.readField(v) && v == 1.0f);
        QVERIFY(in2.readField(v) && v == 3);
    }
};

QTEST_APPLESS_MAIN(TstFreeFormat)
#include "tst_freeformat.moc"
