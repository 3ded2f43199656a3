// The file selection window driven through its controls, with a recording main window.

#include "datafile/FakeSequencerHost.h"
#include "datafile/PlotSequencer.h"
#include "filesel/FileFrm.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QtTest>

using namespace corvex;
using namespace corvex::test;

namespace {

struct Rig {
    TempCurrentDir dir;
    PlotState state;
    FakeHost host;
    FaultyFileService files;
    FileFrm frm;
    PlotSequencer sequencer;

    explicit Rig(std::vector<std::string> drives = {"/"})
        : frm(state, files, host, std::move(drives)),
          sequencer(state, frm.fileList(), files, host, nullptr, nullptr) {
        state.TmpFileName = joinPath(dir.path(), kWorkingCopyName);
        frm.setSequencer(sequencer);
        frm.setPattern("plot.dat"); // as start-up does
    }
    template <typename T = QWidget> T* control(const char* name) {
        T* w = frm.findChild<T*>(name);
        if (!w) qFatal("no control %s", name);
        return w;
    }
    void click(const char* name) { QTest::mouseClick(control<QAbstractButton>(name), Qt::LeftButton); }
    void arrow(const char* which) { control<QToolButton>(which)->click(); }
    QString delayText() { return control<QLabel>("PlotDelayText")->text(); }
    int messages() const { return int(host.messageBoxes.messages.size()); }
};

QRect twips(int l, int t, int w, int h) {
    const auto px = [](int v) { return int(std::nearbyint(v / 15.0)); }; // 96 dpi: 15 twips per pixel
    return QRect(px(l), px(t), px(w), px(h));
}

} // namespace

class TstFileFrm : public QObject {
    Q_OBJECT
  private slots:
    void controlsAsDesigned();
    void layoutInTwips_data();
    void layoutInTwips();
    void fontIsBoldSansMappedToLiberation();
    void autoSelectEnablesTheAutomaticControls();
    void manualSelectRemovesWorkingCopy();
    void timingChoiceSetsTheLabel();
    void delayArrowsStopAt60And1WithABeep();
    void listsFollowDirectoryAndPattern();
    void doneInManualMakesDirectoryCurrent();
    void doneInTimedStartsTheTimerWithoutMessage();
    void doneInClickPlotsTheFirstFile();
    void doneInClickWithoutFilesSaysSo();
    void doneRefusesWildcardStemInAutomaticSelection();
    void wildcardStemIsFineInManualSelection();
    void closingFromTheFrameActsAsDone();
    void failedDriveChangeReturnsToTheOldDrive();
};

void TstFileFrm::controlsAsDesigned() {
    Rig r;
    QCOMPARE(r.frm.windowTitle(), QString("Setup"));
    QVERIFY(r.frm.isHidden());
    QCOMPARE(r.control<QRadioButton>("ManSel")->text(), QString("Manual File Select"));
    QVERIFY(r.control<QRadioButton>("ManSel")->isChecked());
    QCOMPARE(r.control<QRadioButton>("AutoSel")->text(), QString("Auto File Select"));
    QCOMPARE(r.control<QRadioButton>("TimedPlt")->text(), QString("Timed Plotting"));
    QCOMPARE(r.control<QRadioButton>("Click2Plt")->text(), QString("Click to Plot ")); // trailing blank
    QVERIFY(r.control<QRadioButton>("Click2Plt")->isChecked());
    QCOMPARE(r.control<QLabel>("SpinLbl")->text(), QString("Seconds Between Checking for New Files"));
    QCOMPARE(r.delayText(), QString("4"));
    QCOMPARE(r.control<QGroupBox>("PlotFrame")->title(), QString("Select File Type to Plot"));
    QCOMPARE(r.control<QLabel>("FileLbl")->text(), QString("Pattern"));
    QCOMPARE(r.control<QPushButton>("FileCmd")->text(), QString("Done"));
    for (const char* off : {"TimedPlt", "Click2Plt", "SpinLbl", "PlotFrame", "DriveLst"})
        QVERIFY2(!r.control(off)->isEnabled(), off);
    QVERIFY(r.control("NewPlotDelay")->isEnabled());
    QVERIFY(r.control("FileCmd")->isEnabled());
    QCOMPARE(r.frm.delayMs(), 4000);
    QCOMPARE(r.control<QComboBox>("DriveLst")->currentText(), QString("/"));
    QCOMPARE(r.frm.fileList().path(), r.dir.path());
    // Centred, raised by 3 % of the 800 x 800 offscreen screen.
    QCOMPARE(r.frm.pos(), QPoint((800 - 411) / 2, (800 - 329) / 2 - 24));
}

