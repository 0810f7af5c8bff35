// The frame of one evaluation: the busy guard, the mass units, the mercury in of each fuel
// row, and after the two configuration stages the percent reductions, the totals and the
// summary sentences.
#include <cmath>
#include <string>

#include "app.h"
#include "common/numtext.h"
#include "evaluation/evaluation.h"
#include "evaluation/evaluationtext.h"
#include "report/numformat.h"
#include "report/reportbuffer.h"
#include "unitwindow/form1.h"

namespace brasket {

namespace {

// A percent cell: black when there is a reduction, otherwise red and bold.
void colourpercent(Label& cell, double r) {
    if (r > 0) {
        cell.ForeColor = blacktext;
        cell.FontBold = false;
    } else {
        cell.FontBold = true;
        cell.ForeColor = redtext;
    }
}

}  // namespace

void putinfield(std::string& field, long position, std::string_view text) {
    putat(field, position, text);
    if (field.size() > fieldwidth) field.resize(fieldwidth);
}

void calculates(App& app) {
    Form1& f = app.form1;
    if (f.Label12.Caption() == "N") return;
    f.Label12.Caption = "N";
    try {
        EvaluationRun run;
        if (f.showdetails == 1) {
            for (auto& bin : f.Label14) {
                if (f.methodflag == 1) {
                    f.Label15.Caption = "bins";
                    bin.Visible = true;
                } else {
                    f.Label15.Caption = "M 2";
                    bin.Visible = false;
                }
            }
        }
        mercuryin(app, run);
        existingconfiguration(app, run);
        proposedconfiguration(app, run);
        reductions(app, run);
        if (app.reportcalc == 1) summaryanduncertainty(app, run);
        executivesummary(app, run);  // releases the guard
    } catch (...) {
        // A failure inside a run must not leave the window unable to evaluate again.
        f.Label12.Caption = "Y";
        throw;
    }
}

void mercuryin(App& app, EvaluationRun& run) {
    Form1& f = app.form1;
    const double unitfactor = app.opt.unitfactor;
    run.c = 0.00090718 * 12 * unitfactor;
    const bool kilograms = unitfactor <= 2.0;
    run.U = kilograms ? " kg/yr." : " lb/yr.";
    run.u = kilograms ? "kg/yr" : "lb/yr";
    for (int i = 0; i < 4; ++i) {
        const auto r = static_cast<std::size_t>(i);
        double hg = val(f.Text1[r].Text());
        double tons = val(f.Text2[r].Text());
        run.notevaluated[r] = rowdefect(hg, tons, run.c);
        // A row that is not evaluated holds no mercury: it counts as empty, as for a text, and
        // the summary sentences say why.
        if (!run.notevaluated[r].empty()) hg = tons = 0;
        f.Label3[4 * r].Caption = fmtnum(run.c * hg * tons);
    }
}

std::string rowdefect(double hg, double tons, double c) {
    if (hg < 0 || tons < 0) return "is negative.";
    // A number that overflows ("1e999") is no amount of mercury; far below that, a loading
    // beyond any fuel would overflow in the emissions, their sums over the rows or the
    // report's ranges, and is not carried either.
    const double in = c * hg * tons;
    if (!std::isfinite(hg) || !std::isfinite(tons) || !std::isfinite(in) || in > largestloading)
        return "is too large to be evaluated.";
    return {};
}

void takebacklines(App& app, long n) {
    long& count = app.report.reportlinecount;
    count = count > n ? count - n : 0;
}

std::array<double, 3> binforms(const App& app, long bin, bool unity) {
    if (unity) return {0, 0, 0};
    const binindexrec& row = app.ws.binindex(bin);
    return {row.partfrac, row.oxfrac, row.elemfrac};
}

double cellvalue(const Form1& f, int cell) { return val(f.Label3.at(static_cast<std::size_t>(cell)).Caption()); }

void reductions(App& app, EvaluationRun& run) {
    Form1& f = app.form1;
    double sin = 0, sex = 0, spr = 0;
    for (int i = 0; i < 4; ++i) {
        const double e = cellvalue(f, 4 * i + 1);
        const double p = cellvalue(f, 4 * i + 2);
        const double r = e > 0 ? (e - p) / e : 0;
        Label& cell = f.Label3[static_cast<std::size_t>(4 * i + 3)];
        cell.Caption = formatnumber(100 * r, "###.####");
        colourpercent(cell, r);
        sin += cellvalue(f, 4 * i);
        sex += e;
        spr += p;
    }

    // With no existing emission the total shows no reduction rather than the previous unit's.
    double t = 0;
    if (sex > 0) t = 100 * (sex - spr) / sex;
    f.Label3[16].Caption = formatnumber(t, "###.####");
    colourpercent(f.Label3[16], t);

    f.Label3[17].Caption = sin > 0 ? formatnumber(spr / sin, "##0.####") : std::string();
    const double x = cellvalue(f, 17);
    // Without mercury in the fuels nothing is removed, so no share removed is shown.
    f.Label25.Caption = sin > 0 ? formatnumber(1 - x, "( ##0.0% remov.)") : std::string();
    std::string summary = "  These controls remove " + formatnumber(1 - x, " ##0% ") + " of the mercury in the coal.";
    if (app.newunitflag == 0)
        summary += "\n  This represents a reduction in existing emissions of  " + formatnumber(t, "##0") + " percent.";
    summary += "\n    (advanced) Click the above button to display more details.";
    if (sin == 0)
        summary =
            "You have no mercury in your coal.  Please specify the coal type, amount, and mercury content.  You may "
            "enter the numbers in the text boxes and select the fuel type from a list.";
    for (int i = 0; i < 4; ++i)
        if (const std::string& why = run.notevaluated[static_cast<std::size_t>(i)]; !why.empty())
            summary += "\n  Fuel " + std::to_string(i + 1) +
                       " is not evaluated: its mercury content or its dry tons per month " + why;
    f.Label13.Caption = summary;
}

}  // namespace brasket
