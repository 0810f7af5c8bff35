#include "common/textutil.h"

#include <algorithm>

namespace brasket {

std::string ltrim(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && s[i] == ' ') ++i;
    return std::string(s.substr(i));
}

std::string rtrim(std::string_view s) {
    std::size_t n = s.size();
    while (n > 0 && s[n - 1] == ' ') --n;
    return std::string(s.substr(0, n));
}

std::string trim(std::string_view s) { return ltrim(rtrim(s)); }

std::string ucase(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

std::string lcase(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

std::string mid(std::string_view s, long start, long length) {
    if (start < 1) start = 1;
    if (static_cast<std::size_t>(start) > s.size()) return {};
    std::size_t from = static_cast<std::size_t>(start - 1);
    std::size_t n = length < 0 ? s.size() - from : std::min<std::size_t>(static_cast<std::size_t>(length), s.size() - from);
    return std::string(s.substr(from, n));
}

std::string left(std::string_view s, long n) {
    if (n <= 0) return {};
    return std::string(s.substr(0, std::min<std::size_t>(static_cast<std::size_t>(n), s.size())));
}

std::string right(std::string_view s, long n) {
    if (n <= 0) return {};
    std::size_t k = std::min<std::size_t>(static_cast<std::size_t>(n), s.size());
    return std::string(s.substr(s.size() - k));
}

long instr(long start, std::string_view s, std::string_view what) {
    if (start < 1) start = 1;
    if (static_cast<std::size_t>(start - 1) > s.size()) return 0;
    auto p = s.find(what, static_cast<std::size_t>(start - 1));
    return p == std::string_view::npos ? 0 : static_cast<long>(p) + 1;
}

void putat(std::string& line, long col, std::string_view text) {
    if (col < 1) col = 1;
    std::size_t from = static_cast<std::size_t>(col - 1);
    if (line.size() < from + text.size()) line.resize(from + text.size(), ' ');
    std::copy(text.begin(), text.end(), line.begin() + static_cast<long>(from));
}

void placeat(std::string& line, long col, std::string_view text) {
    if (col < 1) col = 1;
    const std::size_t from = static_cast<std::size_t>(col - 1);
    if (from >= line.size()) return;
    const std::size_t n = std::min(text.size(), line.size() - from);
    std::copy_n(text.begin(), n, line.begin() + static_cast<long>(from));
}

std::string printedtext(std::string text) {
    std::replace(text.begin(), text.end(), '\0', ' ');
    return text;
}

}  // namespace brasket
