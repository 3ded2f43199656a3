#include "platform/StreamMessages.h"

namespace corvex {

void StreamMessages::show(const std::string& text, const std::string& title, MessageIcon) {
    std::string oneLine;
    for (size_t k = 0; k < text.size(); ++k)
        if (!(text[k] == '\r' && k > 0 && text[k - 1] == '\n')) oneLine += text[k];
    m_stream << (title.empty() ? kProgramTitle : title) << ": " << oneLine << std::endl;
    m_shown.push_back({title, text});
}

} // namespace corvex
