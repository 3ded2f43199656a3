#pragma once
// Test doubles for the plot sequence and the file selection window: a host that records what the
// main window was asked to do, a settling clock that never sleeps, recorded message boxes, a file
// service that fails on request, and a temporary current directory.

#include "filesel/FileSelectionHost.h"
#include "platform/FileService.h"
#include "support/Recorders.h"

#include <QDir>
#include <QTemporaryDir>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace corvex::test {

// Progress view whose yield runs `onYield` (what the event loop would run meanwhile).
class YieldingProgress : public NullProgress {
  public:
    void yield() override {
        if (onYield) onYield();
    }
    std::function<void()> onYield;
};

class FakeHost : public FileSelectionHost {
  public:
    void setMenuVisible(MenuItem item, bool v) override { visible[item] = v; }
    void setMenuEnabled(MenuItem item, bool e) override { enabled[item] = e; }
    void setHoldCaption(const std::string& c) override { holdCaption = c; }
    void setTimerInterval(int ms) override { intervalMs = ms; }
    void startTimer() override { timerOn = true; }
    void stopTimer() override { timerOn = false; }
    bool timerRunning() const override { return timerOn; }
    void redrawFromScratch() override { ++redraws; }
    void showMainWindow() override { ++mainShown; }
    void rememberFocus() override { ++focusRemembered; }
    void restoreFocus() override { ++focusRestored; }
    void setCaption(const std::string& c) override { caption = c; }
    void setOutFileLabel(const std::string& t) override { outFileLabel = t; }
    MessageService& messages() override { return messageBoxes; }
    ProgressView& progress() override { return progressView; }
    Clock& clock() override { return settleClock; }
    void enableMainWindowAndFocus() override { ++mainEnabled; }

    bool offered(MenuItem item) { return visible[item] && enabled[item]; }

    std::map<MenuItem, bool> visible, enabled;
    std::string holdCaption = "&Hold", caption, outFileLabel;
    int intervalMs = 4000, redraws = 0, mainShown = 0, focusRemembered = 0, focusRestored = 0,
        mainEnabled = 0;
    bool timerOn = false;
    testing::MessageRecorder messageBoxes;
    YieldingProgress progressView;
    testing::StepClock settleClock;
};

// The real file system, with failures switched on by the test.
class FaultyFileService : public SystemFileService {
  public:
    bool copy(const std::string& from, const std::string& to, std::string& why) override {
        if (failCopy) {
            why = "Cannot write \"" + to + "\": No space left on device";
            return false;
        }
        if (!SystemFileService::copy(from, to, why)) return false;
        if (truncateCopy) ::truncate(to.c_str(), 10); // a copy that claims success but is short
        return true;
    }
    bool rename(const std::string& from, const std::string& to, std::string& why) override {
        if (failRename) {
            why = "Cannot rename \"" + from + "\" to \"" + to + "\": Permission denied";
            return false;
        }
        return SystemFileService::rename(from, to, why);
    }
    bool remove(const std::string& path, std::string& why) override {
        if (path == failRemoveOf) {
            why = "Cannot delete \"" + path + "\": Device or resource busy";
            return false;
        }
        return SystemFileService::remove(path, why);
    }
    bool failCopy = false, truncateCopy = false, failRename = false;
    std::string failRemoveOf;
};

// A fresh temporary directory that is the current directory while the object lives.
class TempCurrentDir {
  public:
    TempCurrentDir() : previous_(QDir::currentPath()) { QDir::setCurrent(dir_.path()); }
    ~TempCurrentDir() { QDir::setCurrent(previous_); }
    std::string path() const { return QDir(dir_.path()).canonicalPath().toStdString(); }

  private:
    QTemporaryDir dir_;
    QString previous_;
};

inline void writeFile(const std::string& path, const std::string& bytes, bool append = false) {
    std::ofstream out(path, std::ios::binary | (append ? std::ios::app : std::ios::trunc));
    out << bytes;
}

inline std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

inline bool fileThere(const std::string& path) {
    return ::access(path.c_str(), F_OK) == 0;
}

// A plot data file: line 1 is a blank and the title, with "!" at the given 1-based columns (the line
// is padded with blanks to reach them); `points` records of set 1.
inline std::string plotFileText(const std::string& title, int points, std::vector<int> bangColumns = {}) {
    std::string line1 = " " + title;
    for (int column : bangColumns) {
        if (int(line1.size()) < column) line1.resize(size_t(column), ' ');
        line1[size_t(column - 1)] = '!';
    }
    std::string text = line1 + "\r\nsub\r\nX\r\nY\r\n" + std::to_string(points) + "\r\n";
    for (int i = 1; i <= points; ++i)
        text += std::to_string(i) + ", " + std::to_string(i * i) + ", 0, 1\r\n";
    return text;
}

} // namespace corvex::test
