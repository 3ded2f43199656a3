// Plot data files, good and bad, end to end through the real file system: OpenDataFile, ReadPlotData,
// FindLimits and the close, as every caller runs them. None may crash or hang.

#include "datafile/FakeSequencerHost.h"
#include "datafile/PlotFileNames.h"
#include "datafile/PlotReader.h"
#include "support/TestPoints.h"

#include <QTest>
#include <algorithm>
#include <cfloat>
#include <sys/resource.h>
#include <sys/stat.h>
#include <tuple>

using namespace corvex;
using namespace corvex::test;
using namespace corvex::testing;
using namespace std::string_literals;

namespace {

enum class Entry { File, Directory, Fifo }; // what stands at plot.dat

// The points 1..5 left by an earlier read: a field that fails keeps these values.
TestPoint oldPoint(int i) {
    return {-100.0f - i, -200.0f - i, int16_t(90 + i)};
}

QList<float> limitsOf(const PlotRange& r) {
    return {r.PlotXMin, r.PlotXMax, r.PlotYMin, r.PlotYMax};
}

const std::string kHeader = " Bad input\r\nsub\r\nX\r\nY\r\n";

struct Run {
    QTemporaryDir dir;
    const std::string path = dir.filePath("plot.dat").toStdString();
    PlotData state;
    PlotRange range;
    SystemFileService files;
    StepClock clock;
    MessageRecorder messages;
    ProgressRecorder progress;
    std::string caption;
    bool closing = false; // the program is closing: the read ends at its first yield

    // An earlier plot with data, so that kept values show.
    Run() { loadPoints(state, {oldPoint(1), oldPoint(2), oldPoint(3), oldPoint(4), oldPoint(5)}); }
    void read(const std::optional<std::string>& content = {}) {
        if (content) writeFile(path, *content);
        ReaderHost host{messages, progress, [this](const std::string& c) { caption = c; },
                        [](const std::string&) {}, [this] { return closing; }};
        LoadPlotFile(path, path, files, clock, host, state, range);
    }
};

} // namespace

class TstReader : public QObject {
    Q_OBJECT
  private slots:
    // A read cut short by a close leaves no plot of its incomplete points, and no range of them.
    void closeEndsTheReadWithoutData() {
        Run r;
        r.closing = true;
        r.range = {1, 2, 3, 4};
        r.read(plotFileText("T", 30));
        QVERIFY(!r.state.DataLoaded && !r.progress.visible && r.caption.empty());
        QCOMPARE(limitsOf(r.range), (QList<float>{1, 2, 3, 4}));
    }

