// The file list, plot file numbering, drive messages, and Setup driven through its controls and a fake host.

#include "app/FileFrm.h"
#include "app/ListBoxes.h"
#include "datafile/FakeSequencerHost.h"
#include "datafile/PlotFileSeq.h"
#include "datafile/PlotSequencer.h"
#include "filesel/DriveList.h"
#include "model/SetupDesign.h"

#include <QtTest>
#include <QtWidgets>
#include <filesystem>
#include <fstream>

using namespace corvex;
using namespace corvex::test;
using namespace std::string_literals;

namespace {

struct Rig {
    TempCurrentDir dir;
    PlotData data;
    PlotRange range;
    FakeHost host;
    FaultyFileService files;
    FileFrm frm;
    PlotSequencer sequencer;

    explicit Rig(std::vector<std::string> drives = {"/"})
        : frm(host.messageBoxes, std::move(drives)),
          sequencer(data, range, frm.fileList(), files, host, nullptr, nullptr) {
        frm.setSequencer(sequencer);
        frm.setPattern("plot.dat"); // as start-up does
    }
    template <typename T = QWidget> T* control(const char* name) { return frm.findChild<T*>(name); }
    void click(const char* name) { QTest::mouseClick(control<QAbstractButton>(name), Qt::LeftButton); }
    void arrow(const char* which, int times = 1) {
        for (int i = 0; i < times; ++i)
            control<QToolButton>(which)->click();
    }
    QString delayText() { return control<QLabel>("PlotDelayText")->text(); }
    int messages() const { return int(host.messageBoxes.messages.size()); }
};

// Setup as designed, in twips: left, top, width, height, children relative to their container.
const std::pair<const char*, QRect> kSetupDesign[] = {
    {"ManSel", {120, 240, 2175, 255}},        {"AutoSel", {120, 600, 2175, 255}},
    {"AutoPicBox", {2280, 120, 3735, 1155}},  {"TimedPlt", {60, 120, 1575, 255}},
    {"Click2Plt", {60, 480, 1575, 255}},      {"SpinLbl", {1800, 60, 1815, 615}},
    {"PlotDelayText", {2160, 690, 795, 315}}, {"NewPlotDelay", {3060, 660, 255, 375}},
    {"PlotFrame", {120, 1380, 3615, 3375}},   {"FileLbl", {720, 390, 1215, 255}},
    {"FileTxt", {2040, 360, 1455, 285}},      {"FileLst", {120, 780, 1572, 2040}},
    {"DriveLst", {1800, 780, 1695, 315}},     {"DirLst", {1800, 1140, 1695, 2055}},
    {"FileCmd", {4224, 4260, 1815, 495}},     {"FileFrm", {0, 0, 6165, 4935}}};

} // namespace

class TstFileSel : public QObject {
    Q_OBJECT
  private slots:
    // Opens in manual selection, centred and raised; the automatic controls follow the mode.
    void modesEnableTheAutomaticControls() {
        Rig r;
        const auto checked = [&](const char* name) { return r.control<QAbstractButton>(name)->isChecked(); };
        QVERIFY(checked("ManSel") && !checked("AutoSel") && checked("Click2Plt") && r.frm.font().bold());
        QCOMPARE(r.delayText() + " " + r.control("SpinLbl")->property("text").toString(),
                 "4 Seconds Between Checking for New Files");
        QCOMPARE(r.frm.choice().delayMs, 4000);
        const char* automatic[] = {"TimedPlt",     "Click2Plt", "SpinLbl", "PlotDelayText",
                                   "NewPlotDelay", "PlotFrame", "DriveLst"};
        for (const char* off : {"TimedPlt", "Click2Plt", "SpinLbl", "PlotFrame", "DriveLst"})
            QVERIFY2(!r.control(off)->isEnabled(), off);
        r.click("AutoSel");
        QVERIFY(!r.host.enabled[MenuItem::Mnu2File]);
        for (const char* on : automatic)
            QVERIFY2(r.control(on)->isEnabled(), on);
        r.click("TimedPlt");
        QCOMPARE(r.control("SpinLbl")->property("text").toString(), "Seconds Between Plots");
        QVERIFY(!r.host.offered(MenuItem::NextPlt)); // timed plotting needs no "&NextPlot"
        r.click("ManSel");
        QVERIFY(r.host.enabled[MenuItem::Mnu2File]);
        for (const char* off : automatic)
            QVERIFY2(!r.control(off)->isEnabled(), off);
        for (const char* mode : {"ManSel", "AutoSel"}) { // a second click keeps the chosen mode
            r.click(mode);
            r.click(mode);
            QVERIFY2(checked(mode), mode);
        }
        // 411 x 329 pixels (6165 x 4935 twips), centred across the screen, raised by 3 % of its height.
        const QRect screen = r.frm.screen()->geometry();
        QCOMPARE(r.frm.pos(), QPoint(screen.x() + (screen.width() - 411) / 2,
                                     screen.y() + (screen.height() - 329) / 2 - int(0.03 * screen.height())));
    }

