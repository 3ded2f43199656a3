#include "datafile/PlotReader.h"
#include "support/Recorders.h"

#include <QTemporaryDir>
#include <QTest>
#include <fstream>

using namespace corvex;
using namespace corvex::testing;

namespace {

// Reads `bytes` as a plot data file through the reader and collects what it showed.
struct ReadRun {
    PlotState state;
    MessageRecorder messages;
    ProgressRecorder progress;
    std::string caption;
    std::string outFileLabel;

    void read(const std::string& bytes, const std::string& displayName = "plot.dat") {
        DataFileChannel file{bytes, true};
        ReaderHost host{messages, progress, [this](const std::string& c) { caption = c; },
                        [this](const std::string& l) { outFileLabel = l; }};
        ReadPlotData(state, file, displayName, host);
        if (state.DataLoaded) FindLimits(state, state.XVal, state.YVal, state.NumPts);
    }
};

std::string header(const std::string& line1 = " Title", const std::string& line2 = "sub") {
    return line1 + "\r\n" + line2 + "\r\nX legend\r\nY legend\r\n";
}

std::string records(int n) {
    std::string s = std::to_string(n) + "\r\n";
    for (int i = 1; i <= n; ++i)
        s += std::to_string(i) + ", " + std::to_string(2 * i) + ", 0, 1\r\n";
    return s;
}

} // namespace

class TstReader : public QObject {
    Q_OBJECT
  private slots:
    void exampleFileWithTwoSets();
    void lineEndsAllRead_data();
    void lineEndsAllRead();
    void progressSteps_data();
    void progressSteps();
    void titleColumns_data();
    void titleColumns();
    void subtitleRest_data();
    void subtitleRest();
    void captionLength_data();
    void captionLength();
    void countWithoutData_data();
    void countWithoutData();
    void fiveNumbersOnALine();
    void badSetNumberEndsRecord();
    void countAboveCapacityKeepsFirstPoints();
    void findLimitsOverAllPoints();
    void openWaitsUntilLengthSettles();
    void openOfMissingFileFailsQuietly();
    void closingCutsTheSettlingWaitShort();
};

void TstReader::exampleFileWithTwoSets() {
    ReadRun run;
    run.read(" Run 12: temperature scan\r\nsample A\r\nTemperature (K)\r\nSignal\r\n4\r\n10.0, 1.5, 0, 1\r\n"
             "20.0, 2.5, 0, 1\r\n10.0, 0.5, 0, 2\r\n20.0 0.7 0 2\r\n");
    QVERIFY(run.state.DataLoaded);
    QCOMPARE(run.state.NumPts, 4);
    QCOMPARE(run.state.PlotTitle, std::string("Run 12: temperature scan"));
    QCOMPARE(run.state.XLegend, std::string("Temperature (K)"));
    QCOMPARE(run.state.SetNo[4], int16_t(2));
    QCOMPARE(run.state.YVal[4], 0.7f);
    QCOMPARE(run.state.PlotXMin, 10.0f);
    QCOMPARE(run.state.PlotYMax, 2.5f);
    QCOMPARE(run.outFileLabel, std::string(" "));
    QCOMPARE(run.caption, std::string("Corvex V1.1d [plot.dat]"));
    QVERIFY(!run.progress.visible);
}

void TstReader::lineEndsAllRead_data() {
    QTest::addColumn<QString>("eol");
    QTest::newRow("CR") << "\r";
    QTest::newRow("CRLF") << "\r\n";
    QTest::newRow("LF") << "\n";
}

void TstReader::lineEndsAllRead() {
    QFETCH(QString, eol);
    std::string file = header() + records(3);
    std::string converted;
    for (size_t i = 0; i < file.size(); ++i) {
        if (file[i] == '\r') {
            converted += eol.toStdString();
            ++i; // skip the '\n' of the CRLF the text was built with
        } else {
            converted += file[i];
        }
    }
    ReadRun run;
    run.read(converted);
    QCOMPARE(run.state.YLegend, std::string("Y legend"));
    QCOMPARE(run.state.NumPts, 3);
    QCOMPARE(run.state.XVal[3], 3.0f);
    QCOMPARE(run.state.YVal[3], 6.0f);
}

