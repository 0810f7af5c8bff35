#include <gtest/gtest.h>

#include "app.h"
#include "report/reportbuffer.h"
#include "ui/scripted_platform.h"

using namespace brasket;

namespace {

void appendlines(ReportBuffer& rb, int n) {
    for (int i = 0; i < n; ++i) {
        std::string line = "line " + std::to_string(i);
        reportline(rb, line);
    }
}

void append(ReportBuffer& rb, std::string line) { reportline(rb, line); }

}  // namespace

TEST(ReportPages, SixtyLinesUnderThreeHeaderLines) {
    ReportBuffer rb;
    startreport(rb, 3, 3);
    appendlines(rb, 60);
    EXPECT_EQ(rb.reportlinecount, 63);
    append(rb, "#");
    EXPECT_EQ(rb.reportlinecount, 63);
    EXPECT_EQ(rb.pageindex(), "3KK6");
    EXPECT_EQ(pagecount(rb), 3);
    auto p1 = pagelines(rb, 1), p2 = pagelines(rb, 2), p3 = pagelines(rb, 3), h = pagelines(rb, 0);
    EXPECT_EQ(p1.first, 4);
    EXPECT_EQ(p1.last, 30);
    EXPECT_EQ(p2.first, 31);
    EXPECT_EQ(p2.last, 57);
    EXPECT_EQ(p3.first, 58);
    EXPECT_EQ(p3.last, 63);
    EXPECT_EQ(h.first, 1);
    EXPECT_EQ(h.last, 3);
    append(rb, "#");  // nothing new: no empty page
    EXPECT_EQ(rb.pageindex(), "3KK6");
}

TEST(ReportPages, PageMarkClosesItsPageAndHashAfterItAddsNothing) {
    ReportBuffer rb;
    startreport(rb, 2, 2);
    appendlines(rb, 9);
    append(rb, "  end of part @NEW PAGE");
    EXPECT_EQ(rb.pageindex(), std::string("2") + char(48 + 10));
    EXPECT_EQ(rb.line(12), "  end of part @NEW PAGE");  // stored unchanged
    append(rb, "#");
    EXPECT_EQ(rb.pageindex().size(), 2u);
    append(rb, "@NEW PAGEL");
    EXPECT_EQ(rb.pageindex().back(), char(48 + 1));
}

TEST(ReportPages, EmptyIndexCountsAsNoHeaderLines) {
    ReportBuffer rb;
    appendlines(rb, 5);
    append(rb, "#");
    EXPECT_EQ(rb.pageindex(), "05");
    EXPECT_EQ(headercount(rb), 0);
    EXPECT_EQ(pagelines(rb, 0).last, 0);  // no header lines
}

TEST(ReportPages, HeaderCountIsHeldWithinZeroToTwentyNine) {
    ReportBuffer rb;
    rb.pageindex() = "*";  // code 42: would give a negative count
    EXPECT_EQ(headercount(rb), 0);
    appendlines(rb, 31);
    append(rb, "#");
    EXPECT_EQ(rb.pageindex(), std::string("*") + char(78) + char(49));
    rb.pageindex() = "K";  // code 75: 27 header lines
    EXPECT_EQ(headercount(rb), 27);
    rb.pageindex() = "~";  // code 126: held at 29, one line of each page left
    EXPECT_EQ(headercount(rb), 29);
}

TEST(PageLines, PagesOutsideTheIndexAreEmpty) {
    ReportBuffer rb;
    rb.pageindex() = "3KK6";
    for (long page : {-1L, 4L, 100L}) {
        auto r = pagelines(rb, page);
        EXPECT_LT(r.last, r.first) << page;
    }
    rb.pageindex().clear();
    EXPECT_LT(pagelines(rb, 1).last, pagelines(rb, 1).first);
}

TEST(ReportLine, TabMarkMovesTheTextToItsColumn) {
    ReportBuffer rb;
    std::string line = "Total Tab(20)123";
    reportline(rb, line);
    EXPECT_EQ(line, "Total" + std::string(14, ' ') + "123");
    EXPECT_EQ(rb.line(1), line);
    EXPECT_EQ(rb.line(1).find("123"), 19u);  // column 20
}

