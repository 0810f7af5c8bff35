// For the tests of the reports: the stored lines of a report and look-ups over them, and a
// fixture with a fresh App on the fixed clock in universal time and a builder of test runs.
#pragma once
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app.h"
#include "exampleset.h"
#include "model_testruns.h"
#include "report/reportbuffer.h"
#include "ui/scripted_platform.h"

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

struct ReportTest : ::testing::Test {
    ScriptedPlatform platform;
    std::unique_ptr<App> owned = std::make_unique<App>(platform);
    App& app = *owned;
    TestTable table{app};

    void SetUp() override {
        ::setenv("TZ", "UTC", 1);
        ::tzset();
        platform.clock = fixedclock();
    }
    // A test run of the type code.
    static testrec& typed(testrec& t, int type) {
        t.typecode = static_cast<u8>(type);
        return t;
    }
    std::vector<std::string> lines() const { return reportlines(app.report); }
    bool has(const std::string& l) const { return hasline(app.report, l); }
    std::string find(const std::string& prefix) const { return firstline(app.report, prefix); }
    long count(const std::string& prefix) const { return countlines(app.report, prefix); }
};

}  // namespace brasket::testing
