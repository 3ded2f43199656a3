// The plot sequence end to end in a temporary watched directory with a recording main window.

#include "datafile/FakeSequencerHost.h"
#include "datafile/PlotReader.h"
#include "datafile/PlotSequencer.h"
#include "filesel/PlotFileSeq.h"

#include <QtTest>
#include <set>

using namespace corvex;
using namespace corvex::test;

namespace {

// One watched directory with the pattern plot.dat, numbering prepared as "Done" does.
struct Rig {
    TempCurrentDir dir;
    PlotState state;
    FakeHost host;
    FaultyFileService files;
    DirectoryFileList fileLst{".", "plot.dat"};
    std::vector<std::string> openFilters, saveRequests;
    std::optional<std::string> openAnswer, saveAnswer;
    std::function<void()> duringSave; // what runs while the save dialog is open
    PlotSequencer sequencer{state,
                            fileLst,
                            files,
                            host,
                            [this](const std::string& filter) {
                                openFilters.push_back(filter);
                                return openAnswer;
                            },
                            [this](const std::string& filter, const std::string& ext) {
                                saveRequests.push_back(filter + "|" + ext);
                                if (duringSave) duringSave();
                                return saveAnswer;
                            }};

    Rig() { state.TmpFileName = joinPath(dir.path(), kWorkingCopyName); }
    std::string at(const std::string& name) const { return joinPath(dir.path(), name); }
    void startTimed() {
        FindPlotFileSeq(state, fileLst, "plot.dat");
        sequencer.startAutomatic(false, 4000);
    }
    int messages() const { return int(host.messageBoxes.messages.size()); }
    std::string lastMessage() const {
        return host.messageBoxes.messages.empty() ? "" : host.messageBoxes.messages.back().text;
    }
};

} // namespace

class TstPlotSequencer : public QObject {
    Q_OBJECT
  private slots:
    void readsOnlyOnceTheLengthIsSteady();
    void timedPlottingFilesASeriesAway();
    void skipsNumberedNamesAlreadyTaken();
    void sequence999IsFollowedBy1000();
    void deletionMark_data();
    void deletionMark();
    void setAsideReplacesEarlierWorkingCopy();
    void clickModeOffersNextPlotOnlyWhileFilesWait();
    void clickModeWithoutFilesSaysSoAndWatches();
    void saveDataKeepsAByteIdenticalCopy();
    void saveDataCancelledKeepsWorkingCopy();
    void tickWhileSaveDialogIsOpenKeepsTheWorkingCopy();
    void saveDataFailureKeepsWorkingCopyAndSaysWhy();
    void copyFailureLeavesMarkedFileInPlace_data();
    void copyFailureLeavesMarkedFileInPlace();
    void renameFailureHoldsTimedPlotting();
    void sequence32767IsTheLastNumber();
    void allNumbersTakenStopsWithFileInPlace();
    void nextPlotSkipsAVanishedFile();
    void timedTickRetriesAFileThatCannotBeOpened();
    void tickDuringAReadDoesNotStartASecondPlot();
    void setupDuringAReadLeavesMenusAndTimerAlone();
    void fileCommandPlotsChosenFileWithoutTouchingIt();
    void fileCommandCancelledDoesNothing();
    void captionNamesWatchedDirectoryAndEntry();
    void twoHundredFilesEachEndUpExactlyOnce();
};

void TstPlotSequencer::readsOnlyOnceTheLengthIsSteady() {
    Rig r;
    r.startTimed();
    const std::string full = plotFileText("pieces", 30);
    // The writer has written a third when the file is first seen and adds a third per settling wait.
    std::vector<std::string> pieces{full.substr(0, 40), full.substr(40, 60), full.substr(100)};
    writeFile("plot.dat", pieces[0]);
    size_t next = 1;
    r.host.settleClock.onSleep = [&] {
        if (next < pieces.size()) writeFile("plot.dat", pieces[next++], true);
    };
    r.sequencer.PlotTimer_Timer();
    QCOMPARE(r.state.NumPts, 30);           // the whole file was read, not the 40 bytes first seen
    QCOMPARE(r.host.settleClock.sleeps, 3); // two growing readings, then one steady pair
    QCOMPARE(readFile("plot_000.dat"), full);
    QVERIFY(!fileThere("plot.dat"));
}