    void fileGivesItsPoints() {
        const QList<TestPoint> keptOld{oldPoint(1)}; // a read without data keeps point 1
        const struct {
            std::string content;
            int numPts;              // 0: a file without data
            QList<TestPoint> points; // expected points 1..n
            Entry entry = Entry::File;
        } cases[] = {
            {"", 0, keptOld},
            {kHeader, 0, keptOld},
            {kHeader + "-1\r\n1 2 3 4\r\n", 0, keptOld},
            {kHeader + "0\r\n", 0, keptOld},
            {kHeader + "2147483648\r\n1 2 3 4\r\n", 0, keptOld}, // 2^31 does not fit a signed 32-bit count
            {kHeader + "abc\r\n1 2 3 4\r\n", 0, keptOld},
            // NumPts is limited to the capacity, 250,000; the missing records 3.. keep the earlier values.
            {kHeader + "250001\r\n1 2 0 1\r\n3 4 0 2\r\n", 250000, {{1, 2, 1}, {3, 4, 2}, oldPoint(3)}},
            {kHeader + "1\r\n1 2 0 1\r\n5 6 0 2\r\n", 1, {{1, 2, 1}}}, // more records than the count
            // The file ends inside record 2 after its Y value: its set number and all of point 3 are kept.
            {kHeader + "3\r\n1 2 0 1\r\n5 6", 3, {{1, 2, 1}, {5, 6, oldPoint(2).set}, oldPoint(3)}},
            {" T\nsub\nX\nY\n2\n1 2 0 1\n3 4 0 2\n", 2, {{1, 2, 1}, {3, 4, 2}}},
            {" T\rsub\rX\rY\r2\r1 2 0 1\r3 4 0 2\r", 2, {{1, 2, 1}, {3, 4, 2}}},
            // Records are not tied to lines: the fifth number is the next point's X.
            {kHeader + "2\r\n1 2 0 1 5\r\n6 0 3\r\n", 2, {{1, 2, 1}, {5, 6, 3}}},
            // FLT_MAX reads; beyond it a field fails and ends its record (the spare value of record 3 is read
            // on from " 0 2"); 1E-50 reads as 0.
            {kHeader + "3\r\n3.4028234663852886E+38 1E-50 0 1\r\n1 3.5E+38 0 2\r\n-1E+39 9 9 9\r\n",
             3,
             {{FLT_MAX, 0, 1}, {1, oldPoint(2).y, oldPoint(2).set}, {0, 2, oldPoint(3).set}}},
            // Set numbers are 16-bit: 32768 and -32769 fail, end the record and keep the old set number.
            {kHeader + "4\r\n1 1 0 32767\r\n2 2 0 32768\r\n3 3 0 -32769\r\n4 4 0 -32768\r\n",
             4,
             {{1, 1, 32767}, {2, 2, oldPoint(2).set}, {3, 3, oldPoint(3).set}, {4, 4, -32768}}},
            // Not a regular file at plot.dat: it fails quietly without waiting and the earlier 5 points stay.
            {"", 5, keptOld, Entry::Directory},
            {"", 5, keptOld, Entry::Fifo},
        };
        for (const auto& [content, numPts, points, entry] : cases) {
            Run r;
            if (entry == Entry::File) writeFile(r.path, content);
            if (entry == Entry::Directory) QCOMPARE(::mkdir(r.path.c_str(), 0755), 0);
            if (entry == Entry::Fifo) QCOMPARE(::mkfifo(r.path.c_str(), 0644), 0);
            r.read();
            QCOMPARE(
                std::tuple(r.clock.slept, r.state.DataLoaded, r.state.NumPts, r.progress.visible),
                std::tuple(entry == Entry::File ? 500LL : 0LL, numPts > 0, numPts, false)); // settles once
            const std::string caption = numPts > 0 ? readCaption(r.path) : "Corvex V1.1d";
            QCOMPARE(r.caption, entry == Entry::File ? caption : ""s);
            QCOMPARE(r.messages.messages.size(), size_t(numPts > 0 ? 0 : 1));
            if (numPts == 0)
                QCOMPARE(std::pair(r.messages.messages[0].title, r.messages.messages[0].text),
                         std::pair("Data File Error"s, "The Current File Contained No Data!\n\r" + r.path));
            for (int i = 1; i <= points.size(); ++i)
                QCOMPARE(std::tuple(r.state.XVal[i], r.state.YVal[i], r.state.SetNo[i]),
                         std::tuple(points[i - 1].x, points[i - 1].y, points[i - 1].set));
            if (points.size() == numPts) // the range is that of points 1..n alone, not the older ones beyond
                QCOMPARE(limitsOf(r.range), (QList<float>{std::ranges::min(points, {}, &TestPoint::x).x,
                                                          std::ranges::max(points, {}, &TestPoint::x).x,
                                                          std::ranges::min(points, {}, &TestPoint::y).y,
                                                          std::ranges::max(points, {}, &TestPoint::y).y}));
        }
    }

