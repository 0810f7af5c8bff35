#include "model/binlookup.h"

#include "app.h"
#include "model/devicefactors.h"

namespace brasket {

namespace {

constexpr long binmethod = 100;
constexpr long configurationrows = 300;

// A few units of the data base have their own bin, whatever their configuration.
long unitsownbin(long unit, long fuel) {
    if (unit == 964) return 44;
    if (unit == 203) return 42;
    if (unit == 676 || unit == 1002) return 41;
    if (unit == 67 && fuel == 212) return 3;
    return 0;
}

// Reading the box is a use of the main window, which loads it first if it was not yet loaded.
bool truncateatone(App& app) { return mainwindow(app).Check1[1].Value() == 1; }

// The bin's factor and speciation applied to the mercury in, with the cut at 1 when the
// analyst asked for it.
void applybin(App& app, long bin, double mercuryin, double& emission, double& factor) {
    const binindexrec& row = app.ws.binindex(bin);
    factor = row.efactor;
    app.model.binfractions = {row.partfrac, row.oxfrac, row.elemfrac};
    if (truncateatone(app) && factor > 1) factor = 1;
    emission = mercuryin * factor;
}

// The first configuration row that matches, 0 when none does.
long configurationrow(const Workset& ws, long fuel, long boiler, long so2, long pm) {
    return findconfiguration(ws, fuel, boiler, so2, pm).match;
}

// Furnace, particulate and SO2 species factors multiplied together.
void factorproduct(App& app, double mercuryin, double& emission, double& factor, long boiler, long so2, long pm) {
    const double h = mercuryin;
    const DeviceFactors furnace = devicerow(app.ws, boiler, 0);
    double part = h * furnace.part, ox = h * furnace.ox, elem = h * furnace.elem;

    DeviceFactors device;
    long modelled = 0, first = 0, second = 0, third = 0;
    std::string message, secondmessage;
    pmcomposite(app.ws, so2, pm, device, modelled, first, second, third, message, secondmessage);
    part *= device.part;
    ox *= device.ox;
    elem *= device.elem;

    so2modeledas(app.ws, so2, pm, device, modelled, message, secondmessage);
    part *= device.part;
    ox *= device.ox;
    elem *= device.elem;

    double total = part + ox + elem;
    if (total > h) total = h;
    emission = total;
    if (h > 0) {
        app.model.binfractions = {part / h, ox / h, elem / h};
        factor = emission / h;
    } else {
        factor = 0;
    }
}

}  // namespace

ConfigurationRows findconfiguration(const Workset& ws, long fuel, long boiler, long so2, long pm) {
    ConfigurationRows found;
    // The rows lie side by side: one checked reach to row 1, then the rows read in turn.
    static_assert(decltype(ws.binindex)::hi >= configurationrows);
    const binindexrec* rows = &ws.binindex(1);
    for (long j = 1; j <= configurationrows; ++j) {
        const binindexrec& r = rows[j - 1];
        if (found.firstempty == 0 && r.emptyconfiguration()) {
            found.firstempty = j;
            continue;
        }
        if (r.unitboiler == boiler && r.unitfuel == fuel && r.unitpm == pm && r.unitso2 == so2) {
            found.match = j;
            return found;
        }
    }
    return found;
}

void binlookup(App& app, double mercuryin, double& emission, double& factor, long fuel, long boiler, long so2, long pm,
               long& bin, long unit) {
    if (long own = unitsownbin(unit, fuel); own != 0) {
        bin = own;
        applybin(app, bin, mercuryin, emission, factor);
        return;
    }

    if (unityconfiguration(so2, pm)) {
        // Everything that goes in comes out, but in which forms is not known: the forms are
        // left at 0 (not speciated) and the bin's stored speciation is left as it is.
        emission = mercuryin;
        bin = unitybin;
        factor = 1;
        app.ws.binindex(unitybin).efactor = 1.0f;
        app.model.binfractions = {0, 0, 0};
        return;
    }

    if (app.opt.partcorrmode != binmethod) {
        factorproduct(app, mercuryin, emission, factor, boiler, so2, pm);
        return;
    }

    bin = nobin;
    factor = 1;
    emission = mercuryin;
    // A row that names bin 90 (a configuration entered by a report without a bin of its own)
    // gives what no row gives.
    if (long j = configurationrow(app.ws, fuel, boiler, so2, pm); j != 0 && app.ws.binindex(j).unitcode != nobin) {
        bin = app.ws.binindex(j).unitcode;
        applybin(app, bin, mercuryin, emission, factor);
    }
}

bool unityconfiguration(long so2, long pm) { return (so2 >= 1 && so2 <= 3) && (pm == 15 || pm == 16); }

}  // namespace brasket
