#pragma once
// The date-and-time pattern of the headers the system writes.

#include <chrono>
#include <string>

namespace vantor {

// The local date and time as "YYYY-MM-DD HH:NN:SS".
std::string FormatLocalTimestamp(std::chrono::system_clock::time_point when);

}  // namespace vantor