void TstReader::progressSteps_data() {
    QTest::addColumn<int>("points");
    QTest::addColumn<QList<int>>("shown");
    // Step = points/10 with halves to even; the bar moves when the integer part of i/step grows.
    QTest::newRow("5 points: step 0, the bar stays at 0") << 5 << QList<int>{0, 0};
    QTest::newRow("6 points: step 1, up to 60") << 6 << QList<int>{0, 10, 20, 30, 40, 50, 60, 0};
    QTest::newRow("26 points: step 3, ends at 80") << 26 << QList<int>{0, 10, 20, 30, 40, 50, 60, 70, 80, 0};
    // 14 points, step 1: 100 at point 10, then 110.. are not shown and the bar keeps 100.
    QTest::newRow("14 points: 100 at point 10")
        << 14 << QList<int>{0, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 0};
}

void TstReader::progressSteps() {
    QFETCH(int, points);
    QFETCH(QList<int>, shown);
    ReadRun run;
    run.read(header() + records(points));
    QCOMPARE(QList<int>(run.progress.values.begin(), run.progress.values.end()), shown);
    QCOMPARE(run.progress.label, std::string("Reading Data"));
}

void TstReader::titleColumns_data() {
    QTest::addColumn<QString>("line1");
    QTest::addColumn<QString>("title");
    QTest::newRow("character 1 is not shown") << "XHello"
                                              << "Hello";
    QTest::newRow("one character gives an empty title") << "X"
                                                        << "";
    QTest::newRow("blanks trimmed") << "   padded   "
                                    << "padded";
    QTest::newRow("characters 2 to 78 only")
        << QString("X") + QString(76, 'a') + "bcd" << QString(76, 'a') + "b";
}

void TstReader::titleColumns() {
    QFETCH(QString, line1);
    QFETCH(QString, title);
    ReadRun run;
    run.read(header(line1.toStdString()) + records(1));
    QCOMPARE(QString::fromStdString(run.state.PlotTitle), title);
    QCOMPARE(QString::fromStdString(run.state.HeaderLine), line1);
}

void TstReader::subtitleRest_data() {
    QTest::addColumn<QString>("line2");
    QTest::addColumn<QString>("subtitle");
    QTest::newRow("78 characters: no rest") << QString(78, 's') << QString(78, 's');
    QTest::newRow("blank at 79, text 80..100")
        << QString(78, 's') + " " + QString(21, 'r') << QString(78, 's') + "  ::  " + QString(21, 'r');
    // The rest starts at character 80, so character 79 is not shown twice.
    QTest::newRow("text across 79") << QString(79, 's') + "rr" << QString(79, 's') + "  ::  rr";
    QTest::newRow("only blanks after 79") << QString(79, 's') + "    " << QString(79, 's');
}

void TstReader::subtitleRest() {
    QFETCH(QString, line2);
    QFETCH(QString, subtitle);
    ReadRun run;
    run.read(header(" T", line2.toStdString()) + records(1));
    QCOMPARE(QString::fromStdString(run.state.SubTitle), subtitle);
}

void TstReader::captionLength_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::newRow("20 characters shown whole") << "/data/abcdefghij.dat"
                                               << "Corvex V1.1d [/data/abcdefghij.dat]";
    QTest::newRow("21 characters after [...") << "/data/abcdefghijk.dat"
                                              << "Corvex V1.1d [.../data/abcdefghijk.dat]";
    QTest::newRow("longer: its last 21") << "/home/lab/run7/abcdefghijk.dat"
                                         << "Corvex V1.1d [.../run7/abcdefghijk.dat]";
}

void TstReader::captionLength() {
    QFETCH(QString, name);
    QFETCH(QString, caption);
    ReadRun run;
    run.read(header() + records(2), name.toStdString());
    QCOMPARE(QString::fromStdString(run.caption), caption);
}

void TstReader::countWithoutData_data() {
    QTest::addColumn<QString>("countText");
    QTest::newRow("count 0") << "0\r\n";
    QTest::newRow("negative count") << "-1\r\n";
    QTest::newRow("count not a number") << "abc\r\n1 2 0 1\r\n";
    QTest::newRow("file ends in the header") << "";
}

void TstReader::countWithoutData() {
    QFETCH(QString, countText);
    ReadRun run;
    run.read(header() + records(3)); // earlier data stay in the arrays
    run.read(header() + countText.toStdString(), "/data/empty.dat");
    QVERIFY(!run.state.DataLoaded);
    QCOMPARE(run.state.NumPts, 0);
    QCOMPARE(run.caption, std::string("Corvex V1.1d"));
    QCOMPARE(run.messages.messages.size(), size_t(1));
    QCOMPARE(run.messages.messages[0].text,
             std::string("The Current File Contained No Data!\n\r/data/empty.dat"));
    QCOMPARE(run.messages.messages[0].title, std::string("Data File Error"));
    QCOMPARE(run.state.XVal[3], 3.0f);
    QVERIFY(!run.progress.visible);
}

