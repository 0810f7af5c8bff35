// The national emission report: every unit's mercury in and emitted from each fuel of its
// plant, computed as the state report computes it, with national totals; its speciated variant
// gives each unit's particulate, oxidized and elemental mercury.
#include <string>
#include <vector>

#include "app.h"
#include "common/numtext.h"
#include "common/textutil.h"
#include "model/binlookup.h"
#include "model/codes.h"
#include "report/numformat.h"
#include "reports/fleet.h"
#include "reports/fleetreports.h"

namespace brasket {
namespace {

const std::string reportname = "national emission report";
// The unit lines of the normal variant: the fuel column holds a whole fuel name (35 characters).
constexpr long normalwidth = 115;
// The fuel column runs from column 38 to the TAB before "kg Hg in" at 75: a longer name (a
// blend) is cut so that the TAB that ends it stays.
constexpr long fuelcolumn = 75 - 38 - 1;

std::string speciatedline(const std::string& unit, const std::string& plant, const MercurySplit& m) {
    Row row(102);
    row.at(8, unit).at(24, plant).at(46, fmtnum(m.part)).at(60, fmtnum(m.ox)).at(74, fmtnum(m.elem)).at(88, fmtnum(m.kg));
    return row.text();
}

}  // namespace

void cmdactslusum_Click(App& app) {
    Workset& ws = app.ws;
    const bool speciated = app.reportmode == unitspeciated;
    app.reportcalc = 0;
    startlisting(app);
    // Room is kept for the two closing lines.
    ReportBody body(app, 2);
    body.line("  NATIONAL EMISSIONS OF MERCURY");
    body.line(" Based upon plant reported fuel use and mercury tests.");
    body.line("");
    if (speciated)
        body.line(Row(102)
                      .at(1, "Cogen")
                      .at(8, "Unit")
                      .at(24, "Plant")
                      .at(46, "kg part.")
                      .at(60, "kg Hg++")
                      .at(74, "kg Hg(e)")
                      .at(88, "kg Hg(total)")
                      .text());
    else
        body.line(Row(normalwidth)
                      .at(1, tab("Plant"))
                      .at(22, tab("Unit"))
                      .at(38, tab("fuel"))
                      .at(75, tab("kg Hg in"))
                      .at(88, tab("bin"))
                      .at(93, tab("emf"))
                      .at(101, tab("kg Hg"))
                      .text());

    MercurySplit nation;
    const long n = fleetunitcount(app, reportname);
    for (long u = 1; u <= n; ++u) {
        const long p = reportplant(app, u, reportname);
        if (p < 0) continue;
        const std::vector<long> fuels = plantfuels(ws, p);
        if (fuels.empty()) {
            fleetwarning(app, reportname + ": " + unitdescription(ws, u) +
                                  (p == 0 ? " has no plant" : "'s plant lists no fuel") +
                                  "; no emission is estimated for it");
            continue;
        }
        const unitcrec& unit = ws.unitc(u);
        const std::string boilerid = ws.idunit(u).boilerid.str();
        const std::string plantname = ws.idplant(p).plantname.str();
        MercurySplit own;
        bool burned = false;
        for (long f : fuels) {
            const FuelEmission e = fuelemission(app, u, f, unit.modelboiler, unit.modelso2, unit.modelpm);
            nation.add(e);
            own.add(e);
            if (!(e.burned > 0)) continue;
            burned = true;
            if (e.bin == nobin)
                fleetwarning(app, reportname + ": fuel " + std::to_string(f) + " of " + unitdescription(ws, u) +
                                      " has no configuration row (bin 90); its mercury is counted as emitted");
            if (!speciated)
                body.line(Row(normalwidth)
                              .at(1, tab(plantname))
                              .at(22, tab(boilerid))
                              .at(38, tab(left(fuelname(ws, f), fuelcolumn)))
                              .at(75, tab(fmtnum(e.mercuryin)))
                              .at(88, tab(str(e.bin)))
                              .at(93, tab(formatnumber(e.factor, "#.####")))
                              .at(101, tab(fmtnum(e.emitted)))
                              .text());
        }
        // A unit that burned none of its plant's fuels has nothing to list.
        if (speciated && burned) body.line(speciatedline(boilerid, plantname, own));
    }

    if (speciated) {
        body.closing("_______________________________________________");
        body.closing(speciatedline("National Totals", "", nation));
    } else {
        body.closing("___________________________     ");
        body.closing(totalsline("National Totals", nation.kg));
    }
    reportline(app, "#");
    app.reportcalc = 0;
    showreport(app);
}

void cmdunitspecreport_Click(App& app) {
    ReportModeScope mode(app, unitspeciated);
    cmdactslusum_Click(app);
}

void cmdus_Click(App& app) {
    ReportModeScope mode(app, unitspeciated);
    cmdactslusum_Click(app);
}

}  // namespace brasket
