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

struct Output : ::testing::Test {
    ScriptedPlatform platform;
    App app{platform};
    TextPrinter& pr = platform.printer_;
    brasket::testing::TempFolder folder{"report"};
    fs::path dir = folder.path();

    void line(std::string_view s) { reportline(app, s); }
    static std::string read(const fs::path& p) {
        std::ifstream in(p, std::ios::binary);
        std::stringstream ss;
        ss << in.rdbuf();
        return ss.str();
    }
    std::vector<std::string> texts(const PrintedPage& page) const {
        std::vector<std::string> out;
        for (const auto& l : page.lines) out.push_back(l.text);
        return out;
    }
};

}  // namespace

TEST_F(Output, PrintOrderFollowsThePageMarks) {
    startreport(app, 1, 0);
    line("Title");
    line("first");
    line("@NEW PAGEL");
    line("second");
    line("@NEW PAGE");
    line("#");
    printreport(app);
    ASSERT_EQ(pr.documents.size(), 1u);
    const auto& doc = pr.documents[0];
    ASSERT_EQ(doc.size(), 3u);
    EXPECT_EQ(texts(doc[0]), (std::vector<std::string>{"Title          page 1", "first"}));
    EXPECT_EQ(texts(doc[1]), (std::vector<std::string>{"Title          page 2", "second"}));
    EXPECT_EQ(texts(doc[2]), (std::vector<std::string>{"Title          page 3"}));
    EXPECT_EQ(doc[1].orientation, 2);
    EXPECT_EQ(doc[2].orientation, 1);
    EXPECT_EQ(pr.events, (std::vector<std::string>{"newpage", "orientation 2", "newpage", "orientation 1", "enddoc"}));
    EXPECT_EQ(pr.Orientation, 1);  // the last mark's orientation stays on the printer
}

TEST_F(Output, PageHeadPositionsAndPlainLines) {
    startreport(app, 2, 0);
    line("Head one");
    line("Head\ttwo");  // header lines are printed as they stand
    line("a\tb");
    line("#");
    app.report.reportbuffer(4) = "!TABS:xyz";  // written out of order: never printed
    app.report.reportbuffer(5) = "#";
    app.report.reportbuffer(6) = "last";
    app.report.reportlinecount = 6;
    printreport(app);
    const auto& page = pr.documents.at(0).at(0);
    EXPECT_EQ(texts(page), (std::vector<std::string>{"Head one          page 1", "Head\ttwo", "a b", "last"}));
    EXPECT_DOUBLE_EQ(page.lines[0].y, 0.07 * 15840);
    EXPECT_DOUBLE_EQ(page.lines[0].x, 0.05 * 12240);
    EXPECT_DOUBLE_EQ(page.lines[2].x, 0.05 * 12240);
}

TEST_F(Output, LongPageBreaksBelowNineTenthsOfTheHeight) {
    startreport(app, 0, 0);
    for (int i = 0; i < 70; ++i) line("row " + std::to_string(i));
    line("#");
    pr.height = 2000;  // 0.07 x 2000 = 140; a line of 200: breaks once y passes 1800
    printreport(app);
    const auto& doc = pr.documents.at(0);
    ASSERT_GT(doc.size(), 1u);
    for (const auto& page : doc)
        for (const auto& l : page.lines) EXPECT_LE(l.y, 1800 + 1e-9);
    std::size_t printed = 0;
    for (const auto& page : doc) printed += page.lines.size();
    EXPECT_EQ(printed, 70u);
}

TEST_F(Output, PrintStopsAtTheBufferBound) {
    startreport(app, 0, 7498);
    line("a");
    line("b");  // counted, not stored
    line("c");
    printreport(app);
    std::size_t printed = 0;
    for (const auto& page : pr.documents.at(0)) printed += page.lines.size();
    EXPECT_EQ(printed, 7500u);  // lines 1..7500, the last ones empty
}

TEST_F(Output, PrinterFailureIsToldInAMessage) {
    startreport(app, 0, 0);
    line("x");
    line("#");
    pr.failenddoc = true;
    printreport(app);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_NE(platform.messages[0].find("could not be printed"), std::string::npos);
}

TEST_F(Output, PrintSetupAsksForTheFontThenThePrinter) {
    platform.keepfontdialog = false;
    platform.fontchoice = {"Arial", 10, true, false};
    platform.orientationchoice = 2;
    platform.copieschoice = 3;
    printsetup(app);
    EXPECT_EQ(pr.font.name, "Arial");
    EXPECT_EQ(pr.font.size, 10);
    EXPECT_TRUE(pr.font.bold);
    EXPECT_EQ(pr.Orientation, 2);
    EXPECT_EQ(pr.Copies, 3);
    EXPECT_TRUE(pr.documents.empty());  // nothing printed

    platform.fontchoice = {"Times", 12, false, true};
    platform.orientationchoice = 1;
    platform.setupanswers = {false, false};  // both cancelled
    printsetup(app);
    EXPECT_EQ(pr.font.name, "Arial");
    EXPECT_EQ(pr.Orientation, 2);
    EXPECT_EQ(pr.Copies, 3);
}