void TstReader::fiveNumbersOnALine() {
    // Records are not tied to lines: the fifth number is the next point's X.
    ReadRun run;
    run.read(header() + "2\r\n1 2 0 1 5\r\n6 0 3\r\n");
    QCOMPARE(run.state.XVal[2], 5.0f);
    QCOMPARE(run.state.YVal[2], 6.0f);
    QCOMPARE(run.state.SetNo[2], int16_t(3));
}

void TstReader::badSetNumberEndsRecord() {
    ReadRun run;
    run.read(header() + records(3));
    // Point 2's set number 32768 fails its field; point 3 reads on from there.
    run.read(header() + "3\r\n1 1 0 4\r\n2 2 0 32768\r\n3 3 0 5\r\n");
    QCOMPARE(run.state.SetNo[1], int16_t(4));
    QCOMPARE(run.state.SetNo[2], int16_t(1)); // kept from the earlier file
    QCOMPARE(run.state.XVal[2], 2.0f);
    QCOMPARE(run.state.SetNo[3], int16_t(5));
}

void TstReader::countAboveCapacityKeepsFirstPoints() {
    std::string file = header() + "250002\n";
    for (int i = 1; i <= 250002; ++i)
        file += std::to_string(i) + " 1 0 1\n";
    ReadRun run;
    run.read(file);
    QCOMPARE(run.state.NumPts, kMaxPoints);
    QCOMPARE(run.state.XVal[kMaxPoints], float(kMaxPoints));
    QCOMPARE(run.state.PlotXMax, float(kMaxPoints));
}

void TstReader::findLimitsOverAllPoints() {
    PlotState state;
    const std::vector<float> x = {0, 3, -1, 7, 7};
    const std::vector<float> y = {0, 2, 9, -4, 2};
    FindLimits(state, x, y, 4);
    QCOMPARE(state.PlotXMin, -1.0f);
    QCOMPARE(state.PlotXMax, 7.0f);
    QCOMPARE(state.PlotYMin, -4.0f);
    QCOMPARE(state.PlotYMax, 9.0f);
    FindLimits(state, x, y, 0); // no points: the range of point 1
    QCOMPARE(state.PlotXMin, 3.0f);
    QCOMPARE(state.PlotYMax, 2.0f);
}

void TstReader::openWaitsUntilLengthSettles() {
    QTemporaryDir dir;
    const std::string path = dir.filePath("plot.dat").toStdString();
    const std::string full = header() + records(4);
    std::ofstream(path, std::ios::binary) << full.substr(0, 10);
    StepClock clock;
    size_t written = 10;
    // The writer adds a piece at every wait until the file is complete.
    clock.onSleep = [&] {
        if (written < full.size()) {
            const size_t piece = std::min<size_t>(17, full.size() - written);
            std::ofstream(path, std::ios::binary | std::ios::app) << full.substr(written, piece);
            written += piece;
        }
    };
    PlotState state;
    DataFileChannel file;
    SystemFileService files;
    OpenDataFile(state, file, path, files, clock);
    QVERIFY(state.DataFileOpen);
    QCOMPARE(file.bytes, full); // never read half-written
    QVERIFY(clock.slept >= 500 * 2);
    CloseDataFile(state, file);
    QVERIFY(!state.DataFileOpen);
}

void TstReader::openOfMissingFileFailsQuietly() {
    PlotState state;
    state.DataFileOpen = true;
    DataFileChannel file;
    SystemFileService files;
    StepClock clock;
    OpenDataFile(state, file, "/nonexistent/plot.dat", files, clock);
    QVERIFY(!state.DataFileOpen);
    QVERIFY(!file.open);
}

void TstReader::closingCutsTheSettlingWaitShort() {
    QTemporaryDir dir;
    const std::string path = dir.filePath("plot.dat").toStdString();
    std::ofstream(path, std::ios::binary) << header();
    StepClock clock;
    int rounds = 0;
    // A writer that never stops; the program closes during the third wait.
    clock.onSleep = [&] {
        std::ofstream(path, std::ios::binary | std::ios::app) << "1 1 0 1\n";
        if (++rounds == 3) clock.cancelWaits();
    };
    PlotState state;
    DataFileChannel file;
    SystemFileService files;
    OpenDataFile(state, file, path, files, clock);
    QCOMPARE(rounds, 3); // no further wait after the cancel
    QVERIFY(!state.DataFileOpen);
    QVERIFY(!file.open);
}

QTEST_APPLESS_MAIN(TstReader)
#include "tst_reader.moc"
