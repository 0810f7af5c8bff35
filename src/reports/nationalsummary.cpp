// The national summary by bin: each class of the bin-number table with the mercury its units
// take in and emit through the factor of the class's configuration, with national totals.
#include <string>

#include "app.h"
#include "common/numtext.h"
#include "import/importconduct.h"
#include "model/codes.h"
#include "report/numformat.h"
#include "reports/fleet.h"
#include "reports/fleetreports.h"

namespace brasket {
namespace {

const std::string reportname = "national summary by bin";

constexpr long fuelentries = 50;

}  // namespace

ReportModeScope::ReportModeScope(App& app, std::int16_t mode) : app_(app) { app_.reportmode = mode; }
ReportModeScope::~ReportModeScope() { app_.reportmode = normalreport; }

void printbins(App& app) {
    Workset& ws = app.ws;
    frmplants& w = mainwindow(app);
    w.Label19.Caption = "calculating unit type data ";
    showbusy(app, 0);
    startreport(app, 2, 2);
    w.Label9.Caption = "Preparing text for display ";
    const bool truncate = w.Check1[1].Value() == 1;

    // Room is kept for the underscore line and the two totals.
    ReportBody body(app, 3);
    for (const char* title :
         {"            Summary of National Mercury Emissions ", "                     methodology June 20, 2001",
          "  This summary presents the plants organized by type of unit and by the type",
          "  of fuel that is burned.  The first column is the bin number that represents",
          "  the type of unit and fuel.  The second column is the number of units in the data base",
          "  that are represented by that bin.  The third column is the total mercury input to these  ",
          "  units based upon coal burned and mercury analysis. The next two columns indicate codes    ",
          "  identifying the emission modification factor and the mercury emitted to the atmosphere.  The remaining ",
          "  columns indicate the identification of the emission modification factor and the characteristics of the "
          "bin.",
          " "})
        body.line(title);
    Row heading(120);
    heading.at(2, "Number").at(8, " kg Hg in").at(22, "emf").at(32, "kg Hg stack").at(45, "control");
    body.line(heading.text());

    long n = 0;
    ClassTotals totals;
    eachclass(app, fuelentries, 2.0, [&](const BinClass& k) {
        ClassFactor cf = classfactor(app, ++n, k, truncate, totals);
        cf.row.at(45, str(cf.bin) + " " + ws.binindex(cf.bin).Code.printable())
            .at(55, fuellabel(k.fuel))
            .at(70, ws.emfactor(k.b, 0).name.printable())
            .at(85, ws.emfactor(k.c, 2).name.printable())
            .at(96, ws.emfactor(k.d, 1).name.printable());
        body.line(cf.row.text());
    });

    body.closing("__________________________________________________");
    endclasslisting(app, body, totals, reportname);
}

void cmdnatsummary_Click(App& app) {
    // The busy panel is hidden and the mode put back on every way out.
    struct HideBusy {
        App& app;
        ~HideBusy() { showbusy(app, -3); }
    } hidebusy{app};
    ReportModeScope mode(app, nationalsummary);
    if (app.opt.partcorrmode == 100)
        printbins(app);
    else
        cmdactslusum_Click(app);
}

}  // namespace brasket
