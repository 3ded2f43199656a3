#pragma once
// What the plot sequence changes in the windows around it. The main window implements this; tests
// record the calls.

#include "platform/Services.h"

#include <string>

namespace corvex {

// How a plotted file was filed away.
enum class ArchiveResult {
    FiledAway,     // renamed to a numbered name; OutFileLbl shows its full path
    SetAside,      // copied to TmpFileName and deleted; "SaveData" offered
    LeftInPlace,   // a copy, delete or rename failed; the file is untouched and a message said why
    Vanished,      // another program removed the file after it was read; a message said so
    NumbersUsedUp, // no sequence number is left after this file: automatic plotting must stop
};

// Menu items of the main window that plotting shows, hides, enables and disables.
enum class MenuItem { Mnu2File, NextPlt, HoldPlot, SavePlotNow, Zoomout };

class SequencerHost {
  public:
    virtual ~SequencerHost() = default;
    virtual void setMenuVisible(MenuItem item, bool visible) = 0;
    virtual void setMenuEnabled(MenuItem item, bool enabled) = 0;
    virtual void setHoldCaption(const std::string& caption) = 0; // "&Hold" or "&Continue"
    // PlotTimer: interval in milliseconds; start and stop keep the interval.
    virtual void setTimerInterval(int ms) = 0;
    virtual void startTimer() = 0;
    virtual void stopTimer() = 0;
    virtual bool timerRunning() const = 0;
    virtual void redrawFromScratch() = 0; // Form_Resize
    virtual void showMainWindow() = 0;
    // The Setup window: shown with the focus while the main window is disabled, or hidden with the
    // main window enabled and given the focus.
    virtual void showSetup() = 0;
    virtual void hideSetup() = 0;
    // Focus is remembered before a plot (the progress window takes it) and given back afterwards.
    virtual void rememberFocus() = 0;
    virtual void restoreFocus() = 0;
    virtual void setCaption(const std::string& caption) = 0;
    virtual void setOutFileLabel(const std::string& text) = 0; // OutFileLbl
    virtual MessageService& messages() = 0;
    virtual ProgressView& progress() = 0;
    virtual Clock& clock() = 0; // the settling wait of OpenDataFile
    // A listed file was plotted and then filed away as `result` says (OutFileLbl tells where).
    virtual void plotFiled(const std::string& /*name*/, ArchiveResult /*result*/) {}
};

// Shows or hides a menu item and enables or disables it with the same flag.
inline void offerMenu(SequencerHost& host, MenuItem item, bool offered) {
    host.setMenuVisible(item, offered);
    host.setMenuEnabled(item, offered);
}

} // namespace corvex
