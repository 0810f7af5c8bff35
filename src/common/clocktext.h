// Dates and times as reports print them in their titles, from the platform's clock read in
// the machine's local time.
#pragma once
#include <chrono>
#include <string>

namespace brasket {

// "mm-dd-yyyy"
std::string datetext(std::chrono::system_clock::time_point t);
// "hh:mm:ss", 24-hour clock
std::string timetext(std::chrono::system_clock::time_point t);

}  // namespace brasket
