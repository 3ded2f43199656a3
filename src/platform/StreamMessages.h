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
    explicit StreamMessages(std::ostream& stream) : m_stream(stream) {}
    // Writes "Title: text" (the program's title when none is given) with "\n\r" line breaks as "\n",
    // and keeps the message.
    void show(const std::string& text, const std::string& title, MessageIcon icon) override;
    void beep() override {}
    std::ostream& stream() { return m_stream; }
    const std::vector<std::pair<std::string, std::string>>& shown() const { return m_shown; } // title, text

  private:
    std::ostream& m_stream;
    std::vector<std::pair<std::string, std::string>> m_shown;
};

} // namespace corvex
