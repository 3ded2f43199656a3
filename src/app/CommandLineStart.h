#pragma once
// Makes the start that the command line asked for, through the main window's own controls.

#include "app/CommandLine.h"
#include "platform/StreamMessages.h"

namespace corvex {

// Message boxes, except while the command line's start is being made: then lines on a stream (stderr),
// so that a refused start is told where it was asked for.
class StartMessages : public MessageService {
  public:
    StartMessages(MessageService& boxes, std::ostream& stream) : m_boxes(boxes), m_lines(stream) {}
    void show(const std::string& text, const std::string& title, MessageIcon icon) override;
    void beep() override { m_boxes.beep(); }
    void setToStream(bool on) { m_toStream = on; }
    std::ostream& stream() { return m_lines.stream(); }

  private:
    MessageService& m_boxes;
    StreamMessages m_lines;
    bool m_toStream = false;
};

} // namespace corvex
