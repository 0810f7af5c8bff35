#include <gtest/gtest.h>

#include "app.h"
#include "report/frmdisplay.h"
#include "report/reportbuffer.h"
#include "ui/scripted_platform.h"

using namespace brasket;

namespace {

struct Screen : ScriptedPlatform {
    long height = 9000, width = 12000;
    long screenwidth() override { return width; }
    long screenheight() override { return height; }
};

struct Display : ::testing::Test {
    Screen platform;
    App app{platform};
    frmDisplay& w = app.display;

    // A report of `pages` pages of `perpage` lines each under two header lines; line j of
    // page p reads "p<p> line <j>", and each page ends with a page mark.
    void writereport(int pages, int perpage = 5) {
        startreport(app, 2, 0);
        reportline(app, std::string_view("Report title"));
        reportline(app, std::string_view("\tcolumn heads"));
        for (int p = 1; p <= pages; ++p) {
            for (int j = 1; j < perpage; ++j) reportline(app, "p" + std::to_string(p) + " line " + std::to_string(j));
            reportline(app, std::string_view("@NEW PAGE"));
        }
        reportline(app, std::string_view("#"));
    }
    std::vector<std::string> shown() const {
        std::vector<std::string> out;
        for (const auto& l : w.picture.lines) out.push_back(l.text());
        return out;
    }
};

}  // namespace

TEST_F(Display, LoadingShowsPageOneWithItsLayout) {
    writereport(3);
    showreport(app);
    EXPECT_TRUE(w.loaded);
    EXPECT_TRUE(w.Visible());
    EXPECT_EQ(w.Caption(), "Data Display");
    EXPECT_EQ(w.currentpage, 1);
    EXPECT_EQ(w.pagecount, 3);
    EXPECT_EQ(w.Label1.Caption(), "page 1 of 3 pages.");
    EXPECT_EQ(shown(), (std::vector<std::string>{"Report title", " column heads", "p1 line 1", "p1 line 2", "p1 line 3",
                                                 "p1 line 4"}));
    EXPECT_EQ(w.picture.headerlines, 2);
    EXPECT_EQ(w.FontSize(), 9);
    EXPECT_EQ(w.Text2.Text(), "9");
    EXPECT_EQ(w.Height(), 8200);
    EXPECT_EQ(w.Command1.Top(), 7400);
    EXPECT_EQ(w.Text1.Top(), 9000);  // the search row out of sight
}

TEST_F(Display, SmallScreenGivesSmallFont) {
    platform.height = 7200;
    writereport(1);
    showreport(app);
    EXPECT_EQ(w.FontSize(), 7);
    EXPECT_EQ(w.Text2.Text(), "7");
}

TEST_F(Display, CaptionsKeepTheirTrailingBlanks) {
    EXPECT_EQ(w.Command4.Caption(), "Print ");
    EXPECT_EQ(w.Command6.Caption(), "File C,S,V ");
    EXPECT_EQ(w.Text2.Text(), "8");
    EXPECT_EQ(w.Text1.Text(), "Text here");
}

TEST_F(Display, PageLabel) {
    EXPECT_EQ(pagelabel(3, 12), "page 3 of 12 pages.");
    writereport(12);
    showreport(app);
    pagedown(app);
    pagedown(app);
    EXPECT_EQ(w.Label1.Caption(), "page 3 of 12 pages.");
    EXPECT_EQ(w.picture.label, "page 3 of 12 pages.");
}

TEST_F(Display, PagingByButtonsAndKeysStaysWithinTheReport) {
    writereport(2);
    showreport(app);
    w.Command2.Click();
    EXPECT_EQ(w.currentpage, 1);
    w.onKeyDown(34, 0);
    w.Command3.Click();
    EXPECT_EQ(w.currentpage, 2);
    EXPECT_EQ(shown().back(), "p2 line 4");
    displaykeydown(app, 33, 1);  // with shift: nothing
    EXPECT_EQ(w.currentpage, 2);
    displaykeydown(app, 33, 0);
    EXPECT_EQ(w.currentpage, 1);
}

TEST_F(Display, OnePageReport) {
    writereport(1);
    showreport(app);
    for (auto action : {pageup, pagedown, findlast, findnext}) {
        action(app);
        EXPECT_EQ(w.currentpage, 1);
        EXPECT_EQ(w.Label1.Caption(), "page 1 of 1 pages.");
    }
}