    // At 1440 dots per inch a pixel is a twip, so the design shows unchanged; the window (96 dpi here) has
    // 15 twips a pixel, halves to even (FileLst 1572 / 15 = 104.8 -> 105; FileCmd 4224 / 15 = 281.6 -> 282).
    void controlsWhereTheyWereDesigned() {
        Rig r;
        QCOMPARE(r.frm.logicalDpiX(), 96);
        const auto px = [](int twips) { return int(std::nearbyint(twips / 15.0)); };
        for (const auto& [name, t] : kSetupDesign) {
            const TwipsRect d = setupDesign(name);
            const auto at1440 = [](int twips) { return twipsToPixels(twips, 1440); };
            QCOMPARE(QRect(at1440(d.left), at1440(d.top), at1440(d.width), at1440(d.height)), t);
            const QRect shown =
                name == std::string("FileFrm") ? QRect(QPoint(), r.frm.size()) : r.control(name)->geometry();
            QCOMPARE(shown, QRect(px(t.left()), px(t.top()), px(t.width()), px(t.height())));
        }
        QCOMPARE(setupDesign("up").width, 0); // not a designed control
        // At 8 dpi, 180 twips a pixel: 7.5, 8.5 and 9.5 pixels go to the even neighbour.
        QCOMPARE(std::tuple(twipsToPixels(1350, 8), twipsToPixels(1530, 8), twipsToPixels(1710, 8)),
                 std::tuple(8, 8, 10));
    }

    void matching() {
        const std::tuple<const char*, const char*, bool> cases[] = {
            {"Plot.dat", "plot.dat", false},        // case matters
            {"plot_007.dat", "plot_???.dat", true}, // ? is one character
            {".dat", "*.dat", true},                // * may stand for nothing
            {"aXbXc", "a*b*c", true},               // * backtracks
            {"data", "*.*", true},                  // "*.*" matches names without a dot
            {"ab", "a?b", false},                   // ? is exactly one character
            {"plot[1].dat", "plot[1].dat", true},   // [ and ] stand for themselves
            {"plot1.dat", "plot[1].dat", false},
            {"run\\1.dat", "run\\1.dat", true},  // so does a backslash
            {"plot.dat.bak", "plot.dat", false}, // the whole name must match
            {"notes.txt", "*.t*x", false},       // up to its last character
            {"a.b", "c.*", false},
        };
        for (const auto& [name, pattern, matches] : cases)
            QVERIFY2(matchesPattern(name, pattern) == matches, name);
    }

    void listsRegularFilesInByteOrderAndRefreshes() {
        TempCurrentDir dir;
        for (const char* name : {"b.dat", "B.dat", "a.dat", "\xc3\xa4.dat", "c.txt"})
            std::ofstream{name};
        QDir().mkdir("d.dat"); // a directory is not listed
        // Upper case before lower case, and the UTF-8 byte 0xC3 after all ASCII.
        QCOMPARE(matchingFiles(".", "*.dat"),
                 (std::vector<std::string>{"B.dat", "a.dat", "b.dat", "\xc3\xa4.dat"}));
        DirectoryFileList list(".", "*.dat");
        std::ofstream{"e.dat"};
        QCOMPARE(list.listCount(), 4); // until refreshed
        list.refresh();
        QCOMPARE(std::tuple(list.listCount(), list.list(3), list.list(5)),
                 std::tuple(5, "e.dat"s, ""s)); // past the end
    }

    // Numbering goes on one above the highest three-digit number among the names of the pattern's stem
    // (its first five characters, filled with "_"), 77 before the search.
    void findPlotFileSeq() {
        const std::tuple<const char*, std::vector<std::string>, int, const char*, const char*> cases[] = {
            {"plot.dat", {"plot_007.dat", "plot_012.dat"}, 13, "plot_", "one above the highest"},
            {"plot.dat", {"plot.dat"}, 77, "plot_", "none: keeps its value"},
            {"plot.dat", {"plot_004.dat", "plot_x01.dat"}, 5, "plot_", "an unreadable number is passed over"},
            {"plot.dat", {"plot_1000.dat", "plot_998.dat"}, 999, "plot_", "four digits do not count"},
            {"data", {"data_003", "data_002"}, 4, "data_", "no dot: 8-character names"},
            {"measurement.dat", {"measu041.dat"}, 42, "measu", "cut to five"},
            {"ab.txt", {"ab___999.txt"}, 1000, "ab___", "filled with _"},
        };
        for (const auto& [pattern, files, seq, prefix, why] : cases) {
            TempCurrentDir dir;
            for (const std::string& f : files)
                std::ofstream{f};
            DirectoryFileList list(".", pattern);
            PlotFileNumbering numbering{"", 77};
            FindPlotFileSeq(numbering, list, pattern);
            QVERIFY2(numbering.PlotFileSeq == seq && numbering.PlotFilePrefix == prefix, why);
        }
    }

