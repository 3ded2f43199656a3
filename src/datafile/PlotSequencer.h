#pragma once
// The sequence of plots: the choice made in Setup, a file chosen by dialog, the next file of the
// watched directory on demand or at each timer tick, holding and continuing, filing plotted files
// away, the working copy of a set-aside file and saving it.

#include "datafile/FileList.h"
#include "datafile/PlotArchive.h"
#include "datafile/PlotReader.h"
#include "datafile/SequencerHost.h"
#include "model/PlotState.h"
#include "platform/FileService.h"

#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace corvex {

enum class PlotMode { Manual, ClickToPlot, Timed };

// What "Done" in the Setup window applies.
struct SetupChoice {
    bool autoSelect = false;
    bool clickToPlot = false;
    int delayMs = 4000;
    std::string directory;
    std::string pattern;
};

class PlotSequencer {
  public:
    // Shows an open-file dialog with `filter`; the chosen full path, or nullopt when cancelled.
    using OpenDialog = std::function<std::optional<std::string>(const std::string& filter)>;
    // Shows a save-file dialog that asks before replacing a file and appends `defaultExtension` to a
    // name typed without one; the chosen full path, or nullopt when cancelled.
    using SaveDialog = std::function<std::optional<std::string>(const std::string& filter,
                                                                const std::string& defaultExtension)>;

    static constexpr const char* kOpenFilter =
        "Data Files (*.dat)|*.dat|All Files (*.*)|*.*|Text Files (*.txt)|*.txt";
    static constexpr const char* kSaveFilter = "Plot Files | *.dat";
    static constexpr const char* kSaveExtension = "dat";

    // Reads into `data` and `range`. `fileLst` is the Setup window's list; its names are relative to
    // the current directory.
    PlotSequencer(PlotData& data, PlotRange& range, FileList& fileLst, FileService& files,
                  SequencerHost& host, OpenDialog openDialog, SaveDialog saveDialog);

    // Start-up: the working copy lives in `startDirectory`; one left over from an earlier run goes.
    void startUp(const std::string& startDirectory);
    // The program is closing: the working copy goes, a running read stops at its next yield, no file
    // is filed away and no command or tick starts another plot.
    void shutDown();

    // "&Setup": stops plotting and shows the Setup window; a plot still running finishes its file but
    // changes no menu item or timer afterwards, and a choice still waiting for it is dropped.
    void SetupPlt_Click();
    // The Setup window's mode buttons.
    void ManSel_Click();
    void AutoSel_Click();
    void TimedPlt_Click();
    // "Done": refuses, with a message, a wildcard in an automatic pattern's stem or a directory that
    // cannot be entered (Setup stays open); otherwise closes Setup and starts plotting. While a plot
    // is being read the choice applies once it has finished, so that no read starts beside a running
    // one and the running file is filed away in the directory it came from.
    bool Done(const SetupChoice& choice);

    void Mnu2File_Click();
    // A file named when the program starts: plotted as if chosen with "&File" (never moved or deleted).
    void plotFile(const std::string& path);
    void NextPlt_Click();
    void HoldPlot_Click();
    void PlotTimer_Timer();
    void SavePlotNow_Click();

    PlotMode mode() const { return m_mode; }
    bool plotting() const { return m_activity > 0; } // a command is running (maybe yielding)
    bool reading() const { return m_reading; }       // the points are being replaced

  private:
    friend class Activity;
    // The first plot of "Done" leaves "&ZoomOut" alone and redraws only at the very end of "Done".
    struct LoadSteps {
        bool fromDone = false;
    };
    bool applySetup(const SetupChoice& choice);
    void startManual();
    void startAutomatic(bool clickToPlot, int intervalMs);
    void suspend();
    LoadOutcome loadAndShow(const std::string& path, const std::string& displayName, LoadSteps steps);
    // The first listed file that opens is read and filed away; nullopt when none could be opened.
    std::optional<ArchiveResult> plotListed(LoadSteps steps);
    void reportUnreadable(const std::string& name, const std::string& why,
                          const std::vector<std::string>& listed);
    void offerNextOrWatch();
    void stopAutomatic();
    void removeWorkingCopy();
    void finishActivity();

    PlotData& m_data;
    PlotRange& m_range;
    FileList& m_fileLst;
    FileService& m_files;
    SequencerHost& m_host;
    OpenDialog m_openDialog;
    SaveDialog m_saveDialog;
    PlotFileNumbering m_numbering;
    std::string m_TmpFileName; // the working copy "~corvex~.tmp" in the start-up directory
    PlotMode m_mode = PlotMode::Manual;
    int m_activity = 0;   // commands running; the reader yields, so a tick can arrive within one
    int m_generation = 0; // changes when plotting is restarted or suspended
    bool m_reading = false;
    bool m_closing = false;
    std::function<void()> m_whenIdle;           // a choice waiting for the running plot
    std::set<std::string> m_reportedUnreadable; // listed files that could not be opened, told once each
};

} // namespace corvex
