// The plot sequence in a temporary watched directory, also under file-system faults: whatever goes wrong,
// every byte of every data file stays on disk (in place, numbered or as the working copy), and is told.

#include "datafile/FakeSequencerHost.h"
#include "datafile/PlotFileSeq.h"
#include "datafile/PlotSequencer.h"

#include <QtTest>
#include <filesystem>

using namespace corvex;
using namespace corvex::test;
using namespace std::string_literals;
namespace fs = std::filesystem;

namespace {

using Contents = std::map<std::string, std::string>;

Contents only(const std::string& name, const std::string& text) { // "": nothing
    return name.empty() ? Contents{} : Contents{{name, text}};
}

// Name -> content of every entry of `dir`: nothing lost, changed or left behind.
Contents contentsOf(const std::string& dir) {
    Contents files;
    for (const auto& entry : fs::directory_iterator(dir))
        files[entry.path().filename().string()] = readFile(entry.path().string());
    return files;
}

// One watched directory with the pattern plot.dat; the working copy goes to another directory.
struct Rig {
    TempCurrentDir dir;
    QTemporaryDir asideDir;
    const std::string aside = QDir(asideDir.path()).canonicalPath().toStdString();
    PlotData data;
    PlotRange range;
    FakeHost host;
    FaultyFileService files;
    DirectoryFileList fileLst{".", "plot.dat"};
    std::optional<std::string> openAnswer, saveAnswer; // what the file dialogs give
    PlotSequencer sequencer{data,
                            range,
                            fileLst,
                            files,
                            host,
                            [this](auto&) { return openAnswer; },
                            [this](auto&, auto&) { return saveAnswer; }};

    Rig() { sequencer.startUp(aside); }
    std::string at(const std::string& name) const { return joinPath(dir.path(), name); }
    std::string workingCopy() const { return joinPath(aside, kWorkingCopyName); }
    // "Done" with "Auto File Select" and "Timed Plot" on the watched directory.
    void startTimed() { QVERIFY(sequencer.Done({true, false, 4000, dir.path(), "plot.dat"})); }
    // Writes the first `first` bytes of `text` to plot.dat, and `piece` more at every settling wait.
    void writeInPieces(const std::string& text, size_t first, size_t piece) {
        writeFile("plot.dat", text.substr(0, first));
        host.settleClock.onSleep = [text, at = first, piece]() mutable {
            writeFile("plot.dat", text.substr(at, piece), true);
            at = std::min(at + piece, text.size());
        };
    }
    int messages() const { return int(host.messageBoxes.messages.size()); }
    std::string lastMessage() const {
        return host.messageBoxes.messages.empty() ? "" : host.messageBoxes.messages.back().text;
    }
};

enum class Fault { WatchedReadOnly, AsideReadOnly, AsideFull, GoneBeforeOpen, GoneWhileRead, Growing };

} // namespace

class TstPlotSequencer : public QObject {
    Q_OBJECT
  private slots:
    void numberedNames() {
        const struct {
            int seq, stolen; // stolen: names another program creates just before the rename
            const char* filedAs;
            int seqAfter;        // never wraps to -32768
            const char* message; // words of the message that stops automatic plotting
        } cases[] = {
            {1000, 0, "plot_1000.dat", 1001, ""}, // four digits
            {0, 2, "plot_002.dat", 3, ""}, // a name taken at the last moment is skipped like one taken before
            {32767, 0, "plot_32767.dat", 32767, "last numbered"}, // 32767 is the last
            {32767, 1, "plot.dat", 32767, "used up"},             // 32767 taken
        };
        for (const auto& c : cases) {
            Rig r;
            PlotFileNumbering numbering{"plot_", int16_t(c.seq)};
            Contents expected;
            r.files.beforeRename = [&](const std::string& target) {
                if (int(expected.size()) < c.stolen) writeFile(target, expected[target] = "someone else's");
            };
            const std::string text = plotFileText("n", 2);
            writeFile("plot.dat", text);
            const ArchiveResult result =
                ArchivePlotFile(" n", "plot.dat", {numbering, r.workingCopy()}, r.files, r.host);
            expected[c.filedAs] = text;
            QCOMPARE(contentsOf(r.dir.path()), expected); // the other program's files untouched
            QCOMPARE(numbering.PlotFileSeq, int16_t(c.seqAfter));
            QVERIFY(r.lastMessage().find(c.message) != std::string::npos);
            const bool stops = *c.message; // automatic plotting stops
            QCOMPARE(std::pair(r.messages(), result == ArchiveResult::NumbersUsedUp),
                     std::pair(int(stops), stops));
        }
    }