void TstPlotSequencer::timedPlottingFilesASeriesAway() {
    Rig r;
    r.startTimed();
    QVERIFY(r.host.timerOn);
    QCOMPARE(r.host.intervalMs, 4000);
    QVERIFY(r.host.visible[MenuItem::HoldPlot] && !r.host.enabled[MenuItem::HoldPlot]);
    for (int i = 0; i < 3; ++i) {
        writeFile("plot.dat", plotFileText("run " + std::to_string(i), 5));
        r.sequencer.PlotTimer_Timer();
        QCOMPARE(r.host.outFileLabel, r.at("plot_00" + std::to_string(i) + ".dat"));
        QVERIFY(r.host.enabled[MenuItem::HoldPlot]); // enabled again after each plot
    }
    r.sequencer.PlotTimer_Timer(); // nothing waiting: nothing happens
    QCOMPARE(r.state.PlotTitle, std::string("run 2"));
    QCOMPARE(r.state.PlotFileSeq, int16_t(3));
    QCOMPARE(r.host.redraws, 3);
    QVERIFY(r.host.timerOn);
    QCOMPARE(r.messages(), 0);
}

void TstPlotSequencer::skipsNumberedNamesAlreadyTaken() {
    Rig r;
    writeFile("plot_000.dat", "a");
    writeFile("plot_001.dat", "b");
    r.state.PlotFilePrefix = "plot_";
    r.state.PlotFileSeq = 0; // as if FindPlotFileSeq had not seen them
    r.sequencer.startAutomatic(false, 1000);
    writeFile("plot.dat", plotFileText("t", 2));
    r.sequencer.PlotTimer_Timer();
    QVERIFY(fileThere("plot_002.dat"));
    QCOMPARE(r.state.PlotFileSeq, int16_t(3)); // one past the name used
    QCOMPARE(readFile("plot_000.dat"), std::string("a"));
}

void TstPlotSequencer::sequence999IsFollowedBy1000() {
    Rig r;
    r.state.PlotFilePrefix = "plot_";
    r.state.PlotFileSeq = 999;
    r.sequencer.startAutomatic(false, 1000);
    for (const char* expected : {"plot_999.dat", "plot_1000.dat"}) {
        writeFile("plot.dat", plotFileText("t", 2));
        r.sequencer.PlotTimer_Timer();
        QVERIFY2(fileThere(expected), expected);
    }
}

void TstPlotSequencer::deletionMark_data() {
    QTest::addColumn<std::vector<int>>("bangs");
    QTest::addColumn<bool>("setAside");
    QTest::newRow("81 only: set aside") << std::vector<int>{81} << true;
    QTest::newRow("80 and 81: first ! is 80") << std::vector<int>{80, 81} << false;
    QTest::newRow("80 only") << std::vector<int>{80} << false;
    QTest::newRow("82 only") << std::vector<int>{82} << false;
    QTest::newRow("79 and 81: 79 is before the search") << std::vector<int>{79, 81} << true;
}

void TstPlotSequencer::deletionMark() {
    QFETCH(std::vector<int>, bangs);
    QFETCH(bool, setAside);
    Rig r;
    r.startTimed();
    const std::string text = plotFileText("marked?", 4, bangs);
    writeFile("plot.dat", text);
    r.sequencer.PlotTimer_Timer();
    QVERIFY(!fileThere("plot.dat"));
    QCOMPARE(fileThere(r.state.TmpFileName), setAside);
    QCOMPARE(fileThere("plot_000.dat"), !setAside);
    QCOMPARE(readFile(setAside ? r.state.TmpFileName : r.at("plot_000.dat")), text);
    QCOMPARE(r.host.outFileLabel, setAside ? std::string("Plot File To Be Deleted") : r.at("plot_000.dat"));
    QCOMPARE(r.host.offered(MenuItem::SavePlotNow), setAside);
    QCOMPARE(r.state.PlotFileSeq, int16_t(setAside ? 0 : 1)); // a set-aside file uses no number
}

void TstPlotSequencer::setAsideReplacesEarlierWorkingCopy() {
    Rig r;
    r.startTimed();
    writeFile(r.state.TmpFileName, "older working copy");
    const std::string text = plotFileText("newer", 3, {81});
    writeFile("plot.dat", text);
    r.sequencer.PlotTimer_Timer();
    QCOMPARE(readFile(r.state.TmpFileName), text);
}

