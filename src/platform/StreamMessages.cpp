#include "platform/StreamMessages.h"

namespace corvex {

void StreamMessages::show(const std::string& text, const std::string& title, MessageIcon) {
    std::string oneLine;
    char previous = 0;
    for (const char c : text) {
        if (!(c == '\r' && previous == '\n')) oneLine += c;
        previous = c;
    }
    m_stream << (title.empty() ? kProgramTitle : title) << ": " << oneLine << std::endl;
    m_shown.push_back({title, text});
}

} // namespace corvex
