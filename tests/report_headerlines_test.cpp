// Reports with more than nine header lines: the page index stores the count as the character
// of code 48 + count, and the window, the printer and both exports repeat all of them.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app.h"
#include "report/frmdisplay.h"
#include "report/printexport.h"
#include "report/reportbuffer.h"
#include "tempfolder.h"
#include "ui/scripted_platform.h"

using namespace brasket;
namespace fs = std::filesystem;

namespace {

struct TwelveHeaders : ::testing::Test {
    ScriptedPlatform platform;
    App app{platform};

    // Twelve header lines "H1".."H12", then 40 report lines "L1".."L40".
    void SetUp() override {
        startreport(app, 12, 12);
        for (int k = 1; k <= 12; ++k) app.report.reportbuffer(k) = "H" + std::to_string(k);
        for (int k = 1; k <= 40; ++k) reportline(app, "L" + std::to_string(k));
        reportline(app, "#");
    }
};

long occurrences(const std::string& text, const std::string& what) {
    long n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

}  // namespace

TEST_F(TwelveHeaders, IndexHoldsTheCountAsOneCharacterAndPagesOfEighteenLines) {
    EXPECT_EQ(app.report.pageindex(), std::string("<") + char(48 + 18) + char(48 + 18) + char(48 + 4));
    EXPECT_EQ(headercount(app.report), 12);
    EXPECT_EQ(pagelines(app.report, 1).first, 13);
    EXPECT_EQ(pagelines(app.report, 3).last, 52);
    startreport(app, 9, 0);
    EXPECT_EQ(app.report.pageindex(), "9");  // nine and fewer stay digits
    startreport(app, 40, 0);
    EXPECT_EQ(headercount(app.report), 29);  // every page keeps a line of its own
}

TEST_F(TwelveHeaders, WindowAndPrinterShowAllHeaderLinesAtopEachPage) {
    showreport(app);
    app.display.currentpage = 2;
    printpage(app);
    const PagePicture& pic = app.display.picture;
    EXPECT_EQ(pic.headerlines, 12);
    ASSERT_EQ(pic.lines.size(), 30u);
    EXPECT_EQ(pic.lines[11].text(), "H12");
    EXPECT_EQ(pic.lines[12].text(), "L19");

    app.report.reportbuffer(30) = "@NEW PAGE";  // a second printed page
    printreport(app);
    ASSERT_EQ(platform.printer_.documents.size(), 1u);
    const auto& pages = platform.printer_.documents[0];
    ASSERT_GE(pages.size(), 2u);
    for (const PrintedPage& page : pages) {
        ASSERT_GE(page.lines.size(), 13u);
        EXPECT_EQ(page.lines[0].text.rfind("H1 ", 0), 0u);
        EXPECT_EQ(page.lines[11].text, "H12");
    }
    EXPECT_EQ(pages[0].lines[12].text, "L1");  // the header lines are not printed again as lines
}

TEST_F(TwelveHeaders, BothExportsWriteTheTwelveHeaderLinesOnce) {
    const brasket::testing::TempFolder folder("headers");
    const fs::path& dir = folder.path();
    std::string error;
    ASSERT_TRUE(writedisplayset(app.report, dir / "a.txt", error)) << error;
    ASSERT_TRUE(writecsvset(app.report, dir / "a.prn", error)) << error;
    for (const char* name : {"a.txt", "a.prn"}) {
        std::stringstream ss;
        ss << std::ifstream(dir / name, std::ios::binary).rdbuf();
        const std::string text = ss.str();
        EXPECT_EQ(text.rfind("     H1\r\n", 0), 0u) << name;
        EXPECT_NE(text.find("     H12\r\n  \r\n"), std::string::npos) << name;
        EXPECT_EQ(occurrences(text, "H12"), 1) << name;
        EXPECT_EQ(occurrences(text, "L40"), 1) << name;
    }
}
