#pragma once
// corvex-render --watch: Timed Plotting without a display. The same plot sequence as the main window's
// watches a folder, settles, reads and files each file away; this service is its host. Each plot is
// drawn into OUTDIR under the name the file was filed under, OUTDIR/latest.<format> is replaced
// atomically, and one JSON line per plotted file goes to stdout.

#include "PlotRendering.h"
#include "RenderOptions.h"
#include "datafile/FileList.h"
#include "datafile/PlotSequencer.h"
#include "datafile/SequencerHost.h"
#include "platform/EventLoopClock.h"
#include "platform/FileService.h"
#include "platform/StreamMessages.h"

#include <QObject>
#include <QTimer>
#include <iosfwd>
#include <string>
#include <vector>

class WatchService : public QObject, private corvex::SequencerHost {
  public:
    WatchService(const RenderOptions& options, std::ostream& out, std::ostream& err);

    // Starts watching as "Done" in Setup would; false (with the reason on stderr) when refused.
    bool start();
    // Ends the service at the next safe point: a file being read or settling stays where it is.
    void stop();

  private:
    // Lets the windowless event loop run at each step of a read, so that a stop is noticed.
    class YieldingProgress : public corvex::NullProgress {
      public:
        void yield() override;
    };

    void tick();
    std::string imageName(const std::string& source, corvex::ArchiveResult result) const;
    bool publish(const std::string& image);
    void report(const std::string& source, const std::string& image);

    // SequencerHost
    void setMenuVisible(corvex::MenuItem, bool) override {}
    void setMenuEnabled(corvex::MenuItem, bool) override {}
    void setHoldCaption(const std::string& caption) override;
    void setTimerInterval(int ms) override { m_timer.setInterval(ms); }
    void startTimer() override { m_timer.start(); }
    void stopTimer() override { m_timer.stop(); }
    bool timerRunning() const override { return m_timer.isActive(); }
    void redrawFromScratch() override;
    void showMainWindow() override {}
    void showSetup() override {}
    void hideSetup() override {}
    void rememberFocus() override {}
    void restoreFocus() override {}
    void setCaption(const std::string&) override {}
    void setOutFileLabel(const std::string& text) override { m_outFileLabel = text; }
    corvex::MessageService& messages() override { return m_messages; }
    corvex::ProgressView& progress() override { return m_progress; }
    corvex::Clock& clock() override { return m_clock; }
    void plotFiled(const std::string& name, corvex::ArchiveResult result) override;

    const RenderOptions& m_options;
    const corvex::DisplayOptions m_display;
    const QString m_outdir; // absolute: plotting makes the watched folder current
    std::ostream& m_out;
    corvex::StreamMessages m_messages; // to stderr, kept for the JSON lines
    size_t m_reported = 0;             // messages already in a JSON line
    YieldingProgress m_progress;
    corvex::EventLoopClock m_clock;
    corvex::SystemFileService m_files;
    LoadedPlot m_plot;
    corvex::DirectoryFileList m_fileLst;
    corvex::PlotSequencer m_sequencer;
    QTimer m_timer;
    std::string m_outFileLabel;
    std::string m_pending; // the drawing of the file being filed away, until it gets its name
    bool m_held = false;   // a file could not be filed away: plotting waits, then goes on
    bool m_stopping = false;
};

// Runs the watch service of `options` until SIGTERM or SIGINT: the first ends it at the next safe point,
// a second at once (a file is never half filed away either way). Exit status 0 when stopped, 1 when the
// numbered names are used up, 2 when the start was refused.
int runWatch(const RenderOptions& options);
