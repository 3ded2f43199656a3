#pragma once
// Messages written as lines of text instead of shown in boxes: for programs without windows, and for
// the main program while it applies its command line.

#include "platform/Services.h"

#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace corvex {

class StreamMessages : public MessageService {
  public:
    explicit StreamMessages(std::ostream& stream) : stream_(stream) {}
    // Writes "Title: text" (the program's title when none is given) with "\n\r" line breaks as "\n",
    // and keeps the message.
    void show(const std::string& text, const std::string& title, MessageIcon icon) override;
    void beep() override {}
    std::ostream& stream() { return stream_; }
    const std::vector<std::pair<std::string, std::string>>& shown() const { return shown_; } // title, text

  private:
    std::ostream& stream_;
    std::vector<std::pair<std::string, std::string>> shown_;
};

} // namespace corvex
