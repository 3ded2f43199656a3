// The file list, the drive list and where numbering of plotted files starts.

#include "datafile/FakeSequencerHost.h"
#include "filesel/DriveList.h"
#include "filesel/FileList.h"
#include "filesel/PlotFileSeq.h"

#include <QtTest>
#include <cerrno>
#include <sys/stat.h>

using namespace corvex;
using namespace corvex::test;

class TstFileList : public QObject {
    Q_OBJECT
  private slots:
    void matching_data();
    void matching();
    void listsRegularMatchingFilesInByteOrder();
    void refreshReadsTheDirectoryAgain();
    void unreadableDirectoryGivesEmptyList();
    void prefixOfPattern_data();
    void prefixOfPattern();
    void findPlotFileSeq_data();
    void findPlotFileSeq();
    void wildcardStem_data();
    void wildcardStem();
    void driveMessages_data();
    void driveMessages();
    void posixErrorsMapToDriveKinds_data();
    void posixErrorsMapToDriveKinds();
    void drivesFromMountsSkipsPseudoFileSystems();
    void driveOfPathIsLongestMountAbove();
    void realDriveListStartsWithRoot();
};

void TstFileList::matching_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<bool>("matches");
    QTest::newRow("exact") << "plot.dat"
                           << "plot.dat" << true;
    QTest::newRow("case matters") << "Plot.dat"
                                  << "plot.dat" << false;
    QTest::newRow("? is one character") << "plot_007.dat"
                                        << "plot_???.dat" << true;
    QTest::newRow("? is not four") << "plot_1000.dat"
                                   << "plot_???.dat" << false;
    QTest::newRow("* any run") << "a.b.c"
                               << "*.c" << true;
    QTest::newRow("* empty run") << ".dat"
                                 << "*.dat" << true;
    QTest::newRow("star backtracks") << "aXbXc"
                                     << "a*b*c" << true;
    QTest::newRow("*.* matches names without dot") << "data"
                                                   << "*.*" << true;
    QTest::newRow("x.* matches x") << "x"
                                   << "x.*" << true;
    QTest::newRow("brackets are plain characters") << "[a].dat"
                                                   << "[a].dat" << true;
    QTest::newRow("bracket is not a class") << "a.dat"
                                            << "[a].dat" << false;
    QTest::newRow("empty pattern matches nothing") << "a"
                                                   << "" << false;
}

void TstFileList::matching() {
    QFETCH(QString, name);
    QFETCH(QString, pattern);
    QFETCH(bool, matches);
    QCOMPARE(matchesPattern(name.toStdString(), pattern.toStdString()), matches);
}

void TstFileList::listsRegularMatchingFilesInByteOrder() {
    TempCurrentDir dir;
    for (const char* name : {"b.dat", "B.dat", "a.dat", "\xc3\xa4.dat", ".hidden.dat", "c.txt"})
        writeFile(name, "x");
    QDir().mkdir("d.dat"); // a directory is not listed
    ::symlink("a.dat", "link.dat");
    DirectoryFileList list(dir.path(), "*.dat");
    std::vector<std::string> names;
    for (int i = 0; i < list.listCount(); ++i)
        names.push_back(list.list(i));
    // Upper case before lower case, and the UTF-8 byte 0xC3 after all ASCII.
    QCOMPARE(names, (std::vector<std::string>{"B.dat", "a.dat", "b.dat", "link.dat", "\xc3\xa4.dat"}));
    QCOMPARE(list.list(99), std::string());
    QCOMPARE(list.list(-1), std::string());
    list.setPattern(".*");
    QCOMPARE(list.listCount(), 1); // hidden names only with a pattern that starts with "."
}

void TstFileList::refreshReadsTheDirectoryAgain() {
    TempCurrentDir dir;
    DirectoryFileList list(".", "plot.dat");
    QCOMPARE(list.listCount(), 0);
    writeFile("plot.dat", "x");
    QCOMPARE(list.listCount(), 0); // until refreshed
    list.refresh();
    QCOMPARE(list.listCount(), 1);
    list.setPath(dir.path() + "/nowhere");
    QCOMPARE(list.listCount(), 0);
}

void TstFileList::unreadableDirectoryGivesEmptyList() {
    DirectoryFileList list("/nonexistent/directory", "*.*");
    QCOMPARE(list.listCount(), 0);
}

void TstFileList::prefixOfPattern_data() {
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("prefix");
    QTest::newRow("plot.dat") << "plot.dat"
                              << "plot_";
    QTest::newRow("cut to five") << "measurement.dat"
                                 << "measu";
    QTest::newRow("filled with _") << "ab.txt"
                                   << "ab___";
    QTest::newRow("no dot") << "data"
                            << "data_";
    QTest::newRow("blanks trimmed") << "  ab  .dat"
                                    << "ab___";
    QTest::newRow("empty") << ""
                           << "_____";
    QTest::newRow("wildcard kept") << "*.*"
                                   << "*____";
}

void TstFileList::prefixOfPattern() {
    QFETCH(QString, pattern);
    QFETCH(QString, prefix);
    QCOMPARE(QString::fromStdString(plotFilePrefixOf(pattern.toStdString())), prefix);
}