    // Only a first "!" in column 81 of line 1 marks a file for deletion: it is set aside.
    void deletionMark() {
        const std::pair<std::vector<int>, bool> cases[] = {
            {{81}, true}, {{80, 81}, false}, {{80}, false}, {{82}, false}};
        for (const auto& [bangs, setAside] : cases) {
            Rig r;
            r.startTimed();
            writeFile(r.workingCopy(), "older working copy"); // replaced only by a set-aside file
            const std::string text = plotFileText("marked?", 4, bangs);
            writeFile("plot.dat", text);
            r.sequencer.PlotTimer_Timer();
            QCOMPARE(contentsOf(r.dir.path()), only(setAside ? "" : "plot_000.dat", text));
            QCOMPARE(readFile(r.workingCopy()), setAside ? text : "older working copy");
            QCOMPARE(r.host.outFileLabel, setAside ? "Plot File To Be Deleted"s : r.at("plot_000.dat"));
            QCOMPARE(r.host.offered(MenuItem::SavePlotNow), setAside);
            if (!setAside) continue;
            // The saved copy and the numbers left unused: timedPlottingFilesTwoHundredAwayEachExactlyOnce.
            r.saveAnswer = r.at("kept.dat");
            r.sequencer.SavePlotNow_Click();
            QVERIFY(!r.host.visible[MenuItem::SavePlotNow] && !r.host.enabled[MenuItem::SavePlotNow]);
            QCOMPARE(r.host.outFileLabel, " "s);
        }
    }

    void clickModeOffersNextPlotOnlyWhileFilesWait() {
        Rig r;
        writeFile("plot.a", plotFileText("first", 3));
        writeFile("plot.b", plotFileText("second", 3));
        r.host.enabled[MenuItem::Zoomout] = true; // left from a zoom before "&Setup"
        r.fileLst.setPattern("plot.*"); // as typed in Setup; numbered names (plot_000.a) do not match
        QVERIFY(r.sequencer.Done({true, true, 4000, r.dir.path(), "plot.*"})); // automatic, click to plot
        QCOMPARE(r.data.PlotTitle, "first"s);       // Done plots the first file itself
        QVERIFY(r.host.enabled[MenuItem::Zoomout]); // and leaves "&ZoomOut" as it was
        QCOMPARE(r.host.redraws, 1);
        QVERIFY(r.host.offered(MenuItem::NextPlt) && !r.host.timerOn); // b.dat waits

        r.sequencer.NextPlt_Click();
        QCOMPARE(r.data.PlotTitle, "second"s);
        QVERIFY(!r.host.enabled[MenuItem::Zoomout]);
        QVERIFY(!r.host.visible[MenuItem::NextPlt] && r.host.timerOn); // the list ran empty: timer on
        writeFile("plot.c", plotFileText("third", 3));
        r.sequencer.PlotTimer_Timer(); // found: offer it, stop watching, plot nothing yet
        QVERIFY(r.host.offered(MenuItem::NextPlt) && !r.host.timerOn);
        QCOMPARE(r.host.redraws, 2);

        fs::remove("plot.c"); // gone between the tick that offered it and the click: skipped
        r.sequencer.NextPlt_Click();
        QCOMPARE(contentsOf(r.dir.path()).size(), size_t(2));          // plot_000 and plot_001 only
        QVERIFY(!r.host.visible[MenuItem::NextPlt] && r.host.timerOn); // the list was read again
        QCOMPARE(r.messages(), 0);
        writeFile("plot.d", plotFileText("fourth", 3));
        r.sequencer.PlotTimer_Timer(); // offered again, until "&Setup" takes the offer back
        r.sequencer.SetupPlt_Click();
        QVERIFY(!r.host.offered(MenuItem::NextPlt) && r.host.setupShown);
    }

    // After a close request no way in starts a plot: the waiting file is neither read nor filed away.
    void nothingPlotsAfterClose() {
        Rig r;
        r.startTimed();
        const std::string text = plotFileText("late", 3);
        writeFile("plot.dat", text);
        r.sequencer.shutDown();
        r.sequencer.PlotTimer_Timer();
        r.sequencer.NextPlt_Click();
        r.sequencer.plotFile(r.at("plot.dat"));
        r.openAnswer = r.at("plot.dat"); // nor from the file menu
        r.sequencer.Mnu2File_Click();
        QCOMPARE(contentsOf(r.dir.path()), only("plot.dat", text));
        QVERIFY(r.data.PlotTitle.empty() && r.host.redraws == 0 && r.messages() == 0);
    }

