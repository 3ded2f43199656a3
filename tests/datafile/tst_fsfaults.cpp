// Automatic plotting under file-system faults: whatever goes wrong, every byte of every data file stays
// on disk (in place, under its numbered name or as the working copy) and a message says what happened.
//
// A read-only directory and a full disk are made real where the test may mount (root: a read-only
// bind mount, a 64 KiB tmpfs, unmounted at the end of each row); elsewhere, and in the "injected" rows, the
// file service refuses the change with the same error the system would give. Each row logs which of the two
// it used.

#include "datafile/FakeSequencerHost.h"
#include "datafile/PlotSequencer.h"
#include "filesel/PlotFileSeq.h"

#include <QtTest>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <memory>
#include <set>
#include <sys/mount.h>

using namespace corvex;
using namespace corvex::test;

namespace {

std::string describe(const std::string& action, const std::string& path, int err) {
    return action + " \"" + path + "\": " + std::strerror(err);
}

// A mount made by the test, undone (lazily, in case something is still open there) when it goes.
class ScopedMount {
  public:
    // A small tmpfs at `dir`; nullptr when mounting is not permitted here.
    static std::unique_ptr<ScopedMount> tmpfs(const std::string& dir, int sizeKiB) {
        const std::string options = "size=" + std::to_string(sizeKiB) + "k";
        if (::mount("tmpfs", dir.c_str(), "tmpfs", 0, options.c_str()) != 0) return nullptr;
        return std::unique_ptr<ScopedMount>(new ScopedMount(dir));
    }
    // `dir` bound onto itself read-only.
    static std::unique_ptr<ScopedMount> readOnly(const std::string& dir) {
        if (::mount(dir.c_str(), dir.c_str(), nullptr, MS_BIND, nullptr) != 0) return nullptr;
        auto bound = std::unique_ptr<ScopedMount>(new ScopedMount(dir));
        if (!bound->remount(MS_RDONLY)) return nullptr;
        return bound;
    }
    bool makeWritable() { return remount(0); }
    ~ScopedMount() { ::umount2(dir_.c_str(), MNT_DETACH); }
    ScopedMount(const ScopedMount&) = delete;
    ScopedMount& operator=(const ScopedMount&) = delete;

  private:
    explicit ScopedMount(std::string dir) : dir_(std::move(dir)) {}
    bool remount(unsigned long flags) {
        return ::mount(nullptr, dir_.c_str(), nullptr, MS_REMOUNT | MS_BIND | flags, nullptr) == 0;
    }
    std::string dir_;
};

// Changes the current directory and goes back to the one before when it goes out of scope.
class ScopedCurrentDir {
  public:
    ScopedCurrentDir() : previous_(std::filesystem::current_path()) {}
    ~ScopedCurrentDir() { std::filesystem::current_path(previous_); }
    void enter(const std::string& dir) { std::filesystem::current_path(dir); }

  private:
    std::filesystem::path previous_;
};

// The real file system seen through what a read-only or full directory, or another program working
// in the watched directory at the same moment, would do to each change. Refusals carry the text the
// system file service gives for the same error.
class InterposedFileService : public SystemFileService {
  public:
    bool copy(const std::string& from, const std::string& to, std::string& why) override {
        if (const int err = refusal(to, true)) {
            why = describe(err == ENOSPC ? "Cannot write" : "Cannot create", to, err);
            return false;
        }
        return SystemFileService::copy(from, to, why);
    }
    bool rename(const std::string& from, const std::string& to, std::string& why) override {
        if (beforeRename) beforeRename(to);
        if (const int err = refusal(to, false)) {
            why = describe("Cannot rename \"" + from + "\" to", to, err);
            return false;
        }
        return SystemFileService::rename(from, to, why);
    }
    bool remove(const std::string& path, std::string& why) override {
        if (const int err = refusal(path, false)) {
            why = describe("Cannot delete", path, err);
            return false;
        }
        return SystemFileService::remove(path, why);
    }

