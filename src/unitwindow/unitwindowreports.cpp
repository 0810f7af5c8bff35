// The reports of the unit evaluation window: the long evaluation report, the listing of the
// bin assignments the scan finds for the evaluated configuration, and the tested units whose
// fuel class matches the first fuel row.
#include <string>

#include "app.h"
#include "common/numtext.h"
#include "common/textutil.h"
#include "evaluation/binscan.h"
#include "evaluation/evaluation.h"
#include "evaluation/evaluationtext.h"
#include "model/binlookup.h"
#include "model/codes.h"
#include "model/testratios.h"
#include "report/frmdisplay.h"
#include "report/numformat.h"
#include "report/reportbuffer.h"
#include "unitwindow/form1.h"

namespace brasket {

namespace {

// Lines the long report keeps blank near its top for the executive summary and contents.
constexpr long summarylines = 70;

// 1.0: the unit as the data base describes it.
void unitcharacterization(App& app) {
    Form1& f = app.form1;
    const Workset& ws = app.ws;
    reportline(app, "1.0 UNIT CHARACTERIZATION DATA PROVIDED BY THE PLANT");
    const long u = app.currentunit;
    if (app.newunitflag == 0 && ws.unitc.inbounds(u) && u >= 1) {
        const unitcrec& unit = ws.unitc(u);
        const long p = unit.plantno;
        if (ws.plant.inbounds(p) && p >= 1) reportline(app, "   Plant:  " + rtrim(ws.plant(p).plantname.str()));
        reportline(app, "   Unit:  " + rtrim(unit.unitname.str()) + "   (unit number" + str(u) + ")");
        reportline(app, "   Capacity:  " + formatnumber(unit.mw, "0.0") + " MW");
    }
    reportline(app, "   Furnace/boiler type:  " + f.Combo1[0].Text());
    reportline(app, "   Furnace/boiler particulate control:  " + f.Combo1[1].Text());
    reportline(app, "   Furnace/boiler sulfur control:  " + f.Combo1[2].Text());
    reportline(app, " ");
}

// 2.0: the fuel rows as entered.
void coalburn(App& app) {
    reportline(app, "2.0 THE COAL BURN DATA INPUT FOR CHARACTERIZATION");
    coaldatatable(app);
    reportline(app, " ");
}

// 7.0: units of the data base whose model configuration is the proposed one.
void similarunits(App& app) {
    Form1& f = app.form1;
    const Workset& ws = app.ws;
    const int g = static_cast<int>(listcode(f.Combo3[0])), x = static_cast<int>(listcode(f.Combo3[3]));
    const long pm = listcode(f.Combo3[1]), so2 = listcode(f.Combo3[2]);
    reportline(app, "@NEW PAGE");
    reportline(app, "7.0 IDENTIFICATION OF EXISTING UNITS WITH SIMILAR CONTROLS");
    reportline(app, "   Units of the data base with the furnace/boiler group, NOx group, particulate and");
    reportline(app, "   sulfur controls that were specified for evaluation:");
    long found = 0;
    const long n = unitcount(ws);
    for (long u = 1; u <= n && ws.unitc.inbounds(u); ++u) {
        const unitcrec& unit = ws.unitc(u);
        int ug = 0, ux = 0;
        boilergroup(unit.modelboiler, ug);
        noxgroup(unit.modelboiler, ux);
        if (ug != g || ux != x || unit.modelpm != pm || unit.modelso2 != so2) continue;
        std::string field = blankfield();
        const long p = unit.plantno;
        putinfield(field, 5, ws.plant.inbounds(p) && p >= 1 ? rtrim(ws.plant(p).plantname.str()) : std::string());
        putinfield(field, 40, rtrim(unit.unitname.str()));
        putinfield(field, 60, formatnumber(unit.mw, "0.0") + " MW");
        reportline(app, field);
        ++found;
    }
    if (found == 0) reportline(app, "   No unit of the data base has these controls.");
}

}  // namespace

void cmdreport_Click(App& app) {
    unitwindow(app);
    ReportBuffer& rb = app.report;
    startreport(app, 2, 0);
    reportline(app, "An Evaluation of a Control Alternative for an Electric Utility Furnace");
    rb.reportlinecount = summarylines;  // lines 2..70 stay blank for the summary and contents
    reportline(app, "@NEW PAGE");
    unitcharacterization(app);
    coalburn(app);
    app.reportcalc = 1;
    try {
        calculates(app);
    } catch (...) {
        app.reportcalc = 0;
        throw;
    }
    app.reportcalc = 0;
    similarunits(app);
    reportpages(app, rb.reportlinecount);
    showreport(app);
}

void cmdbinassignments_Click(App& app) {
    Form1& f = unitwindow(app);
    const long g = listcode(f.Combo3[0]), x = listcode(f.Combo3[3]);
    const long pm = listcode(f.Combo3[1]), so2 = listcode(f.Combo3[2]);
    startreport(app, 1, 0);
    reportline(app, "Bin assignments of the evaluated configuration");
    for (int i = 0; i < 4; ++i) {
        if (!hasfuel(f, i)) continue;
        const auto slot = static_cast<std::size_t>(i + 1);
        app.model.binmatches[slot] = {};
        app.model.binmatches[0][0][0] = i + 1;
        const long bin = scanbins(app, fuelclass(f, i), g, x, so2, pm);
        reportline(app, " ");
        reportline(app, "Fuel " + std::to_string(i + 1) + "  " + f.Combo2[slot - 1].Text() + "   bin" + str(bin));
        reportline(app, " rank   bin   score");
        for (std::size_t k = 1; k <= 5; ++k) {
            const auto& m = app.model.binmatches[slot][k];
            if (m[0] == 0 && m[1] == 0) continue;  // the scan ended before ranking
            std::string field = blankfield();
            putinfield(field, 2, std::to_string(k));
            putinfield(field, 8, formatnumber(m[0], "##"));
            putinfield(field, 14, formatnumber(m[1], "0.####"));
            reportline(app, field);
        }
    }
    reportpages(app, app.report.reportlinecount);
    showreport(app);
}

void Form1_Command2_Click(App& app) {
    Form1& f = unitwindow(app);
    const Workset& ws = app.ws;
    const long fc = fuelclass(f, 0);
    const long binfuel = fuelto(fc);
    startreport(app, 1, 0);
    reportline(app, "Tested units matching the fuel of fuel row 1");
    reportline(app, " Fuel " + f.Combo2[0].Text() + "   fuel class" + str(fc) + "   test fuel class" + str(binfuel));
    reportline(app, " ");
    for (long j = 1; j <= lasttestrow && ws.binindex.inbounds(j); ++j) {
        const binindexrec& r = ws.binindex(j);
        long testfuel = r.testfuel;
        if (testfuel == 6 || testfuel == 1) testfuel = 3;
        if (rtrim(r.testname.str()).empty() || testfuel != binfuel) continue;
        std::string field = blankfield();
        putinfield(field, 2, rtrim(r.testname.str()));
        putinfield(field, 25, "bin" + str(static_cast<long>(r.testcode)));
        reportline(app, field);
    }
    reportpages(app, app.report.reportlinecount);
    showreport(app);
}

}  // namespace brasket