TEST_F(Display, KeypadSlidesTheSearchRow) {
    writereport(1);
    showreport(app);
    displaykeydown(app, 109, 0);
    displaykeydown(app, 109, 2);
    displaykeydown(app, 107, 0);
    for (Control* c : std::initializer_list<Control*>{&w.Text1, &w.Command8, &w.Command9, &w.Label2})
        EXPECT_EQ(c->Top(), 9000 - 20);
    EXPECT_EQ(w.Command1.Top(), 7400);  // the bottom row stays
}

TEST_F(Display, PageMarksAloneAreNotDrawnAndControlCharactersAreBlanks) {
    startreport(app, 0, 0);
    reportline(app, std::string_view("a\tb\x01" "c"));
    reportline(app, std::string_view("text @NEW PAGE"));
    reportline(app, std::string_view("@NEW PAGEL"));
    reportline(app, std::string_view("#"));
    showreport(app);
    EXPECT_EQ(shown(), (std::vector<std::string>{"a b c", "text @NEW PAGE"}));
    EXPECT_EQ(w.pagecount, 2);
    pagedown(app);
    EXPECT_TRUE(shown().empty());
    EXPECT_EQ(cleantabs("x\ty\r"), "x y ");
}

TEST_F(Display, SearchMarksEveryHitInItsOwnCase) {
    startreport(app, 1, 0);
    reportline(app, std::string_view("head abc"));  // header lines are never marked
    reportline(app, std::string_view("xABCyabcz"));
    reportline(app, std::string_view("#"));
    showreport(app);
    w.Text1.setText("aBc");
    pageup(app);
    ASSERT_EQ(w.picture.lines.size(), 2u);
    const auto& head = w.picture.lines[0].runs;
    ASSERT_EQ(head.size(), 1u);
    EXPECT_FALSE(head[0].marked);
    const auto& runs = w.picture.lines[1].runs;
    ASSERT_EQ(runs.size(), 5u);
    const char* texts[] = {"x", "ABC", "y", "abc", "z"};
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(runs[i].text, texts[i]);
        bool hit = i % 2 == 1;
        EXPECT_EQ(runs[i].marked, hit);
        EXPECT_EQ(runs[i].bold, hit);
        EXPECT_EQ(runs[i].color, hit ? 0xC0 : 0x80000008);
    }
}

TEST_F(Display, EmptySearchTextMarksNothingAndFindsNothing) {
    writereport(4);
    showreport(app);
    w.Text1.setText("");
    pagedown(app);
    for (const auto& l : w.picture.lines)
        for (const auto& r : l.runs) EXPECT_FALSE(r.marked);
    findnext(app);
    EXPECT_EQ(w.currentpage, 4);
    EXPECT_EQ(w.foundline, 0);
    findlast(app);
    EXPECT_EQ(w.currentpage, 1);
    EXPECT_EQ(w.foundline, 0);
}

TEST_F(Display, FindScansOtherPagesOnly) {
    writereport(5);
    showreport(app);
    w.Text1.setText("P3 LINE 2");
    findnext(app);
    EXPECT_EQ(w.currentpage, 3);
    EXPECT_EQ(w.foundline, 2 + 5 * 2 + 2);  // page 3 starts at line 13
    findnext(app);  // the hit on the current page is not found again: ends on the last page
    EXPECT_EQ(w.currentpage, 5);
    EXPECT_EQ(w.foundline, 0);
    findlast(app);
    EXPECT_EQ(w.currentpage, 3);
    findlast(app);
    EXPECT_EQ(w.currentpage, 1);
    w.Text1.setText("report title");  // header lines are not searched
    findnext(app);
    EXPECT_EQ(w.currentpage, 5);
    EXPECT_EQ(w.foundline, 0);
    w.Text1.setText("new page");  // page mark lines are
    findlast(app);
    EXPECT_EQ(w.currentpage, 4);
    EXPECT_EQ(w.foundline, 2 + 5 * 4);
}