    std::set<std::string> readOnlyDirs, fullDirs;         // absolute directories
    std::function<void(const std::string&)> beforeRename; // given the numbered name about to be used

  private:
    // The error a change of `path` meets: read-only refuses every change, full only new data.
    int refusal(const std::string& path, bool writesData) {
        const std::string absolute = path.front() == '/' ? path : joinPath(currentDirectory(), path);
        const std::string dir = absolute.substr(0, absolute.rfind('/'));
        if (readOnlyDirs.count(dir)) return EROFS;
        if (writesData && fullDirs.count(dir)) return ENOSPC;
        return 0;
    }
};

// Name -> content of every entry of `dir` (hidden ones included), to show that nothing was lost,
// changed or left behind.
std::map<std::string, std::string> contentsOf(const std::string& dir) {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        files[entry.path().filename().string()] = readFile(entry.path().string());
    return files;
}

using Contents = std::map<std::string, std::string>;

// Watched directory "watch" with the pattern plot.dat and timed plotting started as "Done" does;
// beside it "aside" (another directory for the working copy) and "elsewhere" (where other programs
// move files to). Faults are made by mounting when `mountFaults` and permitted, else injected.
struct Rig {
    QTemporaryDir base;
    const std::string root = QDir(base.path()).canonicalPath().toStdString();
    const std::string watch = root + "/watch", aside = root + "/aside", elsewhere = root + "/elsewhere";
    std::vector<std::unique_ptr<ScopedMount>> mounts;
    ScopedCurrentDir cwd;
    bool mountFaults;
    PlotState state;
    FakeHost host;
    InterposedFileService files;
    DirectoryFileList fileLst{".", "plot.dat"};
    std::optional<std::string> saveAnswer;
    PlotSequencer sequencer{state,   fileLst,
                            files,   host,
                            nullptr, [this](const std::string&, const std::string&) { return saveAnswer; }};

    explicit Rig(bool mount = false) : mountFaults(mount) {
        for (const std::string& dir : {watch, aside, elsewhere})
            std::filesystem::create_directory(dir);
        cwd.enter(watch);
        workingCopyIn(watch); // the start-up directory is the watched one
    }
    void workingCopyIn(const std::string& dir) { state.TmpFileName = joinPath(dir, kWorkingCopyName); }
    void startTimed() {
        cwd.enter(watch); // a mount made over it since is only seen from a fresh entry
        FindPlotFileSeq(state, fileLst, "plot.dat");
        sequencer.startAutomatic(false, 1000);
    }

    // `dir` refuses every change from here on.
    void readOnly(const std::string& dir) {
        if (mountFaults) {
            if (auto m = ScopedMount::readOnly(dir)) return used("read-only bind mount", std::move(m));
            qInfo("mounting is not permitted here (%s): the fault is injected", std::strerror(errno));
        }
        used("injected EROFS", nullptr);
        files.readOnlyDirs.insert(dir);
    }
    void writableAgain(const std::string& dir) {
        files.readOnlyDirs.erase(dir);
        for (auto& m : mounts)
            QVERIFY(m->makeWritable());
    }
    // `dir` becomes an empty file system of `sizeKiB` (or one that refuses new data).
    void full(const std::string& dir, int sizeKiB) {
        if (mountFaults) {
            if (auto m = ScopedMount::tmpfs(dir, sizeKiB)) return used("small tmpfs", std::move(m));
            qInfo("mounting is not permitted here (%s): the fault is injected", std::strerror(errno));
        }
        used("injected ENOSPC", nullptr);
        files.fullDirs.insert(dir);
    }
    // Takes the last free byte of `dir` when it is a real small file system; the content of the
    // filler "filler.bin" ("" when none was needed), which must survive like every other file.
    std::string fillUp(const std::string& dir) {
        if (mounts.empty()) return {};
        const std::string filler = joinPath(dir, "filler.bin");
        std::ofstream out(filler, std::ios::binary);
        const std::string block(1024, 'f');
        while (out.write(block.data(), std::streamsize(block.size())) && out.flush()) {
        }
        out.close();
        return readFile(filler);
    }

