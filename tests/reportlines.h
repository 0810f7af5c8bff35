// The stored lines of a report and look-ups over them, for the tests of the reports.
#pragma once
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "report/reportbuffer.h"

namespace brasket::testing {

// Lines 1 to the line count, as stored.
inline std::vector<std::string> reportlines(const ReportBuffer& rb) {
    std::vector<std::string> out;
    for (long i = 1; i <= rb.reportlinecount; ++i) out.push_back(rb.line(i));
    return out;
}

inline bool hasline(const ReportBuffer& rb, const std::string& line) {
    for (const std::string& l : reportlines(rb))
        if (l == line) return true;
    return false;
}

// The first line that starts with `prefix`, or "<none>".
inline std::string firstline(const ReportBuffer& rb, const std::string& prefix) {
    for (const std::string& l : reportlines(rb))
        if (l.rfind(prefix, 0) == 0) return l;
    return "<none>";
}

// The lines that start with `prefix`.
inline long countlines(const ReportBuffer& rb, const std::string& prefix) {
    long n = 0;
    for (const std::string& l : reportlines(rb))
        if (l.rfind(prefix, 0) == 0) ++n;
    return n;
}

// A line of texts written from 1-based columns, as expected rows are spelt.
inline std::string columns(std::initializer_list<std::pair<long, std::string>> texts) {
    std::string l;
    for (const auto& [col, text] : texts) {
        l.resize(static_cast<std::size_t>(col - 1), ' ');
        l += text;
    }
    return l;
}

}  // namespace brasket::testing
