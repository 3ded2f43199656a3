#pragma once
// Doubles for services that would block or wait: boxes recorded, a clock that calls back, progress collected.

#include "platform/Services.h"

#include <functional>
#include <string>
#include <vector>

namespace corvex::testing {

struct RecordedMessage {
    std::string text, title;
    MessageIcon icon;
};

class MessageRecorder : public MessageService {
  public:
    void show(const std::string& text, const std::string& title, MessageIcon icon) override {
        messages.push_back({text, title, icon});
        if (onShow) onShow(); // what runs while a modal box waits for the user
    }
    void beep() override { ++beeps; }
    std::vector<RecordedMessage> messages;
    int beeps = 0;
    std::function<void()> onShow;
};

class StepClock : public Clock {
  public:
    bool sleepMs(int ms) override {
        slept += ms;
        ++sleeps;
        if (onSleep) onSleep();
        return !cancelled;
    }
    void cancelWaits() override { cancelled = true; }
    bool cancelled = false;
    std::function<void()> onSleep;
    long long slept = 0; // milliseconds
    int sleeps = 0;      // calls
};

class ProgressRecorder : public ProgressView {
  public:
    void setLabel(const std::string& text) override { label = text; }
    void setValue(int percent) override { values.push_back(percent); }
    void showAndFocus() override { visible = true; }
    void hide() override { visible = false; }
    void yield() override { ++yields; }
    std::string label;
    std::vector<int> values;
    bool visible = false;
    int yields = 0;
};

} // namespace corvex::testing