    std::string at(const std::string& name) const { return joinPath(watch, name); }
    std::vector<std::string> messageTexts() const {
        std::vector<std::string> texts;
        for (const auto& m : host.messageBoxes.messages)
            texts.push_back(m.text);
        return texts;
    }
    bool held() {
        return !host.timerOn && host.holdCaption == "&Continue" && host.offered(MenuItem::HoldPlot);
    }
    // "&Continue": the timer runs again and ticks.
    void continueAndTick() {
        host.startTimer();
        host.setHoldCaption("&Hold");
        sequencer.PlotTimer_Timer();
    }

  private:
    void used(const char* how, std::unique_ptr<ScopedMount> m) {
        qInfo("fault made by: %s", how);
        if (m) mounts.push_back(std::move(m));
    }
};

// Replaces "{wc}" by the working copy's path in an expected text.
std::string expand(QString text, const Rig& r) {
    return text.replace("{wc}", QString::fromStdString(r.state.TmpFileName)).toStdString();
}

// Both ways of making a fault, for each scenario row.
void addMechanismRows(const char* scenario, const std::function<void(QTestData&)>& values) {
    for (bool mount : {true, false}) {
        QTestData& row = QTest::addRow("%s, %s", scenario, mount ? "mounted" : "injected") << mount;
        values(row);
    }
}

const std::string kMarkedText = plotFileText("marked", 40, {81});
const std::string kPlainText = plotFileText("plain", 40);

} // namespace

class TstFsFaults : public QObject {
    Q_OBJECT
  private slots:
    void readOnlyWatchedDirectory_data();
    void readOnlyWatchedDirectory();
    void workingCopyDirectoryNotWritable_data();
    void workingCopyDirectoryNotWritable();
    void fullDisk_data();
    void fullDisk();
    void fullDiskAfterTheEarlierWorkingCopyWasDeleted_data();
    void fullDiskAfterTheEarlierWorkingCopyWasDeleted();
    void saveDataOntoAFullDiskKeepsBothFiles_data();
    void saveDataOntoAFullDiskKeepsBothFiles();
    void fileMovedAwayBetweenListingAndFiling_data();
    void fileMovedAwayBetweenListingAndFiling();
    void numberedNameTakenBeforeTheRename_data();
    void numberedNameTakenBeforeTheRename();
    void writerKeepsTheFileGrowing_data();
    void writerKeepsTheFileGrowing();
};

void TstFsFaults::readOnlyWatchedDirectory_data() {
    QTest::addColumn<bool>("mount");
    QTest::addColumn<bool>("marked");
    QTest::addColumn<bool>("workingCopyAside");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("workingCopyAfter"); // "" when there must be none
    addMechanismRows("plain file: the rename is refused", [](QTestData& row) {
        row << false << false
            << "The plotted file plot.dat was not filed away; it stays in place.\n\r"
               "Cannot rename \"plot.dat\" to \"plot_000.dat\": Read-only file system"
            << "";
    });
    addMechanismRows("marked file, working copy in the same directory", [](QTestData& row) {
        row << true << false
            << "The plotted file plot.dat was not set aside; it stays in place.\n\r"
               "Cannot create \"{wc}\": Read-only file system"
            << "";
    });
    // The copy is made, but the original cannot be deleted: both stay, the data exist twice.
    addMechanismRows("marked file, working copy elsewhere", [](QTestData& row) {
        row << true << true
            << "The plotted file plot.dat was copied but not deleted; it stays in place.\n\r"
               "Cannot delete \"plot.dat\": Read-only file system"
            << QString::fromStdString(kMarkedText);
    });
}