    void fileSystemFaults() {
        const std::string none, wc = kWorkingCopyName, moved = "moved.dat", stays = "plot.dat";
        const struct {
            Fault fault;
            bool marked;
            std::string inWatched, inAside; // where the file's bytes are afterwards ("" nowhere)
            QString message;                // "{wc}" stands for the working copy's path
        } cases[] = {
            {Fault::WatchedReadOnly, false, stays, none,
             "The plotted file plot.dat was not filed away; it stays in place.\n\r"
             "Cannot rename \"plot.dat\" to \"plot_000.dat\": Read-only file system"},
            // The copy is made, but the original cannot be deleted: both stay, the data exist twice.
            {Fault::WatchedReadOnly, true, stays, wc,
             "The plotted file plot.dat was copied but not deleted; it stays in place.\n\r"
             "Cannot delete \"plot.dat\": Read-only file system"},
            {Fault::AsideReadOnly, true, stays, none,
             "The plotted file plot.dat was not set aside; it stays in place.\n\r"
             "Cannot create \"{wc}\": Read-only file system"},
            {Fault::AsideFull, true, stays, none,
             "The plotted file plot.dat was not set aside; it stays in place.\n\r"
             "Cannot write \"{wc}\": No space left on device"},
            // Not yet read: as if it had never been listed; nothing to tell.
            {Fault::GoneBeforeOpen, false, none, moved, {}},
            {Fault::GoneWhileRead, false, none, moved,
             "The plotted file plot.dat was removed by another program before it could be filed away."},
            {Fault::Growing, false, "plot_000.dat", none, {}}, // the writer keeps growing the file
        };
        for (auto c : cases) {
            Rig r;
            r.startTimed();
            const std::string text =
                plotFileText("faulty", 40, c.marked ? std::vector{81} : std::vector<int>{});
            r.writeInPieces(text, c.fault == Fault::Growing ? 40 : text.size(), 100); // a piece per wait
            const auto moveAway = [&] {
                if (fs::exists("plot.dat")) fs::rename("plot.dat", joinPath(r.aside, "moved.dat"));
            };
            if (c.fault == Fault::WatchedReadOnly) r.files.readOnlyDirs.insert(r.dir.path());
            if (c.fault == Fault::AsideReadOnly) r.files.readOnlyDirs.insert(r.aside);
            if (c.fault == Fault::AsideFull) r.files.fullDirs.insert(r.aside);
            if (c.fault == Fault::GoneBeforeOpen) r.host.settleClock.onSleep = moveAway;
            if (c.fault == Fault::GoneWhileRead) r.host.onYield = moveAway;
            r.sequencer.PlotTimer_Timer();
            const bool read = c.fault != Fault::GoneBeforeOpen;
            QCOMPARE(std::pair(r.host.redraws, r.data.NumPts), std::pair(int(read), read ? 40 : 0));
            QCOMPARE(contentsOf(r.dir.path()), only(c.inWatched, text));
            QCOMPARE(contentsOf(r.aside), only(c.inAside, text));
            QCOMPARE(r.messages(), int(!c.message.isEmpty()));
            QCOMPARE(r.lastMessage(),
                     c.message.replace("{wc}", QString::fromStdString(r.workingCopy())).toStdString());
            QVERIFY(!r.host.offered(MenuItem::SavePlotNow));
            QCOMPARE(r.host.enabled[MenuItem::HoldPlot], read); // disabled until a plot succeeds
            const bool held = c.inWatched == "plot.dat"; // so that it is not plotted again at every tick
            QCOMPARE(std::pair(r.host.timerOn, r.host.holdCaption),
                     std::pair(!held, held ? "&Continue"s : "&Hold"s));
        }
    }

    // 200 files, each written in three pieces while settling, every seventh marked and saved: each ends up
    // exactly once, and a tick or click while the reader yields does not plot again.
    void timedPlottingFilesTwoHundredAwayEachExactlyOnce() {
        Rig r;
        r.startTimed();
        QVERIFY(r.host.timerOn && r.host.visible[MenuItem::HoldPlot] && !r.host.enabled[MenuItem::HoldPlot]);
        int yields = 0;
        r.host.onYield = [&] {
            ++yields;
            r.sequencer.PlotTimer_Timer();
            r.sequencer.NextPlt_Click();
        };
        std::multiset<std::string> written, kept;
        for (int k = 0, filed = 0; k < 200; ++k) {
            const bool marked = k % 7 == 3;
            const std::string text = plotFileText("file " + std::to_string(k), 1 + k % 13,
                                                  marked ? std::vector<int>{81} : std::vector<int>{});
            written.insert(text);
            r.writeInPieces(text, text.size() / 3, text.size() / 3 + 1);
            r.sequencer.PlotTimer_Timer();
            r.sequencer.PlotTimer_Timer(); // a second tick finds nothing more
            QCOMPARE(r.host.redraws, k + 1);
            QVERIFY(r.host.enabled[MenuItem::HoldPlot]); // enabled again after each plot
            QCOMPARE(r.host.offered(MenuItem::SavePlotNow), marked);
            if (!marked) {
                QCOMPARE(r.host.outFileLabel,
                         r.at(QString::asprintf("plot_%03d.dat", filed++).toStdString()));
                continue;
            }
            r.saveAnswer = r.at("saved_" + std::to_string(k) + ".dat");
            r.sequencer.SavePlotNow_Click();
        }
        QVERIFY(yields >= 30 && r.host.timerOn && r.messages() == 0 && !fs::exists(r.workingCopy()));
        for (const auto& [name, content] : contentsOf(r.dir.path()))
            kept.insert(content);
        QVERIFY(kept == written); // each file exactly once, nothing replaced, nothing else left: no plot.dat
        // One number per filed-away file: 171, as k % 7 == 3 for 29 of the 200.
        QVERIFY(fs::exists("plot_170.dat") && !fs::exists("plot_171.dat"));
    }
};

QTEST_GUILESS_MAIN(TstPlotSequencer)
#include "tst_plotsequencer.moc"