TEST(ReportLine, OnlyTheFirstQualifyingTabMarkIsExpanded) {
    ReportBuffer rb;
    std::string threedigits = "A Tab(100)B   ";
    reportline(rb, threedigits);
    EXPECT_EQ(rb.line(1), "A Tab(100)B");  // kept as text, trimmed on the right
    std::string none = "A Tab()B";
    reportline(rb, none);
    EXPECT_EQ(rb.line(2), "A Tab()B");
    std::string unclosed = "A Tab(5 B";
    reportline(rb, unclosed);
    EXPECT_EQ(rb.line(3), "A Tab(5 B");
    std::string second = "A Tab(123) Tab(9)x";  // the first does not qualify: the second is not looked at
    reportline(rb, second);
    EXPECT_EQ(rb.line(4), "A Tab(123) Tab(9)x");
    std::string twice = "a Tab(5)b Tab(10)c";
    reportline(rb, twice);
    EXPECT_EQ(rb.line(5), "a   b Tab(10)c");
    std::string behind = "Long text Tab(3)x";  // column behind the text: no blanks
    reportline(rb, behind);
    EXPECT_EQ(rb.line(6), "Long text x");
    std::string lower = "x tab(9)y";  // case matters
    reportline(rb, lower);
    EXPECT_EQ(rb.line(7), "x tab(9)y");
}

TEST(ReportLine, LowerCasePageMarkIsAnOrdinaryLine) {
    ReportBuffer rb;
    append(rb, "@new page   ");
    EXPECT_EQ(rb.line(1), "@new page");
    EXPECT_TRUE(rb.pageindex().empty());
}

TEST(ReportLine, LinesFromTheBoundOnAreCountedNotStored) {
    ReportBuffer rb;
    rb.reportlinecount = 7498;
    append(rb, "last stored");
    append(rb, "counted only");
    append(rb, "beyond");
    EXPECT_EQ(rb.reportlinecount, 7501);
    EXPECT_EQ(rb.line(7499), "last stored");
    EXPECT_EQ(rb.line(7500), "");
    EXPECT_EQ(rb.line(7501), "");  // does not exist, reads empty
    append(rb, "@NEW PAGE");  // would be line 7502: dropped, yet the pages are recorded
    EXPECT_EQ(rb.reportlinecount, 7502);
    EXPECT_FALSE(rb.pageindex().empty());
    addcolumns(rb, 1, "x");  // line 7503: dropped
    EXPECT_EQ(rb.reportlinecount, 7503);
}

TEST(ReportLine, PageMarkOnTheLastLineIsStored) {
    ReportBuffer rb;
    rb.reportlinecount = 7499;
    append(rb, "@NEW PAGE");
    EXPECT_EQ(rb.line(7500), "@NEW PAGE");
}

TEST(AddColumns, WritesEachTextFromItsColumn) {
    ReportBuffer rb;
    addcolumns(rb, 1, "A", 10, "B");
    EXPECT_EQ(rb.line(1), "A" + std::string(8, ' ') + "B ");
    EXPECT_EQ(rb.line(1).size(), 11u);
    // A later pair overwrites an earlier one; texts lose their trailing blanks; no trimming
    // or tab processing of the line.
    addcolumns(rb, 1, "Alpha Beta", 4, "xy  ", 8, "Tab(2)");
    EXPECT_EQ(rb.line(2), "Alpxy BTab(2) ");
    EXPECT_EQ(rb.reportlinecount, 2);
}

TEST(AddColumns, PairsAfterTheLargestColumnAreIgnored) {
    ReportBuffer rb;
    addcolumns(rb, 1, "A", 20, "Z", 5, "never", 0, "", 0, "", 0, "");
    EXPECT_EQ(rb.line(1), "A" + std::string(18, ' ') + "Z ");
    addcolumns(rb, 0, "x", -3, "y");  // no column at all: an empty line
    EXPECT_EQ(rb.line(2), "");
    addcolumns(rb, 0, "skipped", 3, "c");
    EXPECT_EQ(rb.line(3), "  c ");
}

TEST(StartReport, ErasesTheWholeBuffer) {
    ScriptedPlatform platform;
    App app(platform);
    reportline(app, std::string_view("old"));
    app.report.reportbuffer(7500) = "old";
    startreport(app, 2);
    EXPECT_EQ(app.report.pageindex(), "2");
    EXPECT_EQ(app.report.reportlinecount, 2);
    EXPECT_EQ(app.report.line(1), "");
    EXPECT_EQ(app.report.line(7500), "");
}
