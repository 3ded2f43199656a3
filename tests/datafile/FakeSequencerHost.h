#pragma once
// Test doubles for the plot sequence and the file selection window: a host that records what the
// main window was asked to do, a file service that fails on request, and a temporary current directory.

#include "datafile/SequencerHost.h"
#include "platform/FileService.h"
#include "support/Recorders.h"

#include <QDir>
#include <QTemporaryDir>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <set>

namespace corvex::test {

// Also its own progress window, whose yield runs `onYield` (what the event loop would run meanwhile).
class FakeHost : public SequencerHost, public NullProgress {
  public:
    void setMenuVisible(MenuItem item, bool v) override { visible[item] = v; }
    void setMenuEnabled(MenuItem item, bool e) override { enabled[item] = e; }
    void setHoldCaption(const std::string& c) override { holdCaption = c; }
    void setTimerInterval(int ms) override { intervalMs = ms; }
    void startTimer() override { timerOn = true; }
    void stopTimer() override { timerOn = false; }
    bool timerRunning() const override { return timerOn; }
    void redrawFromScratch() override { ++redraws; }
    void showMainWindow() override {}
    void showSetup() override { setupShown = true; }
    void hideSetup() override { setupShown = false, ++setupHidden; }
    void rememberFocus() override {}
    void restoreFocus() override {}
    void setCaption(const std::string&) override {}
    void setOutFileLabel(const std::string& t) override { outFileLabel = t; }
    MessageService& messages() override { return messageBoxes; }
    ProgressView& progress() override { return *this; }
    void yield() override { onYield(); }
    Clock& clock() override { return settleClock; }

    bool offered(MenuItem item) { return visible[item] && enabled[item]; }

    std::map<MenuItem, bool> visible, enabled;
    std::string holdCaption = "&Hold", outFileLabel;
    int intervalMs = 4000, redraws = 0, setupHidden = 0;
    bool timerOn = false, setupShown = false; // Setup shown, the main window disabled
    testing::MessageRecorder messageBoxes;
    std::function<void()> onYield = [] {};
    testing::StepClock settleClock;
};

// The real file system, refusing changes in `readOnlyDirs` (EROFS) and new data in `fullDirs` (ENOSPC)
// with the text the system file service gives; `beforeRename` runs just before each rename.
class FaultyFileService : public SystemFileService {
  public:
    bool copy(const std::string& from, const std::string& to, std::string& why) override {
        return allowed(to, true, "Cannot create", why) && SystemFileService::copy(from, to, why);
    }
    bool rename(const std::string& from, const std::string& to, std::string& why) override {
        if (beforeRename) beforeRename(to);
        return allowed(to, false, "Cannot rename \"" + from + "\" to", why) &&
               SystemFileService::rename(from, to, why);
    }
    bool remove(const std::string& path, std::string& why) override {
        return allowed(path, false, "Cannot delete", why) && SystemFileService::remove(path, why);
    }
    std::set<std::string> readOnlyDirs, fullDirs; // absolute directories
    std::function<void(const std::string&)> beforeRename;

  private:
    bool allowed(const std::string& path, bool writesData, const std::string& action, std::string& why) {
        const std::string absolute = path.front() == '/' ? path : joinPath(currentDirectory(), path);
        const std::string dir = absolute.substr(0, absolute.rfind('/'));
        const int err = readOnlyDirs.count(dir) ? EROFS : writesData && fullDirs.count(dir) ? ENOSPC : 0;
        if (err) why = (err == ENOSPC ? "Cannot write" : action) + " \"" + path + "\": " + std::strerror(err);
        return err == 0;
    }
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
    std::ofstream(path, std::ios::binary | (append ? std::ios::app : std::ios::trunc)) << bytes;
}

inline std::string readFile(const std::string& path) {
    return {std::istreambuf_iterator<char>(std::ifstream(path, std::ios::binary).rdbuf()), {}};
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
        text += std::to_string(i) + ", " + std::to_string(int64_t(i) * i) + ", 0, 1\r\n";
    return text;
}

} // namespace corvex::test