void TstFileFrm::layoutInTwips_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("rect");
    QTest::newRow("ManSel") << "ManSel" << twips(120, 240, 2175, 255);
    QTest::newRow("AutoSel") << "AutoSel" << twips(120, 600, 2175, 255);
    QTest::newRow("AutoPicBox") << "AutoPicBox" << twips(2280, 120, 3735, 1155);
    QTest::newRow("TimedPlt") << "TimedPlt" << twips(60, 120, 1575, 255);
    QTest::newRow("Click2Plt") << "Click2Plt" << twips(60, 480, 1575, 255);
    QTest::newRow("SpinLbl") << "SpinLbl" << twips(1800, 60, 1815, 615);
    QTest::newRow("PlotDelayText") << "PlotDelayText" << twips(2160, 690, 795, 315);
    QTest::newRow("NewPlotDelay") << "NewPlotDelay" << twips(3060, 660, 255, 375);
    QTest::newRow("PlotFrame") << "PlotFrame" << twips(120, 1380, 3615, 3375);
    QTest::newRow("FileLbl") << "FileLbl" << twips(720, 390, 1215, 255);
    QTest::newRow("FileTxt") << "FileTxt" << twips(2040, 360, 1455, 285);
    QTest::newRow("FileLst") << "FileLst" << twips(120, 780, 1572, 2040);
    QTest::newRow("DriveLst") << "DriveLst" << twips(1800, 780, 1695, 315);
    QTest::newRow("DirLst") << "DirLst" << twips(1800, 1140, 1695, 2055);
    QTest::newRow("FileCmd") << "FileCmd" << twips(4224, 4260, 1815, 495);
}

void TstFileFrm::layoutInTwips() {
    QFETCH(QString, name);
    QFETCH(QRect, rect);
    Rig r;
    QCOMPARE(r.frm.logicalDpiX(), 96);
    QCOMPARE(r.control(name.toUtf8().constData())->geometry(), rect);
    QCOMPARE(r.frm.size(), QSize(411, 329)); // client area 6165 x 4935 twips
}

void TstFileFrm::fontIsBoldSansMappedToLiberation() {
    Rig r;
    QCOMPARE(r.frm.font().pointSizeF(), 8.25);
    QVERIFY(r.frm.font().bold());
    QCOMPARE(QFontInfo(r.frm.font()).family(), QString("Liberation Sans"));
    const QFont delay = r.control("PlotDelayText")->font();
    QCOMPARE(delay.pointSizeF(), 9.75);
    QVERIFY(delay.bold());
}

void TstFileFrm::autoSelectEnablesTheAutomaticControls() {
    Rig r;
    r.host.setMenuEnabled(MenuItem::Mnu2File, true);
    r.click("AutoSel");
    QVERIFY(!r.host.enabled[MenuItem::Mnu2File]);
    for (const char* on : {"TimedPlt", "Click2Plt", "SpinLbl", "PlotDelayText", "NewPlotDelay", "PlotFrame",
                           "DriveLst", "FileLst", "DirLst", "FileTxt"})
        QVERIFY2(r.control(on)->isEnabled(), on);
    QVERIFY(r.host.visible.count(MenuItem::NextPlt) == 0); // unchanged
    r.click("ManSel");
    QVERIFY(r.host.enabled[MenuItem::Mnu2File]);
    QVERIFY(!r.control("PlotFrame")->isEnabled() && !r.control("DriveLst")->isEnabled());
    // A second click on the chosen mode keeps it chosen: one mode is always selected.
    for (const char* mode : {"ManSel", "AutoSel"}) {
        r.click(mode);
        r.click(mode);
        QVERIFY2(r.control<QAbstractButton>(mode)->isChecked(), mode);
    }
}

void TstFileFrm::manualSelectRemovesWorkingCopy() {
    Rig r;
    r.click("AutoSel");
    writeFile(r.state.TmpFileName, "set aside");
    r.host.setMenuVisible(MenuItem::SavePlotNow, true);
    r.host.setOutFileLabel("Plot File To Be Deleted");
    r.click("ManSel");
    QVERIFY(!fileThere(r.state.TmpFileName));
    QVERIFY(!r.host.visible[MenuItem::SavePlotNow] && !r.host.enabled[MenuItem::SavePlotNow]);
    QVERIFY(!r.host.visible[MenuItem::NextPlt] && !r.host.enabled[MenuItem::NextPlt]);
    QCOMPARE(r.host.outFileLabel, std::string(" "));
    r.click("AutoSel");
    r.click("ManSel"); // no working copy now: no message
    QCOMPARE(r.messages(), 0);
}

