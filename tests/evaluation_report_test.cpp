// The long evaluation report: the weights of the best bins, the second method's range, the
// executive summary and contents at their line numbers, the sections 5.0 and 6.0, and the
// whole report of an example unit through the headless driver.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "app.h"
#include "common/numtext.h"
#include "common/textutil.h"
#include "data/workset.h"
#include "evaluation/evaluation.h"
#include "evaluation_lists.h"
#include "exampleset.h"
#include "golden.h"
#include "report/numformat.h"
#include "report/reportbuffer.h"
#include "ui/scripted_platform.h"
#include "unitwindow/form1.h"

namespace fs = std::filesystem;

namespace brasket {
namespace {

using namespace brasket::testing;

using Window = ExampleUnitWindow;

TEST(BinCandidates, DesirabilitiesWeighAndShareTheProbability) {
    std::array<double, 5> w{};
    const double sum = candidateweights({1.0, 0.5, 0.2, 0.2, 0.2}, w);
    EXPECT_DOUBLE_EQ(w[0], 3.0);
    EXPECT_DOUBLE_EQ(w[1], 0.5);
    EXPECT_DOUBLE_EQ(w[2], 0.1);
    EXPECT_DOUBLE_EQ(sum, 3.8);
    EXPECT_EQ(formatnumber(w[0] / sum, "0.####"), "0.7895");
    EXPECT_EQ(formatnumber(w[1] / sum, "0.####"), "0.1316");
    for (std::size_t k = 2; k < 5; ++k) EXPECT_EQ(formatnumber(w[k] / sum, "0.####"), "0.0263");
    // Stored as 32-bit numbers, 0.8 and 0.3 lie just above the thresholds.
    candidateweights({0.9, static_cast<double>(0.8f), static_cast<double>(0.3f), 0.25, 0.0}, w);
    EXPECT_DOUBLE_EQ(w[0], 2 * 0.9 * 1.5);
    EXPECT_DOUBLE_EQ(w[1], 2 * static_cast<double>(0.8f));
    EXPECT_DOUBLE_EQ(w[2], static_cast<double>(0.3f));
    EXPECT_DOUBLE_EQ(w[3], 0.125);
    EXPECT_DOUBLE_EQ(w[4], 0.0);
}

TEST(SecondMethodRange, AFactorGivesItsRemovalRange) {
    RemovalRange r = secondmethodrange(0.5);
    EXPECT_EQ(formatnumber(r.sd, "0.0000"), "0.1358");
    EXPECT_DOUBLE_EQ(r.removed, 0.5);
    EXPECT_EQ(formatnumber(r.high, "0.0000"), "0.7269");
    EXPECT_EQ(formatnumber(r.low, "0.0000"), "0.2731");
    // A negative factor has no spread.
    r = secondmethodrange(-0.2);
    EXPECT_EQ(r.sd, 0);
    EXPECT_DOUBLE_EQ(r.high, r.low);
}

TEST(ExecutiveSummary, ContentsStandAtTheirLinesAndTheCounterIsRestored) {
    Window w;
    cmdreport_Click(w.app);
    const ReportBuffer& rb = w.app.report;
    EXPECT_EQ(rb.line(1), "An Evaluation of a Control Alternative for an Electric Utility Furnace");
    EXPECT_EQ(rb.pageindex().substr(0, 1), "2");
    EXPECT_EQ(rb.line(4).substr(0, 24), "EXECUTIVE SUMMARY       ");
    EXPECT_EQ(rb.line(15).substr(0, 11), " BITUMINOUS");  // the one coal data line
    EXPECT_EQ(rb.line(17), "The total mercury in the fuels is 49.3063 kg/yr.");
    EXPECT_EQ(rb.line(33), "  Report TABLE OF CONTENTS");
    EXPECT_EQ(rb.line(35), " EXECUTIVE SUMMARY....................... (above)");
    EXPECT_EQ(rb.line(68), " 7.0 IDENTIFICATION OF EXISTING UNITS WITH SIMILAR CONTROLS");
    EXPECT_EQ(rb.line(71), "@NEW PAGE");
    EXPECT_EQ(rb.line(72), "1.0 UNIT CHARACTERIZATION DATA PROVIDED BY THE PLANT");
    EXPECT_GT(rb.reportlinecount, 200);
    EXPECT_TRUE(w.app.display.Visible());  // the report window shows the report
    EXPECT_EQ(w.app.reportcalc, 0);

    // Four fuel lines: the last contents line takes line 71.
    w.setrow(1, 3, "0.1", "1000");
    w.setrow(2, 4, "0.2", "2000");
    w.setrow(3, 5, "0.3", "3000");
    cmdreport_Click(w.app);
    EXPECT_EQ(rb.line(36), "  Report TABLE OF CONTENTS");
    EXPECT_EQ(rb.line(71), " 7.0 IDENTIFICATION OF EXISTING UNITS WITH SIMILAR CONTROLS");
    const std::string text = w.reporttext();
    // With several fuels section 5.0 closes with the table of all fuels.
    EXPECT_NE(text.find("    5.5. Speciated comparison of current and proposed controls for the combined fuels.\n"),
              std::string::npos);
    EXPECT_NE(text.find("                    Summary for all of the fuels.\n"), std::string::npos);
    EXPECT_NE(text.find("       6.4.5 Summary for the combined fuels.\n"), std::string::npos);
}

// With 0 to 4 fuel rows, with and without mercury whose form is not known (the last row's bin
// made one without speciation), the page mark and the contents keep their lines and section
// 1.0 keeps its heading.
TEST(ExecutiveSummary, TheNotSpeciatedLineKeepsTheContentsInsideTheirLines) {
    for (int n = 0; n <= 4; ++n) {
        for (bool rest : {false, true}) {
            if (rest && n == 0) continue;
            SCOPED_TRACE("fuel rows " + std::to_string(n) + (rest ? ", not speciated" : ""));
            Window w;  // unit 1: its bituminous coal in row 1, the same coal in the rows added
            const ReportBuffer& rb = w.app.report;
            const int coal = w.f.Combo2[0].ListIndex();
            if (n == 0) w.setrow(0, 1, "", "");
            for (int r = 1; r < 4; ++r)
                if (r < n) w.setrow(r, coal, "0.1", std::to_string(1000 * r));
                else w.setrow(r, 1, "", "");
            if (rest) {
                binindexrec& bin = w.app.ws.binindex(static_cast<long>(val(w.f.Label14[static_cast<std::size_t>(n - 1)].Caption())));
                ASSERT_GT(bin.efactor, 0);
                bin.partfrac = bin.oxfrac = bin.elemfrac = 0;
            }
            cmdreport_Click(w.app);
            bool notspeciated = false;
            for (long k = 20 + n; k <= 27 + n; ++k) notspeciated |= rb.line(k).rfind(" Not speciated Hg ", 0) == 0;
            EXPECT_EQ(notspeciated, rest);
            EXPECT_EQ(rb.line(30 + n), "@NEW PAGE");
            EXPECT_EQ(rb.line(32 + n), "  Report TABLE OF CONTENTS");
            EXPECT_EQ(rb.line(67 + n), " 7.0 IDENTIFICATION OF EXISTING UNITS WITH SIMILAR CONTROLS");
            for (long k = 68 + n; k <= 70; ++k) EXPECT_EQ(trim(rb.line(k)), "") << "line " << k;
            if (n < 4) {
                EXPECT_EQ(rb.line(71), "@NEW PAGE");
            }
            EXPECT_EQ(rb.line(72), "1.0 UNIT CHARACTERIZATION DATA PROVIDED BY THE PLANT");
        }
    }
}

// The value a line of the second method's table 6.4 c gives in its "Hg to stack" column.
double stackcolumn(const std::string& line) { return val(line.substr(24 + 37)); }

// Where the speciation for fuel and furnace has no forms, or forms that fall short of the
// fuel's mercury, the rest goes to the stack in a row of its own: the table's total to the
// stack is the window's proposed cell with method 2 shown, and the removal follows from it.
TEST(SecondMethodTable, MercuryWithoutAKnownFormGoesToTheStack) {
    Window w;
    cmdreport_Click(w.app);
    std::string text = w.reporttext();
    const auto binat = text.find("  speciation bin: ");
    ASSERT_NE(binat, std::string::npos);
    partfactors1rec& speciation = w.app.ws.partfactors1(static_cast<long>(val(text.substr(binat + 18, 4))));
    if (w.f.methodflag == 1) Command4_Click(w.app);  // method 2 shown
    struct Case {
        float part, ox, elem;
    };
    for (const Case c : {Case{0, 0, 0}, Case{0.05f, 0.3f, 0.2f}, Case{0.05f, 0.6f, 0.35f}}) {
        SCOPED_TRACE("speciation " + std::to_string(c.part) + " " + std::to_string(c.ox) + " " + std::to_string(c.elem));
        speciation.partfrac = c.part, speciation.oxfrac = c.ox, speciation.elemfrac = c.elem;
        calculates(w.app);
        const double in = val(w.cell(0)), window = val(w.cell(2));
        cmdreport_Click(w.app);
        std::vector<std::string> table;
        std::istringstream lines(w.reporttext());
        bool intable = false;
        for (std::string l; std::getline(lines, l);) {
            if (l.rfind("                    Method 2 for the fuel", 0) == 0) intable = true;
            if (intable) table.push_back(l);
            if (intable && l.rfind("  From a fraction removal of", 0) == 0) break;
        }
        ASSERT_GE(table.size(), 10u);
        const double sum = static_cast<double>(c.part) + c.ox + c.elem;
        const bool rest = sum < 0.999;
        ASSERT_EQ(table[6].rfind(rest ? " Not speciated Hg" : "                 ", 0), 0u) << table[6];
        const std::string& total = table[rest ? 8 : 7];
        ASSERT_EQ(total.rfind(" Total Hg ", 0), 0u) << total;
        EXPECT_NEAR(stackcolumn(total), window, 1e-4 * window);
        if (rest) {
            EXPECT_NEAR(stackcolumn(table[6]), in * (1 - sum), 1e-4 * in);
            EXPECT_EQ(trim(table[6].substr(24 + 18, 11)), "1.");  // the rest's EMF
        }
        EXPECT_NEAR(stackcolumn(table[rest ? 10 : 9]), 100 * (in - window) / in, 1e-3);  // percent reduction
        EXPECT_NEAR(val(table.back().substr(28)), 1 - window / in, 1e-3);
    }
}

// The long report takes a fuel row whose content overflows as it takes a negative one: the
// row's typed numbers in the fuel tables, nothing of it in the totals, every other line alike.
TEST(EvaluationReport, ARowTooLargeToEvaluateIsReportedAsANegativeOne) {
    Window w;
    w.setrow(1, 3, "0.2", "5000");
    auto reportwith = [&](const std::string& hg, const std::string& tons) {
        w.setrow(0, 2, hg, tons);
        cmdreport_Click(w.app);
        return w.reporttext();
    };
    const std::string negative = reportwith("-5", "1000");
    for (const auto& [hg, tons] : {std::pair{"1e999", "1000"}, std::pair{"0.2", "1e999"}}) {
        SCOPED_TRACE(std::string(hg) + " " + tons);
        const std::string overflow = reportwith(hg, tons);
        EXPECT_EQ(overflow.find("nfinity"), std::string::npos);
        std::istringstream a(negative), b(overflow);
        long lines = 0, differing = 0;
        for (std::string x, y; std::getline(a, x) && std::getline(b, y); ++lines) {
            if (x == y) continue;
            ++differing;
            // Only the fuel tables' row differs, by the numbers typed.
            EXPECT_EQ(x.substr(0, 30), y.substr(0, 30));
            EXPECT_NE(y.find(tons), std::string::npos) << y;
            EXPECT_NE(y.find(hg), std::string::npos) << y;
        }
        EXPECT_GT(lines, 100);
        EXPECT_EQ(differing, 2);  // the fuel tables of the executive summary and of section 2.0
        EXPECT_NE(overflow.find("The total mercury in the fuels is "), std::string::npos);
    }
}

TEST(ExecutiveSummary, OneFuelHasNoCombinedTableAndEmptyRowsTakeBackTheirHeadings) {
    Window w;
    cmdreport_Click(w.app);
    const std::string text = w.reporttext();
    // Each heading stands once in the contents; only fuel 1 has its table in section 5.0, the
    // empty rows' headings are taken back, and one table has no combined table.
    auto count = [&](const std::string& line) {
        long n = 0;
        for (auto at = text.find(line); at != std::string::npos; at = text.find(line, at + 1)) ++n;
        return n;
    };
    EXPECT_EQ(count("    5.1. Speciated comparison of current and proposed controls for fuel 1\n"), 2);
    EXPECT_EQ(count("    5.2. Speciated comparison of current and proposed controls for fuel 2\n"), 1);
    EXPECT_EQ(count("    5.4. Speciated comparison of current and proposed controls for fuel 4\n"), 1);
    EXPECT_EQ(count("    5.5. Speciated"), 0);
    EXPECT_NE(text.find("@NEW PAGE\n6.0  EVALUATION OF UNCERTAINTY IN THE ESTIMATED EFFECTIVENESS OF THE CONTROLS\n"),
              std::string::npos);
    EXPECT_NE(text.find("      bin selection        desirability       probability     emis factor\n"), std::string::npos);
    // The companion bins of the Monte Carlo draw stay set.
    EXPECT_EQ(w.app.model.testratiotable(10, 21), 1);
    EXPECT_EQ(w.app.model.testratiotable(38, 21), 24);
}

TEST(ExecutiveSummary, AnEvaluationOutsideTheLongReportLeavesAnotherReportWhole) {
    Window w;
    startreport(w.app, 1, 0);
    for (int i = 1; i <= 80; ++i) reportline(w.app, "line " + std::to_string(i));
    const long count = w.app.report.reportlinecount;
    calculates(w.app);
    EXPECT_EQ(w.app.report.reportlinecount, count);
    for (int i = 1; i <= 80; ++i) EXPECT_EQ(w.app.report.line(i), "line " + std::to_string(i));
    // The guard is released and the tool tips are set on every run.
    EXPECT_EQ(w.f.Label12.Caption(), "Y");
    EXPECT_NE(w.f.Label3[1].ToolTipText().find("For all fuels the emissions are"), std::string::npos);
}

TEST(ExecutiveSummary, PercentRemainingToolTips) {
    Window w;
    EvaluationRun run;
    run.u = "kg/yr";
    w.f.Combo2[1].setListIndex(3);
    w.f.Label3[0].Caption = "2";
    w.f.Label3[2].Caption = "0.5";
    w.f.Label3[4].Caption = "2";
    w.f.Label3[6].Caption = "0";
    executivesummary(w.app, run);
    const std::string a = w.f.Label3[3].ToolTipText(), b = w.f.Label3[7].ToolTipText();
    EXPECT_EQ(a.substr(a.size() - 8), " is 25 %");
    EXPECT_EQ(b.substr(b.size() - 6), " is  %");
    EXPECT_EQ(w.f.Label3[0].ToolTipText(),
              "Total Hg loading for the fuel BITUMINOUS  The Hg in all fuels are " + fmtnum(4) + " (kg/yr)");
}

std::string readall(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(EvaluationReport, TheLongReportOfAnExampleUnitThroughTheHeadlessDriver) {
    const testing::TempFolder folder("evaluation-report");
    const fs::path out = folder / "report.txt";
    // The driver's clock stands at the golden reports' moment; its date is written in universal time.
    const std::string cmd = "TZ=UTC '" + std::string(BRASKET_TOOLS_DIR) + "/brasket-batch' --data '" +
                            exampleworkingset().string() + "' --clock '1999-07-14 09:30:15' --unit 1 --report '" +
                            out.string() +
                            "' cmdreport_Click 2>/dev/null";
    const int raw = std::system(cmd.c_str());
    ASSERT_TRUE(WIFEXITED(raw));
    ASSERT_EQ(WEXITSTATUS(raw), 0);
    expectgolden("evaluation_report_unit1.txt", readall(out));
}

TEST(EvaluationReport, TheDriverRefusesAUnitThatIsNoUnitOfAPlant) {
    const std::string cmd = "'" + std::string(BRASKET_TOOLS_DIR) + "/brasket-batch' --data '" +
                            exampleworkingset().string() + "' --unit 1999 cmdreport_Click 2>/dev/null";
    const int raw = std::system(cmd.c_str());
    ASSERT_TRUE(WIFEXITED(raw));
    EXPECT_EQ(WEXITSTATUS(raw), 2);
}

// Over every unit of the full example fleet (the unity configuration, bins without
// speciation and fuels without a bin included): the executive summary's total is the window's
// proposed total, its forms never exceed it, and the forms with the not speciated rest make it
// up.
TEST(ExecutiveSummary, TheTotalIsTheWindowsTotalForEveryExampleUnit) {
    ScriptedPlatform platform;
    App app{platform};
    loadexampleset(app, platform, fullexampleworkingset());
    const long units = unitcount(app.ws);
    ASSERT_GT(units, 1000);
    long reported = 0, unspeciated = 0;
    for (long u = 1; u <= units; ++u) {
        if (!selectunit(app, u)) continue;
        cmdevaluateunit_Click(app);
        cmdreport_Click(app);
        const Form1& f = app.form1;
        double window = 0, in = 0;
        for (int i = 0; i < 4; ++i) {
            window += val(f.Label3[static_cast<std::size_t>(4 * i + 2)].Caption());
            in += val(f.Label3[static_cast<std::size_t>(4 * i)].Caption());
        }
        // The summary's six rows stand after its heading, in order.
        std::map<std::string, double> rows;
        bool insummary = false;
        for (long k = 4; k < 80; ++k) {
            const std::string l = app.report.line(k);
            if (l == "Summary of Air Emissions from the Evaluated Unit.") insummary = true;
            if (!insummary || l.size() < 24) continue;
            rows[trim(l.substr(0, 23))] = val(l.substr(23));
            if (l.rfind("System Percent Control", 0) == 0) break;
        }
        ASSERT_EQ(rows.count("Total Hg"), 1u) << "unit " << u;
        const double total = rows["Total Hg"];
        const double tolerance = 1e-4 * std::max(1.0, total);
        EXPECT_NEAR(total, window, tolerance) << "unit " << u;
        const double forms = rows["Particulate bound Hg"] + rows["Oxidized Hg"] + rows["Elemental Hg"];
        EXPECT_LE(forms, total + tolerance) << "unit " << u;
        EXPECT_NEAR(forms + rows["Not speciated Hg"], total, tolerance) << "unit " << u;
        if (in > 0) {
            EXPECT_NEAR(rows["System Percent Control"], 100 * (in - total) / in, 1e-3) << "unit " << u;
        }
        unspeciated += rows.count("Not speciated Hg");
        ++reported;
    }
    EXPECT_GT(reported, 1000);
    EXPECT_GT(unspeciated, 0);  // the fleet has fuels without a bin or without speciation
}

}  // namespace
}  // namespace brasket