    void headerLines() {
        const std::string sub = "sub", nul = "Bad\0in\0put"s, high = "Temp\xe9rature \xb0\xff";
        const std::string cases[][4] = {
            // line 1, line 2, title, subtitle
            {"XHello", sub, "Hello", sub},                                   // character 1 is not shown
            {" " + std::string(99999, 'a'), sub, std::string(77, 'a'), sub}, // title: characters 2 to 78
            {" " + nul, nul, nul, nul},
            {" " + high, high, high, high},
            {" T", std::string(78, 's') + " rrr", "T", std::string(78, 's') + "  ::  rrr"}, // blank at 79
            // The rest starts at character 80, so character 79 is not shown twice.
            {" T", std::string(79, 's') + "rr", "T", std::string(79, 's') + "  ::  rr"},
            {" T", std::string(79, 's') + "r", "T", std::string(79, 's') + "  ::  r"}, // 80: one character on
        };
        for (const auto& [line1, line2, title, subtitle] : cases) {
            Run r;
            r.read(line1 + "\r\n" + line2 + "\r\nX\r\nY\r\n1\r\n1 2 0 1\r\n");
            QCOMPARE(std::pair(r.state.PlotTitle, r.state.SubTitle), std::pair(title, subtitle));
        }
    }
    // A read that fails (EIO: /proc/self/mem at offset 0 is not mapped) ends the input, not tried again.
    void readErrorEndsTheInput() {
        SystemFileService files;
        std::string why;
        const auto source = files.openInput("/proc/self/mem", why);
        char piece[16];
        QVERIFY2(source && source->read(piece, sizeof piece) == 0, why.c_str());
    }

    // An editor's UTF-8 byte-order mark is not part of line 1: not in the title, and the deletion mark
    // is still counted from the line's first character.
    void byteOrderMarkBeforeLine1IsSkipped() {
        Run r;
        const std::string line1 = " T" + std::string(77, ' ') + " !";
        r.read("\xEF\xBB\xBF" + line1 + "\r\nsub\r\nX\r\nY\r\n1\r\n1 2 0 1\r\n");
        QCOMPARE(std::pair(r.state.PlotTitle, r.state.HeaderLine), std::pair("T"s, line1));
        QVERIFY(hasDeletionMark(r.state.HeaderLine));
    }

    // The file is read in pieces: 30,000 records (about 600 KB) cross many piece boundaries, and every
    // record i arrives as (i, i*i). 64 GiB of zeros follow (sparse, no disk used): the reader takes what it
    // needs and its memory does not follow the file's length.
    void recordsAcrossReadPiecesAllArriveInBoundedMemory() {
        Run r;
        writeFile(r.path, plotFileText("T", 30000));
        QVERIFY(QFile::resize(QString::fromStdString(r.path), qint64(64) << 30));
        rusage before{}, after{};
        getrusage(RUSAGE_SELF, &before);
        r.read();
        getrusage(RUSAGE_SELF, &after);
        QVERIFY(after.ru_maxrss - before.ru_maxrss < 16 * 1024); // KiB
        QCOMPARE(r.state.NumPts, 30000);
        for (int i = 1; i <= 30000; ++i)
            if (r.state.XVal[i] != float(i) || r.state.YVal[i] != float(double(i) * i) ||
                r.state.SetNo[i] != 1)
                QFAIL(qPrintable(QString("record %1 misread").arg(i)));
    }

    void progressSteps() {
        const std::pair<int, QList<int>> cases[] = {
            // Step = points/10 with halves to even; the bar moves when the integer part of i/step grows.
            {5, {0, 0}}, // step 0: the bar stays at 0
            {6, {0, 10, 20, 30, 40, 50, 60, 0}},
            {26, {0, 10, 20, 30, 40, 50, 60, 70, 80, 0}}, // step 3
            {14,
             {0, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 0}}, // step 1: 110.. not shown, the bar keeps 100
        };
        for (const auto& [points, shown] : cases) {
            Run r;
            r.read(plotFileText("T", points));
            QCOMPARE(QList<int>(r.progress.values.begin(), r.progress.values.end()), shown);
        }
    }

    void captionShortensPast20Characters() {
        QCOMPARE(readCaption("/data/abcdefghij.dat"), "Corvex V1.1d [/data/abcdefghij.dat]"s);
        QCOMPARE(readCaption("/data/abcdefghijk.dat"), "Corvex V1.1d [.../data/abcdefghijk.dat]"s);
        QCOMPARE(readCaption("/home/lab/run7/abcdefghijk.dat"), "Corvex V1.1d [.../run7/abcdefghijk.dat]"s);
    }
};

QTEST_GUILESS_MAIN(TstReader)
#include "tst_reader.moc"
