// The unit evaluation window and the frame of an evaluation: loading a unit of the example set,
// mercury in and the mass units, the busy guard, the percent and total cells, the summary
// sentences and the main window's unit chooser.
#include <gtest/gtest.h>

#include <limits>
#include <stdexcept>

#include "app.h"
#include "common/numtext.h"
#include "evaluation/evaluation.h"
#include "evaluation_lists.h"
#include "exampleset.h"
#include "golden.h"
#include "report/numformat.h"
#include "report/reportbuffer.h"
#include "ui/scripted_platform.h"
#include "unitwindow/form1.h"

namespace brasket {
namespace {

using namespace brasket::testing;

using Window = ExampleUnitWindow;

// The window's captions, colours and tool tips as text, one cell a line.
std::string windowcells(const Form1& f) {
    std::string out;
    auto line = [&](const std::string& name, const Label& l) {
        out += name + " [" + l.Caption() + "] fore " + std::to_string(l.ForeColor()) + " back " +
               std::to_string(l.BackColor()) + (l.FontBold() ? " bold" : "") + " tip [" + l.ToolTipText() + "]\n";
    };
    for (int k = 0; k < 18; ++k) line("Label3(" + std::to_string(k) + ")", f.Label3[static_cast<std::size_t>(k)]);
    for (int i = 0; i < 4; ++i) line("Label14(" + std::to_string(i) + ")", f.Label14[static_cast<std::size_t>(i)]);
    for (int i = 0; i < 4; ++i) line("Label26(" + std::to_string(i) + ")", f.Label26[static_cast<std::size_t>(i)]);
    line("Label15", f.Label15);
    line("Label25", f.Label25);
    line("Label13", f.Label13);
    line("Label17", f.Label17);
    for (int i = 0; i < 4; ++i) {
        const auto r = static_cast<std::size_t>(i);
        out += "row " + std::to_string(i) + ": " + f.Combo2[r].Text() + " | " + f.Text1[r].Text() + " | " +
               f.Text2[r].Text() + "\n";
    }
    for (int i = 0; i < 4; ++i) out += "Combo1(" + std::to_string(i) + "): " + f.Combo1[static_cast<std::size_t>(i)].Text() + "\n";
    for (int i = 0; i < 4; ++i) out += "Combo3(" + std::to_string(i) + "): " + f.Combo3[static_cast<std::size_t>(i)].Text() + "\n";
    return out;
}

TEST(EvaluationWindow, LoadsTheChosenUnitWithItsFuelsConfigurationAndResults) {
    Window w;
    EXPECT_TRUE(w.f.loaded);
    EXPECT_EQ(w.app.currentplant, w.app.ws.idunit(1).plantno);
    EXPECT_EQ(w.app.currentunit, 1);
    EXPECT_EQ(w.f.Label12.Caption(), "Y");
    EXPECT_EQ(w.f.loadingflag, 0);
    // The fuel list: eighteen entries with their codes, the second being the empty row.
    const ComboBox& fuels = w.f.Combo2[0];
    ASSERT_EQ(fuels.ListCount(), 18);
    EXPECT_EQ(fuels.ItemData(0), 102);
    EXPECT_EQ(fuels.ItemData(1), 202);
    EXPECT_EQ(fuels.List(1).substr(0, 4), "NONE");
    EXPECT_EQ(fuels.ItemData(17), 308);
    EXPECT_EQ(fuels.List(13), "Subbit/Bit");
    for (const auto& list : w.f.Combo1) EXPECT_EQ(list.ListCount(), 31);
    EXPECT_EQ(w.f.Combo3[0].ListCount(), 5);
    EXPECT_EQ(w.f.Combo3[3].ListCount(), 6);
    EXPECT_FALSE(w.f.menu("cmdloadefacts").Visible());
    EXPECT_EQ(w.f.menu("cmdreport").Caption(), "view the report");
    // The existing configuration is the unit's model codes.
    const unitcrec& unit = w.app.ws.unitc(1);
    EXPECT_EQ(w.f.Combo1[0].ListIndex(), unit.modelboiler);
    EXPECT_EQ(w.f.Combo1[1].ListIndex(), unit.modelpm);
    EXPECT_EQ(w.f.Combo1[2].ListIndex(), unit.modelso2);
    // Every result cell, colour and tool tip of the example unit.
    expectgolden("evaluation_window_unit1.txt", windowcells(w.f));
}

TEST(EvaluationWindow, AFuelRowIsTheYearsMonthlyMeanWithoutUndatedFuelUse) {
    ScriptedPlatform platform;
    App app{platform};
    loadexampleset(app, platform);
    unitcoalrec& undated = app.ws.unitcoal(1, 0);
    undated.fuelnum[1] = app.ws.unitcoal(1, 1).fuelnum[1];
    undated.drytons[1] = 1.2e6f;
    undated.hgppm[1] = 50;
    ASSERT_TRUE(selectunit(app, 1));
    cmdevaluateunit_Click(app);
    ExampleUnitWindow plain;
    EXPECT_EQ(app.form1.Text2[0].Text(), plain.f.Text2[0].Text());
    EXPECT_EQ(app.form1.Text1[0].Text(), plain.f.Text1[0].Text());
}

TEST(EvaluationWindow, ResultCellsAddUpAsShown) {
    Window w;
    w.setrow(1, 3, "0.2", "5000");  // SUBBITUMINOUS beside the unit's own fuel
    double sin = 0, sex = 0, spr = 0;
    for (int i = 0; i < 4; ++i) {
        const double in = val(w.cell(4 * i)), e = val(w.cell(4 * i + 1)), p = val(w.cell(4 * i + 2));
        sin += in, sex += e, spr += p;
        const double r = e > 0 ? (e - p) / e : 0;
        EXPECT_EQ(w.cell(4 * i + 3), formatnumber(100 * r, "###.####")) << "row " << i;
    }
    ASSERT_GT(sin, 0);
    EXPECT_EQ(w.cell(16), formatnumber(100 * (sex - spr) / sex, "###.####"));
    EXPECT_EQ(w.cell(17), formatnumber(spr / sin, "##0.####"));
    EXPECT_EQ(w.f.Label25.Caption(), formatnumber(1 - val(w.cell(17)), "( ##0.0% remov.)"));
    EXPECT_NE(w.f.Label13.Caption().find("  These controls remove "), std::string::npos);
    EXPECT_NE(w.f.Label13.Caption().find("\n  This represents a reduction in existing emissions of  "), std::string::npos);
}

TEST(EvaluationWindow, MercuryInIsKilogramsOrPoundsAYear) {
    Window w;
    w.clearrows();
    w.setrow(0, 2, "2.5", "10 000");  // a blank inside a number is ignored
    EXPECT_EQ(w.cell(0), "272.154");
    EXPECT_NE(w.f.Label3[0].ToolTipText().find("(kg/yr)"), std::string::npos);
    Command3_Click(w.app);
    EXPECT_EQ(w.f.Command3.Caption(), "report as kg/yr.");
    EXPECT_EQ(w.cell(0), "599.9907");
    EXPECT_NE(w.f.Label3[0].ToolTipText().find("(lb/yr)"), std::string::npos);
    Command3_Click(w.app);
    EXPECT_EQ(w.cell(0), "272.154");
    // A factor of exactly 2 still counts as kilograms.
    w.app.opt.unitfactor = 2.0;
    calculates(w.app);
    EXPECT_NE(w.f.Label3[0].ToolTipText().find("(kg/yr)"), std::string::npos);
}

TEST(EvaluationWindow, WithoutMercuryTheCellsSayNothingIsRemovedAndWhy) {
    Window w;
    w.f.Label3[16].Caption = "12.5";  // as a previous unit would have left it
    w.clearrows();
    for (int k = 0; k < 16; ++k) EXPECT_EQ(val(w.cell(k)), 0) << k;
    // No existing emission: the total shows no reduction, red and bold, not the old text.
    EXPECT_EQ(w.cell(16), ".");
    EXPECT_EQ(w.f.Label3[16].ForeColor(), redtext);
    EXPECT_TRUE(w.f.Label3[16].FontBold());
    EXPECT_EQ(w.cell(3), ".");
    EXPECT_TRUE(w.f.Label3[3].FontBold());
    EXPECT_EQ(w.cell(17), "");
    // Nothing was removed: no share removed is claimed.
    EXPECT_EQ(w.f.Label25.Caption(), "");
    EXPECT_EQ(w.f.Label13.Caption(),
              "You have no mercury in your coal.  Please specify the coal type, amount, and mercury content.  You may "
              "enter the numbers in the text boxes and select the fuel type from a list.");
    EXPECT_EQ(w.f.Label3[3].ToolTipText(), "No mercury in fuel");
    EXPECT_EQ(w.f.Label14[0].Caption(), "NA");
    EXPECT_EQ(w.f.Label26[0].Caption(), " ");
}

// A negative content or tonnage is taken as a text is: the row holds no mercury, emits none,
// and the summary sentences name the row.
TEST(EvaluationWindow, ANegativeContentOrTonnageIsNotEvaluatedAndTheHintSaysWhy) {
    Window w;
    w.clearrows();
    w.setrow(0, 2, "-5", "1000");
    for (int k = 0; k < 3; ++k) EXPECT_EQ(val(w.cell(k)), 0) << k;
    EXPECT_EQ(w.f.Label25.Caption(), "");
    EXPECT_EQ(w.f.Label13.Caption().find("These controls remove"), std::string::npos);
    EXPECT_NE(w.f.Label13.Caption().find(
                  "\n  Fuel 1 is not evaluated: its mercury content or its dry tons per month is negative."),
              std::string::npos);

    // Beside a row with mercury the total counts only that row.
    w.setrow(1, 3, "0.2", "-5000");
    w.setrow(2, 3, "0.2", "5000");
    EXPECT_EQ(val(w.cell(4)), 0);
    EXPECT_GT(val(w.cell(8)), 0);
    EXPECT_EQ(val(w.cell(17)), val(w.cell(10)) / val(w.cell(8)));
    EXPECT_NE(w.f.Label13.Caption().find("  These controls remove "), std::string::npos);
    EXPECT_NE(w.f.Label13.Caption().find("Fuel 2 is not evaluated"), std::string::npos);
    EXPECT_NE(w.f.Label13.Caption().find("Fuel 1 is not evaluated"), std::string::npos);

    w.setrow(0, 2, "5", "1000");
    EXPECT_GT(val(w.cell(0)), 0);
    EXPECT_EQ(w.f.Label13.Caption().find("Fuel 1 is not evaluated"), std::string::npos);
}

// A number that overflows ("1e999"), or a content and tonnage whose loading would, is no amount
// of mercury either: the row is left out as a negative one is, the summary says why, and no cell
// shows an infinity.
TEST(EvaluationWindow, ANumberTooLargeToEvaluateIsNotEvaluatedAndTheHintSaysWhy) {
    Window w;
    w.clearrows();
    w.setrow(1, 3, "0.2", "5000");
    const std::string alone = windowcells(w.f);
    struct Case {
        const char *hg, *tons;
    };
    for (const Case c : {Case{"1e999", "1000"}, Case{"0.2", "1e999"}, Case{"1e999", "0"}, Case{"1e200", "1e200"},
                         Case{"1e305", "1"}}) {
        SCOPED_TRACE(std::string(c.hg) + " ppmw, " + c.tons + " tons");
        w.setrow(0, 2, c.hg, c.tons);
        for (int k = 0; k < 18; ++k) {
            EXPECT_EQ(w.cell(k).find("nfinity"), std::string::npos) << k;
            EXPECT_EQ(w.cell(k).find("NaN"), std::string::npos) << k;
        }
        for (int k = 0; k < 3; ++k) EXPECT_EQ(val(w.cell(k)), 0) << k;
        EXPECT_NE(w.f.Label13.Caption().find("\n  Fuel 1 is not evaluated: its mercury content or its dry tons per "
                                             "month is too large to be evaluated."),
                  std::string::npos);
        // The other row's results and the totals are those without the row.
        std::string cells = windowcells(w.f);
        EXPECT_EQ(cells.substr(cells.find("Label3(4)"), cells.find("Label14(0)") - cells.find("Label3(4)")),
                  alone.substr(alone.find("Label3(4)"), alone.find("Label14(0)") - alone.find("Label3(4)")));
        EXPECT_NE(w.f.Label13.Caption().find("  These controls remove "), std::string::npos);
    }
    // Just below the largest loading carried, the row is evaluated.
    const double justbelow = largestloading / 2;
    EXPECT_EQ(rowdefect(justbelow, 1, 1), "");
    EXPECT_EQ(rowdefect(largestloading * 2, 1, 1), "is too large to be evaluated.");
    EXPECT_EQ(rowdefect(-std::numeric_limits<double>::infinity(), 5, 1), "is negative.");
    w.setrow(0, 2, "5", "1000");
    EXPECT_GT(val(w.cell(0)), 0);
    EXPECT_EQ(w.f.Label13.Caption().find("is not evaluated"), std::string::npos);
}

TEST(EvaluationWindow, TheGuardBlocksASecondRunAndIsReleasedAfterAFailure) {
    Window w;
    const std::string before = w.cell(0);
    w.f.Label12.Caption = "N";
    w.f.Text1[0].setText("99");
    EXPECT_EQ(w.cell(0), before);  // blocked: nothing computed
    w.f.Label12.Caption = "Y";

    // While loading, change handlers do not evaluate.
    w.f.loadingflag = 1;
    w.f.Text2[0].setText("1");
    EXPECT_EQ(w.cell(0), before);
    w.f.loadingflag = 0;

    // A failure inside a run (here from the warning box) leaves the window able to evaluate again.
    w.setrow(0, 8, "1", "1000");  // WASTE BITUMINOUS: no bin of its own
    w.f.Combo3[2].setListIndex(8);
    w.f.warnlevel = 0;
    w.platform.onmessage = [](const std::string&) { throw std::runtime_error("box failed"); };
    EXPECT_THROW(calculates(w.app), std::runtime_error);
    EXPECT_EQ(w.f.Label12.Caption(), "Y");
    w.platform.onmessage = nullptr;
    w.f.warnlevel = 1;
    w.f.Text1[0].setText("2");
    EXPECT_EQ(w.cell(0), fmtnum(0.00090718 * 12 * 2 * 1000));
}

TEST(EvaluationWindow, MethodToggleShowsTheSecondMethodAndItsHeading) {
    Window w;
    EXPECT_EQ(w.f.Label15.Caption(), "bins");
    EXPECT_TRUE(w.f.Label14[0].Visible());
    Command4_Click(w.app);
    EXPECT_EQ(w.f.methodflag, 0);
    EXPECT_EQ(w.f.Label15.Caption(), "M 2");
    EXPECT_FALSE(w.f.Label14[0].Visible());
    Command4_Click(w.app);
    EXPECT_EQ(w.f.Label15.Caption(), "bins");
}

TEST(EvaluationWindow, MercuryHelpListsTheSuppliersOfTheRowsFuel) {
    Window w;
    Workset& ws = w.app.ws;
    auto supplier = [&](long k, const char* mine, i16 fueltype, float hg) {
        coalsupplyrec& s = ws.coalsupply(k);
        s.name1 = "Supplier " + std::to_string(k);
        s.name2 = mine;
        s.name3 = "Seam";
        s.fueltype = fueltype;
        s.mercury = hg;
        s.ash = 9.5f;
    };
    supplier(1, "North Mine", 3, 0.12f);
    supplier(2, "South Mine", 4, 0.07f);
    supplier(3, "East Mine", 203, 0.2f);
    setcoalsupplycount(ws, 3);
    Text1_GotFocus(w.app, 0);  // the row burns BITUMINOUS, fuel 3 (code 203)
    ASSERT_EQ(w.f.List1.ListCount(), 2);
    EXPECT_EQ(w.f.List1.List(0), "Supplier 1\\North Mine\\Seam  (" + fmtnum(0.12f) + ")");
    EXPECT_EQ(w.f.List1.List(1).substr(0, 20), "Supplier 3\\East Mine");
    w.f.List1.setListIndex(0);
    ASSERT_EQ(w.platform.messages.size(), 1u);
    const std::string& m = w.platform.messages[0];
    EXPECT_EQ(m.rfind("The mercury is " + fmtnum(0.12f), 0), 0u);
    EXPECT_NE(m.find("The ash is " + fmtnum(9.5f)), std::string::npos);
    EXPECT_NE(m.find("the type is  3"), std::string::npos);
    EXPECT_NE(m.find("the BTU/lb is "), std::string::npos);
}

TEST(EvaluationWindow, BinListingsOfTheScanAndTheFuelClassMatch) {
    Window w;
    cmdbinassignments_Click(w.app);
    const ReportBuffer& rb = w.app.report;
    EXPECT_EQ(rb.line(1), "Bin assignments of the evaluated configuration");
    EXPECT_EQ(rb.line(3).substr(0, 18), "Fuel 1  BITUMINOUS");
    EXPECT_EQ(rb.line(4), " rank   bin   score");
    // The five ranked bins with their scores, best first.
    const auto& ranks = w.app.model.binmatches[1];
    for (std::size_t k = 1; k <= 5; ++k) {
        const std::string& line = rb.line(4 + static_cast<long>(k));
        EXPECT_EQ(line.substr(0, 2), " " + std::to_string(k));
        EXPECT_NE(line.find(formatnumber(ranks[k][1], "0.####")), std::string::npos) << line;
    }
    EXPECT_GE(ranks[1][1], ranks[2][1]);
    expectgolden("evaluation_bin_assignments_unit1.txt", reporttext(rb));

    Form1_Command2_Click(w.app);
    EXPECT_EQ(rb.line(1), "Tested units matching the fuel of fuel row 1");
    EXPECT_NE(rb.line(2).find("fuel class 3   test fuel class 3"), std::string::npos);
    EXPECT_TRUE(w.app.display.Visible());
    expectgolden("evaluation_fuel_class_match_unit1.txt", reporttext(rb));
}

TEST(UnitChooser, PlantListsItsUnitsAndAUnitBecomesCurrent) {
    ScriptedPlatform platform;
    App app(platform);
    loadexampleset(app, platform);
    frmplants& m = mainwindow(app);
    m.List3.setListIndex(0);
    EXPECT_EQ(app.currentplant, 1);
    ASSERT_GT(m.List8.ListCount(), 0);
    m.List8.setListIndex(0);
    EXPECT_EQ(app.plantunitindex, m.List8.ItemData(0));
    EXPECT_EQ(app.currentunit, app.ws.idplant(1).unitno[static_cast<std::size_t>(app.plantunitindex)]);
    EXPECT_FALSE(selectunit(app, 0));
    EXPECT_FALSE(selectunit(app, 5000));
    // Without a unit chosen, "Evaluate unit" only asks for one.
    ScriptedPlatform p2;
    App fresh(p2);
    loadexampleset(fresh, p2);
    cmdevaluateunit_Click(fresh);
    EXPECT_FALSE(fresh.form1.loaded);
    EXPECT_EQ(p2.messages.size(), 1u);
}

}  // namespace
}  // namespace brasket
