#include "datafile/PlotSequencer.h"

#include "datafile/PlotFileSeq.h"

#include <algorithm>
#include <filesystem>

namespace corvex {

// Counts a running command for as long as it is in scope.
class Activity {
  public:
    explicit Activity(PlotSequencer& sequencer) : m_sequencer(sequencer) { ++m_sequencer.m_activity; }
    ~Activity() { m_sequencer.finishActivity(); }
    Activity(const Activity&) = delete;
    Activity& operator=(const Activity&) = delete;

  private:
    PlotSequencer& m_sequencer;
};

namespace {

constexpr const char* kHoldCaption = "&Hold";
constexpr const char* kContinueCaption = "&Continue";

bool sameFile(const std::string& a, const std::string& b) {
    std::error_code ec;
    return std::filesystem::equivalent(a, b, ec);
}

} // namespace

PlotSequencer::PlotSequencer(PlotData& data, PlotRange& range, FileList& fileLst, FileService& files,
                             SequencerHost& host, OpenDialog openDialog, SaveDialog saveDialog)
    : m_data(data), m_range(range), m_fileLst(fileLst), m_files(files), m_host(host),
      m_openDialog(std::move(openDialog)), m_saveDialog(std::move(saveDialog)) {}

void PlotSequencer::startUp(const std::string& startDirectory) {
    m_TmpFileName = joinPath(startDirectory, kWorkingCopyName);
    removeWorkingCopy();
}

void PlotSequencer::removeWorkingCopy() {
    // None to delete, or one that cannot be deleted, is left as it is: there is nothing to tell.
    std::string why;
    if (!m_TmpFileName.empty()) m_files.remove(m_TmpFileName, why);
}

void PlotSequencer::SetupPlt_Click() {
    m_host.stopTimer();
    suspend();
    offerMenu(m_host, MenuItem::NextPlt, false);
    offerMenu(m_host, MenuItem::HoldPlot, false);
    m_host.setHoldCaption(kHoldCaption);
    m_host.showSetup();
}

void PlotSequencer::ManSel_Click() {
    m_host.setMenuEnabled(MenuItem::Mnu2File, true);
    offerMenu(m_host, MenuItem::NextPlt, false);
    offerMenu(m_host, MenuItem::SavePlotNow, false);
    m_host.setOutFileLabel(" ");
    removeWorkingCopy();
}

void PlotSequencer::AutoSel_Click() {
    m_host.setMenuEnabled(MenuItem::Mnu2File, false);
}

void PlotSequencer::TimedPlt_Click() {
    offerMenu(m_host, MenuItem::NextPlt, false);
}

bool PlotSequencer::Done(const SetupChoice& choice) {
    if (choice.autoSelect && stemHoldsWildcard(choice.pattern)) {
        m_host.messages().show(
            "The pattern " + choice.pattern +
                " holds * or ? before its \".\".\n\rPlotted files are filed away under "
                "names made from that part: give the pattern one file name, such as plot.dat.",
            kProgramTitle, MessageIcon::Exclamation);
        return false;
    }
    if (!plotting()) return applySetup(choice);
    // A plot is being read: it is filed away where it came from, then the new choice applies.
    m_host.hideSetup();
    m_whenIdle = [this, choice] {
        if (!applySetup(choice)) m_host.showSetup();
    };
    return true;
}

bool PlotSequencer::applySetup(const SetupChoice& choice) {
    std::string why;
    if (!m_files.setCurrentDirectory(choice.directory, why)) {
        m_host.messages().show(why, kProgramTitle, MessageIcon::Exclamation);
        return false;
    }
    m_host.hideSetup();
    if (!choice.autoSelect) {
        startManual();
        return true;
    }
    FindPlotFileSeq(m_numbering, m_fileLst, choice.pattern);
    startAutomatic(choice.clickToPlot, choice.delayMs);
    return true;
}

void PlotSequencer::suspend() {
    ++m_generation;
    m_whenIdle = nullptr;
}

void PlotSequencer::shutDown() {
    m_closing = true;
    suspend();
    removeWorkingCopy();
}

void PlotSequencer::finishActivity() {
    if (--m_activity > 0 || !m_whenIdle) return;
    const auto apply = std::move(m_whenIdle);
    m_whenIdle = nullptr;
    apply();
}

void PlotSequencer::startManual() {
    ++m_generation;
    m_mode = PlotMode::Manual;
}

void PlotSequencer::startAutomatic(bool clickToPlot, int intervalMs) {
    ++m_generation;
    m_reportedUnreadable.clear(); // a new choice: tell again about files that cannot be read
    m_mode = clickToPlot ? PlotMode::ClickToPlot : PlotMode::Timed;
    offerMenu(m_host, MenuItem::HoldPlot, false);
    m_host.setTimerInterval(intervalMs);
    if (!clickToPlot) {
        m_host.startTimer(); // the first file is plotted at the first tick
        m_host.setMenuVisible(MenuItem::HoldPlot, true);
        return;
    }
    if (m_fileLst.listCount() == 0) {
        m_host.messages().show("There Are Currently No Files\n\rMatching The File Pattern!", kProgramTitle,
                               MessageIcon::None);
        offerMenu(m_host, MenuItem::NextPlt, false);
        m_host.startTimer();
        return;
    }
    Activity running(*this);
    const int generation = m_generation;
    const auto result = plotListed({.fromDone = true});
    if (generation != m_generation) return;
    m_host.setMenuEnabled(MenuItem::Mnu2File, false);
    if (result == ArchiveResult::NumbersUsedUp)
        stopAutomatic();
    else
        offerNextOrWatch();
    if (result) m_host.redrawFromScratch(); // finally the new plot
}

void PlotSequencer::Mnu2File_Click() {
    if (plotting() || m_closing) return;
    Activity running(*this);
    const auto path = m_openDialog ? m_openDialog(kOpenFilter) : std::nullopt;
    if (path) loadAndShow(*path, *path, {}); // the file itself is never moved or deleted
}

void PlotSequencer::plotFile(const std::string& path) {
    if (plotting() || m_closing) return;
    Activity running(*this);
    loadAndShow(path, path, {});
}

void PlotSequencer::NextPlt_Click() {
    if (plotting() || m_closing) return;
    Activity running(*this);
    const int generation = m_generation;
    m_host.rememberFocus();
    // A file that vanished or cannot be opened is neither read nor filed away; the list is read again.
    const auto result = plotListed({});
    if (generation != m_generation) return;
    if (result == ArchiveResult::NumbersUsedUp)
        stopAutomatic();
    else
        offerNextOrWatch();
    m_host.restoreFocus();
}

void PlotSequencer::HoldPlot_Click() {
    if (m_host.timerRunning()) {
        m_host.stopTimer();
        m_host.setHoldCaption(kContinueCaption);
    } else {
        m_host.startTimer();
        m_host.setHoldCaption(kHoldCaption);
    }
}

void PlotSequencer::PlotTimer_Timer() {
    if (plotting() || m_closing) return; // a tick while a plot yields must not start a second one
    Activity running(*this);
    const int generation = m_generation;
    m_host.rememberFocus();
    m_fileLst.refresh();
    if (m_fileLst.listCount() == 0) return;
    if (m_mode == PlotMode::ClickToPlot) {
        offerMenu(m_host, MenuItem::NextPlt, true);
        m_host.stopTimer();
        return;
    }
    if (m_mode != PlotMode::Timed) return;
    m_host.setMenuEnabled(MenuItem::HoldPlot, false);
    const auto result = plotListed({});
    if (!result || generation != m_generation) return; // not opened: the next tick tries again
    switch (*result) {
    case ArchiveResult::FiledAway:
    case ArchiveResult::SetAside:
    case ArchiveResult::Vanished: // nothing left to hold for: the next file may come
        m_host.setMenuEnabled(MenuItem::HoldPlot, true);
        break;
    case ArchiveResult::LeftInPlace:
        // Hold, so that the same file is not plotted again at every tick; "&Continue" retries.
        m_host.stopTimer();
        m_host.setHoldCaption(kContinueCaption);
        offerMenu(m_host, MenuItem::HoldPlot, true);
        break;
    case ArchiveResult::NumbersUsedUp:
        stopAutomatic();
        break;
    }
    m_host.restoreFocus();
}

void PlotSequencer::SavePlotNow_Click() {
    Activity running(*this); // no tick may replace the working copy while the dialog is open
    const auto path = m_saveDialog ? m_saveDialog(kSaveFilter, kSaveExtension) : std::nullopt;
    if (!path) return;
    if (sameFile(*path, m_TmpFileName)) {
        m_host.messages().show("The data were not saved: choose a name other than the working copy's.",
                               kProgramTitle, MessageIcon::Exclamation);
        return;
    }
    std::string why;
    if (!m_files.copy(m_TmpFileName, *path, why)) {
        m_host.messages().show("The data were not saved.\n\r" + why, kProgramTitle, MessageIcon::Exclamation);
        return; // the working copy and "SaveData" stay for another try
    }
    if (!m_files.remove(m_TmpFileName, why)) return;
    offerMenu(m_host, MenuItem::SavePlotNow, false);
    m_host.setOutFileLabel(" ");
}

LoadOutcome PlotSequencer::loadAndShow(const std::string& path, const std::string& displayName,
                                       LoadSteps steps) {
    ReaderHost reader{m_host.messages(),
                      m_host.progress(),
                      [this](const std::string& c) { m_host.setCaption(c); },
                      [this](const std::string& t) { m_host.setOutFileLabel(t); },
                      [this] { return m_closing; },
                      [this](bool reading) { m_reading = reading; }};
    const LoadOutcome load =
        LoadPlotFile(path, displayName, m_files, m_host.clock(), reader, m_data, m_range);
    if (m_closing) return {}; // after a close the file stays untouched
    if (!load.opened || steps.fromDone) return load;
    m_host.setMenuEnabled(MenuItem::Zoomout, false);
    m_host.redrawFromScratch();
    m_host.showMainWindow();
    return load;
}

std::optional<ArchiveResult> PlotSequencer::plotListed(LoadSteps steps) {
    std::vector<std::string> listed;
    for (int i = 0; i < m_fileLst.listCount(); ++i)
        listed.push_back(m_fileLst.list(i));
    for (const std::string& name : listed) {
        const LoadOutcome load = loadAndShow(name, joinPath(m_files.currentDirectory(), name), steps);
        if (load.opened) {
            m_reportedUnreadable.erase(name);
            const ArchiveResult result =
                ArchivePlotFile(m_data.HeaderLine, name, {m_numbering, m_TmpFileName}, m_files, m_host);
            m_host.plotFiled(name, result);
            return result;
        }
        // A file that vanished, or a close meanwhile, ends this turn; one that cannot be read is
        // left in place and the next listed file is tried.
        if (load.failure.empty()) return std::nullopt;
        reportUnreadable(name, load.failure, listed);
    }
    return std::nullopt;
}

void PlotSequencer::reportUnreadable(const std::string& name, const std::string& why,
                                     const std::vector<std::string>& listed) {
    std::erase_if(m_reportedUnreadable, [&](const std::string& reported) {
        return std::find(listed.begin(), listed.end(), reported) == listed.end(); // gone: tell again
    });
    if (!m_reportedUnreadable.insert(name).second) return;
    m_host.messages().show("The file " + name + " cannot be read; it stays in place.\n\r" + why,
                           kProgramTitle, MessageIcon::Exclamation);
}

void PlotSequencer::offerNextOrWatch() {
    m_fileLst.refresh();
    const bool filesWaiting = m_fileLst.listCount() > 0;
    offerMenu(m_host, MenuItem::NextPlt, filesWaiting);
    if (!filesWaiting) m_host.startTimer(); // watch for the next file
}

void PlotSequencer::stopAutomatic() {
    m_host.stopTimer();
    offerMenu(m_host, MenuItem::NextPlt, false);
    offerMenu(m_host, MenuItem::HoldPlot, false);
    m_host.setHoldCaption(kHoldCaption);
}

} // namespace corvex
