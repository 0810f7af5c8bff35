#include "reports/fleet.h"

#include <algorithm>

#include "app.h"
#include "common/numtext.h"
#include "common/textutil.h"
#include "import/importconduct.h"
#include "model/binlookup.h"
#include "report/numformat.h"

namespace brasket {

void startlisting(App& app) {
    app.report.erase();
    app.report.reportlinecount = 1;
}

std::string massline(const std::string& lead, double kg) {
    return lead + formatnumber(kg, "########") + "kg (" + formatnumber(kg / 907.1, "###.##") + " tons)";
}

bool ReportBody::line(std::string_view text) {
    if (cut_) return false;
    // The buffer keeps lines below its last line; this line, the cut note and the closing
    // lines must all fit.
    const long next = app_.report.reportlinecount + 1;
    if (next + 1 + closing_ >= ReportBuffer::lastline) {
        reportline(app_, reportcutline);
        cut_ = true;
        return false;
    }
    reportline(app_, text);
    return true;
}

void ReportBody::closing(std::string_view text) {
    reportline(app_, text);
    if (closing_ > 0 && text != "#") --closing_;
}

std::vector<long> plantfuels(const Workset& ws, long plant) {
    std::vector<long> fuels;
    if (plant < 0 || plant > lastplant) return fuels;
    const plantrec& p = ws.plant(plant);
    for (std::size_t s = 1; s <= 10; ++s) {
        const long f = p.fuelno[s];
        if (f > 0 && std::find(fuels.begin(), fuels.end(), f) == fuels.end()) fuels.push_back(f);
    }
    return fuels;
}

long fleetunitcount(App& app, const std::string& report) {
    const long n = unitcount(app.ws);
    const long last = decltype(app.ws.unitc)::hi;
    if (n > last) {
        fleetwarning(app, report + ": the unit count " + std::to_string(n) + " exceeds the unit table; units 1 to " +
                              std::to_string(last) + " are reported");
        return last;
    }
    return n < 0 ? 0 : n;
}

std::vector<std::string> statecodes(const ListBox& states, long count) {
    std::vector<std::string> codes;
    for (long k = 1; k <= count; ++k) codes.push_back(left(states.List(static_cast<int>(k - 1)), 2));
    return codes;
}

void fleetwarning(App& app, const std::string& line) { importwarning(app, line); }

namespace {
// A name for a warning line: without blanks at either end and without the code-0 characters
// of a never-assigned field.
std::string warningname(std::string name) {
    name.erase(std::remove(name.begin(), name.end(), '\0'), name.end());
    return trim(name);
}
}  // namespace

std::string unitdescription(const Workset& ws, long unit) {
    std::string text = "unit " + std::to_string(unit);
    if (!decltype(ws.idunit)::inbounds(unit)) return text;
    const long p = ws.idunit(unit).plantno;
    const std::string id = warningname(ws.idunit(unit).boilerid.str());
    if (!id.empty()) text += " (" + id + ")";
    text += " of plant " + std::to_string(p);
    if (decltype(ws.idplant)::inbounds(p)) {
        const std::string name = warningname(ws.idplant(p).plantname.str());
        if (!name.empty()) text += " (" + name + ")";
    }
    return text;
}

long reportplant(App& app, long unit, const std::string& report) {
    const long p = app.ws.idunit(unit).plantno;
    if (p >= 0 && p <= lastplant) return p;
    fleetwarning(app, report + ": " + unitdescription(app.ws, unit) +
                          " has a plant number outside the plant table; the unit is left out");
    return -1;
}

PlantStates::PlantStates(const std::vector<std::string>& codes) : plants_(lastplant + 1, -1) {
    for (std::size_t k = 0; k < codes.size(); ++k) {
        std::string code = trim(codes[k]);
        if (!code.empty()) positions_[code] = static_cast<long>(k) + 1;
    }
}

long PlantStates::unitstate(App& app, long unit, long plant, const std::string& report) {
    long& k = plants_.at(static_cast<std::size_t>(plant));
    if (k < 0) {
        const auto found = positions_.find(trim(app.ws.plant(plant).statecode.str()));
        k = found == positions_.end() ? 0 : found->second;
    }
    if (k == 0 && !plantfuels(app.ws, plant).empty()) {
        const std::string st = trim(app.ws.plant(plant).statecode.str());
        fleetwarning(app, report + ": " + unitdescription(app.ws, unit) +
                              (st.empty() ? std::string(" has no state code")
                                          : " has the state code \"" + st + "\", which is not in the state list") +
                              "; it is counted under no state");
    }
    return k;
}

std::string totalsline(const std::string& lead, double kg, const std::string& burned) {
    Row row(44);
    row.at(4, lead).at(22, burned).at(35, formatnumber(kg, "######.##"));
    return row.text() + " kg Hg per year, " + formatnumber(kg * tonsperkg, "###.##") + " tons/yr.";
}

long configurationbin(App& app, long fuel, long boiler, long pm, long so2, long& unentered) {
    const ConfigurationRows rows = findconfiguration(app.ws, fuel, boiler, so2, pm);
    if (rows.match != 0) return app.ws.binindex(rows.match).unitcode;
    if (rows.firstempty == 0) {
        ++unentered;
        return nobin;
    }
    // The entered row names bin 90, so that every later estimate of the configuration is the
    // one that no row gives (factor 1), never the factor of whatever bin the row held before.
    binindexrec& r = app.ws.binindex(rows.firstempty);
    r.unitfuel = static_cast<i16>(fuel);
    r.unitpm = static_cast<u8>(pm);
    r.unitso2 = static_cast<u8>(so2);
    r.unitboiler = static_cast<u8>(boiler);
    r.unitcode = static_cast<u8>(nobin);
    return nobin;
}

void eachclass(App& app, long lastentry, double progress, const std::function<void(const BinClass&)>& visit) {
    const Workset& ws = app.ws;
    for (long a = 1; a <= lastentry; ++a) {
        showbusy(app, progress * a);
        // The cells of a fuel entry lie side by side, SO2 control innermost: one checked reach
        // to the entry's first cell, then its cells read in turn.
        const i16* cells = &ws.binnumbertable(a, 0, 0, 0);
        const long fuel = cells[0];
        static_assert(BinGrid<i16>::nb > 25 && BinGrid<i16>::nc > 17 && BinGrid<i16>::nd > 12);
        // A code of 0 is a class of its own (a unit without SO2 control, for one); only the
        // cell of three zero codes is not, as it holds the entry's fuel number.
        for (long b = 0; b <= 25; ++b)
            for (long c = 0; c <= 17; ++c) {
                const i16* run = cells + (b * BinGrid<i16>::nc + c) * BinGrid<i16>::nd;
                for (long d = (b == 0 && c == 0) ? 1 : 0; d <= 12; ++d) {
                    const long count = run[d];
                    if (count > 0) visit({a, b, c, d, fuel, count});
                }
            }
    }
}

ClassFactor classfactor(App& app, long n, const BinClass& k, bool truncate, ClassTotals& totals) {
    const Workset& ws = app.ws;
    ClassFactor cf;
    cf.input = ws.binnumbervalue(k.a, k.b, k.c, k.d);
    cf.bin = configurationbin(app, k.fuel, k.b, k.c, k.d, totals.unentered);
    cf.emf = cf.bin == nobin ? 1.0 : static_cast<double>(ws.binindex(cf.bin).efactor);
    if (truncate && cf.emf > 1) cf.emf = 1;
    cf.row.at(1, formatnumber(n, "###"))
        .at(4, str(k.count))
        .at(9, formatnumber(cf.input, "########.###"))
        .at(22, formatnumber(cf.emf, "#.####"))
        .at(32, formatnumber(cf.input * cf.emf, "########.###"));
    totals.add(cf);
    return cf;
}

void endclasslisting(App& app, ReportBody& body, const ClassTotals& totals, const std::string& report) {
    if (totals.unentered > 0)
        fleetwarning(app, report + ": every configuration row is in use; " + std::to_string(totals.unentered) +
                              (totals.unentered == 1 ? " class that has" : " classes that have") +
                              " no row could not be entered and " + (totals.unentered == 1 ? "is" : "are") +
                              " listed with bin 90 and factor 1");
    body.closing(massline("Total national mercury in coal ", totals.input));
    body.closing(massline("Total national mercury emissions ", totals.emissions));
    reportline(app, "#");
    reportpages(app, app.report.reportlinecount);
    app.reportcalc = 0;
    showreport(app);
}

FuelEmission fuelemission(App& app, long unit, long fuel, long boiler, long so2, long pm) {
    FuelEmission e;
    e.fuel = fuel;
    e.bin = nobin;
    double mercury = 0, emission = 0;
    // The forms are those the lookup knows: the matched bin's fractions, none where no bin
    // was found or for the unity configuration (the lookup then leaves them at 0).
    app.model.binfractions = {0, 0, 0};
    binlookup(app, mercury, emission, e.factor, fuel, boiler, so2, pm, e.bin, unit);
    const auto fractions = app.model.binfractions;
    for (std::size_t k = 1; k <= 4; ++k) {
        for (long m = 1; m <= 12; ++m) {
            const unitcoalrec& r = app.ws.unitcoal(unit, m);
            if (r.fuelnum[k] != fuel) continue;
            const double kg = static_cast<double>(r.drytons[k]) * r.hgppm[k] * kgperppmton;
            e.burned += r.drytons[k];
            e.mercuryin += kg;
            e.emitted += e.factor * kg;
        }
    }
    e.part = fractions[0] * e.emitted;
    e.ox = fractions[1] * e.emitted;
    e.elem = fractions[2] * e.emitted;
    return e;
}

}  // namespace brasket
