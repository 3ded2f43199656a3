#pragma once
// Makes the start that the command line asked for, through the main window's own controls.

#include "app/CommandLine.h"
#include "platform/StreamMessages.h"

namespace corvex {

class Plotit;

// Message boxes, except while the command line's start is being made: then lines on a stream (stderr),
// so that a refused start is told where it was asked for.
class StartMessages : public MessageService {
  public:
    StartMessages(MessageService& boxes, std::ostream& stream) : boxes_(boxes), lines_(stream) {}
    void show(const std::string& text, const std::string& title, MessageIcon icon) override;
    void beep() override { boxes_.beep(); }
    void setToStream(bool on) { toStream_ = on; }
    std::ostream& stream() { return lines_.stream(); }

  private:
    MessageService& boxes_;
    StreamMessages lines_;
    bool toStream_ = false;
};

// Applies `request` to the main window after its Form_Load, run from its event loop. FILE: Done in
// Manual File Select, then FILE plotted as "&File" would. --watch: Auto File Select, the directory,
// pattern, plotting mode and delay set in the Setup window and its "Done" pressed, with Done's checks
// and messages (on the stream). Returns 0 when started, 2 when the file cannot be opened or Done refused.
int applyStartRequest(Plotit& window, const StartRequest& request, StartMessages& messages);

} // namespace corvex
