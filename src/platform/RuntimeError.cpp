#include "platform/RuntimeError.h"

#include "platform/NumberText.h"

#include <new>

namespace corvex {

std::string runtimeErrorText(int errorNumber) {
    return "Error #" + numberToText(errorNumber) + " !";
}

int runtimeErrorNumber(const std::exception& failure) {
    return dynamic_cast<const std::bad_alloc*>(&failure) ? 7 : 5;
}

} // namespace corvex