void TstFsFaults::readOnlyWatchedDirectory() {
    QFETCH(bool, mount);
    QFETCH(bool, marked);
    QFETCH(bool, workingCopyAside);
    QFETCH(QString, message);
    QFETCH(QString, workingCopyAfter);
    Rig r(mount);
    if (workingCopyAside) r.workingCopyIn(r.aside);
    const std::string text = marked ? kMarkedText : kPlainText;
    writeFile(r.at("plot.dat"), text);
    r.readOnly(r.watch);
    r.startTimed();

    r.sequencer.PlotTimer_Timer();
    QCOMPARE(r.host.redraws, 1); // plotted all the same
    QCOMPARE(r.messageTexts(), std::vector<std::string>{expand(message, r)});
    QCOMPARE(contentsOf(r.watch), (Contents{{"plot.dat", text}}));
    QCOMPARE(readFile(r.state.TmpFileName), workingCopyAfter.toStdString());
    QVERIFY(!r.host.offered(MenuItem::SavePlotNow));
    QVERIFY(r.held()); // not plotted again at every tick
    QCOMPARE(r.state.PlotFileSeq, int16_t(0));

    // Once the directory may be written again, "&Continue" files the same file away.
    r.writableAgain(r.watch);
    r.continueAndTick();
    QCOMPARE(r.messageTexts().size(), size_t(1));
    if (marked) {
        QCOMPARE(contentsOf(r.watch).count("plot.dat"), size_t(0));
        QCOMPARE(readFile(r.state.TmpFileName), text);
        QVERIFY(r.host.offered(MenuItem::SavePlotNow));
    } else {
        QCOMPARE(contentsOf(r.watch), (Contents{{"plot_000.dat", text}}));
    }
}

void TstFsFaults::workingCopyDirectoryNotWritable_data() {
    QTest::addColumn<bool>("mount");
    QTest::addColumn<bool>("earlierCopy");
    QTest::addColumn<QString>("message");
    addMechanismRows("no earlier working copy", [](QTestData& row) {
        row << false
            << "The plotted file plot.dat was not set aside; it stays in place.\n\r"
               "Cannot create \"{wc}\": Read-only file system";
    });
    // The earlier working copy cannot be deleted either: it stays, and "SaveData" can still save it.
    addMechanismRows("earlier working copy still offered", [](QTestData& row) {
        row << true
            << "The plotted file plot.dat was not set aside; it stays in place.\n\r"
               "Cannot delete \"{wc}\": Read-only file system";
    });
}

void TstFsFaults::workingCopyDirectoryNotWritable() {
    QFETCH(bool, mount);
    QFETCH(bool, earlierCopy);
    QFETCH(QString, message);
    Rig r(mount);
    r.workingCopyIn(r.aside);
    const std::string earlier = plotFileText("earlier", 3, {81});
    if (earlierCopy) {
        writeFile(r.state.TmpFileName, earlier);
        offerMenu(r.host, MenuItem::SavePlotNow, true);
    }
    r.readOnly(r.aside);
    r.startTimed();
    writeFile("plot.dat", kMarkedText);

    r.sequencer.PlotTimer_Timer();
    QCOMPARE(r.messageTexts(), std::vector<std::string>{expand(message, r)});
    QCOMPARE(contentsOf(r.watch), (Contents{{"plot.dat", kMarkedText}}));
    QCOMPARE(contentsOf(r.aside),
             (earlierCopy ? Contents{{kWorkingCopyName, earlier}} : Contents{})); // no partial copy
    QCOMPARE(r.host.offered(MenuItem::SavePlotNow), earlierCopy);
    QVERIFY(r.held());
}

void TstFsFaults::fullDisk_data() {
    QTest::addColumn<bool>("mount");
    QTest::addColumn<bool>("marked");
    QTest::addColumn<QString>("message"); // "" for none
    // Setting aside needs room for the copy.
    addMechanismRows("marked file", [](QTestData& row) {
        row << true
            << "The plotted file plot.dat was not set aside; it stays in place.\n\r"
               "Cannot write \"{wc}\": No space left on device";
    });
    // Filing away only renames, which needs no room for data.
    addMechanismRows("plain file", [](QTestData& row) { row << false << ""; });
}