TEST_F(Display, FontSizeBox) {
    writereport(1);
    showreport(app);
    const auto before = w.picture.lines.size();
    w.Text2.setText("12");
    EXPECT_EQ(w.FontSize(), 10);
    w.Text2.setText("5");
    EXPECT_EQ(w.FontSize(), 7);
    w.Text2.setText("abc");
    EXPECT_EQ(w.FontSize(), 7);
    EXPECT_EQ(w.picture.fontsize, 9);  // not redrawn until the next page action
    EXPECT_EQ(w.picture.lines.size(), before);
    pageup(app);
    EXPECT_EQ(w.picture.fontsize, 7);
}

TEST_F(Display, ANewReportShownWhileOpenIsDrawnFromItsFirstPage) {
    writereport(5);
    showreport(app);
    pagedown(app);
    pagedown(app);
    // What the user set stays: font size, place and size, the search row.
    w.Text2.setText("10");
    w.Left = 300;
    w.Width = 9000;
    displaykeydown(app, 109, 0);
    const long searchtop = w.Text1.Top();
    w.Text1.setText("line 2");

    writereport(4, 3);
    showreport(app);
    EXPECT_EQ(w.frontrequests, 1);
    EXPECT_EQ(w.currentpage, 1);
    EXPECT_EQ(w.pagecount, 4);
    EXPECT_EQ(w.Label1.Caption(), "page 1 of 4 pages.");
    EXPECT_EQ(shown(), (std::vector<std::string>{"Report title", " column heads", "p1 line 1", "p1 line 2"}));
    EXPECT_TRUE(w.picture.lines.back().runs.back().marked);  // the search text still marked
    EXPECT_EQ(w.picture.fontsize, 10);
    EXPECT_EQ(w.Text2.Text(), "10");
    EXPECT_EQ(w.Left(), 300);
    EXPECT_EQ(w.Width(), 9000);
    EXPECT_EQ(w.Text1.Top(), searchtop);
    pagedown(app);
    EXPECT_EQ(w.currentpage, 2);
    EXPECT_EQ(shown().back(), "p2 line 2");
}

TEST_F(Display, ShorterReportWrittenWhileOpenKeepsThePageWithinTheReport) {
    writereport(6);
    showreport(app);
    for (int i = 0; i < 5; ++i) pagedown(app);
    writereport(2);  // written into the buffer, not shown
    pageup(app);  // page 5 of 2 would be shown otherwise
    EXPECT_EQ(w.currentpage, 2);
    EXPECT_EQ(w.Label1.Caption(), "page 2 of 2 pages.");
    EXPECT_EQ(shown().back(), "p2 line 4");
}

TEST_F(Display, EmptyReportDrawsNothing) {
    showreport(app);
    EXPECT_TRUE(w.picture.lines.empty());
    EXPECT_EQ(w.Label1.Caption(), "");
    pagedown(app);
    findnext(app);
    findlast(app);
    EXPECT_TRUE(w.picture.lines.empty());
}

TEST_F(Display, PageReachingPastTheBufferIsDrawnToItsLastLine) {
    startreport(app, 0, 7490);
    reportpages(app, 7490);
    for (int i = 0; i < 20; ++i) reportline(app, std::string_view("x"));
    reportline(app, std::string_view("#"));
    showreport(app);
    w.currentpage = static_cast<std::int16_t>(pagecount(app.report));
    pageup(app);
    pagedown(app);
    EXPECT_EQ(w.currentpage, pagecount(app.report));
    ASSERT_EQ(shown().size(), 10u);  // the page is lines 7491..7510: drawn up to line 7500
    EXPECT_EQ(shown()[8], "x");
    EXPECT_EQ(shown()[9], "");
}

TEST_F(Display, ExitErasesTheBufferAndUnloads) {
    writereport(3);
    showreport(app);
    pagedown(app);
    w.Text1.setText("abc");
    const long count = app.report.reportlinecount;
    w.Command1.Click();
    EXPECT_FALSE(w.loaded);
    EXPECT_FALSE(w.Visible());
    EXPECT_TRUE(app.report.pageindex().empty());
    EXPECT_EQ(app.report.line(3), "");
    EXPECT_EQ(app.report.reportlinecount, count);
    writereport(3);
    showreport(app);  // loaded afresh
    EXPECT_EQ(w.currentpage, 1);
    EXPECT_EQ(w.Text1.Text(), "Text here");
}

