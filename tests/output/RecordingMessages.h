#pragma once
// A message service that records instead of showing, so no modal box can block a test.

#include "platform/Services.h"

#include <string>
#include <vector>

namespace corvex::testing {

struct RecordingMessages : MessageService {
    struct Message {
        std::string text;
        std::string title;
        MessageIcon icon;
    };
    std::vector<Message> shown;
    int beeps = 0;
    void show(const std::string& text, const std::string& title, MessageIcon icon) override {
        shown.push_back({text, title, icon});
    }
    void beep() override { ++beeps; }
};

} // namespace corvex::testing