void TstFsFaults::fullDisk() {
    QFETCH(bool, mount);
    QFETCH(bool, marked);
    QFETCH(QString, message);
    Rig r(mount);
    r.full(r.watch, 64);
    r.startTimed();
    const std::string text = marked ? kMarkedText : kPlainText;
    writeFile("plot.dat", text);
    const std::string filler = r.fillUp(r.watch);

    r.sequencer.PlotTimer_Timer();
    QCOMPARE(r.host.redraws, 1);
    Contents expected{{marked ? "plot.dat" : "plot_000.dat", text}};
    if (!filler.empty()) expected["filler.bin"] = filler;
    QCOMPARE(contentsOf(r.watch), expected); // no partial working copy, no temporary file left
    if (message.isEmpty()) {
        QVERIFY(r.messageTexts().empty());
        QCOMPARE(r.host.outFileLabel, r.at("plot_000.dat"));
        QVERIFY(r.host.timerOn);
    } else {
        QCOMPARE(r.messageTexts(), std::vector<std::string>{expand(message, r)});
        QVERIFY(r.held());
    }
}

void TstFsFaults::fullDiskAfterTheEarlierWorkingCopyWasDeleted_data() {
    QTest::addColumn<bool>("mount");
    addMechanismRows("larger new file", [](QTestData&) {});
}

// A new marked file replaces the earlier working copy, which is deleted first to make room; when the
// new copy still does not fit, the new file stays in place and "SaveData" goes, as there is nothing
// left for it to save.
void TstFsFaults::fullDiskAfterTheEarlierWorkingCopyWasDeleted() {
    QFETCH(bool, mount);
    Rig r(mount);
    r.workingCopyIn(r.aside);
    r.full(r.aside, 64);
    writeFile(r.state.TmpFileName, plotFileText("earlier", 3, {81})); // one page of the small disk
    offerMenu(r.host, MenuItem::SavePlotNow, true);
    const std::string filler = r.fillUp(r.aside);
    const std::string larger = plotFileText("larger", 600, {81}); // several pages
    r.startTimed();
    writeFile("plot.dat", larger);

    r.sequencer.PlotTimer_Timer();
    QCOMPARE(r.messageTexts(),
             std::vector<std::string>{"The plotted file plot.dat was not set aside; it stays in "
                                      "place.\n\r" +
                                      describe("Cannot write", r.state.TmpFileName, ENOSPC)});
    QCOMPARE(contentsOf(r.watch), (Contents{{"plot.dat", larger}}));
    QCOMPARE(contentsOf(r.aside), (filler.empty() ? Contents{} : Contents{{"filler.bin", filler}}));
    QVERIFY(!r.host.offered(MenuItem::SavePlotNow));
    QVERIFY(r.held());
}

void TstFsFaults::saveDataOntoAFullDiskKeepsBothFiles_data() {
    QTest::addColumn<bool>("mount");
    addMechanismRows("replacing an existing file", [](QTestData&) {});
}