void TstFileList::findPlotFileSeq_data() {
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<int>("before");
    QTest::addColumn<int>("after");
    QTest::newRow("one above the highest")
        << "plot.dat" << QStringList{"plot_007.dat", "plot_012.dat"} << 0 << 13;
    QTest::newRow("none: keeps its value") << "plot.dat" << QStringList{"plot.dat"} << 5 << 5;
    QTest::newRow("other extension not counted") << "plot.dat" << QStringList{"plot_050.txt"} << 0 << 0;
    QTest::newRow("unreadable number skipped, last stands")
        << "plot.dat" << QStringList{"plot_004.dat", "plot_x01.dat"} << 0 << 5;
    QTest::newRow("only unreadable: 0 + 1") << "plot.dat" << QStringList{"plot_x01.dat"} << 9 << 1;
    QTest::newRow("four digits not counted")
        << "plot.dat" << QStringList{"plot_1000.dat", "plot_998.dat"} << 0 << 999;
    QTest::newRow("no dot: 8-character names") << "data" << QStringList{"data_003", "data_002"} << 0 << 4;
    QTest::newRow("five-character stem") << "measurement.dat" << QStringList{"measu041.dat"} << 0 << 42;
    QTest::newRow("short stem") << "ab.txt" << QStringList{"ab___999.txt"} << 0 << 1000;
}

void TstFileList::findPlotFileSeq() {
    QFETCH(QString, pattern);
    QFETCH(QStringList, files);
    QFETCH(int, before);
    QFETCH(int, after);
    TempCurrentDir dir;
    for (const QString& f : files)
        writeFile(f.toStdString(), "x");
    DirectoryFileList list(".", pattern.toStdString());
    const int listedBefore = list.listCount();
    PlotState state;
    state.PlotFileSeq = int16_t(before);
    FindPlotFileSeq(state, list, pattern.toStdString());
    QCOMPARE(int(state.PlotFileSeq), after);
    QCOMPARE(state.PlotFilePrefix, plotFilePrefixOf(pattern.toStdString()));
    QCOMPARE(list.pattern(), pattern.toStdString()); // restored
    QCOMPARE(list.listCount(), listedBefore);
}

void TstFileList::wildcardStem_data() {
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<bool>("wild");
    QTest::newRow("plot.dat") << "plot.dat" << false;
    QTest::newRow("*.*") << "*.*" << true;
    QTest::newRow("p?ot.dat") << "p?ot.dat" << true;
    QTest::newRow("wildcard only in extension") << "plot.*" << false;
    QTest::newRow("no dot, star") << "plot*" << true;
}

void TstFileList::wildcardStem() {
    QFETCH(QString, pattern);
    QFETCH(bool, wild);
    QCOMPARE(stemHoldsWildcard(pattern.toStdString()), wild);
}

void TstFileList::driveMessages_data() {
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("text");
    QTest::newRow("68") << 68 << "That drive is not available. No drive change was made.";
    QTest::newRow("71") << 71 << "Close the door on your drive and try again.";
    QTest::newRow("5") << 5 << "You probably didn't enter a drive letter. No drive change was made.";
    QTest::newRow("57") << 57 << "Device I/O Error.";
    QTest::newRow("70: leading blank") << 70 << "Error # 70 !";
    QTest::newRow("75") << 75 << "Error # 75 !";
}

void TstFileList::driveMessages() {
    QFETCH(int, code);
    QFETCH(QString, text);
    QCOMPARE(QString::fromStdString(driveChangeMessage(code)), text);
}

void TstFileList::posixErrorsMapToDriveKinds_data() {
    QTest::addColumn<int>("error");
    QTest::addColumn<int>("code");
    QTest::newRow("ENOENT") << ENOENT << 68;
    QTest::newRow("ENODEV") << ENODEV << 68;
    QTest::newRow("ENOMEDIUM") << ENOMEDIUM << 71;
    QTest::newRow("ENOTDIR") << ENOTDIR << 5;
    QTest::newRow("EIO") << EIO << 57;
    QTest::newRow("EACCES") << EACCES << 70;
    QTest::newRow("EMFILE") << EMFILE << 75;
}

void TstFileList::posixErrorsMapToDriveKinds() {
    QFETCH(int, error);
    QFETCH(int, code);
    QCOMPARE(driveErrorCode(error), code);
}

void TstFileList::drivesFromMountsSkipsPseudoFileSystems() {
    const std::string mounts = "proc /proc proc rw 0 0\n"
                               "sysfs /sys sysfs rw 0 0\n"
                               "/dev/sda1 / ext4 rw 0 0\n"
                               "tmpfs /dev/shm tmpfs rw 0 0\n"
                               "/dev/sdb1 /media/usb\\040stick vfat rw 0 0\n"
                               "/dev/sdc1 /mnt/gone ext4 rw 0 0\n"
                               "server:/x /home nfs rw 0 0\n"
                               "/dev/sda1 /home ext4 rw 0 0\n"
                               "garbage\n";
    const auto drives = drivesFromMounts(mounts, [](const std::string& p) { return p != "/mnt/gone"; });
    QCOMPARE(drives, (std::vector<std::string>{"/", "/media/usb stick", "/home"}));
}

void TstFileList::driveOfPathIsLongestMountAbove() {
    const std::vector<std::string> drives{"/", "/home", "/home/u/disk"};
    QCOMPARE(driveOf("/home/u/disk/a", drives), std::string("/home/u/disk"));
    QCOMPARE(driveOf("/home/u", drives), std::string("/home"));
    QCOMPARE(driveOf("/homework", drives), std::string("/")); // a name that only starts alike
    QCOMPARE(driveOf("/home", drives), std::string("/home"));
}

void TstFileList::realDriveListStartsWithRoot() {
    const auto drives = listDrives();
    QVERIFY(!drives.empty());
    QCOMPARE(drives.front(), std::string("/"));
    for (const std::string& d : drives) {
        QCOMPARE(probeDirectory(d), 0);
        QVERIFY(d.rfind("/proc", 0) != 0 && d.rfind("/sys", 0) != 0);
    }
    QCOMPARE(probeDirectory("/nonexistent-drive"), 68);
}

QTEST_GUILESS_MAIN(TstFileList)
#include "tst_filelist.moc"
