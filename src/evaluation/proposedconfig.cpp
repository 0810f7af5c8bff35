// The proposed stage of an evaluation: the proposed configuration becomes a boiler type, each
// fuel row gets its bin through the bin lookup, the coarser control codes, the hand-assigned
// configuration rows and the weighted scan, and the mercury to the stack with the proposed
// controls; the bin and factor cells are coloured by how the bin was found. Report section 4.0
// with the table of the five best bins of a row that needed the scan.
#include <string>

#include "app.h"
#include "common/numtext.h"
#include "common/textutil.h"
#include "evaluation/binscan.h"
#include "evaluation/evaluation.h"
#include "evaluation/evaluationtext.h"
#include "evaluation/matchlevels.h"
#include "evaluation/secondmethod.h"
#include "model/binfactors.h"
#include "model/binlookup.h"
#include "model/codes.h"
#include "report/numformat.h"
#include "report/reportbuffer.h"
#include "unitwindow/form1.h"

namespace brasket {

namespace {

// Entry `k` of a list, blanks at its end removed; an empty text where the list has no such entry.
std::string entry(const ComboBox& list, double k) {
    if (k < 0 || k >= list.ListCount()) return {};
    return rtrim(list.List(static_cast<int>(k)));
}

// The table of the five best bins of fuel row i (slot n = i + 1 of binmatches).
void topfivetable(App& app, int i, const std::string& n) {
    Form1& f = app.form1;
    const auto& slot = app.model.binmatches[static_cast<std::size_t>(i + 1)];
    reportline(app, " 4." + n + " Fuel number " + n + " " + f.Combo2[static_cast<std::size_t>(i)].Text());
    reportline(app, "       4." + n + ".1 Summary of fuel " + n + " future control performance");
    reportline(app, " ");
    reportline(app, " ________Evaluation of top 5 bin assignment matches_________________");
    reportline(app, " bin      desirability*     emission** ");
    reportline(app, " match     of match      modification factor");
    for (std::size_t k = 1; k <= 5; ++k) {
        const double bin = slot[k][0];
        std::string line = blankfield();
        putinfield(line, 2, formatnumber(bin, "##"));
        putinfield(line, 13, formatnumber(slot[k][1], "0.####"));
        const long b = static_cast<long>(bin);
        const double factor = app.ws.binindex.inbounds(b) ? app.ws.binindex(b).efactor : 0.0;
        putinfield(line, 30, formatnumber(factor, "0.####"));
        // The configuration of the built-in row the rank points at; an empty text where the
        // row or its codes lie outside the lists.
        const long r = static_cast<long>(slot[k][2]);
        std::string config;
        if (app.model.binconfig.inbounds(r, 0)) {
            const auto cfg = [&](long c) { return static_cast<double>(app.model.binconfig(r, c)); };
            config = "  " + entry(f.Combo3[0], cfg(2)) + "  " + entry(f.Combo3[3], cfg(3)) + "  " +
                     entry(f.Combo3[1], cfg(4)) + "  " + entry(f.Combo3[2], cfg(5)) + "  " +
                     entry(f.Combo2[0], cfg(1) - 1);
        }
        putinfield(line, 40, config);
        reportline(app, line);
    }
    reportline(app, "- - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - ");
    std::string spec = blankfield();
    putinfield(spec, 2, "Evaluation specifications........");
    putinfield(spec, 40,
               "  " + rtrim(f.Combo3[0].Text()) + "  " + rtrim(f.Combo3[3].Text()) + "  " + rtrim(f.Combo3[1].Text()) +
                   "  " + rtrim(f.Combo3[2].Text()) + "  " + rtrim(f.Combo2[static_cast<std::size_t>(i)].Text()));
    reportline(app, spec);
    reportline(app, "____________________________________________________________________");
    reportline(app, " *  The desirability has a value between 1.0 (exact) and 0 (no match)");
    reportline(app, "    and is based on similarities between existing bins and ");
    reportline(app, "    the characteristics that are specified for evaluation.");
    reportline(app, " ** The emission modification factor is the fraction of the mercury in the fuel ");
    reportline(app, "    that is emitted to the atmosphere through the stack.");
    reportline(app, " ");
}

}  // namespace

long proposedboiler(int g, int x, long existing) {
    struct Pair {
        int g, x;
        long b;
    };
    static constexpr Pair table[] = {{0, 0, 1},  {3, 2, 2},  {0, 3, 3},  {2, 3, 4},  {2, 0, 5},
                                     {3, 3, 6},  {1, 0, 7},  {1, 3, 10}, {1, 2, 11}, {0, 1, 13},
                                     {3, 0, 14}, {0, 2, 15}, {2, 2, 17}, {1, 1, 21}, {4, 0, 22}};
    for (const Pair& p : table)
        if (p.g == g && p.x == x) return p.b;
    return existing;
}

void proposedconfiguration(App& app, EvaluationRun& run) {
    Form1& f = app.form1;
    const int g = static_cast<int>(listcode(f.Combo3[0]));
    const int x = static_cast<int>(listcode(f.Combo3[3]));
    const long p = listcode(f.Combo3[1]);
    const long s = listcode(f.Combo3[2]);
    const long b = proposedboiler(g, x, run.existingboiler);
    const bool report = app.reportcalc == 1;

    if (report) {
        reportline(app, "4.0  EVALUATION OF PROPOSED (Future) FURNACE/BOILER MERCURY CONTROLS");
        reportline(app, "    This section presents an estimation of the effectiveness of the ");
        reportline(app, "potential mercury emission controls that were specified for evaluation.");
        reportline(app, " ");
        reportline(app, " The following controls were specified for evaluation.");
        reportline(app, " Furnace/boiler type:  " + f.Combo3[0].Text());
        reportline(app, " Furnace/boiler NOx control:  " + f.Combo3[3].Text());
        reportline(app, " Furnace/boiler particulate control:  " + f.Combo3[1].Text());
        reportline(app, " Furnace/boiler sulfur control:  " + f.Combo3[2].Text());
        reportline(app, " ");
    }

    clearbinmatches(app);

    for (int i = 0; i < 4; ++i) {
        const auto row = static_cast<std::size_t>(i);
        const long fuel = fuelcode(f, i);
        const long fc = fuelclass(f, i);
        const double h = cellvalue(f, 4 * i);
        const std::string n = formatnumber(i + 1, "#");
        const bool withfuel = hasfuel(f, i);

        double emission = 0, factor = 0;
        long bin = nobin;
        binlookup(app, h, emission, factor, fuel, b, s, p, bin, nounit);
        bool unity = bin == unitybin && unityconfiguration(s, p);
        if (bin == nobin) {
            long cs = s, cp = p;
            collapse(s, p, cs, cp);
            binlookup(app, h, emission, factor, fuel, b, cs, cp, bin, nounit);
            unity = bin == unitybin && unityconfiguration(cs, cp);
        }
        showbinlevel(f.Label14[row], boilertypematch);  // yellow: no exact match

        if (bin == nobin && withfuel) {
            const long manual = manualscan(app, fuel, g, x, p, s);
            app.model.binmatches[0][0][0] = i + 1;
            const long best = scanbins(app, fc, g, x, s, p);
            if (manual == nobin && f.warnlevel < 1 && !checkbinnumbermatch(app, i, best)) {
                app.platform.msgbox(
                    "There is no exact bin match in the manual bin assignments for your selections for fuel " +
                    fuelname(app.ws, fuel) +
                    "  When there is no match, no control can be assessed for this fuel in that unit. I have selected "
                    "the closest match to your Furnace/boiler characterization as bin " +
                    str(best));
            }
            if (report) topfivetable(app, i, n);
            bin = best;
            showbinlevel(f.Label14[row], scanmatch);  // orange: the scan chose
        }
        if (checkbinnumbermatch(app, i, bin)) showbinlevel(f.Label14[row], testmatch);

        double e = app.ws.binindex(bin).efactor;
        app.model.binfractions = binforms(app, bin, unity);
        if (e > 1 && mainwindow(app).Check1[1].Value() == 1) e = 1;
        const double xout = e * h;

        if (report && withfuel) {
            const std::array<double, 3> fr = app.model.binfractions;
            run.hgresults[1][row][0] = e * h;
            for (std::size_t k = 1; k <= 3; ++k) run.hgresults[1][row][k] = fr[k - 1] * e * h;
            reportline(app, "       4." + n + ".2 Summary of fuel " + n + " control evaluation");
            reportline(app, " ");
            reportline(app, "For the fuel " + f.Combo2[row].Text());
            reportline(app, "   Current mercury loading in this fuel is " + formatnumber(h, "######.###") + run.U);
            reportline(app, "   The bin evaluation for this unit is " + formatnumber(static_cast<double>(bin), "##"));
            reportline(app, "   Current estimated emission modification factor is                 " +
                                formatnumber(e, "#.###") + " (outlet/inlet).");
            reportline(app, "   Total estimated mercury emission after controls      " +
                                formatnumber(e * h, "######.###") + run.U);
            reportline(app, "     Total estimated particulate mercury after controls " + fmtnum(fr[0] * e * h));
            reportline(app, "     Total estimated oxidized mercury after controls    " + fmtnum(fr[1] * e * h));
            reportline(app, "     Total estimated elemental mercury after controls   " + fmtnum(fr[2] * e * h));
            reportline(app, " ");
            reportline(app, "@NEW PAGEL");
            reportline(app, "  4." + n + ".3 Emission control device background bin information");
            printbinnumber(app, bin, "  4." + n + ".4 Confidence limit discussion for control device performance");
            reportline(app, "@NEW PAGE");
            run.emfrange[row][0] = h;
            for (std::size_t k = 1; k <= 3; ++k) run.emfrange[row][k] = app.model.workvalues(static_cast<long>(k));
            app.model.binfractions = binforms(app, bin, unity);
        }

        if (withfuel) {
            f.Label14[row].Caption = formatnumber(static_cast<double>(bin), "##");
            // The factor shown is the bin's as it stands now (a listing above may have
            // recomputed it), limited to 1 for display only.
            double shown = app.ws.binindex(bin).efactor;
            if (shown > 1 && f.methodflag == 1) {
                shown = 1;
                f.Label26[row].BackColor = orangecell;
                f.Label26[row].ToolTipText =
                    "This is the emission modification factor.  The orange background indicates the EMF is limited to "
                    "1.0.";
            } else {
                f.Label26[row].BackColor = buttonfacecolor;
                f.Label26[row].ToolTipText = "This is the emission modification factor (with % removed by the control).";
            }
            if (f.methodflag != 1) shown = method2(app, i, false);
            f.Label26[row].Caption = formatnumber(shown, "0.###  (") + formatnumber(1 - shown, "#0.0%)");
        } else {
            f.Label14[row].Caption = "NA";
            f.Label26[row].Caption = " ";
            f.Label26[row].ToolTipText = "";
        }

        if (f.methodflag == 1) f.Label3[4 * row + 2].Caption = fmtnum(xout);
        else f.Label3[4 * row + 2].Caption = fmtnum(h * method2(app, i, false));
    }
}

}  // namespace brasket