// The user chose to replace an existing file; the disk has no room for the new data. The old file
// must not be truncated or deleted on the way, and the working copy stays for another try.
void TstFsFaults::saveDataOntoAFullDiskKeepsBothFiles() {
    QFETCH(bool, mount);
    Rig r(mount);
    r.workingCopyIn(r.aside);
    r.startTimed();
    writeFile("plot.dat", kMarkedText);
    r.sequencer.PlotTimer_Timer();
    QVERIFY(r.host.offered(MenuItem::SavePlotNow));

    r.full(r.elsewhere, 64);
    const std::string target = joinPath(r.elsewhere, "kept.dat");
    const std::string older = plotFileText("older", 2); // smaller than the new data
    writeFile(target, older);
    const std::string filler = r.fillUp(r.elsewhere);
    r.saveAnswer = target;
    r.sequencer.SavePlotNow_Click();

    QCOMPARE(r.messageTexts(), std::vector<std::string>{"The data were not saved.\n\r" +
                                                        describe("Cannot write", target, ENOSPC)});
    Contents expected{{"kept.dat", older}};
    if (!filler.empty()) expected["filler.bin"] = filler;
    QCOMPARE(contentsOf(r.elsewhere), expected);
    QCOMPARE(readFile(r.state.TmpFileName), kMarkedText);
    QVERIFY(r.host.offered(MenuItem::SavePlotNow));
}

void TstFsFaults::fileMovedAwayBetweenListingAndFiling_data() {
    QTest::addColumn<bool>("marked");
    QTest::addColumn<bool>("whileReading"); // else while its length settles, before it is opened
    QTest::addColumn<QString>("message");   // "" for none
    // Not yet read: as if it had never been listed; nothing to tell.
    QTest::newRow("plain, before opening") << false << false << "";
    QTest::newRow("marked, before opening") << true << false << "";
    // Read and plotted, then gone: the plot stays, and the user learns it was not filed away.
    const QString gone =
        "The plotted file plot.dat was removed by another program before it could be filed away.";
    QTest::newRow("plain, while reading") << false << true << gone;
    QTest::newRow("marked, while reading") << true << true << gone;
}

void TstFsFaults::fileMovedAwayBetweenListingAndFiling() {
    QFETCH(bool, marked);
    QFETCH(bool, whileReading);
    QFETCH(QString, message);
    Rig r;
    r.startTimed();
    const std::string text = marked ? kMarkedText : kPlainText;
    writeFile("plot.dat", text);
    const std::string movedTo = joinPath(r.elsewhere, "moved.dat");
    bool moved = false;
    const auto moveAway = [&] {
        if (moved) return;
        std::filesystem::rename("plot.dat", movedTo);
        moved = true;
    };
    if (whileReading)
        r.host.progressView.onYield = moveAway;
    else
        r.host.settleClock.onSleep = moveAway;

    r.sequencer.PlotTimer_Timer();
    QVERIFY(moved);
    QCOMPARE(contentsOf(r.elsewhere), (Contents{{"moved.dat", text}}));
    QCOMPARE(contentsOf(r.watch), Contents{}); // no numbered name, no working copy
    QCOMPARE(r.host.redraws, whileReading ? 1 : 0);
    QCOMPARE(r.messageTexts(), message.isEmpty() ? std::vector<std::string>{}
                                                 : std::vector<std::string>{message.toStdString()});
    QVERIFY(r.host.timerOn); // nothing to hold for: the next file may come
    QCOMPARE(r.host.enabled[MenuItem::HoldPlot], whileReading);
    QVERIFY(!r.host.offered(MenuItem::SavePlotNow));
    QCOMPARE(r.state.PlotFileSeq, int16_t(0));

    writeFile("plot.dat", kPlainText); // the next file goes the usual way
    r.sequencer.PlotTimer_Timer();
    QCOMPARE(contentsOf(r.watch), (Contents{{"plot_000.dat", kPlainText}}));
}

void TstFsFaults::numberedNameTakenBeforeTheRename_data() {
    QTest::addColumn<int>("startSeq");
    QTest::addColumn<int>("stolen");      // names another program creates just before our rename
    QTest::addColumn<QString>("filedAs"); // "" when the file stays in place
    QTest::addColumn<QString>("message"); // "" for none
    QTest::addColumn<int>("seqAfter");
    // Each taken name is skipped like one found taken beforehand: one number more per name.
    QTest::newRow("one name taken") << 0 << 1 << "plot_001.dat"
                                    << "" << 2;
    QTest::newRow("three names in a row") << 0 << 3 << "plot_003.dat"
                                          << "" << 4;
    QTest::newRow("the last number taken")
        << 32767 << 1 << ""
        << "The numbered names are used up: plot_32767.dat is taken.\n\r"
           "The plotted file plot.dat stays in place and automatic plotting stops."
        << 32767;
}

