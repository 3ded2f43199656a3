#include "datafile/PlotSequencer.h"

#include <filesystem>

namespace corvex {

namespace {

// Counts a running command for as long as it is in scope.
class Activity {
  public:
    explicit Activity(int& count) : count_(++count) {}
    ~Activity() { --count_; }
    Activity(const Activity&) = delete;
    Activity& operator=(const Activity&) = delete;

  private:
    int& count_;
};

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

void PlotSequencer::startManual() {
    ++generation_;
    mode_ = PlotMode::Manual;
}

void PlotSequencer::startAutomatic(bool clickToPlot, int intervalMs) {
    ++generation_;
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
    Activity running(activity_);
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
    if (plotting()) return;
    Activity running(activity_);
    const auto path = openDialog_ ? openDialog_(kOpenFilter) : std::nullopt;
    if (path) loadAndShow(*path, *path, {}); // the file itself is never moved or deleted
}

void PlotSequencer::NextPlt_Click() {
    if (plotting()) return;
    Activity running(activity_);
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
    if (plotting()) return; // a tick while a plot yields must not start a second one
    Activity running(activity_);
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
    Activity running(activity_); // no tick may replace the working copy while the dialog is open
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
    ReaderHost reader{host_.messages(), host_.progress(),
                      [this](const std::string& c) { host_.setCaption(c); },
                      [this](const std::string& t) { host_.setOutFileLabel(t); }};
    ReadPlotData(state_, file_, displayName, reader);
    if (state_.DataLoaded) FindLimits(state_, state_.XVal, state_.YVal, state_.NumPts);
    CloseDataFile(state_, file_);
    if (steps.fromDone) return true;
    host_.setMenuEnabled(MenuItem::Zoomout, false);
    host_.redrawFromScratch();
    host_.showMainWindow();
    return true;
}

std::optional<ArchiveResult> PlotSequencer::plotListed(LoadSteps steps) {
    const std::string name = fileLst_.list(state_.FileListIdx);
    if (name.empty() || !loadAndShow(name, joinPath(files_.currentDirectory(), name), steps))
        return std::nullopt;
    return ArchivePlotFile(state_, name, files_, host_);
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
