// The end of every evaluation: while the long report is built, the executive summary and the
// table of contents over the blank lines the report keeps near its top (the line counter is
// put back afterwards); then the window's guard is released and the result cells get their
// tool tips.
#include <cmath>
#include <string>

#include "app.h"
#include "common/clocktext.h"
#include "common/textutil.h"
#include "evaluation/evaluation.h"
#include "evaluation/evaluationtext.h"
#include "report/numformat.h"
#include "report/reportbuffer.h"
#include "unitwindow/form1.h"

namespace brasket {

namespace {

const char* const underline = "___________________________________________________________________ ";

const char* const contents[] = {
    " EXECUTIVE SUMMARY....................... (above)",
    " 1.0 UNIT CHARACTERIZATION DATA PROVIDED BY THE PLANT",
    " 2.0 THE COAL BURN DATA INPUT FOR CHARACTERIZATION",
    " 3.0 EVALUATION OF CURRENT FURNACE/BOILER MERCURY CONTROLS",
    "    3.1 Fuel 1",
    "       3.1.1 Summary of fuel 1 current control performance",
    "       3.1.2 Emission control device background bin information",
    "       3.1.3 Confidence limit discussion for control device performance",
    "    3.2 Fuel 2 ...if used.  Similar to fuel 1.",
    " 4.0  EVALUATION OF PROPOSED (Future) FURNACE/BOILER MERCURY CONTROLS",
    "    4.1 Fuel 1",
    "       4.1.1 Summary of fuel 1 future control performance",
    "       4.1.2 Summary of fuel 1 control evaluation",
    "       4.1.3 Emission control device background bin information",
    "       4.1.4 Confidence limit discussion for control device performance",
    "    4.2 fuel 2 ...if used.  Similar to fuel 1.",
    " 5.0 SUMMARY OF THE ESTIMATED EFFECTIVENESS OF THE CONTROLS",
    "    5.1. Speciated comparison of current and proposed controls for fuel 1",
    "    5.2. Speciated comparison of current and proposed controls for fuel 2",
    "    5.3. Speciated comparison of current and proposed controls for fuel 3",
    "    5.4. Speciated comparison of current and proposed controls for fuel 4",
    "    5.5. All Fuel Speciated comparison",
    " 6.0  EVALUATION OF UNCERTAINTY IN THE ESTIMATED EFFECTIVENESS OF THE CONTROLS",
    "    6.1 Introductory Discussion ",
    "    6.2 Bin method estimate of confidence limits",
    "    6.3 Bin method confidence limits with bin selection uncertainty",
    "    6.4 Alternative method of estimating emission modification factors (method 2)",
    "      6.4.1 Fuel 1",
    "         a. Estimate of fraction removed for each species",
    "         b. Estimate of speciation for fuel and Furnace/boiler",
    "         c. Combined factors a+b for control effectiveness",
    "         d. Confidence limits for method 2 emission modification factors",
    "      6.4.2 Fuel 2....if used.  Similar to fuel 1.",
    " 7.0 IDENTIFICATION OF EXISTING UNITS WITH SIMILAR CONTROLS  "};

// A label followed by a field of blanks holding one text at a field position.
void summaryrow(App& app, const std::string& label, long position, const std::string& text) {
    std::string field = blankfield();
    if (!text.empty()) putinfield(field, position, text);
    reportline(app, label + field);
}

void writesummary(App& app, EvaluationRun& run) {
    Form1& f = app.form1;
    const long saved = app.report.reportlinecount;
    app.report.reportlinecount = 3;

    reportline(app, "EXECUTIVE SUMMARY       " + datetext(app.platform.now()));
    reportline(app, underline);
    reportline(app, "The following proposed system was evaluated. ");
    reportline(app, "   Furnace/boiler type:  " + f.Combo3[0].Text());
    reportline(app, "   Furnace/boiler NOx control:  " + f.Combo3[3].Text());
    reportline(app, "   Furnace/boiler particulate control:  " + f.Combo3[1].Text());
    reportline(app, "   Furnace/boiler sulfur control:  " + f.Combo3[2].Text());
    reportline(app, " ");
    reportline(app, "The following coal data were used in the evaluation. ");
    reportline(app, " ");
    coaldatatable(app);
    reportline(app, "   ");

    const double h = cellvalue(f, 0) + cellvalue(f, 4) + cellvalue(f, 8) + cellvalue(f, 12);
    reportline(app, "The total mercury in the fuels is " + formatnumber(h, "####.####") + " " + run.u + ".");
    reportline(app, " ");
    reportline(app, "Summary of Air Emissions from the Evaluated Unit.");
    reportline(app, "                                    Hg air emissions   ");
    reportline(app, "                                      (" + run.u + ")       ");
    // The total is what the fuel rows emit, as the window shows it; the forms are those their
    // bins know, and what they leave of the total is mercury whose form is not known.
    auto& total = run.hgresults[1][4];
    double forms = 0, s = 0;
    for (std::size_t g = 0; g < 4; ++g) s += run.hgresults[1][g][0];
    for (std::size_t k = 1; k <= 3; ++k) {
        total[k] = 0;
        for (std::size_t g = 0; g < 4; ++g) total[k] += run.hgresults[1][g][k];
        forms += total[k];
    }
    summaryrow(app, " Particulate bound Hg   ", 13, fmtnum(total[1]));
    summaryrow(app, " Oxidized Hg      ", 19, fmtnum(total[2]));
    summaryrow(app, " Elemental Hg     ", 19, fmtnum(total[3]));
    const bool restline = notspeciated(s, forms);
    if (restline) summaryrow(app, " Not speciated Hg ", 19, fmtnum(s - forms));
    summaryrow(app, "                  ", 19, "___________");
    summaryrow(app, " Total Hg         ", 19, fmtnum(s));
    summaryrow(app, "System Percent Control ", 9, h > 0 ? fmtnum(100 * (h - s) / h) : std::string());

    reportline(app, underline);
    reportline(app, " ");
    // The not speciated line takes the place of a blank one, so that the page mark and the
    // contents keep their lines and the contents never reach past the lines kept for them.
    if (!restline) reportline(app, " ");
    reportline(app, "@NEW PAGE");
    reportline(app, " ");
    reportline(app, "  Report TABLE OF CONTENTS");
    reportline(app, "___________________________________________________________________");
    for (const char* line : contents) reportline(app, line);

    app.report.reportlinecount = saved;
}

}  // namespace

bool notspeciated(double total, double forms) { return total - forms > 1e-4 * std::abs(total); }

void coaldatatable(App& app) {
    const Form1& f = app.form1;
    reportline(app, " Type of fuel                 dry tons/month      Mercury conc (ppmw)   ");
    for (int i = 0; i < 4; ++i) {
        if (nonerow(f, i)) continue;
        const auto r = static_cast<std::size_t>(i);
        std::string field = blankfield();
        putinfield(field, 2, f.Combo2[r].Text());
        putinfield(field, 30, f.Text2[r].Text());
        putinfield(field, 50, f.Text1[r].Text());
        reportline(app, field);
    }
}

void executivesummary(App& app, EvaluationRun& run) {
    Form1& f = app.form1;
    // Only the long report keeps lines for the summary; any other report in the buffer is left whole.
    if (app.reportcalc == 1) writesummary(app, run);
    f.Label12.Caption = "Y";

    double a = 0, x = 0, p = 0;
    for (int i = 0; i < 4; ++i) {
        const double in = cellvalue(f, 4 * i), proposed = cellvalue(f, 4 * i + 2);
        a += in;
        x += cellvalue(f, 4 * i + 1);
        p += proposed;
        const std::string name = rtrim(f.Combo2[static_cast<std::size_t>(i)].Text());
        f.Label3[static_cast<std::size_t>(4 * i + 3)].ToolTipText =
            in > 0 ? "% remaining after evaluation control for the fuel " + name + " is " +
                         formatnumber(proposed / in, "### %")
                   : std::string("No mercury in fuel");
    }
    for (int i = 0; i < 4; ++i) {
        const auto r = static_cast<std::size_t>(4 * i);
        const std::string name = rtrim(f.Combo2[static_cast<std::size_t>(i)].Text());
        f.Label3[r].ToolTipText =
            "Total Hg loading for the fuel " + name + "  The Hg in all fuels are " + fmtnum(a) + " (" + run.u + ")";
        f.Label3[r + 1].ToolTipText =
            "Emissions for the fuel " + name + "  For all fuels the emissions are " + fmtnum(x) + " (" + run.u + ")";
        f.Label3[r + 2].ToolTipText =
            "Emissions for the fuel " + name + "  For all fuels the emissions are " + fmtnum(p) + " (" + run.u + ")";
    }
}

}  // namespace brasket
