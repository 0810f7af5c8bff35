#include "import/imports.h"
#include "import_testkit.h"

using namespace brasket;
using brasket::testkit::ImportTest;

namespace {

class HgImport : public ImportTest {
protected:
    HgImport() {
        setplantcount(app.ws, 2);
        app.ws.idplant(1).pfcode = "1001";
        app.ws.idplant(2).pfcode = "2002";
        app.ws.idfuel(3).name = "BITUMINOUS";
        app.ws.idfuel(4).name = "SUBBITUMINOUS";
        for (long k = 1; k <= 2; ++k) app.ws.idfuel(k).name = "FUEL " + std::to_string(k);
    }
    static std::string analysis(const std::string& id, const std::string& plant, const std::string& date,
                                const std::string& fuel1, const std::string& fuel2, const std::string& hg,
                                const std::string& mark = "", const std::string& v19 = "") {
        return line({{1, id}, {2, plant}, {4, date}, {10, fuel1}, {11, fuel2}, {14, "1.5"}, {16, "8.25"},
                     {17, hg}, {18, mark}, {19, v19}},
                    22);
    }
    void writequarter(int q, const std::vector<std::string>& lines) {
        std::vector<std::string> all = {"header"};
        all.insert(all.end(), lines.begin(), lines.end());
        writeexport("hg" + std::to_string(q) + "Qdatashort.txt", all);
    }
    std::filesystem::path quarter(int q) const { return dir / ("hg" + std::to_string(q) + "Qdatashort.txt"); }
};

}  // namespace

TEST_F(HgImport, AppendsAfterTheCountAndSkipsLinesWithoutFieldOne) {
    setmeascount(app.ws, 7);
    writequarter(1, {analysis("a", "1001", "3/15/1999", "bituminous", "", "0.12"),
                     analysis("   ", "1001", "3/16/1999", "bituminous", "", "0.5"),
                     analysis("c", "2002", "", "subbituminous", "", "0.07")});
    ASSERT_TRUE(processHg(app, quarter(1)));
    EXPECT_EQ(meascount(app.ws), 9);
    const measrec& m8 = app.ws.meas(8);
    EXPECT_EQ(m8.plantno, 1);
    EXPECT_EQ(m8.year, 1999);
    EXPECT_EQ(m8.month, 3);
    EXPECT_EQ(m8.fuelnum, 3);
    EXPECT_FLOAT_EQ(m8.hgppm, 0.12f);
    EXPECT_FLOAT_EQ(m8.value14, 1.5f);
    EXPECT_FLOAT_EQ(m8.value16, 8.25f);
    const measrec& m9 = app.ws.meas(9);
    EXPECT_EQ(m9.plantno, 2);
    EXPECT_EQ(m9.month, 0);
    EXPECT_EQ(m9.year, 0);
    EXPECT_FLOAT_EQ(m9.hgppm, 0.07f);
    EXPECT_FALSE(app.main.Label19.Visible());
    EXPECT_EQ(app.main.Label19.Caption(), "reading " + quarter(1).string().substr(quarter(1).string().size() - 18));
}

TEST_F(HgImport, BlendsAreNumberedSmallerCodeFirst) {
    writequarter(1, {analysis("a", "1001", "1/2/1999", "SUBBITUMINOUS", "BITUMINOUS", "0.1"),
                     analysis("b", "1001", "1/2/1999", "BITUMINOUS", "SUBBITUMINOUS", "0.1"),
                     analysis("c", "1001", "1/2/1999", "SUBBITUMINOUS", "", "0.1"),
                     analysis("d", "1001", "1/2/1999", "", "BITUMINOUS", "0.1")});
    ASSERT_TRUE(processHg(app, quarter(1)));
    EXPECT_EQ(app.ws.meas(1).fuelnum, 304);
    EXPECT_EQ(app.ws.meas(2).fuelnum, 304);
    EXPECT_EQ(app.ws.meas(3).fuelnum, 4);
    EXPECT_EQ(app.ws.meas(4).fuelnum, 3);
}

