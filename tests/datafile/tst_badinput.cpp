// Bad plot data files, end to end through the real file system: OpenDataFile, ReadPlotData,
// FindLimits and the close, as every caller runs them. Each must give its documented result and
// never crash or hang.

#include "datafile/PlotReader.h"
#include "support/Recorders.h"

#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cfloat>
#include <fstream>
#include <sys/stat.h>

using namespace corvex;
using namespace corvex::testing;
using namespace std::string_literals;

namespace {

// What stands at plot.dat in the watched directory.
enum class Entry { File, Directory, Fifo };

struct Point {
    float x;
    float y;
    int16_t set;
};

// The points 1..5 left by an earlier read: a field that fails keeps these values.
Point oldPoint(int i) {
    return {-100.0f - i, -200.0f - i, int16_t(90 + i)};
}

const std::string kHeader = " Bad input\r\nsub\r\nX\r\nY\r\n";
const std::string kNoData = "The Current File Contained No Data!\n\r";

} // namespace

Q_DECLARE_METATYPE(Entry)
Q_DECLARE_METATYPE(std::string)
Q_DECLARE_METATYPE(QList<Point>)

class TstBadInput : public QObject {
    Q_OBJECT
  private slots:
    void badFileGivesDocumentedResult_data();
    void badFileGivesDocumentedResult();
};

void TstBadInput::badFileGivesDocumentedResult_data() {
    QTest::addColumn<Entry>("entry");
    QTest::addColumn<std::string>("content");
    QTest::addColumn<bool>("opens");
    QTest::addColumn<bool>("loaded");
    QTest::addColumn<int>("numPts");
    QTest::addColumn<std::string>("title");
    QTest::addColumn<QList<Point>>("points"); // expected points 1..n; a read without data keeps point 1

    const QList<Point> keptOld{oldPoint(1)};
    const std::string line100k = " " + std::string(99999, 'a');
    const std::string digits100k = "1" + std::string(99999, '0');

    // Nothing to read: every header step fails, the count cannot be read -> a file without data.
    QTest::newRow("empty file") << Entry::File << std::string() << true << false << 0
                                << std::string("old title") << keptOld;
    QTest::newRow("header only") << Entry::File << kHeader << true << false << 0 << std::string("Bad input")
                                 << keptOld;
    QTest::newRow("count -1") << Entry::File << kHeader + "-1\r\n1 2 3 4\r\n"
                              << true << false << 0 << std::string("Bad input") << keptOld;
    QTest::newRow("count 0") << Entry::File << kHeader + "0\r\n"
                             << true << false << 0 << std::string("Bad input") << keptOld;
    // 2^31 does not fit a signed 32-bit count: the count cannot be read.
    QTest::newRow("count 2^31") << Entry::File << kHeader + "2147483648\r\n1 2 3 4\r\n"
                                << true << false << 0 << std::string("Bad input") << keptOld;
    QTest::newRow("count abc") << Entry::File << kHeader + "abc\r\n1 2 3 4\r\n"
                               << true << false << 0 << std::string("Bad input") << keptOld;
    // Above the capacity: the first 250,000 records are read, NumPts is limited to the capacity;
    // the missing records 3.. keep the earlier values.
    QTest::newRow("count 2^31-1") << Entry::File << kHeader + "2147483647\r\n1 2 0 1\r\n3 4 0 2\r\n"
                                  << true << true << 250000 << std::string("Bad input")
                                  << QList<Point>{{1, 2, 1}, {3, 4, 2}, oldPoint(3)};
    // Records past the count stay unread: point 2 keeps its earlier value.
    QTest::newRow("more records than the count")
        << Entry::File << kHeader + "1\r\n1 2 0 1\r\n5 6 0 2\r\n7 8 0 3\r\n"
        << true << true << 1 << std::string("Bad input") << QList<Point>{{1, 2, 1}};
    // The file ends inside record 2 after its Y value: its set number and all of point 3 are kept.
    QTest::newRow("fewer records than the count")
        << Entry::File << kHeader + "3\r\n1 2 0 1\r\n5 6" << true << true << 3 << std::string("Bad input")
        << QList<Point>{{1, 2, 1}, {5, 6, oldPoint(2).set}, oldPoint(3)};
    QTest::newRow("NUL bytes in the header")
        << Entry::File << " Bad\0in\0put\r\ns\0b\r\nX\0\r\nY\r\n1\r\n1 2 0 1\r\n"s << true << true << 1
        << "Bad\0in\0put"s << QList<Point>{{1, 2, 1}};
    QTest::newRow("8-bit characters in the header")
        << Entry::File << std::string(" Temp\xe9rature \xb0\xff\r\n\xe4\r\nX \xb5m\r\nY\r\n1\r\n1 2 0 1\r\n")
        << true << true << 1 << std::string("Temp\xe9rature \xb0\xff") << QList<Point>{{1, 2, 1}};
    // Line 1 of 100,000 characters: the title takes characters 2 to 78 only.
    QTest::newRow("header line of 100,000 characters")
        << Entry::File << line100k + "\r\ns\r\nX\r\nY\r\n1\r\n1 2 0 1\r\n"
        << true << true << 1 << std::string(77, 'a') << QList<Point>{{1, 2, 1}};
    // A field of 100,000 digits is far beyond the float range: record 1 stops at its X (all of point 1
    // kept), and record 2 reads on from there: 7, 0, 1 and 8.
    QTest::newRow("number field of 100,000 characters")
        << Entry::File << kHeader + "2\r\n" + digits100k + " 7 0 1\r\n8 9 0 2\r\n"
        << true << true << 2 << std::string("Bad input") << QList<Point>{oldPoint(1), {7, 0, 8}};
    // The largest float reads; beyond it a field fails and ends its record (Y of record 2, the spare
    // value of record 3, which is read on from " 0 2"). 1E-50 is within range and reads as 0.
    QTest::newRow("values beyond the float range")
        << Entry::File
        << kHeader + "3\r\n3.4028234663852886E+38 1E-50 0 1\r\n1 3.5E+38 0 2\r\n-1E+39 9 9 9\r\n"
        << true << true << 3 << std::string("Bad input")
        << QList<Point>{{FLT_MAX, 0, 1}, {1, oldPoint(2).y, oldPoint(2).set}, {0, 2, oldPoint(3).set}};
    // Set numbers are 16-bit: 32768 and -32769 fail and keep the old set number; X and Y are read.
    QTest::newRow("set numbers at the 16-bit edges")
        << Entry::File << kHeader + "4\r\n1 1 0 32767\r\n2 2 0 32768\r\n3 3 0 -32769\r\n4 4 0 -32768\r\n"
        << true << true << 4 << std::string("Bad input")
        << QList<Point>{{1, 1, 32767}, {2, 2, oldPoint(2).set}, {3, 3, oldPoint(3).set}, {4, 4, -32768}};
    // Not a regular file: OpenDataFile fails quietly without waiting, and the reader finds nothing.
    QTest::newRow("directory named plot.dat")
        << Entry::Directory << std::string() << false << false << 0 << std::string("old title") << keptOld;
    QTest::newRow("FIFO named plot.dat")
        << Entry::Fifo << std::string() << false << false << 0 << std::string("old title") << keptOld;
}

