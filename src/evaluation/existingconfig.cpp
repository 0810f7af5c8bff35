// The existing stage of an evaluation: the bin of the unit's present configuration for each
// fuel row (through the bin lookup, or the weighted scan where the bin table has no row), the
// mercury to the stack with the existing controls, and report section 3.0.
#include <string>

#include "app.h"
#include "common/numtext.h"
#include "evaluation/binscan.h"
#include "evaluation/evaluation.h"
#include "evaluation/evaluationtext.h"
#include "evaluation/secondmethod.h"
#include "model/binfactors.h"
#include "model/binlookup.h"
#include "model/codes.h"
#include "report/numformat.h"
#include "report/reportbuffer.h"
#include "unitwindow/form1.h"

namespace brasket {

namespace {

// 1 + the position of the last entry of the row's fuel list whose item data is the fuel code.
long lastfuelclass(const ComboBox& fuels, long code) {
    long found = 0;
    for (int k = 0; k < fuels.ListCount(); ++k)
        if (fuels.ItemData(k) == code) found = k + 1;
    return found;
}

}  // namespace

void existingconfiguration(App& app, EvaluationRun& run) {
    Form1& f = app.form1;
    const long b = listcode(f.Combo1[0]);
    const long p = listcode(f.Combo1[1]);
    const long s = listcode(f.Combo1[2]);
    run.existingboiler = b;

    const bool report = app.reportcalc == 1;
    if (report) {
        reportline(app, "3.0  EVALUATION OF EXISTING (Current) FURNACE/BOILER MERCURY CONTROLS");
        if (app.newunitflag == 1) {
            reportline(app, "    You are evaluating a new unit and do not have an existing unit for ");
            reportline(app, "comparison.  Restart with the selection of an existing unit if you wish");
            reportline(app, "a comparison of your new unit to an existing unit.");
            reportline(app, " ");
        } else {
            reportline(app, "    This section presents an estimation of the effectiveness of the ");
            reportline(app, "existing mercury emission controls that were identified for this unit.");
            reportline(app, " ");
        }
    }

    // Each scan below records its best bins in the slot of its row.
    clearbinmatches(app);

    for (int i = 0; i < 4; ++i) {
        const auto row = static_cast<std::size_t>(i);
        const long fuel = fuelcode(f, i);
        const double h = cellvalue(f, 4 * i);
        double x = 0, e = 0;
        long bin = nobin;
        binlookup(app, h, x, e, fuel, b, s, p, bin, nounit);
        const bool unity = bin == unitybin && unityconfiguration(s, p);
        bool computerselected = false;
        if (bin == nobin) {
            // Groups start at 0 for every row, so an unclassified boiler type never inherits
            // the groups of the row before.
            int g = 0, n = 0;
            boilergroup(b, g);
            noxgroup(b, n);
            app.model.binmatches[0][0][0] = i + 1;
            bin = scanbins(app, lastfuelclass(f.Combo2[row], fuel), g, n, s, p);
            e = app.ws.binindex(bin).efactor;
            x = e * h;
            computerselected = true;
        }

        if (f.methodflag == 1) f.Label3[4 * row + 1].Caption = fmtnum(x);
        else f.Label3[4 * row + 1].Caption = fmtnum(h * method2(app, i, true));

        if (!report || !hasfuel(f, i)) continue;
        const std::string n = formatnumber(i + 1, "#");
        run.hgresults[3][row][0] = h;
        if (app.newunitflag == 0) {
            reportline(app, "3." + n + "  For the fuel " + f.Combo2[row].Text());
            reportline(app, "  3." + n + ".1 Summary of fuel " + n + " current control performance");
            reportline(app, "    Current mercury loading in this fuel is " + formatnumber(h, "######.###") + run.U);
            reportline(app, "    The bin evaluation for this unit is " + formatnumber(static_cast<double>(bin), "##"));
            if (computerselected) reportline(app, "    This bin was selected by the computer.");
            reportline(app, "    Current estimated emission modification factor is " + formatnumber(e, "#.###") +
                                " (outlet/inlet).");
            reportline(app, "    Total estimated mercury emission after controls     " + formatnumber(e * h, "######.###") +
                                run.U);
        }
        run.hgresults[0][row][0] = e * h;
        const std::array<double, 3> fractions = binforms(app, bin, unity);
        for (std::size_t k = 1; k <= 3; ++k) {
            app.model.binfractions[k - 1] = fractions[k - 1];
            run.hgresults[0][row][k] = fractions[k - 1] * e * h;
        }
        if (app.newunitflag == 0) {
            reportline(app, "     Total estimated particulate mercury after controls " + fmtnum(run.hgresults[0][row][1]));
            reportline(app, "     Total estimated oxidized mercury after controls    " + fmtnum(run.hgresults[0][row][2]));
            reportline(app, "     Total estimated elemental mercury after controls   " + fmtnum(run.hgresults[0][row][3]));
            reportline(app, " ");
            reportline(app, "@NEW PAGEL");
            reportline(app, "  3." + n + ".2 Emission control device background bin information");
            printbinnumber(app, bin, "  3." + n + ".3 Confidence limit discussion for control device performance");
            reportline(app, "@NEW PAGE");
        }
    }
}

}  // namespace brasket
