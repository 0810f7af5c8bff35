#include <array>
#include <string>

#include "app.h"
#include "common/numtext.h"
#include "common/textutil.h"
#include "import/fuelchecks.h"
#include "mainwindow/frmplants.h"
#include "report/frmdisplay.h"
#include "report/reportbuffer.h"

namespace brasket {
namespace {

constexpr long checkedplants = 500;
constexpr long unitpositions = 35;  // positions of a plant, as the unit import stores them
constexpr long unitslots = 4;

const std::array<const char*, 13> monthnames{"",    "Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                             "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// The start of a unit's line: the plant name (50 characters), the boiler id (15); a plant
// number outside the plant table gives blanks of the name's width.
std::string unittext(const Workset& ws, long u) {
    const idunitrec& id = ws.idunit(u);
    const std::string plantname =
        decltype(ws.plant)::inbounds(id.plantno) ? ws.plant(id.plantno).plantname.str() : space(50);
    return plantname + "  " + id.boilerid.str() + " ";
}

void checkunit(App& app, long u) {
    const Workset& ws = app.ws;
    std::array<float, 13> burn{};
    float year = 0;
    for (long m = 1; m <= 12; ++m) {
        const unitcoalrec& c = ws.unitcoal(u, m);
        for (long f = 1; f <= unitslots; ++f) burn[static_cast<std::size_t>(m)] += c.drytons[static_cast<std::size_t>(f)];
        year += burn[static_cast<std::size_t>(m)];
    }
    const float avg = year / 12.0f;
    if (avg == 0) {
        reportline(app, unittext(ws, u) + " no fuel reported in year");
        return;
    }
    for (long m = 1; m <= 12; ++m) {
        const float b = burn[static_cast<std::size_t>(m)];
        const std::string month = monthnames[static_cast<std::size_t>(m)];
        if (b == 0)
            reportline(app, unittext(ws, u) + month + " no burn   year avg.=  " + str(avg));
        else if (b / avg < 0.5f)
            reportline(app, unittext(ws, u) + month + "  " + str(b) + " burned,   year avg.=  " + str(avg));
    }
}

}  // namespace

void cmdworkunit_Click(App& app) {
    const Workset& ws = app.ws;
    startreport(app, 0, 1);
    reportline(app, "Error form for monthly fuel burn");
    reportline(app, "____part 1 no fuel any type reported in month__________________");
    reportline(app, "");
    mainwindow(app).Label9.Caption = "Checking monthly burn rates";
    for (long p = 1; p <= checkedplants; ++p) {
        const idplantrec& plant = ws.idplant(p);
        for (long k = 1; k <= unitpositions; ++k) {
            const long u = plant.unitno[static_cast<std::size_t>(k)];
            if (u > 0 && decltype(ws.unitcoal)::inbounds(u, 12) && decltype(ws.idunit)::inbounds(u)) checkunit(app, u);
        }
    }
    reportline(app, " ");
    reportline(app, "#");
    app.reportcalc = 0;
    showreport(app);
}

void Command19_Click(App& app) {
    cmdworkunit_Click(app);
    mainwindow(app).Frame7.Visible = false;
}

}  // namespace brasket
