#pragma once
// Small platform services: message boxes, the settling clock and the progress window.

#include <string>

namespace corvex {

enum class MessageIcon { None, Exclamation };

inline constexpr const char* kProgramTitle = "Corvex"; // title of a message box given none

// Modal message boxes with an OK button. A line break inside a text is "\n\r".
class MessageService {
  public:
    virtual ~MessageService() = default;
    virtual void show(const std::string& text, const std::string& title, MessageIcon icon) = 0;
    virtual void beep() = 0;
};

// Waiting for a file to settle. Tests supply a clock that returns at once.
class Clock {
  public:
    virtual ~Clock() = default;
    // Waits ms milliseconds; false when the wait was cut short because the program is closing.
    virtual bool sleepMs(int ms) = 0;
    // Cuts short the running wait and every later one.
    virtual void cancelWaits() {}
};

// For input that is complete (the batch tool, benchmarks): nothing to wait for.
class NoWaitClock : public Clock {
  public:
    bool sleepMs(int) override { return true; }
};

// The progress window "% Complete": an activity text and a bar from 0 to 100.
class ProgressView {
  public:
    virtual ~ProgressView() = default;
    virtual void setLabel(const std::string& text) = 0;
    virtual void setValue(int percent) = 0;
    virtual void showAndFocus() = 0;
    virtual void hide() = 0;
    virtual void yield() = 0; // let pending events run once
};

// For the batch tool and tests that do not watch progress.
class NullProgress : public ProgressView {
  public:
    void setLabel(const std::string&) override {}
    void setValue(int) override {}
    void showAndFocus() override {}
    void hide() override {}
    void yield() override {}
};

} // namespace corvex
