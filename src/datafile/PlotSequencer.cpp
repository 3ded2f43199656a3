#include "datafile/PlotSequencer.h"

#include <algorithm>
#include <filesystem>

namespace corvex {

// Counts a running command for as long as it is in scope.
class Activity {
  public:
    explicit Activity(PlotSequencer& sequencer) : sequencer_(sequencer) { ++sequencer_.activity_; }
    ~Activity() { sequencer_.finishActivity(); }
    Activity(const Activity&) = delete;
    Activity& operator=(const Activity&) = delete;

  private:
    PlotSequencer& sequencer_;
};

namespace {

constexpr const char* kHoldCaption = "&Hold";
constexpr const char* kContinueCaption = "&Continue";

bool sameFile(const std::string& a, const std::string& b) {
    std::error_code ec;
    return std::filesystem::equivalent(a, b, ec);
}

} // namespace

PlotSequencer::PlotSequencer(PlotState& state, FileList& fileLst, FileService& files, SequencerHost& host,
                             OpenDialog openDialog, SaveDialog saveDialog)
    : state_(state), fileLst_(fileLst), files_(files), host_(host), openDialog_(std::move(openDialog)),
      saveDialog_(std::move(saveDialog)) {}

void PlotSequencer::suspend() {
    ++generation_;
    whenIdle_ = nullptr;
}

void PlotSequencer::whenIdle(std::function<void()> apply) {
    if (closing_) return;
    if (!plotting()) {
        apply();
        return;
    }
    whenIdle_ = std::move(apply);
}

void PlotSequencer::shutDown() {
    closing_ = true;
    suspend();
}

void PlotSequencer::finishActivity() {
    if (--activity_ > 0 || !whenIdle_) return;
    const auto apply = std::move(whenIdle_);
    whenIdle_ = nullptr;
    apply();
}

void PlotSequencer::startManual() {
    ++generation_;
    mode_ = PlotMode::Manual;
}

void PlotSequencer::startAutomatic(bool clickToPlot, int intervalMs) {
    ++generation_;
    reportedUnreadable_.clear(); // a new choice: tell again about files that cannot be read
    mode_ = clickToPlot ? PlotMode::ClickToPlot : PlotMode::Timed;
    offerMenu(host_, MenuItem::HoldPlot, false);
    state_.FileListIdx = 0;
    host_.setTimerInterval(intervalMs);
    if (!clickToPlot) {
        host_.startTimer(); // the first file is plotted at the first tick
        host_.setMenuVisible(MenuItem::HoldPlot, true);
        return;
    }
    if (fileLst_.listCount() == 0) {
        host_.messages().show("There Are Currently No Files\n\rMatching The File Pattern!", kProgramTitle,
                              MessageIcon::None);
        offerMenu(host_, MenuItem::NextPlt, false);
        host_.startTimer();
        return;
    }
    Activity running(*this);
    const int generation = generation_;
    const auto result = plotListed({.fromDone = true});
    if (generation != generation_) return;
    host_.setMenuEnabled(MenuItem::Mnu2File, false);
    if (result == ArchiveResult::NumbersUsedUp)
        stopAutomatic();
    else
        offerNextOrWatch();
    if (result) host_.redrawFromScratch(); // finally the new plot
}

void PlotSequencer::Mnu2File_Click() {
    if (plotting() || closing_) return;
    Activity running(*this);
    const auto path = openDialog_ ? openDialog_(kOpenFilter) : std::nullopt;
    if (path) loadAndShow(*path, *path, {}); // the file itself is never moved or deleted
}

void PlotSequencer::plotFile(const std::string& path) {
    if (plotting() || closing_) return;
    Activity running(*this);
    loadAndShow(path, path, {});
}

void PlotSequencer::NextPlt_Click() {
    if (plotting() || closing_) return;
    Activity running(*this);
    const int generation = generation_;
    host_.rememberFocus();
    // A file that vanished or cannot be opened is neither read nor filed away; the list is read again.
    const auto result = plotListed({});
    if (generation != generation_) return;
    if (result == ArchiveResult::NumbersUsedUp)
        stopAutomatic();
    else
        offerNextOrWatch();
    host_.restoreFocus();
}

void PlotSequencer::PlotTimer_Timer() {
    if (plotting() || closing_) return; // a tick while a plot yields must not start a second one
    Activity running(*this);
    const int generation = generation_;
    host_.rememberFocus();
    fileLst_.refresh();
    if (fileLst_.listCount() == 0) return;
    if (mode_ == PlotMode::ClickToPlot) {
        offerMenu(host_, MenuItem::NextPlt, true);
        host_.stopTimer();
        return;
    }
    if (mode_ != PlotMode::Timed) return;
    host_.setMenuEnabled(MenuItem::HoldPlot, false);
    const auto result = plotListed({});
    if (!result || generation != generation_) return; // not opened: the next tick tries again
    switch (*result) {
    case ArchiveResult::FiledAway:
    case ArchiveResult::SetAside:
    case ArchiveResult::Vanished: // nothing left to hold for: the next file may come
        host_.setMenuEnabled(MenuItem::HoldPlot, true);
        break;
    case ArchiveResult::LeftInPlace:
        // Hold, so that the same file is not plotted again at every tick; "&Continue" retries.
        host_.stopTimer();
        host_.setHoldCaption(kContinueCaption);
        offerMenu(host_, MenuItem::HoldPlot, true);
        break;
    case ArchiveResult::NumbersUsedUp:
        stopAutomatic();
        break;
    }
    host_.restoreFocus();
}

void PlotSequencer::SavePlotNow_Click() {
    Activity running(*this); // no tick may replace the working copy while the dialog is open
    const auto path = saveDialog_ ? saveDialog_(kSaveFilter, kSaveExtension) : std::nullopt;
    if (!path) return;
    if (sameFile(*path, state_.TmpFileName)) {
        host_.messages().show("The data were not saved: choose a name other than the working copy's.",
                              kProgramTitle, MessageIcon::Exclamation);
        return;
    }
    std::string why;
    if (!files_.copy(state_.TmpFileName, *path, why)) {
        host_.messages().show("The data were not saved.\n\r" + why, kProgramTitle, MessageIcon::Exclamation);
        return; // the working copy and "SaveData" stay for another try
    }
    if (!files_.remove(state_.TmpFileName, why)) return;
    offerMenu(host_, MenuItem::SavePlotNow, false);
    host_.setOutFileLabel(" ");
}

bool PlotSequencer::loadAndShow(const std::string& path, const std::string& displayName, LoadSteps steps) {
    OpenDataFile(state_, file_, path, files_, host_.clock());
    if (!state_.DataFileOpen) return false;
    ReaderHost reader{
        host_.messages(), host_.progress(), [this](const std::string& c) { host_.setCaption(c); },
        [this](const std::string& t) { host_.setOutFileLabel(t); }, [this] { return closing_; }};
    reading_ = true;
    ReadPlotData(state_, file_, displayName, reader);
    if (state_.DataLoaded) FindLimits(state_, state_.XVal, state_.YVal, state_.NumPts);
    reading_ = false;
    CloseDataFile(state_, file_);
    if (closing_) return false; // the file stays where it is, untouched
    if (steps.fromDone) return true;
    host_.setMenuEnabled(MenuItem::Zoomout, false);
    host_.redrawFromScratch();
    host_.showMainWindow();
    return true;
}

std::optional<ArchiveResult> PlotSequencer::plotListed(LoadSteps steps) {
    std::vector<std::string> listed;
    for (int i = state_.FileListIdx; i < fileLst_.listCount(); ++i)
        listed.push_back(fileLst_.list(i));
    for (const std::string& name : listed) {
        if (loadAndShow(name, joinPath(files_.currentDirectory(), name), steps)) {
            reportedUnreadable_.erase(name);
            return ArchivePlotFile(state_, name, files_, host_);
        }
        // A file that vanished, or a close meanwhile, ends this turn; one that cannot be read is
        // left in place and the next listed file is tried.
        if (closing_ || file_.failure.empty()) return std::nullopt;
        reportUnreadable(name, listed);
    }
    return std::nullopt;
}

void PlotSequencer::reportUnreadable(const std::string& name, const std::vector<std::string>& listed) {
    std::erase_if(reportedUnreadable_, [&](const std::string& reported) {
        return std::find(listed.begin(), listed.end(), reported) == listed.end(); // gone: tell again
    });
    if (!reportedUnreadable_.insert(name).second) return;
    host_.messages().show("The file " + name + " cannot be read; it stays in place.\n\r" + file_.failure,
                          kProgramTitle, MessageIcon::Exclamation);
}

void PlotSequencer::offerNextOrWatch() {
    fileLst_.refresh();
    const bool filesWaiting = fileLst_.listCount() > 0;
    offerMenu(host_, MenuItem::NextPlt, filesWaiting);
    if (!filesWaiting) host_.startTimer(); // watch for the next file
}

void PlotSequencer::stopAutomatic() {
    host_.stopTimer();
    offerMenu(host_, MenuItem::NextPlt, false);
    offerMenu(host_, MenuItem::HoldPlot, false);
    host_.setHoldCaption(kHoldCaption);
}

} // namespace corvex