    void driveMessages() {
        QCOMPARE(driveChangeMessage(68), "That drive is not available. No drive change was made.");
        QCOMPARE(driveChangeMessage(71), "Close the door on your drive and try again.");
        QCOMPARE(driveChangeMessage(5),
                 "You probably didn't enter a drive letter. No drive change was made.");
        QCOMPARE(driveChangeMessage(57), "Device I/O Error.");
        QCOMPARE(driveChangeMessage(70), "Error # 70 !"); // any other code, with a leading blank
    }

    void drivesAreTheRealFileSystems() {
        const std::string mounts =
            "sysfs /sys sysfs rw 0 0\n"
            "/dev/sda1 / ext4 rw 0 0\n"                     // the root: already first
            "/dev/sdb1 /media/usb\\0402\\134 vfat rw 0 0\n" // an escaped blank and backslash
            "/dev/sdc1 /mnt/a\\04x vfat rw 0 0\n"           // not an escape: kept as written
            "/dev/sdd1 /mnt/end\\04 vfat rw 0 0\n"          // cut short at the line's end
            "/dev/sdf1 /mnt/b\\0x4 vfat rw 0 0\n"           // a non-octal middle digit
            "/dev/sdg1 /mnt/c\\840 vfat rw 0 0\n"           // a non-octal first digit
            "/dev/sdh1 /mnt/it\\047s vfat rw 0 0\n"         // 7 is an octal digit
            "tmpfs /run/user/1000 tmpfs rw 0 0\n"           // under a system tree
            "tmpfs /runner tmpfs rw 0 0\n"                  // only looks like one
            "proc /srv/proc proc rw 0 0\n"                  // a kernel view
            "/dev/sde1 /media/usb\\0402\\134 vfat rw 0 0\n" // mounted twice
            "server:/x /net/x nfs rw 0 0\n"                 // cannot be listed
            "none relative ext4 rw 0 0\n"                   // not a path
            "short-line\n";
        QCOMPARE(drivesFromMounts(mounts, [](const std::string& dir) { return dir != "/net/x"; }),
                 (std::vector<std::string>{"/", "/media/usb 2\\", "/mnt/a\\04x", "/mnt/end\\04",
                                           "/mnt/b\\0x4", "/mnt/c\\840", "/mnt/it's", "/runner"}));
        TempCurrentDir dir; // by default, a directory that can be listed stays and a missing one goes
        QCOMPARE(drivesFromMounts("/dev/a " + dir.path() + " ext4\n/dev/b " + dir.path() + "/gone ext4\n"),
                 (std::vector<std::string>{"/", dir.path()}));
    }

    void driveOfAPath() {
        const std::vector<std::string> drives{"/", "/media/usb", "/media/usb/inner", "/mnt/"};
        const std::pair<const char*, const char*> cases[] = {
            {"/home/user", "/"},
            {"/media/usb", "/media/usb"},               // the drive itself
            {"/media/usb/data", "/media/usb"},          // below it
            {"/media/usbstick/data", "/"},              // a longer name is another directory
            {"/media/usb/inner/x", "/media/usb/inner"}, // the longest drive above
            {"/mnt/disk", "/mnt/"},                     // a drive written with its slash
        };
        for (const auto& [path, drive] : cases)
            QCOMPARE(driveOf(path, drives), std::string(drive));
    }

    void driveErrorsByKind() {
        TempCurrentDir dir;
        std::ofstream{"file"};
        std::filesystem::create_symlink("loop", "loop");
        // Missing: not available; not a directory, a link to itself, a name too long: not a drive name.
        QCOMPARE(std::tuple(probeDirectory("."), probeDirectory("missing"), probeDirectory("file"),
                            probeDirectory("loop"), probeDirectory(std::string(5000, 'x'))),
                 std::tuple(0, 68, 5, 5, 5));
        const std::pair<int, int> kinds[] = {{ENODEV, 68}, {ENXIO, 68}, {ENOMEDIUM, 71}, {EBUSY, 71},
                                             {EAGAIN, 71}, {EINVAL, 5}, {EIO, 57},       {EACCES, 70},
                                             {EPERM, 70},  {EROFS, 75}};
        for (const auto& [error, kind] : kinds)
            QCOMPARE(driveErrorCode(error), kind);
    }