void TstPlotSequencer::clickModeOffersNextPlotOnlyWhileFilesWait() {
    Rig r;
    r.fileLst.setPattern("?.dat"); // numbered names do not match
    writeFile("a.dat", plotFileText("first", 3));
    writeFile("b.dat", plotFileText("second", 3));
    r.fileLst.refresh();
    r.state.PlotFilePrefix = "plot_";
    r.host.enabled[MenuItem::Zoomout] = true; // left from a zoom before "&Setup"
    r.sequencer.startAutomatic(true, 2000);
    QCOMPARE(r.state.PlotTitle, std::string("first")); // Done plots the first file itself
    QVERIFY(r.host.enabled[MenuItem::Zoomout]);        // Done's first load leaves "&ZoomOut" as it was
    QCOMPARE(r.host.redraws, 1);                       // one redraw, at the end of Done
    QVERIFY(fileThere("plot_000.dat"));
    QVERIFY(r.host.offered(MenuItem::NextPlt)); // b.dat waits
    QVERIFY(!r.host.timerOn);
    QVERIFY(!r.host.enabled[MenuItem::Mnu2File]);
    QCOMPARE(r.host.intervalMs, 2000);

    r.sequencer.NextPlt_Click();
    QCOMPARE(r.state.PlotTitle, std::string("second"));
    QVERIFY(!r.host.visible[MenuItem::NextPlt]); // the list ran empty
    QVERIFY(r.host.timerOn);                     // so the timer watches
    QCOMPARE(r.host.focusRestored, r.host.focusRemembered);

    r.sequencer.PlotTimer_Timer(); // nothing new
    QVERIFY(r.host.timerOn && !r.host.visible[MenuItem::NextPlt]);
    writeFile("c.dat", plotFileText("third", 3));
    r.sequencer.PlotTimer_Timer(); // found: offer it, stop watching, plot nothing yet
    QVERIFY(r.host.offered(MenuItem::NextPlt));
    QVERIFY(!r.host.timerOn);
    QCOMPARE(r.state.PlotTitle, std::string("second"));
}

void TstPlotSequencer::clickModeWithoutFilesSaysSoAndWatches() {
    Rig r;
    FindPlotFileSeq(r.state, r.fileLst, "plot.dat");
    r.sequencer.startAutomatic(true, 4000);
    QCOMPARE(r.messages(), 1);
    QCOMPARE(r.lastMessage(), std::string("There Are Currently No Files\n\rMatching The File Pattern!"));
    QCOMPARE(r.host.messageBoxes.messages[0].icon, MessageIcon::None);
    QVERIFY(!r.host.visible[MenuItem::NextPlt]);
    QVERIFY(r.host.timerOn);
}

void TstPlotSequencer::saveDataKeepsAByteIdenticalCopy() {
    Rig r;
    r.startTimed();
    const std::string text = plotFileText("keep me", 7, {81});
    writeFile("plot.dat", text);
    r.sequencer.PlotTimer_Timer();
    r.saveAnswer = r.at("kept.dat");
    r.sequencer.SavePlotNow_Click();
    QCOMPARE(r.saveRequests, std::vector<std::string>{"Plot Files | *.dat|dat"});
    QCOMPARE(readFile("kept.dat"), text);
    QVERIFY(!fileThere(r.state.TmpFileName));
    QVERIFY(!r.host.visible[MenuItem::SavePlotNow] && !r.host.enabled[MenuItem::SavePlotNow]);
    QCOMPARE(r.host.outFileLabel, std::string(" "));
    QCOMPARE(r.state.PlotTitle, std::string("keep me")); // the plot stays
}

void TstPlotSequencer::saveDataCancelledKeepsWorkingCopy() {
    Rig r;
    writeFile(r.state.TmpFileName, "data");
    r.host.setMenuVisible(MenuItem::SavePlotNow, true);
    r.sequencer.SavePlotNow_Click(); // saveAnswer empty: cancelled
    QVERIFY(fileThere(r.state.TmpFileName));
    QVERIFY(r.host.visible[MenuItem::SavePlotNow]);
    QCOMPARE(r.messages(), 0);
    r.saveAnswer = r.state.TmpFileName; // saving onto itself would delete the only copy
    r.sequencer.SavePlotNow_Click();
    QCOMPARE(readFile(r.state.TmpFileName), std::string("data"));
    QCOMPARE(r.messages(), 1);
}

