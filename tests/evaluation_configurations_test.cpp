// The existing and proposed configurations of an evaluation: the proposed boiler type, the
// cascade of bin searches with its cell colours, the factor cell and its limit, the warning box,
// and the report sections 3.0 and 4.0 with the table of the five best bins.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "app.h"
#include "common/numtext.h"
#include "evaluation/binscan.h"
#include "evaluation/evaluation.h"
#include "evaluation_lists.h"
#include "exampleset.h"
#include "model/codes.h"
#include "report/numformat.h"
#include "ui/scripted_platform.h"
#include "unitwindow/form1.h"

namespace brasket {
namespace {

using namespace brasket::testing;

struct Window : ExampleUnitWindow {
    // Proposed configuration: boiler group, NOx group, particulate code, SO2 code.
    void propose(int g, int x, int pm, int so2) { testing::propose(f, g, x, pm, so2); }
    // A configuration row of the bin table that only the coarse codes (particulate 2, SO2 3) of
    // the proposed configuration below reach.
    void coarserow(long bin) {
        binindexrec& row = app.ws.binindex(300);
        row.unitfuel = 203;
        row.unitboiler = 1;
        row.unitpm = 2;
        row.unitso2 = 3;
        row.unitcode = static_cast<u8>(bin);
    }
    // Takes the unit's existing configuration with its fuel code out of the configuration rows
    // (the rows stay non-empty, with fuel 0), so that the bin look-up no longer finds it.
    void takeoutexisting(long fuel) {
        for (long j = 1; j <= 300; ++j) {
            binindexrec& row = app.ws.binindex(j);
            if (row.unitfuel == fuel && row.unitboiler == f.Combo1[0].ListIndex() &&
                row.unitpm == f.Combo1[1].ListIndex() && row.unitso2 == f.Combo1[2].ListIndex())
                row.unitfuel = 0;
        }
    }
};

TEST(ProposedBoiler, GroupPairsGiveTheirBoilerTypeOthersKeepTheExisting) {
    EXPECT_EQ(proposedboiler(0, 1, 8), 13);  // CONV/PC with NOX/SCR
    EXPECT_EQ(proposedboiler(2, 1, 8), 8);   // STOKER with NOX/SCR is no pair
    EXPECT_EQ(proposedboiler(0, 0, 8), 1);
    EXPECT_EQ(proposedboiler(3, 2, 8), 2);
    EXPECT_EQ(proposedboiler(1, 1, 8), 21);
    EXPECT_EQ(proposedboiler(4, 0, 8), 22);
    EXPECT_EQ(proposedboiler(4, 3, 8), 8);
    EXPECT_EQ(proposedboiler(0, 5, 0), 0);
}

TEST(ProposedConfiguration, ABinReachedThroughTheCoarseCodesNeedsNoScan) {
    Window w;
    constexpr long bin = 40;
    w.coarserow(bin);
    w.app.ws.binindex(bin).efactor = 0.45f;
    w.propose(0, 0, 3, 0);  // particulate 3 and SO2 0 become 2 and 3
    EXPECT_EQ(w.f.Label14[0].Caption(), "40");
    EXPECT_EQ(w.f.Label14[0].BackColor(), yellowcell);
    EXPECT_EQ(w.f.Label26[0].Caption(), "0.45  (55.0%)");
    EXPECT_EQ(w.f.Label26[0].BackColor(), buttonfacecolor);
    EXPECT_EQ(w.cell(2), fmtnum(0.45f * val(w.cell(0))));
    for (const auto& rank : w.app.model.binmatches[1]) EXPECT_EQ(rank[0], 0);

    // In the long report the row has no table of the five best bins.
    cmdreport_Click(w.app);
    const std::string text = w.reporttext();
    EXPECT_EQ(text.find(" 4.1 Fuel number 1"), std::string::npos);
    EXPECT_NE(text.find("       4.1.2 Summary of fuel 1 control evaluation"), std::string::npos);
    EXPECT_NE(text.find("   The bin evaluation for this unit is 40\n"), std::string::npos);
}

// The factor shown and the emission computed agree as the window opens (the truncation box
// starts checked); unchecked, the emission takes the factor above 1 while the cell still
// shows it limited.
TEST(ProposedConfiguration, AFactorAboveOneIsShownAsOneAndLimitedInTheEmissionUnlessUnchecked) {
    Window w;
    constexpr long bin = 40;
    w.coarserow(bin);
    w.app.ws.binindex(bin).efactor = 1.2f;
    w.propose(0, 0, 3, 0);
    const double h = val(w.cell(0));
    ASSERT_GT(h, 0);
    EXPECT_EQ(w.f.Label26[0].Caption(), "1.  (0.0%)");
    EXPECT_EQ(w.f.Label26[0].BackColor(), orangecell);
    EXPECT_EQ(w.f.Label26[0].ToolTipText(),
              "This is the emission modification factor.  The orange background indicates the EMF is limited to 1.0.");
    EXPECT_EQ(w.cell(2), fmtnum(h));

    mainwindow(w.app).Check1[1].Value = 0;
    calculates(w.app);
    EXPECT_EQ(w.cell(2), fmtnum(1.2f * h));
    EXPECT_EQ(w.f.Label26[0].Caption(), "1.  (0.0%)");
    // The percent reduction is negative: red and bold.
    EXPECT_EQ(w.f.Label3[3].ForeColor(), redtext);
}

// The unity configuration (SO2 code 1 to 3 with particulate code 15 or 16) lets all mercury
// through with forms that are not known: its emission is the mercury in, its forms are 0, the
// executive summary gives the whole as not speciated mercury, and bin 45's stored speciation
// is left alone.
TEST(ProposedConfiguration, TheUnityConfigurationEmitsAllItsMercuryWithoutKnownForms) {
    Window w;
    binindexrec& unity = w.app.ws.binindex(45);
    unity.partfrac = 0.2f, unity.oxfrac = 0.3f, unity.elemfrac = 0.5f;
    w.propose(0, 0, 15, 2);
    const double h = val(w.cell(0));
    ASSERT_GT(h, 0);
    EXPECT_EQ(w.f.Label14[0].Caption(), "45");
    EXPECT_EQ(w.cell(2), w.cell(0));
    EXPECT_EQ(w.app.model.binfractions, (std::array<double, 3>{0, 0, 0}));

    cmdreport_Click(w.app);
    const std::string text = w.reporttext();
    EXPECT_NE(text.find("     Total estimated particulate mercury after controls .\n"), std::string::npos);
    EXPECT_NE(text.find(" Not speciated Hg   " + std::string(16, ' ') + fmtnum(h) + "\n"), std::string::npos) << text;
    EXPECT_NE(text.find(" Total Hg           " + std::string(16, ' ') + fmtnum(h) + "\n"), std::string::npos);
    EXPECT_EQ(unity.partfrac, 0.2f);
    EXPECT_EQ(unity.oxfrac, 0.3f);
    EXPECT_EQ(unity.elemfrac, 0.5f);
}

TEST(ProposedConfiguration, AScannedBinIsOrangeAndTheWarningFollowsTheWarnLevel) {
    Window w;
    w.setrow(0, 8, "1", "1000");  // WASTE BITUMINOUS has no configuration row
    w.propose(0, 0, 1, 8);
    EXPECT_EQ(w.f.Label14[0].BackColor(), orangecell);
    EXPECT_EQ(w.f.Label14[0].ToolTipText(),
              "This is the bin assignment.  Orange indicates a computer assigned best match.  See long report for "
              "details.");
    EXPECT_TRUE(w.platform.messages.empty());  // warnlevel 1 holds the warning

    // With warnings on, the box tells the scanned bin; a run started from the open box finds the
    // guard held and computes nothing.
    w.f.warnlevel = 0;
    int reentered = 0;
    std::string during;
    w.platform.onmessage = [&](const std::string&) {
        ++reentered;
        during = w.f.Label12.Caption();
        calculates(w.app);
    };
    calculates(w.app);
    ASSERT_EQ(w.platform.messages.size(), 1u);
    EXPECT_EQ(reentered, 1);
    EXPECT_EQ(during, "N");
    EXPECT_EQ(w.f.Label12.Caption(), "Y");
    EXPECT_EQ(w.platform.messages[0],
              "There is no exact bin match in the manual bin assignments for your selections for fuel " +
                  fuelname(w.app.ws, 209) +
                  "  When there is no match, no control can be assessed for this fuel in that unit. I have selected "
                  "the closest match to your Furnace/boiler characterization as bin " +
                  str(static_cast<long>(val(w.f.Label14[0].Caption()))));
    w.f.warnlevel = 2;
    calculates(w.app);
    EXPECT_EQ(w.platform.messages.size(), 1u);
}

TEST(ProposedConfiguration, TheLongReportListsTheFiveBestBinsOfAScannedRow) {
    Window w;
    w.setrow(0, 8, "1", "1000");
    w.propose(0, 3, 1, 8);
    cmdreport_Click(w.app);
    const std::string text = w.reporttext();
    const auto section = text.find("\n4.0  EVALUATION OF PROPOSED (Future) FURNACE/BOILER MERCURY CONTROLS");
    const auto at = text.find(" 4.1 Fuel number 1 ");
    ASSERT_NE(at, std::string::npos);
    EXPECT_LT(section, at);
    EXPECT_LT(at, text.find("       4.1.2 Summary of fuel 1 control evaluation", section));
    EXPECT_NE(text.find(" ________Evaluation of top 5 bin assignment matches_________________"), std::string::npos);
    // Each rank line shows the bin, its desirability and the configuration of its row.
    const auto& ranks = w.app.model.binmatches[1];
    const std::string first = " " + formatnumber(ranks[1][0], "##");
    EXPECT_NE(text.find(first), std::string::npos);
    EXPECT_NE(text.find(" Evaluation specifications........       CONV/PC  NONOX  ESP-CS"), std::string::npos);
    // The report is built once, with the guard released and reportcalc back to 0.
    EXPECT_EQ(w.app.reportcalc, 0);
    EXPECT_EQ(w.f.Label12.Caption(), "Y");
}

TEST(ExistingConfiguration, AConfigurationWithoutARowTakesTheScannedBinWithoutLimit) {
    Window w;
    // Without a configuration row for the unit's configuration and fuel code the scan chooses,
    // and its factor stands unlimited even with the truncation on.
    w.takeoutexisting(203);
    mainwindow(w.app).Check1[1].Value = 1;
    w.app.model.binmatches[0][0][0] = 0;
    int g = 0, x = 0;
    boilergroup(w.f.Combo1[0].ListIndex(), g);
    noxgroup(w.f.Combo1[0].ListIndex(), x);
    const long bin = scanbins(w.app, 3, g, x, w.f.Combo1[2].ListIndex(), w.f.Combo1[1].ListIndex());
    w.app.ws.binindex(bin).efactor = 1.2f;
    calculates(w.app);
    EXPECT_EQ(w.cell(1), fmtnum(1.2f * val(w.cell(0))));
    cmdreport_Click(w.app);
    const std::string text = w.reporttext();
    EXPECT_NE(text.find("3.1  For the fuel BITUMINOUS"), std::string::npos);
    EXPECT_NE(text.find("    The bin evaluation for this unit is " + formatnumber(static_cast<double>(bin), "##") +
                        "\n    This bin was selected by the computer.\n"),
              std::string::npos);
}

TEST(ExistingConfiguration, AConfigurationRowGivesItsBinAndNoComputerSelection) {
    Window w;
    // A row for the unit's own configuration and fuel code, the only one.
    w.takeoutexisting(203);
    binindexrec& row = w.app.ws.binindex(300);
    row.unitfuel = 203;
    row.unitboiler = static_cast<u8>(w.f.Combo1[0].ListIndex());
    row.unitpm = static_cast<u8>(w.f.Combo1[1].ListIndex());
    row.unitso2 = static_cast<u8>(w.f.Combo1[2].ListIndex());
    row.unitcode = 12;
    w.app.ws.binindex(12).efactor = 0.5f;
    calculates(w.app);
    EXPECT_EQ(w.cell(1), fmtnum(0.5f * val(w.cell(0))));
    // A new unit: only the heading and the notice, the tables still filled.
    cmdreport_Click(w.app);
    std::string text = w.reporttext();
    EXPECT_NE(text.find("    The bin evaluation for this unit is 12\n    Current estimated"), std::string::npos);
    w.app.newunitflag = 1;
    cmdreport_Click(w.app);
    text = w.reporttext();
    EXPECT_NE(text.find("    You are evaluating a new unit and do not have an existing unit for\n"), std::string::npos);
    EXPECT_EQ(text.find("3.1  For the fuel"), std::string::npos);
    EXPECT_NE(text.find("                  Hg in fuel                         Hg evaluation\n"), std::string::npos);
}

}  // namespace
}  // namespace brasket
