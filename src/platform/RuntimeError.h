#pragma once
// Run-time errors that have no message of their own are told by number.

#include <exception>
#include <string>

namespace corvex {

// "Error #<n> !", the number written as the program writes whole numbers (7 -> "Error # 7 !").
std::string runtimeErrorText(int errorNumber);

// The number of a failure: 7 (out of memory) for std::bad_alloc, 5 (invalid call) for anything else.
int runtimeErrorNumber(const std::exception& failure);

} // namespace corvex