void TstPlotSequencer::tickWhileSaveDialogIsOpenKeepsTheWorkingCopy() {
    Rig r;
    r.startTimed();
    const std::string first = plotFileText("first", 2, {81});
    writeFile("plot.dat", first);
    r.sequencer.PlotTimer_Timer();
    // The next marked file arrives and the timer ticks while the user is still choosing a name.
    r.duringSave = [&] {
        writeFile("plot.dat", plotFileText("second", 2, {81}));
        r.sequencer.PlotTimer_Timer();
    };
    r.saveAnswer = r.at("kept.dat");
    r.sequencer.SavePlotNow_Click();
    QCOMPARE(readFile("kept.dat"), first); // what the user chose to keep
    QVERIFY(fileThere("plot.dat"));        // the second waits for the next tick
}

void TstPlotSequencer::saveDataFailureKeepsWorkingCopyAndSaysWhy() {
    Rig r;
    writeFile(r.state.TmpFileName, "data");
    r.host.setMenuVisible(MenuItem::SavePlotNow, true);
    r.files.failCopy = true;
    r.saveAnswer = r.at("kept.dat");
    r.sequencer.SavePlotNow_Click();
    QVERIFY(fileThere(r.state.TmpFileName));
    QVERIFY(r.host.visible[MenuItem::SavePlotNow]);
    QVERIFY(r.lastMessage().find("No space left") != std::string::npos);
}

void TstPlotSequencer::copyFailureLeavesMarkedFileInPlace_data() {
    QTest::addColumn<int>("fault");
    QTest::newRow("copy fails") << 0;
    QTest::newRow("copy claims success but is short") << 1;
    QTest::newRow("old working copy cannot be deleted") << 2;
    QTest::newRow("plotted file cannot be deleted after copying") << 3;
}

void TstPlotSequencer::copyFailureLeavesMarkedFileInPlace() {
    QFETCH(int, fault);
    Rig r;
    r.startTimed();
    const std::string text = plotFileText("marked", 4, {81});
    writeFile("plot.dat", text);
    if (fault == 0) r.files.failCopy = true;
    if (fault == 1) r.files.truncateCopy = true;
    if (fault == 2) {
        writeFile(r.state.TmpFileName, "old");
        r.files.failRemoveOf = r.state.TmpFileName;
    }
    if (fault == 3) r.files.failRemoveOf = "plot.dat";
    r.sequencer.PlotTimer_Timer();
    QCOMPARE(readFile("plot.dat"), text); // the data are still there
    QCOMPARE(r.messages(), 1);
    QVERIFY(r.lastMessage().find("stays in place") != std::string::npos);
    QVERIFY(!r.host.offered(MenuItem::SavePlotNow));
    // Held, so the next ticks do not plot it again and again.
    QVERIFY(!r.host.timerOn);
    QCOMPARE(r.host.holdCaption, std::string("&Continue"));
    QVERIFY(r.host.offered(MenuItem::HoldPlot));
}

void TstPlotSequencer::renameFailureHoldsTimedPlotting() {
    Rig r;
    r.startTimed();
    const std::string text = plotFileText("locked", 4);
    writeFile("plot.dat", text);
    r.files.failRename = true;
    r.sequencer.PlotTimer_Timer();
    QCOMPARE(readFile("plot.dat"), text);
    QCOMPARE(r.messages(), 1);
    QVERIFY(r.lastMessage().find("Permission denied") != std::string::npos);
    QVERIFY(!r.host.timerOn);
    QCOMPARE(r.host.holdCaption, std::string("&Continue"));
    QVERIFY(r.host.offered(MenuItem::HoldPlot));
    QCOMPARE(r.state.PlotFileSeq, int16_t(0)); // no number used
    // "&Continue" restarts the timer; once the rename works the file is filed away.
    r.files.failRename = false;
    r.host.startTimer();
    r.sequencer.PlotTimer_Timer();
    QVERIFY(fileThere("plot_000.dat"));
    QCOMPARE(r.messages(), 1);
}

