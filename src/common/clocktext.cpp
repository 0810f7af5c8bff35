#include "common/clocktext.h"

#include <cstdio>
#include <ctime>

namespace brasket {
namespace {

std::tm localparts(std::chrono::system_clock::time_point t) {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(t);
    std::tm parts{};
    localtime_r(&seconds, &parts);
    return parts;
}

}  // namespace

std::string datetext(std::chrono::system_clock::time_point t) {
    const std::tm p = localparts(t);
    char buf[48];
    std::snprintf(buf, sizeof buf, "%02d-%02d-%04d", p.tm_mon + 1, p.tm_mday, p.tm_year + 1900);
    return buf;
}

std::string timetext(std::chrono::system_clock::time_point t) {
    const std::tm p = localparts(t);
    char buf[48];
    std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", p.tm_hour, p.tm_min, p.tm_sec);
    return buf;
}

}  // namespace brasket