void TstFileFrm::timingChoiceSetsTheLabel() {
    Rig r;
    r.click("AutoSel");
    r.host.setMenuVisible(MenuItem::NextPlt, true);
    r.click("TimedPlt");
    QCOMPARE(r.control<QLabel>("SpinLbl")->text(), QString("Seconds Between Plots"));
    QVERIFY(!r.host.visible[MenuItem::NextPlt] && !r.host.enabled[MenuItem::NextPlt]);
    QVERIFY(!r.frm.clickToPlot());
    r.click("Click2Plt");
    QCOMPARE(r.control<QLabel>("SpinLbl")->text(), QString("Seconds Between Checking for New Files"));
    QVERIFY(r.frm.clickToPlot());
}

void TstFileFrm::delayArrowsStopAt60And1WithABeep() {
    Rig r;
    r.click("AutoSel");
    r.arrow("up");
    QCOMPARE(r.delayText(), QString(" 5")); // written with a leading blank
    QCOMPARE(r.frm.delayMs(), 5000);        // and still read as 5
    for (int i = 0; i < 55; ++i)
        r.arrow("up");
    QCOMPARE(r.delayText(), QString(" 60"));
    QCOMPARE(r.host.messageBoxes.beeps, 0); // 60 itself is reachable
    r.arrow("up");
    QCOMPARE(r.delayText(), QString(" 60"));
    QCOMPARE(r.host.messageBoxes.beeps, 1);
    QCOMPARE(r.frm.delayMs(), 60000);
    for (int i = 0; i < 59; ++i)
        r.arrow("down");
    QCOMPARE(r.delayText(), QString(" 1"));
    QCOMPARE(r.host.messageBoxes.beeps, 1);
    r.arrow("down");
    QCOMPARE(r.delayText(), QString(" 1"));
    QCOMPARE(r.host.messageBoxes.beeps, 2);
    QCOMPARE(r.frm.delayMs(), 1000);
}

void TstFileFrm::listsFollowDirectoryAndPattern() {
    Rig r;
    r.click("AutoSel");
    QDir().mkdir("sub");
    writeFile("sub/plot.dat", "x");
    writeFile("sub/other.txt", "x");
    r.frm.show(); // showing reads the lists again
    auto* dirLst = r.control<QListWidget>("DirLst");
    const auto found = dirLst->findItems("sub", Qt::MatchEndsWith);
    QCOMPARE(found.size(), 1);
    emit dirLst->itemActivated(found[0]); // a double click opens it
    QCOMPARE(r.frm.fileList().path(), r.dir.path() + "/sub");
    auto* fileLst = r.control<QListWidget>("FileLst");
    QCOMPARE(fileLst->count(), 1);
    QCOMPARE(fileLst->item(0)->text(), QString("plot.dat"));
    auto* fileTxt = r.control<QLineEdit>("FileTxt");
    fileTxt->clear();
    QTest::keyClicks(fileTxt, "*.txt"); // the list follows every edit
    QCOMPARE(r.frm.fileList().pattern(), std::string("*.txt"));
    QCOMPARE(fileLst->count(), 1);
    QCOMPARE(fileLst->item(0)->text(), QString("other.txt"));
}

void TstFileFrm::doneInManualMakesDirectoryCurrent() {
    Rig r;
    QDir().mkdir("elsewhere");
    r.frm.show();
    // Manual selection leaves the lists disabled; the directory is set here as a user could before.
    auto* dirLst = r.control<QListWidget>("DirLst");
    emit dirLst->itemActivated(dirLst->findItems("elsewhere", Qt::MatchEndsWith)[0]);
    r.click("FileCmd");
    QVERIFY(r.frm.isHidden());
    QCOMPARE(r.host.mainEnabled, 1);
    QCOMPARE(QDir::currentPath().toStdString(), r.dir.path() + "/elsewhere");
    QCOMPARE(r.sequencer.mode(), PlotMode::Manual);
    QVERIFY(!r.host.timerOn);
    QVERIFY(r.host.visible.empty()); // no menu item changed
}

