#pragma once
// What the file selection window needs of the main window: the plot sequence's host plus giving the
// main window back to the user when the window closes.

#include "datafile/SequencerHost.h"

namespace corvex {

class FileSelectionHost : public SequencerHost {
  public:
    virtual void enableMainWindowAndFocus() = 0;
};

} // namespace corvex