void TstPlotSequencer::sequence32767IsTheLastNumber() {
    Rig r;
    r.state.PlotFilePrefix = "plot_";
    r.state.PlotFileSeq = 32767;
    r.sequencer.startAutomatic(false, 1000);
    writeFile("plot.dat", plotFileText("last", 2));
    r.sequencer.PlotTimer_Timer();
    QVERIFY(fileThere("plot_32767.dat"));
    QCOMPARE(r.state.PlotFileSeq, int16_t(32767)); // never wraps to -32768
    QCOMPARE(r.messages(), 1);
    QVERIFY(!r.host.timerOn); // automatic plotting stops
    QVERIFY(!r.host.visible[MenuItem::HoldPlot] && !r.host.visible[MenuItem::NextPlt]);
}

void TstPlotSequencer::allNumbersTakenStopsWithFileInPlace() {
    Rig r;
    writeFile("plot_32766.dat", "x");
    writeFile("plot_32767.dat", "y");
    r.state.PlotFilePrefix = "plot_";
    r.state.PlotFileSeq = 32766;
    r.sequencer.startAutomatic(false, 1000);
    writeFile("plot.dat", plotFileText("no room", 2));
    r.sequencer.PlotTimer_Timer();
    QVERIFY(fileThere("plot.dat"));
    QCOMPARE(readFile("plot_32767.dat"), std::string("y"));
    QCOMPARE(r.state.PlotFileSeq, int16_t(32767));
    QVERIFY(r.lastMessage().find("used up") != std::string::npos);
    QVERIFY(!r.host.timerOn);
}

void TstPlotSequencer::nextPlotSkipsAVanishedFile() {
    Rig r;
    r.fileLst.setPattern("?.dat"); // numbered names do not match
    writeFile("a.dat", plotFileText("a", 2));
    r.fileLst.refresh();
    r.state.PlotFilePrefix = "plot_";
    r.host.setMenuVisible(MenuItem::NextPlt, true);
    r.host.setMenuEnabled(MenuItem::NextPlt, true);
    r.sequencer.startManual();
    QCOMPARE(r.fileLst.listCount(), 1);
    ::unlink("a.dat"); // gone between the tick that offered it and the click
    r.sequencer.NextPlt_Click();
    QCOMPARE(r.host.redraws, 0);                 // nothing read
    QVERIFY(!fileThere("plot_000.dat"));         // nothing filed away
    QCOMPARE(r.fileLst.listCount(), 0);          // the list was read again
    QVERIFY(!r.host.visible[MenuItem::NextPlt]); // so "&NextPlot" goes
    QVERIFY(r.host.timerOn);                     // and the timer watches
    QCOMPARE(r.messages(), 0);
}

void TstPlotSequencer::timedTickRetriesAFileThatCannotBeOpened() {
    Rig r;
    r.startTimed();
    writeFile("plot.dat", plotFileText("x", 2));
    r.host.settleClock.onSleep = [] { ::unlink("plot.dat"); }; // vanishes while settling
    r.sequencer.PlotTimer_Timer();
    QCOMPARE(r.host.redraws, 0);
    QVERIFY(!r.host.enabled[MenuItem::HoldPlot]); // stays disabled until a plot succeeds
    QVERIFY(r.host.timerOn);
}

void TstPlotSequencer::tickDuringAReadDoesNotStartASecondPlot() {
    Rig r;
    r.fileLst.setPattern("?.dat"); // numbered names do not match
    r.state.PlotFilePrefix = "plot_";
    r.sequencer.startAutomatic(false, 1000);
    writeFile("a.dat", plotFileText("a", 50));
    writeFile("b.dat", plotFileText("b", 50));
    int yields = 0;
    r.host.progressView.onYield = [&] {
        ++yields;
        r.sequencer.PlotTimer_Timer(); // ticks and clicks arriving while the reader yields
        r.sequencer.NextPlt_Click();
        r.sequencer.Mnu2File_Click();
    };
    r.sequencer.PlotTimer_Timer();
    QVERIFY(yields >= 10);
    QCOMPARE(r.host.redraws, 1);        // one plot
    QVERIFY(fileThere("plot_000.dat")); // a.dat
    QVERIFY(fileThere("b.dat"));        // still waiting for its own tick
    QVERIFY(r.openFilters.empty());
}

void TstPlotSequencer::setupDuringAReadLeavesMenusAndTimerAlone() {
    Rig r;
    r.startTimed();
    writeFile("plot.dat", plotFileText("a", 50));
    r.host.progressView.onYield = [&] {
        r.host.stopTimer(); // what "&Setup" does in the main window
        r.host.setMenuVisible(MenuItem::HoldPlot, false);
        r.sequencer.suspend();
    };
    r.sequencer.PlotTimer_Timer();
    QVERIFY(fileThere("plot_000.dat")); // the plotted file is still filed away
    QVERIFY(!r.host.timerOn);
    QVERIFY(!r.host.enabled[MenuItem::HoldPlot]);
}