void TstFsFaults::numberedNameTakenBeforeTheRename() {
    QFETCH(int, startSeq);
    QFETCH(int, stolen);
    QFETCH(QString, filedAs);
    QFETCH(QString, message);
    QFETCH(int, seqAfter);
    Rig r;
    r.startTimed();
    r.state.PlotFileSeq = int16_t(startSeq);
    writeFile("plot.dat", kPlainText);
    Contents expected;
    r.files.beforeRename = [&](const std::string& target) {
        if (int(expected.size()) == stolen) return;
        expected[target] = "someone else's " + target;
        writeFile(target, expected[target]);
    };

    r.sequencer.PlotTimer_Timer();
    expected[filedAs.isEmpty() ? "plot.dat" : filedAs.toStdString()] = kPlainText;
    QCOMPARE(contentsOf(r.watch), expected); // the other program's files untouched
    QCOMPARE(r.messageTexts(), message.isEmpty() ? std::vector<std::string>{}
                                                 : std::vector<std::string>{message.toStdString()});
    QCOMPARE(r.state.PlotFileSeq, int16_t(seqAfter));
    if (!filedAs.isEmpty()) QCOMPARE(r.host.outFileLabel, r.at(filedAs.toStdString()));
    QCOMPARE(r.host.timerOn, !filedAs.isEmpty());
}

void TstFsFaults::writerKeepsTheFileGrowing_data() {
    QTest::addColumn<int>("rounds"); // settling waits during which the writer adds to the file
    QTest::addColumn<bool>("marked");
    QTest::addColumn<bool>("startOver"); // the writer empties the file in the first round, then appends
    QTest::newRow("1 round") << 1 << false << false;
    QTest::newRow("5 rounds") << 5 << false << false;
    QTest::newRow("60 rounds, half a minute") << 60 << false << false;
    QTest::newRow("5 rounds, marked") << 5 << true << false;
    QTest::newRow("writer starts over, then grows") << 5 << false << true;
}

// Whatever the writer does while the length keeps changing, the file read, plotted and filed away is
// the finished one.
void TstFsFaults::writerKeepsTheFileGrowing() {
    QFETCH(int, rounds);
    QFETCH(bool, marked);
    QFETCH(bool, startOver);
    Rig r;
    r.startTimed();
    const std::string text =
        plotFileText("grown", 10 * rounds, marked ? std::vector<int>{81} : std::vector<int>{});
    const size_t piece = text.size() / size_t(rounds + 1);
    writeFile("plot.dat", startOver ? std::string(text.size() / 2, 'x') : text.substr(0, piece));
    int round = 0, sleeps = 0;
    r.host.settleClock.onSleep = [&] {
        ++sleeps;
        if (round >= rounds) return;
        ++round;
        const size_t from = round * piece;
        const size_t to = round == rounds ? text.size() : from + piece;
        if (startOver && round == 1)
            writeFile("plot.dat", text.substr(0, to));
        else
            writeFile("plot.dat", text.substr(from, to - from), true);
    };

    r.sequencer.PlotTimer_Timer();
    QCOMPARE(round, rounds);
    QCOMPARE(sleeps, rounds + 1);          // one steady pair after the last change
    QCOMPARE(r.state.NumPts, 10 * rounds); // the finished file was read
    QVERIFY(r.messageTexts().empty());
    QCOMPARE(contentsOf(r.watch),
             (marked ? Contents{{kWorkingCopyName, text}} : Contents{{"plot_000.dat", text}}));
}

QTEST_GUILESS_MAIN(TstFsFaults)
#include "tst_fsfaults.moc"