TEST_F(HgImport, AnXMarksTheValuesAsHalfTheAccuracyLimit) {
    app.ws.meas(3).lowmark = 1;
    app.ws.meas(3).lowmark2 = 1;
    writequarter(1, {analysis("a", "1001", "1/2/1999", "BITUMINOUS", "", "0.1", "X", "40"),
                     analysis("b", "1001", "1/2/1999", "BITUMINOUS", "", "0.1", "", "40"),
                     analysis("c", "1001", "1/2/1999", "BITUMINOUS", "", "0.1", "2.5", "40"),
                     analysis("d", "1001", "1/2/1999", "BITUMINOUS", "", "0.1", "x", "40")});
    ASSERT_TRUE(processHg(app, quarter(1)));
    const measrec& marked = app.ws.meas(1);
    EXPECT_FLOAT_EQ(marked.hgppm, 0.05f);
    EXPECT_EQ(marked.hgppm, 0.1f / 2.0f);
    EXPECT_EQ(marked.lowmark, 1);
    EXPECT_EQ(marked.lowmark2, 1);
    EXPECT_FLOAT_EQ(marked.value19, 20);
    for (long n : {2L, 3L, 4L}) {
        EXPECT_FLOAT_EQ(app.ws.meas(n).hgppm, 0.1f) << n;
        EXPECT_FLOAT_EQ(app.ws.meas(n).value19, 40) << n;
        EXPECT_EQ(app.ws.meas(n).lowmark, 0) << n;  // any field 18 without "X" clears the mark
        EXPECT_EQ(app.ws.meas(n).lowmark2, 0) << n;
    }
}

TEST_F(HgImport, UnknownPlantCodesAreStoredWithPlantZeroAndLogged) {
    setmeascount(app.ws, 4);
    writequarter(2, {analysis("a", "7777", "1/2/1999", "BITUMINOUS", "", "0.1"),
                     analysis("b", "1001", "not a date", "NEW COAL", "", "0.1")});
    ASSERT_TRUE(processHg(app, quarter(2)));
    EXPECT_EQ(app.ws.meas(5).plantno, 0);
    EXPECT_EQ(app.ws.meas(6).month, 0);
    EXPECT_EQ(app.ws.meas(6).fuelnum, 5);
    EXPECT_EQ(app.ws.idfuel(5).name.trimmed(), "NEW COAL");
    auto w = warnings();
    ASSERT_EQ(w.size(), 2u);
    EXPECT_EQ(w[0], "missing pf code for line  5  in file " + quarter(2).string() + "\r");
    EXPECT_NE(w[1].find("not a date"), std::string::npos);
}

TEST_F(HgImport, AnalysesBeyondTheTableAreSkippedWithAWarning) {
    setmeascount(app.ws, 54999);
    writequarter(1, {analysis("a", "1001", "1/2/1999", "BITUMINOUS", "", "0.1"),
                     analysis("b", "1001", "1/2/1999", "BITUMINOUS", "", "0.2"),
                     analysis("c", "1001", "1/2/1999", "BITUMINOUS", "", "0.3")});
    ASSERT_TRUE(processHg(app, quarter(1)));
    EXPECT_EQ(meascount(app.ws), 55000);
    EXPECT_FLOAT_EQ(app.ws.meas(55000).hgppm, 0.1f);
    EXPECT_EQ(warnings().size(), 2u);
}

