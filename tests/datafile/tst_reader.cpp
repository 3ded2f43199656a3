// Plot data files, good and bad, end to end through the real file system: OpenDataFile, ReadPlotData,
// FindLimits and the close, as every caller runs them. None may crash or hang.

#include "datafile/FakeSequencerHost.h"
#include "datafile/PlotFileNames.h"
#include "datafile/PlotReader.h"

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

struct Point {
    float x, y;
    int16_t set;
};

// The points 1..5 left by an earlier read: a field that fails keeps these values.
Point oldPoint(int i) {
    return {-100.0f - i, -200.0f - i, int16_t(90 + i)};
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

    Run() { // an earlier plot with data, so that kept values are visible
        for (int i = 1; i <= 5; ++i)
            std::tie(state.XVal[i], state.YVal[i], state.SetNo[i]) =
                std::tuple(oldPoint(i).x, oldPoint(i).y, oldPoint(i).set);
        state.NumPts = 5;
        state.DataLoaded = true;
    }
    void read() {
        ReaderHost host{messages, progress, [this](const std::string& c) { caption = c; },
                        [](const std::string&) {}};
        LoadPlotFile(path, path, files, clock, host, state, range);
    }
};

} // namespace

Q_DECLARE_METATYPE(Entry)
Q_DECLARE_METATYPE(std::string)
Q_DECLARE_METATYPE(QList<Point>)

class TstReader : public QObject {
    Q_OBJECT
  private slots:

    void fileGivesItsPoints_data() {
        QTest::addColumn<Entry>("entry");
        QTest::addColumn<std::string>("content");
        QTest::addColumn<int>("numPts");          // 0: a file without data
        QTest::addColumn<QList<Point>>("points"); // expected points 1..n; a read without data keeps point 1

        const QList<Point> keptOld{oldPoint(1)};
        QTest::newRow("empty file") << Entry::File << ""s << 0 << keptOld;
        QTest::newRow("header only") << Entry::File << kHeader << 0 << keptOld;
        QTest::newRow("count -1") << Entry::File << kHeader + "-1\r\n1 2 3 4\r\n" << 0 << keptOld;
        QTest::newRow("count 0") << Entry::File << kHeader + "0\r\n" << 0 << keptOld;
        // 2^31 does not fit a signed 32-bit count: the count cannot be read.
        QTest::newRow("count 2^31") << Entry::File << kHeader + "2147483648\r\n1 2 3 4\r\n" << 0 << keptOld;
        QTest::newRow("count abc") << Entry::File << kHeader + "abc\r\n1 2 3 4\r\n" << 0 << keptOld;
        // Above the capacity: NumPts is limited to 250,000; the missing records 3.. keep the earlier values.
        QTest::newRow("count 250,001") << Entry::File << kHeader + "250001\r\n1 2 0 1\r\n3 4 0 2\r\n"
                                       << 250000 << QList<Point>{{1, 2, 1}, {3, 4, 2}, oldPoint(3)};
        QTest::newRow("more records than the count") << Entry::File << kHeader + "1\r\n1 2 0 1\r\n5 6 0 2\r\n"
                                                     << 1 << QList<Point>{{1, 2, 1}};
        // The file ends inside record 2 after its Y value: its set number and all of point 3 are kept.
        QTest::newRow("fewer records than the count")
            << Entry::File << kHeader + "3\r\n1 2 0 1\r\n5 6" << 3
            << QList<Point>{{1, 2, 1}, {5, 6, oldPoint(2).set}, oldPoint(3)};
        QTest::newRow("LF line ends") << Entry::File << " T\nsub\nX\nY\n2\n1 2 0 1\n3 4 0 2\n"s << 2
                                      << QList<Point>{{1, 2, 1}, {3, 4, 2}};
        QTest::newRow("CR line ends") << Entry::File << " T\rsub\rX\rY\r2\r1 2 0 1\r3 4 0 2\r"s << 2
                                      << QList<Point>{{1, 2, 1}, {3, 4, 2}};
        // Records are not tied to lines: the fifth number is the next point's X.
        QTest::newRow("five numbers on a line") << Entry::File << kHeader + "2\r\n1 2 0 1 5\r\n6 0 3\r\n"
                                                << 2 << QList<Point>{{1, 2, 1}, {5, 6, 3}};
        // The largest float reads; beyond it a field fails and ends its record (Y of record 2, the spare
        // value of record 3, which is read on from " 0 2"). 1E-50 is within range and reads as 0.
        QTest::newRow("values beyond the float range")
            << Entry::File
            << kHeader + "3\r\n3.4028234663852886E+38 1E-50 0 1\r\n1 3.5E+38 0 2\r\n-1E+39 9 9 9\r\n"
            << 3
            << QList<Point>{{FLT_MAX, 0, 1}, {1, oldPoint(2).y, oldPoint(2).set}, {0, 2, oldPoint(3).set}};
        // Set numbers are 16-bit: 32768 and -32769 fail their field, end the record and keep the old set
        // number.
        QTest::newRow("set numbers at the 16-bit edges")
            << Entry::File << kHeader + "4\r\n1 1 0 32767\r\n2 2 0 32768\r\n3 3 0 -32769\r\n4 4 0 -32768\r\n"
            << 4
            << QList<Point>{{1, 1, 32767}, {2, 2, oldPoint(2).set}, {3, 3, oldPoint(3).set}, {4, 4, -32768}};
        // Not a regular file: OpenDataFile fails quietly without waiting, nothing is read, and the
        // earlier 5 points stay.
        QTest::newRow("directory named plot.dat") << Entry::Directory << ""s << 5 << keptOld;
        QTest::newRow("FIFO named plot.dat") << Entry::Fifo << ""s << 5 << keptOld;
    }