void TstFileFrm::doneInTimedStartsTheTimerWithoutMessage() {
    Rig r;
    writeFile("plot_004.dat", "x");
    r.click("AutoSel");
    r.click("TimedPlt");
    r.arrow("up");
    r.click("FileCmd");
    QCOMPARE(r.messages(), 0); // no file waiting is no reason to say anything here
    QVERIFY(r.host.timerOn);
    QCOMPARE(r.host.intervalMs, 5000);
    QVERIFY(r.host.visible[MenuItem::HoldPlot] && !r.host.enabled[MenuItem::HoldPlot]);
    QCOMPARE(r.state.PlotFilePrefix, std::string("plot_"));
    QCOMPARE(r.state.PlotFileSeq, int16_t(5));
    QCOMPARE(r.frm.fileList().pattern(), std::string("plot.dat")); // restored after the search
    QCOMPARE(r.sequencer.mode(), PlotMode::Timed);
}

void TstFileFrm::doneInClickPlotsTheFirstFile() {
    Rig r;
    const std::string text = plotFileText("first", 3);
    writeFile("plot.dat", text);
    r.click("AutoSel");
    r.frm.fileList().refresh();
    r.click("FileCmd");
    QCOMPARE(r.state.PlotTitle, std::string("first"));
    QCOMPARE(readFile("plot_000.dat"), text);
    QVERIFY(!r.host.visible[MenuItem::NextPlt]); // nothing more waits
    QVERIFY(r.host.timerOn);                     // so the timer watches
    QCOMPARE(r.host.outFileLabel, r.dir.path() + "/plot_000.dat");
    QCOMPARE(r.state.FileListIdx, int16_t(0));
}

void TstFileFrm::doneInClickWithoutFilesSaysSo() {
    Rig r;
    r.click("AutoSel");
    r.click("FileCmd");
    QCOMPARE(r.messages(), 1);
    QCOMPARE(r.host.messageBoxes.messages[0].text,
             std::string("There Are Currently No Files\n\rMatching The File Pattern!"));
    QVERIFY(r.host.timerOn);
}

void TstFileFrm::doneRefusesWildcardStemInAutomaticSelection() {
    Rig r;
    writeFile("a.dat", plotFileText("a", 2));
    r.frm.setPattern("*.dat");
    r.click("AutoSel");
    r.frm.show();
    r.click("FileCmd");
    QCOMPARE(r.messages(), 1);
    QVERIFY(r.host.messageBoxes.messages[0].text.find("*.dat") != std::string::npos);
    QVERIFY(r.frm.isVisible()); // left open to mend the pattern
    QCOMPARE(r.host.mainEnabled, 0);
    QVERIFY(fileThere("a.dat")); // nothing plotted or renamed
    QVERIFY(!r.host.timerOn);
}

void TstFileFrm::wildcardStemIsFineInManualSelection() {
    Rig r;
    r.frm.setPattern("*.*");
    r.frm.show();
    r.click("FileCmd");
    QCOMPARE(r.messages(), 0);
    QVERIFY(r.frm.isHidden());
}

void TstFileFrm::closingFromTheFrameActsAsDone() {
    Rig r;
    r.click("AutoSel");
    r.click("TimedPlt");
    r.frm.show();
    QVERIFY(!r.frm.close()); // the window is hidden, not closed
    QVERIFY(r.frm.isHidden());
    QCOMPARE(r.host.mainEnabled, 1);
    QVERIFY(r.host.timerOn);
}

void TstFileFrm::failedDriveChangeReturnsToTheOldDrive() {
    Rig r({"/", "/nonexistent-drive"});
    r.click("AutoSel");
    auto* driveLst = r.control<QComboBox>("DriveLst");
    QCOMPARE(driveLst->currentIndex(), 0);
    driveLst->setCurrentIndex(1);
    QCOMPARE(r.messages(), 1);
    QCOMPARE(r.host.messageBoxes.messages[0].text,
             std::string("That drive is not available. No drive change was made."));
    QCOMPARE(r.host.messageBoxes.messages[0].icon, MessageIcon::None);
    QCOMPARE(driveLst->currentIndex(), 0);           // back on the old drive
    QCOMPARE(r.frm.fileList().path(), r.dir.path()); // in its current directory
    driveLst->setCurrentIndex(1);                    // the saved drive is still the good one
    QCOMPARE(driveLst->currentIndex(), 0);
    QCOMPARE(r.messages(), 2);
}

QTEST_MAIN(TstFileFrm)
#include "tst_filefrm.moc"