TEST_F(HgImport, TheMenuItemReadsTheFourQuartersFromAnEmptyTable) {
    setmeascount(app.ws, 30);
    for (int q = 1; q <= 4; ++q) {
        std::vector<std::string> lines;
        for (int i = 0; i < q + 1; ++i)
            lines.push_back(analysis("q" + std::to_string(q), "1001", std::to_string(3 * q) + "/1/1999", "BITUMINOUS",
                                     "", std::to_string(q)));
        writequarter(q, lines);
    }
    platform.answers.push_back((dir / "x.txt").string());
    app.main.menu("cmdreadhganalysis").Click();
    EXPECT_EQ(meascount(app.ws), 2 + 3 + 4 + 5);
    EXPECT_FLOAT_EQ(app.ws.meas(1).hgppm, 1);
    EXPECT_FLOAT_EQ(app.ws.meas(2).hgppm, 1);
    EXPECT_FLOAT_EQ(app.ws.meas(3).hgppm, 2);
    EXPECT_FLOAT_EQ(app.ws.meas(14).hgppm, 4);
    EXPECT_EQ(app.ws.meas(14).month, 12);
    EXPECT_EQ(platform.pumps, 4);
    EXPECT_EQ(app.main.Label11.Caption(), "no lines skipped or changed");
    EXPECT_TRUE(app.main.Label11.Visible());
    EXPECT_EQ(app.main.MousePointer(), 0);
}

TEST_F(HgImport, AMissingQuarterLeavesTheAnalysesAsTheyWere) {
    setmeascount(app.ws, 30);
    for (int q = 1; q <= 3; ++q) writequarter(q, {analysis("a", "1001", "1/2/1999", "BITUMINOUS", "", "0.1")});
    platform.answers.push_back((dir / "x.txt").string());
    app.main.menu("cmdreadhganalysis").Click();
    EXPECT_EQ(meascount(app.ws), 30);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_NE(platform.messages[0].find("hg4Qdatashort.txt"), std::string::npos);
    platform.answers.push_back("*");
    app.main.menu("cmdreadhganalysis").Click();
    EXPECT_EQ(platform.messages.size(), 1u);
}

TEST_F(HgImport, ValuesBeyondAFloatAndLinesWithoutKeyFieldsAreSkippedAndTold) {
    writequarter(1, {analysis("a", "1001", "3/15/1999", "bituminous", "", "1e39"),
                     analysis("b", "", "3/15/1999", "bituminous", "", "0.2"),
                     analysis("c", "1001", "3/15/1999", "bituminous", "", "-1e309"),
                     std::string("d\t1001\0\t", 8), analysis("e", "1001", "3/15/1999", "bituminous", "", "0.3"),
                     "", "\t\t"});
    processHg(app, quarter(1));
    ASSERT_EQ(meascount(app.ws), 1);
    EXPECT_FLOAT_EQ(app.ws.meas(1).hgppm, 0.3f);
    auto log = warnings();
    ASSERT_EQ(log.size(), 4u);  // the empty lines at the end are no analyses and not told
    const std::string file = " of " + quarter(1).string() + " skipped: ";
    EXPECT_EQ(log[0], "line 2" + file + "the mercury value 1e39 does not fit its field\r");
    EXPECT_EQ(log[1], "line 3" + file + "no plant code (field 2)\r");
    EXPECT_EQ(log[2], "line 4" + file + "the mercury value -1e309 does not fit its field\r");
    EXPECT_EQ(log[3], "line 5" + file + "it holds NUL bytes\r");
}

TEST_F(HgImport, DatesAreCheckedAgainstTheCalendar) {
    writequarter(1, {analysis("a", "1001", "2/30/1999", "bituminous", "", "0.1"),
                     analysis("b", "1001", "4/31/1999", "bituminous", "", "0.1"),
                     analysis("c", "1001", "2/29/2000", "bituminous", "", "0.1"),
                     analysis("d", "1001", "2/29/1900", "bituminous", "", "0.1")});
    processHg(app, quarter(1));
    ASSERT_EQ(meascount(app.ws), 4);
    for (long k : {1, 2, 4}) {
        EXPECT_EQ(app.ws.meas(k).month, 0) << k;
        EXPECT_EQ(app.ws.meas(k).year, 0) << k;
    }
    EXPECT_EQ(app.ws.meas(3).month, 2);
    EXPECT_EQ(app.ws.meas(3).year, 2000);
    EXPECT_EQ(warnings().size(), 3u);
}