void TstBadInput::badFileGivesDocumentedResult() {
    QFETCH(Entry, entry);
    QFETCH(std::string, content);
    QFETCH(bool, opens);
    QFETCH(bool, loaded);
    QFETCH(int, numPts);
    QFETCH(std::string, title);
    QFETCH(QList<Point>, points);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const std::string path = dir.filePath("plot.dat").toStdString();
    switch (entry) {
    case Entry::File:
        std::ofstream(path, std::ios::binary) << content;
        break;
    case Entry::Directory:
        QCOMPARE(::mkdir(path.c_str(), 0755), 0);
        break;
    case Entry::Fifo:
        QCOMPARE(::mkfifo(path.c_str(), 0644), 0);
        break;
    }

    // An earlier plot with data, so that kept values are visible.
    PlotState state;
    for (int i = 1; i <= 5; ++i) {
        const Point p = oldPoint(i);
        state.XVal[i] = p.x;
        state.YVal[i] = p.y;
        state.SetNo[i] = p.set;
    }
    state.NumPts = 5;
    state.DataLoaded = true;
    state.PlotTitle = "old title";

    SystemFileService files;
    StepClock clock;
    DataFileChannel file;
    OpenDataFile(state, file, path, files, clock);
    QCOMPARE(state.DataFileOpen, opens);
    // A regular file settles after one pause; anything else is given up at once.
    QCOMPARE(clock.slept, opens ? 500LL : 0LL);

    MessageRecorder messages;
    ProgressRecorder progress;
    std::string caption;
    ReaderHost host{messages, progress, [&](const std::string& c) { caption = c; },
                    [](const std::string&) {}};
    ReadPlotData(state, file, path, host);
    FindLimits(state, state.XVal, state.YVal, state.NumPts);
    CloseDataFile(state, file);

    QCOMPARE(state.DataLoaded, loaded);
    QCOMPARE(state.NumPts, numPts);
    QCOMPARE(state.PlotTitle, title);
    QVERIFY(!progress.visible);
    QVERIFY(!state.DataFileOpen);
    if (loaded) {
        QVERIFY(messages.messages.empty());
        QCOMPARE(caption, readCaption(path));
    } else {
        QCOMPARE(messages.messages.size(), size_t(1));
        QCOMPARE(messages.messages[0].text, kNoData + path);
        QCOMPARE(messages.messages[0].title, std::string("Data File Error"));
        QCOMPARE(messages.messages[0].icon, MessageIcon::Exclamation);
        QCOMPARE(caption, std::string("Corvex V1.1d"));
    }
    for (int i = 1; i <= points.size(); ++i) {
        QCOMPARE(state.XVal[i], points[i - 1].x);
        QCOMPARE(state.YVal[i], points[i - 1].y);
        QCOMPARE(state.SetNo[i], points[i - 1].set);
    }
    // Where the expected points cover every point read (point 1 alone without data), the range is theirs.
    if (points.size() == std::max(numPts, 1)) {
        auto x = [](const Point& p) { return p.x; };
        auto y = [](const Point& p) { return p.y; };
        QCOMPARE(state.PlotXMin, std::ranges::min(points, {}, x).x);
        QCOMPARE(state.PlotXMax, std::ranges::max(points, {}, x).x);
        QCOMPARE(state.PlotYMin, std::ranges::min(points, {}, y).y);
        QCOMPARE(state.PlotYMax, std::ranges::max(points, {}, y).y);
    }
}

QTEST_GUILESS_MAIN(TstBadInput)
#include "tst_badinput.moc"
