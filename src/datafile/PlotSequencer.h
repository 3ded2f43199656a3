#pragma once
// The sequence of plots: a file chosen by dialog, the next file of the watched directory on demand or
// at each timer tick, filing plotted files away, and saving a set-aside file.

#include "app/PlotState.h"
#include "datafile/PlotArchive.h"
#include "datafile/PlotReader.h"
#include "datafile/SequencerHost.h"
#include "filesel/FileList.h"
#include "platform/FileService.h"

#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace corvex {

enum class PlotMode { Manual, ClickToPlot, Timed };

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

    // `fileLst` is the file selection window's list; its names are relative to the current directory.
    PlotSequencer(PlotState& state, FileList& fileLst, FileService& files, SequencerHost& host,
                  OpenDialog openDialog, SaveDialog saveDialog);

    // "Done" in manual selection: plots come only from Mnu2File_Click.
    void startManual();
    // "Done" in automatic selection, after FindPlotFileSeq: timed plotting starts the timer; click to
    // plot plots the first listed file at once (or says that none matches) and then offers "&NextPlot"
    // or watches with the timer. `intervalMs` is the delay in milliseconds.
    void startAutomatic(bool clickToPlot, int intervalMs);
    // "&Setup": a plot still running finishes its file but changes no menu item or timer afterwards,
    // and a choice still waiting for it (whenIdle) is dropped.
    void suspend();
    // Runs `apply` now or, while a command runs (a plot's reader yields to the windows), as soon as it
    // has finished, so that "Done" never starts a read beside a running one nor changes the directory
    // of a file not yet filed away. A later choice replaces one still waiting.
    void whenIdle(std::function<void()> apply);
    // The program is closing: a running read stops at its next yield; no file is filed away and no
    // command or tick starts another plot.
    void shutDown();

    void Mnu2File_Click();
    // A file named when the program starts: plotted as if chosen with "&File" (never moved or deleted).
    void plotFile(const std::string& path);
    void NextPlt_Click();
    void PlotTimer_Timer();
    void SavePlotNow_Click();

    PlotMode mode() const { return mode_; }
    bool autoSelected() const { return mode_ != PlotMode::Manual; }
    bool plotting() const { return activity_ > 0; } // a command is running (maybe yielding)
    bool reading() const { return reading_; }       // the plot state is being replaced

  private:
    friend class Activity;
    // The first plot of "Done" leaves "&ZoomOut" alone and redraws only at the very end of "Done".
    struct LoadSteps {
        bool fromDone = false;
    };
    bool loadAndShow(const std::string& path, const std::string& displayName, LoadSteps steps);
    // The first listed file that opens is read and filed away; nullopt when none could be opened.
    std::optional<ArchiveResult> plotListed(LoadSteps steps);
    void reportUnreadable(const std::string& name, const std::vector<std::string>& listed);
    void finishActivity();
    void offerNextOrWatch();
    void stopAutomatic();

    PlotState& state_;
    FileList& fileLst_;
    FileService& files_;
    SequencerHost& host_;
    OpenDialog openDialog_;
    SaveDialog saveDialog_;
    DataFileChannel file_;
    PlotMode mode_ = PlotMode::Manual;
    int activity_ = 0;   // commands running; the reader yields, so a tick can arrive within one
    int generation_ = 0; // changes when plotting is restarted or suspended
    bool reading_ = false;
    bool closing_ = false;
    std::function<void()> whenIdle_;
    std::set<std::string> reportedUnreadable_; // listed files that could not be opened, told once each
};

} // namespace corvex
