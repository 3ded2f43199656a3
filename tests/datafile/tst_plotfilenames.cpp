// Numbered names and the deletion mark.

#include "datafile/PlotFileNames.h"

#include <QtTest>

using namespace corvex;

class TstPlotFileNames : public QObject {
    Q_OBJECT
  private slots:
    void numberedNames_data() {
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<int>("seq");
        QTest::addColumn<QString>("plotted");
        QTest::addColumn<QString>("expected");
        QTest::newRow("three digits, zero padded") << "plot_" << 7 << "plot.dat"
                                                   << "plot_007.dat";
        QTest::newRow("four digits from 1000") << "plot_" << 1000 << "plot.dat"
                                               << "plot_1000.dat";
        QTest::newRow("last number") << "plot_" << 32767 << "plot.dat"
                                     << "plot_32767.dat";
        QTest::newRow("no extension: 8 characters") << "data_" << 12 << "data"
                                                    << "data_012";
        QTest::newRow("extension from the first dot") << "a.b__" << 1 << "a.b.c"
                                                      << "a.b__001.b.c";
        QTest::newRow("blanks around the extension trimmed") << "plot_" << 3 << "plot.dat  "
                                                             << "plot_003.dat";
        QTest::newRow("extension of the plotted file, not the pattern") << "plot_" << 0 << "plot.txt"
                                                                        << "plot_000.txt";
    }
    void numberedNames() {
        QFETCH(QString, prefix);
        QFETCH(int, seq);
        QFETCH(QString, plotted);
        QFETCH(QString, expected);
        QCOMPARE(
            QString::fromStdString(numberedName(prefix.toStdString(), int16_t(seq), plotted.toStdString())),
            expected);
    }

    void deletionMark_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("marked");
        const QString pad79(79, ' ');
        QTest::newRow("! at 81, blank at 80") << pad79 + " !" << true;
        QTest::newRow("! at 80 and 81: first is 80") << pad79 + "!!" << false;
        QTest::newRow("! at 80 only") << pad79 + "!" << false;
        QTest::newRow("! at 82 only") << pad79 + "  !" << false;
        QTest::newRow("! before 80 does not count") << QString(10, '!') + QString(69, ' ') + " !" << true;
        QTest::newRow("short line") << " title" << false;
        QTest::newRow("empty line") << "" << false;
    }
    void deletionMark() {
        QFETCH(QString, line);
        QFETCH(bool, marked);
        QCOMPARE(hasDeletionMark(line.toStdString()), marked);
    }
};

QTEST_GUILESS_MAIN(TstPlotFileNames)
#include "tst_plotfilenames.moc"