    void fileGivesItsPoints() {
        QFETCH(Entry, entry);
        QFETCH(std::string, content);
        QFETCH(int, numPts);
        QFETCH(QList<Point>, points);
        Run r;
        if (entry == Entry::File) writeFile(r.path, content);
        if (entry == Entry::Directory) QCOMPARE(::mkdir(r.path.c_str(), 0755), 0);
        if (entry == Entry::Fifo) QCOMPARE(::mkfifo(r.path.c_str(), 0644), 0);
        r.read();

        // A regular file settles after one pause; anything else is given up at once.
        QCOMPARE(r.clock.slept, entry == Entry::File ? 500LL : 0LL);
        QCOMPARE(r.state.DataLoaded, numPts > 0);
        QCOMPARE(r.state.NumPts, numPts);
        QVERIFY(!r.progress.visible);
        QCOMPARE(r.caption, entry != Entry::File ? ""s : numPts > 0 ? readCaption(r.path) : "Corvex V1.1d"s);
        QCOMPARE(r.messages.messages.size(), size_t(numPts > 0 ? 0 : 1));
        if (numPts == 0) {
            QCOMPARE(r.messages.messages[0].text, "The Current File Contained No Data!\n\r" + r.path);
            QCOMPARE(r.messages.messages[0].title, "Data File Error"s);
        }
        for (int i = 1; i <= points.size(); ++i) {
            QCOMPARE(r.state.XVal[i], points[i - 1].x);
            QCOMPARE(r.state.YVal[i], points[i - 1].y);
            QCOMPARE(r.state.SetNo[i], points[i - 1].set);
        }
        if (points.size() == numPts) { // the range is that of every point read
            QCOMPARE(r.range.PlotXMin, std::ranges::min(points, {}, &Point::x).x);
            QCOMPARE(r.range.PlotXMax, std::ranges::max(points, {}, &Point::x).x);
            QCOMPARE(r.range.PlotYMin, std::ranges::min(points, {}, &Point::y).y);
            QCOMPARE(r.range.PlotYMax, std::ranges::max(points, {}, &Point::y).y);
        }
    }

    void headerLines_data() {
        QTest::addColumn<std::string>("line1");
        QTest::addColumn<std::string>("line2");
        QTest::addColumn<std::string>("title");
        QTest::addColumn<std::string>("subtitle");
        const std::string sub = "sub", nul = "Bad\0in\0put"s, high = "Temp\xe9rature \xb0\xff";
        QTest::newRow("character 1 is not shown") << "XHello"s << sub << "Hello"s << sub;
        QTest::newRow("title: characters 2 to 78 of 100,000")
            << " " + std::string(99999, 'a') << sub << std::string(77, 'a') << sub;
        QTest::newRow("NUL bytes") << " " + nul << nul << nul << nul;
        QTest::newRow("8-bit characters") << " " + high << high << high << high;
        QTest::newRow("subtitle: blank at 79, rest from 80") << " T"s << std::string(78, 's') + " rrr"
                                                             << "T"s << std::string(78, 's') + "  ::  rrr";
        // The rest starts at character 80, so character 79 is not shown twice.
        QTest::newRow("subtitle: text across 79") << " T"s << std::string(79, 's') + "rr"
                                                  << "T"s << std::string(79, 's') + "  ::  rr";
    }

    void headerLines() {
        QFETCH(std::string, line1);
        QFETCH(std::string, line2);
        QFETCH(std::string, title);
        QFETCH(std::string, subtitle);
        Run r;
        writeFile(r.path, line1 + "\r\n" + line2 + "\r\nX\r\nY\r\n1\r\n1 2 0 1\r\n");
        r.read();
        QCOMPARE(r.state.PlotTitle, title);
        QCOMPARE(r.state.SubTitle, subtitle);
    }

    // A read that fails (here EIO: /proc/self/mem at offset 0 is not mapped) ends the input at once
    // instead of being tried again.
    void readErrorEndsTheInput() {
        SystemFileService files;
        std::string why;
        const auto source = files.openInput("/proc/self/mem", why);
        QVERIFY2(source, why.c_str());
        char piece[16];
        QCOMPARE(source->read(piece, sizeof piece), size_t(0));
    }