void TstPlotSequencer::fileCommandPlotsChosenFileWithoutTouchingIt() {
    Rig r;
    const std::string text = plotFileText("chosen", 3, {81});
    writeFile("chosen.dat", text);
    r.openAnswer = r.at("chosen.dat");
    r.host.setMenuEnabled(MenuItem::Zoomout, true);
    r.sequencer.Mnu2File_Click();
    QCOMPARE(r.openFilters, std::vector<std::string>{
                                "Data Files (*.dat)|*.dat|All Files (*.*)|*.*|Text Files (*.txt)|*.txt"});
    QCOMPARE(r.state.NumPts, 3);
    QCOMPARE(r.host.caption, readCaption(r.at("chosen.dat")));
    QCOMPARE(readFile("chosen.dat"), text); // not moved even though it carries the mark
    QVERIFY(!fileThere(r.state.TmpFileName));
    QVERIFY(!r.host.enabled[MenuItem::Zoomout]);
    QCOMPARE(r.host.redraws, 1);
    QCOMPARE(r.host.mainShown, 1);
}

void TstPlotSequencer::fileCommandCancelledDoesNothing() {
    Rig r;
    r.sequencer.Mnu2File_Click();
    QCOMPARE(r.host.redraws, 0);
    QCOMPARE(r.messages(), 0);
    r.openAnswer = r.at("missing.dat"); // an error ends the command silently
    r.sequencer.Mnu2File_Click();
    QCOMPARE(r.host.redraws, 0);
    QCOMPARE(r.messages(), 0);
}

void TstPlotSequencer::captionNamesWatchedDirectoryAndEntry() {
    Rig r;
    r.startTimed();
    writeFile("plot.dat", plotFileText("c", 1));
    r.sequencer.PlotTimer_Timer();
    // More than 20 characters: the caption keeps the last 21 of "<directory>/plot.dat".
    QCOMPARE(r.host.caption, readCaption(r.at("plot.dat")));
    QVERIFY(QString::fromStdString(r.host.caption).endsWith("/plot.dat]"));
}

void TstPlotSequencer::twoHundredFilesEachEndUpExactlyOnce() {
    Rig r;
    r.startTimed();
    std::vector<std::string> written;
    std::set<std::string> saved;
    for (int k = 0; k < 200; ++k) {
        // Every seventh file is marked for deletion; each is written in three pieces while settling.
        const std::string text = plotFileText("file " + std::to_string(k), 1 + k % 13,
                                              k % 7 == 3 ? std::vector<int>{81} : std::vector<int>{});
        written.push_back(text);
        const size_t third = text.size() / 3;
        writeFile("plot.dat", text.substr(0, third));
        std::vector<std::string> rest{text.substr(third, third), text.substr(2 * third)};
        r.host.settleClock.onSleep = [&, i = size_t(0)]() mutable {
            if (i < rest.size()) writeFile("plot.dat", rest[i++], true);
        };
        r.sequencer.PlotTimer_Timer();
        r.sequencer.PlotTimer_Timer(); // a second tick finds nothing more
        if (r.host.offered(MenuItem::SavePlotNow)) {
            r.saveAnswer = r.at("saved_" + std::to_string(k) + ".dat");
            r.sequencer.SavePlotNow_Click();
            saved.insert(*r.saveAnswer);
        }
    }
    QCOMPARE(r.messages(), 0);
    std::multiset<std::string> kept;
    for (const auto& entry : std::filesystem::directory_iterator(r.dir.path()))
        kept.insert(readFile(entry.path().string()));
    QCOMPARE(int(kept.size()), 200); // nothing else is left: no plot.dat, no working copy
    for (const std::string& text : written)
        QCOMPARE(int(kept.count(text)), 1);
    QCOMPARE(int(saved.size()), 29);                  // k % 7 == 3 for 29 of 0..199
    QCOMPARE(r.state.PlotFileSeq, int16_t(200 - 29)); // one number per filed-away file
}

QTEST_GUILESS_MAIN(TstPlotSequencer)
#include "tst_plotsequencer.moc"
