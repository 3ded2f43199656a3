#include "platform/FreeFormatInput.h"
#include "support/MemorySource.h"

#include <QTest>
#include <limits>

using namespace corvex;

class TstFreeFormat : public QObject {
    Q_OBJECT
  private slots:
    void linesEndAtCrCrlfOrLf();
    void fieldSeparators_data();
    void fieldSeparators();
    void fieldsThatFail();
    void failedFieldIsConsumedAndKeepsTarget();
    void rangesOfTargets();
    void inputInPiecesReadsAsWhole_data();
    void inputInPiecesReadsAsWhole();
    void overlongLineKeepsItsStart();
    void overlongFieldIsNoNumber();
};

void TstFreeFormat::linesEndAtCrCrlfOrLf() {
    FreeFormatInput in("a\rb\r\nc\nd");
    std::string line;
    QStringList lines;
    while (in.readLine(line))
        lines << QString::fromStdString(line);
    QCOMPARE(lines, QStringList({"a", "b", "c", "d"}));
}

void TstFreeFormat::fieldSeparators_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<float>>("expected");
    QTest::newRow("blanks") << "1 2  3" << QList<float>{1, 2, 3};
    QTest::newRow("comma with blanks around") << "1 , 2,3" << QList<float>{1, 2, 3};
    QTest::newRow("empty field between two commas reads 0") << "1,,3" << QList<float>{1, 0, 3};
    QTest::newRow("line ends separate fields") << "1\r\n2\r3\n4" << QList<float>{1, 2, 3, 4};
    QTest::newRow("sign fraction exponent") << "-1.5E2 +.5 2.e-1 3e+0" << QList<float>{-150, 0.5f, 0.2f, 3};
}

void TstFreeFormat::fieldSeparators() {
    QFETCH(QString, text);
    QFETCH(QList<float>, expected);
    const std::string bytes = text.toStdString();
    FreeFormatInput in(bytes);
    QList<float> got;
    float v = 0;
    while (in.readField(v))
        got << v;
    QCOMPARE(got, expected);
}

void TstFreeFormat::fieldsThatFail() {
    // Not numbers, beyond the float range (from half a unit above the largest float on, rounding gives
    // infinity), or no field at all.
    for (const char* field : {"nan", "inf", "0x10", "12abc", "1E", "1e+", "E5", "-", "+", ".", "+-1", "1.2.3",
                              "1e5.5", "1E39", "3.40282357E+38", "-1E39", ""}) {
        FreeFormatInput in(field);
        float v = 42;
        QVERIFY2(!in.readField(v), field);
        QCOMPARE(v, 42.0f); // the target keeps its value
    }
}

void TstFreeFormat::failedFieldIsConsumedAndKeepsTarget() {
    FreeFormatInput in("abc, 7");
    float v = 1;
    QVERIFY(!in.readField(v));
    QVERIFY(in.readField(v)); // reading goes on after the bad field
    QCOMPARE(v, 7.0f);
}

void TstFreeFormat::rangesOfTargets() {
    FreeFormatInput in("32767 32768 -32768 -32769 2.5 3.5 2147483648 1E-50");
    int16_t s = 0;
    QVERIFY(in.readField(s) && s == 32767);
    QVERIFY(!in.readField(s) && s == 32767); // 32768 does not fit a set number
    QVERIFY(in.readField(s) && s == -32768);
    QVERIFY(!in.readField(s));
    QVERIFY(in.readField(s) && s == 2); // halves to even
    QVERIFY(in.readField(s) && s == 4);
    int32_t count = 0;
    QVERIFY(!in.readField(count)); // 2^31 does not fit a count
    float tiny = 5;
    QVERIFY(in.readField(tiny) && tiny == 0.0f); // underflow reads as zero
    FreeFormatInput largest("3.4028235E+38 -3.4028235E+38");
    float big = 0;
    // The usual 8-digit text of the largest float lies a little above it but rounds to it.
    QVERIFY(largest.readField(big) && big == std::numeric_limits<float>::max());
    QVERIFY(largest.readField(big) && big == -std::numeric_limits<float>::max());
}

// Lines, line ends and fields cut anywhere by the pieces a file is read in: the same lines and
// numbers as from the whole text. CR LF split between two pieces is still one line end.
void TstFreeFormat::inputInPiecesReadsAsWhole_data() {
    QTest::addColumn<int>("pieceSize");
    for (int size : {1, 2, 3, 5, 64 * 1024})
        QTest::addRow("pieces of %d", size) << size;
}

void TstFreeFormat::inputInPiecesReadsAsWhole() {
    QFETCH(int, pieceSize);
    const std::string text = "line one\r\nline two\r\n12.5 , -3E2,,7\r\n\r\n 8\t-0.25e+1";
    testing::MemorySource source(text, size_t(pieceSize));
    FreeFormatInput in(source);
    std::string one, two;
    QVERIFY(in.readLine(one) && in.readLine(two));
    QCOMPARE(one, std::string("line one"));
    QCOMPARE(two, std::string("line two"));
    QList<float> got;
    float v = 0;
    while (in.readField(v))
        got << v;
    QCOMPARE(got, (QList<float>{12.5f, -300, 0, 7, 8, -2.5f}));
    QVERIFY(in.atEnd());
    QCOMPARE(in.position(), text.size());
}

// Memory stays bounded on a line without end: its first 65,536 characters are kept.
void TstFreeFormat::overlongLineKeepsItsStart() {
    const std::string text = std::string(100000, 'a') + "\n2";
    testing::MemorySource source(text, 4096);
    FreeFormatInput in(source);
    std::string line;
    QVERIFY(in.readLine(line));
    QCOMPARE(line, std::string(65536, 'a'));
    float v = 0;
    QVERIFY(in.readField(v) && v == 2);
}

// A field of more than 4,096 characters is no number, even when its digits would make one; the
// next field reads.
void TstFreeFormat::overlongFieldIsNoNumber() {
    const std::string longest = "0." + std::string(4093, '0') + "1"; // 4,096 characters
    const std::string text = longest + " 0." + std::string(4094, '0') + "1 3";
    testing::MemorySource source(text, 1000);
    FreeFormatInput in(source);
    float v = 5;
    QVERIFY(in.readField(v) && v == 0.0f); // 1E-4094 underflows to 0
    QVERIFY(!in.readField(v) && v == 0.0f);
    QVERIFY(in.readField(v) && v == 3);
}

QTEST_APPLESS_MAIN(TstFreeFormat)
#include "tst_freeformat.moc"