    // The limits are those of points 1..n alone, wherever the extremes lie among them.
    void limitsOfTheFirstNPoints() {
        std::vector<float> x(6), y(6);
        const float xs[] = {0, 2, -3, 5, 1, 9},
                    ys[] = {0, -1, 4, 0, -6, 99}; // index 0 unused; point 5 beyond n
        std::copy(std::begin(xs), std::end(xs), x.begin());
        std::copy(std::begin(ys), std::end(ys), y.begin());
        const auto limits = [&](int n) {
            const PlotRange r = FindLimits(x, y, n);
            return QList<float>{r.PlotXMin, r.PlotXMax, r.PlotYMin, r.PlotYMax};
        };
        QCOMPARE(limits(1), (QList<float>{2, 2, -1, -1})); // one point: a flat range on it
        QCOMPARE(limits(2),
                 (QList<float>{-3, 2, -1, 4})); // the second point sets both minimum X and maximum Y
        QCOMPARE(limits(4), (QList<float>{-3, 5, -6, 4})); // the last point counts: minimum Y
    }

    // An editor's UTF-8 byte-order mark is not part of line 1: not in the title, and the deletion mark
    // is still counted from the line's first character.
    void byteOrderMarkBeforeLine1IsSkipped() {
        Run r;
        const std::string line1 = " T" + std::string(77, ' ') + " !";
        writeFile(r.path, "\xEF\xBB\xBF" + line1 + "\r\nsub\r\nX\r\nY\r\n1\r\n1 2 0 1\r\n");
        r.read();
        QCOMPARE(r.state.PlotTitle, "T"s);
        QCOMPARE(r.state.HeaderLine, line1);
        QVERIFY(hasDeletionMark(r.state.HeaderLine));
    }

    // The file is read in pieces: 30,000 records (about 600 KB) cross many piece boundaries, and every
    // record i arrives as (i, i*i).
    void recordsAcrossReadPiecesAllArrive() {
        Run r;
        writeFile(r.path, plotFileText("T", 30000));
        r.read();
        QCOMPARE(r.state.NumPts, 30000);
        for (int i = 1; i <= 30000; ++i)
            if (r.state.XVal[i] != float(i) || r.state.YVal[i] != float(double(i) * i) ||
                r.state.SetNo[i] != 1)
                QFAIL(qPrintable(QString("record %1 misread").arg(i)));
    }

    // A valid file followed by 64 GiB of zeros (sparse, no disk used): the reader takes what it needs
    // and its memory does not follow the file's length.
    void hugeFileReadsOnlyWhatItNeeds() {
        Run r;
        writeFile(r.path, plotFileText("T", 2));
        QVERIFY(QFile::resize(QString::fromStdString(r.path), qint64(64) << 30));
        rusage before{}, after{};
        getrusage(RUSAGE_SELF, &before);
        r.read();
        getrusage(RUSAGE_SELF, &after);
        QCOMPARE(r.state.NumPts, 2);
        QCOMPARE(r.range.PlotXMax, 2.0f);
        QVERIFY(after.ru_maxrss - before.ru_maxrss < 16 * 1024); // KiB
    }

    void progressSteps_data() {
        QTest::addColumn<int>("points");
        QTest::addColumn<QList<int>>("shown");
        // Step = points/10 with halves to even; the bar moves when the integer part of i/step grows.
        QTest::newRow("5: step 0, the bar stays at 0") << 5 << QList<int>{0, 0};
        QTest::newRow("6: step 1, up to 60") << 6 << QList<int>{0, 10, 20, 30, 40, 50, 60, 0};
        QTest::newRow("26: step 3, ends at 80") << 26 << QList<int>{0, 10, 20, 30, 40, 50, 60, 70, 80, 0};
        // 14 points, step 1: 100 at point 10, then 110.. are not shown and the bar keeps 100.
        QTest::newRow("14: 100 at point 10")
            << 14 << QList<int>{0, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 0};
    }

    void progressSteps() {
        QFETCH(int, points);
        QFETCH(QList<int>, shown);
        Run r;
        writeFile(r.path, plotFileText("T", points));
        r.read();
        QCOMPARE(QList<int>(r.progress.values.begin(), r.progress.values.end()), shown);
    }

    void captionShortensPast20Characters() {
        QCOMPARE(readCaption("/data/abcdefghij.dat"), "Corvex V1.1d [/data/abcdefghij.dat]"s);
        QCOMPARE(readCaption("/data/abcdefghijk.dat"), "Corvex V1.1d [.../data/abcdefghijk.dat]"s);
        QCOMPARE(readCaption("/home/lab/run7/abcdefghijk.dat"), "Corvex V1.1d [.../run7/abcdefghijk.dat]"s);
    }

    // The waits while a writer is still adding pieces are shown through the sequence (tst_plotsequencer).
    void closingCutsTheSettlingWaitShort() {
        Run r;
        int waits = 0;
        writeFile(r.path, kHeader);
        r.clock.onSleep = [&] { // a writer that never stops; the program closes during the third wait
            writeFile(r.path, "1 1 0 1\n", true);
            if (++waits == 3) r.clock.cancelWaits();
        };
        DataFileChannel file;
        OpenDataFile(file, r.path, r.files, r.clock);
        QCOMPARE(waits, 3); // no further wait after the cancel
        QVERIFY(!file.open && file.failure.empty());
    }
};

QTEST_GUILESS_MAIN(TstReader)
#include "tst_reader.moc"