    void delayArrowsStopAt60And1WithABeep() {
        Rig r;
        r.click("AutoSel");
        r.arrow("up");
        // Written with a leading blank, and still read as 5.
        QCOMPARE(std::pair(r.delayText(), r.frm.choice().delayMs), std::pair(QString(" 5"), 5000));
        r.arrow("up", 56); // one past 60: 60 itself is reachable, the step beyond beeps
        QCOMPARE(std::pair(r.delayText(), r.host.messageBoxes.beeps), std::pair(QString(" 60"), 1));
        r.arrow("down", 60);
        QCOMPARE(std::pair(r.delayText(), r.host.messageBoxes.beeps), std::pair(QString(" 1"), 2));
    }

    void doneInAutomatic() {
        for (const bool timed : {true, false}) {
            Rig r;
            std::ofstream{"plot_004.dat"};
            r.click("AutoSel");
            if (timed) r.click("TimedPlt");
            r.arrow("up");
            r.click("FileCmd");
            QCOMPARE(r.sequencer.mode(), timed ? PlotMode::Timed : PlotMode::ClickToPlot);
            // No file waiting is no reason to say anything when timed; click to plot says so.
            QCOMPARE(std::tuple(r.messages(), r.host.timerOn, r.host.intervalMs),
                     std::tuple(timed ? 0 : 1, true, 5000));
            QCOMPARE(r.frm.fileList().pattern(), std::string("plot.dat")); // restored after the search
            std::ofstream("plot.dat") << plotFileText("next", 1);          // numbered one above plot_004
            r.sequencer.PlotTimer_Timer();
            if (!timed) r.sequencer.NextPlt_Click();
            QVERIFY(QFile::exists("plot_005.dat"));
        }
    }

    void doneAndCloseRefuseWildcardStemOnlyInAutomaticSelection() {
        Rig r;
        QDir().mkdir("elsewhere");
        r.frm.setPattern("*.dat");
        r.click("AutoSel");
        r.frm.show();
        r.click("FileCmd");
        // Told, and left open to mend the pattern.
        QCOMPARE(std::pair(r.messages(), r.frm.isVisible()), std::pair(1, true));
        QVERIFY(r.host.messageBoxes.messages[0].text.find("*.dat") != std::string::npos);
        QVERIFY(!r.frm.close()); // closing from the frame acts as Done: refused again
        QCOMPARE(std::pair(r.messages(), r.frm.isVisible()), std::pair(2, true));
        r.click("ManSel"); // manual selection needs no numbered names
        auto* dirLst = r.control<QListWidget>("DirLst");
        emit dirLst->itemActivated(dirLst->findItems("elsewhere", Qt::MatchEndsWith)[0]);
        QVERIFY(!r.frm.close()); // the window is hidden, not closed; hidden once: not on the refusals
        QCOMPARE(std::tuple(r.messages(), r.host.setupShown, r.host.setupHidden, r.sequencer.mode(),
                            r.host.timerOn),
                 std::tuple(2, false, 1, PlotMode::Manual, false));
        QCOMPARE(QDir::currentPath().toStdString(), r.dir.path() + "/elsewhere"); // made current
    }

    // The directory list: the chain of folders down to the chosen one (selected), then its subfolders
    // in order, two blanks deeper a level; a trailing slash names the same folder, the root is one entry.
    void directoryListShowsTheChain() {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath("b") && QDir(dir.path()).mkpath("a"));
        DirectoryListBox box;
        box.setPath(dir.path().toStdString() + "/");
        const int depth = int(dir.path().count('/')); // the folder's entry: one level per slash
        const QString indent(2 * (depth + 1), ' ');
        QCOMPARE(std::tuple(box.path(), box.currentRow(), box.item(depth)->text().trimmed(), box.count()),
                 std::tuple(dir.path().toStdString(), depth, QDir(dir.path()).dirName(), depth + 3));
        QCOMPARE(std::pair(box.item(depth + 1)->text(), box.item(depth + 2)->text()),
                 std::pair(indent + "a", indent + "b"));
        box.setPath("/");
        QCOMPARE(std::tuple(box.path(), box.item(0)->text(), box.currentRow()),
                 std::tuple(std::string("/"), QString("/"), 0));
    }

    void failedDriveChangeReturnsToTheOldDrive() {
        Rig r({"/", "/nonexistent-drive"});
        r.click("AutoSel");
        auto* driveLst = r.control<QComboBox>("DriveLst");
        driveLst->setCurrentIndex(1);
        QCOMPARE(r.messages(), 1);
        QCOMPARE(r.host.messageBoxes.messages[0].text,
                 "That drive is not available. No drive change was made.");
        QCOMPARE(driveLst->currentIndex(), 0);           // back on the old drive
        QCOMPARE(r.frm.fileList().path(), r.dir.path()); // in its current directory
        driveLst->setCurrentIndex(1);                    // the saved drive is still the good one
        QCOMPARE(std::pair(driveLst->currentIndex(), r.messages()), std::pair(0, 2));
    }
};

QTEST_MAIN(TstFileSel)
#include "tst_filesel.moc"