TEST_F(Output, DisplaySetFile) {
    startreport(app, 1, 0);
    line("Title\tx");
    line("page one");
    line("@NEW PAGE");
    line("page\ttwo   ");
    line("#");
    line("not on a page");
    fs::path file = dir / "out.txt";
    platform.answers.push_back(file.string());
    exportfile(app);
    ASSERT_EQ(platform.dialogs.size(), 1u);
    EXPECT_EQ(platform.dialogs[0].FileName, "display set.txt");
    EXPECT_EQ(platform.dialogs[0].DefaultExt, ".txt");
    EXPECT_EQ(platform.dialogs[0].Filter, "Data set files (*.txt)|*.txt");
    EXPECT_EQ(read(file), "     Title\tx\r\n  \r\npage one\r\n\f\r\npage\ttwo\r\n");
}

TEST_F(Output, EmptyReportExportsTheBlankLineOnly) {
    std::string error;
    ASSERT_TRUE(writedisplayset(app.report, dir / "a.txt", error));
    EXPECT_EQ(read(dir / "a.txt"), "  \r\n");
    ASSERT_TRUE(writecsvset(app.report, dir / "a.prn", error));
    EXPECT_EQ(read(dir / "a.prn"), "  \r\n");
}

TEST_F(Output, CancelledExportsWriteNothing) {
    startreport(app, 0, 0);
    line("x");
    line("#");
    exportfile(app);  // no answer: cancelled
    platform.answers.push_back("set*.prn");
    exportcsv(app);
    EXPECT_EQ(platform.dialogs.at(1).FileName, "set*.prn");
    EXPECT_EQ(platform.dialogs.at(1).DefaultExt, ".prn");
    EXPECT_EQ(platform.dialogs.at(1).Filter, "Data set files (*.prn)|*.prn");
    EXPECT_TRUE(fs::is_empty(dir));
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(Output, UnwritableFileIsToldInAMessage) {
    startreport(app, 0, 0);
    line("x");
    line("#");
    platform.answers.push_back((dir / "missing folder" / "r.txt").string());
    exportfile(app);
    platform.answers.push_back((dir / "missing folder" / "r.prn").string());
    exportcsv(app);
    ASSERT_EQ(platform.messages.size(), 2u);
    EXPECT_NE(platform.messages[0].find("could not be written"), std::string::npos);
}

namespace {

// The page of the worked example: three columns at 1, 14 and 26, then a page mark.
void examplepage(App& app) {
    startreport(app, 0, 0);
    reportline(app, std::string_view("Plant        Coal        Oil"));
    reportline(app, std::string_view("Alpha        12.5        3"));
    reportline(app, std::string_view("Beta         1.25        40"));
    reportline(app, std::string_view("@NEW PAGE"));
    reportline(app, std::string_view("#"));
}

}  // namespace

TEST_F(Output, ColumnSearchOfTheWorkedExample) {
    examplepage(app);
    ColumnState cs;
    std::string s = "!SETUP";
    csvline(app.report, 1, 4, cs, s);
    std::vector<long> starts;
    for (std::size_t k = 1; k <= 6; ++k) starts.push_back(cs.colstart[k].value_or(-1));
    EXPECT_EQ(starts, (std::vector<long>{9, 14, 26, 9, 14, 26}));
}

TEST_F(Output, CsvRecordsOfTheWorkedExample) {
    examplepage(app);
    fs::path file = dir / "set.prn";
    platform.answers.push_back(file.string());
    exportcsv(app);
    EXPECT_EQ(read(file), "  \r\n"
                          "\"Plant\",0,0,,0,0\r\n"
                          "\"Alpha\",12.5,,,12.5,\r\n"
                          "\"Beta\",1.25,40,,1.25,40\r\n"
                          "\"@NEW PAGE\",,,,,\r\n");
}

TEST_F(Output, EmptyFirstLineOfAPageTakesTheWholeLineAsText) {
    startreport(app, 1, 0);
    reportline(app, std::string_view("Head"));
    app.report.reportlinecount = 2;  // line 2 left empty, as after a page mark
    reportline(app, std::string_view("  Short"));
    reportline(app, std::string_view("#"));
    std::string error;
    ASSERT_TRUE(writecsvset(app.report, dir / "e.prn", error));
    EXPECT_EQ(read(dir / "e.prn"), "     Head\r\n  \r\n\"\",,,,,\r\n\"Short\",,,,,\r\n");
}

TEST_F(Output, ColumnSearchReadsPastThePageAndPastTheBuffer) {
    // A boundary confirmed on no line of the page is taken from the line after it.
    startreport(app, 0, 0);
    reportline(app, std::string_view("Name       10"));
    reportline(app, std::string_view("@NEW PAGE"));
    reportline(app, std::string_view("Next          5"));
    reportline(app, std::string_view("#"));
    ColumnState cs;
    std::string s = "!SETUP";
    csvline(app.report, 1, 2, cs, s);
    EXPECT_EQ(cs.colstart[2].value_or(-1), 15);  // the run of blanks on line 3 ends at 14
    // At the end of the buffer the lines past 7500 count as empty: the column stays unset.
    ReportBuffer rb;
    rb.reportbuffer(7500) = "Name       10";
    ColumnState end;
    csvline(rb, 7500, 7500, end, s);
    EXPECT_FALSE(end.colstart[6].has_value());
    EXPECT_EQ(end.colstart[2].value_or(-1), 9);  // unset, then taken as 9 by the next column's search
}

TEST_F(Output, TabLineFixesTheColumns) {
    ColumnState cs;
    ReportBuffer rb;
    std::string tabs = "!TABS:\x0c\x14";  // columns 1 at 12, 2 at 20, the rest "a" (97)
    csvline(rb, 1, 1, cs, tabs);
    EXPECT_EQ(tabs, "!TABS:\x0c\x14" "aaaaa");
    EXPECT_EQ(cs.colstart[0].value_or(0), -5);
    EXPECT_EQ(cs.colstart[1].value_or(0), 12);
    EXPECT_EQ(cs.colstart[2].value_or(0), 20);
    for (std::size_t k = 3; k <= 6; ++k) EXPECT_EQ(cs.colstart[k].value_or(0), 97);
    std::string setup = "!SETUP";
    csvline(rb, 1, 1, cs, setup);  // fixed: the page search changes nothing
    EXPECT_EQ(cs.colstart[2].value_or(0), 20);
    std::string bare = "!TABS:";
    ColumnState fresh;
    csvline(rb, 1, 1, fresh, bare);
    EXPECT_EQ(fresh.colstart[6].value_or(0), 97);
    std::string row = "label      words   7.5";
    csvline(rb, 1, 1, cs, row);
    EXPECT_EQ(row, "label      words");
    EXPECT_EQ(csvrecord(row, cs), "\"label      words\",7.5,,,,");
}

TEST_F(Output, WordsInAColumnGiveZero) {
    ColumnState cs;
    cs.colstart[1] = 9;
    cs.colstart[2] = 14;
    std::string s = "Plant   xx   yes  ";
    ReportBuffer rb;
    csvline(rb, 1, 1, cs, s);
    EXPECT_EQ(s, "Plant   xx");
    EXPECT_EQ(csvrecord(s, cs), "\"Plant   xx\",0,,,,");
    EXPECT_EQ(cs.colstart[3].value_or(0), 18);  // column 2 ends at the line's length
    std::string blank = "    ";
    csvline(rb, 1, 1, cs, blank);
    EXPECT_EQ(blank, "    ");  // blanks only: left as they are
}

namespace {

// A printer whose page turns with its orientation, as a real one does: landscape is the
// portrait page lying on its side.
class TurningPrinter : public TextPrinter {
public:
    double ScaleWidth() const override { return Orientation == 2 ? height : width; }
    double ScaleHeight() const override { return Orientation == 2 ? width : height; }
};

struct TurningPlatform : ScriptedPlatform {
    TurningPrinter turning;
    Printer& printer() override { return turning; }
};

}  // namespace

TEST(Printing, ALandscapePageBreaksAtNineTenthsOfItsOwnHeight) {
    TurningPlatform platform;
    App app(platform);
    startreport(app, 1, 0);
    reportline(app, std::string_view("Wide listing"));
    reportline(app, std::string_view("@NEW PAGEL"));
    for (int i = 0; i < 150; ++i) reportline(app, "row " + std::to_string(i));
    reportline(app, std::string_view("@NEW PAGE"));
    for (int i = 0; i < 100; ++i) reportline(app, "tall " + std::to_string(i));
    printreport(app);
    const TurningPrinter& pr = platform.turning;
    ASSERT_EQ(pr.documents.size(), 1u);
    std::size_t rows = 0, landscape = 0;
    for (const PrintedPage& page : pr.documents[0]) {
        const double height = page.orientation == 2 ? pr.width : pr.height;
        const double width = page.orientation == 2 ? pr.height : pr.width;
        landscape += page.orientation == 2;
        ASSERT_FALSE(page.lines.empty());
        EXPECT_DOUBLE_EQ(page.lines[0].y, 0.07 * height);  // the head sits on this page's top
        EXPECT_DOUBLE_EQ(page.lines[0].x, 0.05 * width);
        // Every line, the lowest included, lies within its page.
        for (const PrintedText& l : page.lines) EXPECT_LE(l.y + pr.lineheight, height) << l.text;
        for (const PrintedText& l : page.lines) rows += l.text.rfind("row ", 0) == 0 || l.text.rfind("tall ", 0) == 0;
    }
    EXPECT_EQ(rows, 250u);
    // 150 rows at 200 twips do not fit one landscape page of 12240 twips: the breaks stay landscape.
    EXPECT_GE(landscape, 3u);
}
