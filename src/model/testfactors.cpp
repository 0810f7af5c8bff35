#include "model/testfactors.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "app.h"
#include "common/numtext.h"
#include "import/testimport.h"
#include "model/codes.h"
#include "model/testruns.h"
#include "report/frmdisplay.h"
#include "report/reportbuffer.h"

namespace brasket {
namespace {

constexpr int fuelrows = 12;     // fuel rows 0..11 of the fuel tables
constexpr int devicetypes = 30;  // type rows 1..30
constexpr int elementclasses = 18;

// Sum, sum of squares and count of the values of one column.
struct ColumnSums {
    double sum = 0, squares = 0;
    long used = 0;
    void add(double v) {
        sum += v;
        squares += v * v;
        ++used;
    }
    double mean() const { return used > 0 ? sum / used : 0; }
    // The sample deviation; 0 with fewer than two values.
    double deviation() const {
        if (used < 2) return 0;
        return std::sqrt(std::max(0.0, (squares - sum * sum / used) / (used - 1)));
    }
};

void storemeans(emfactorrec& r, long runs, const GroupMeans& g) {
    r.testcount = static_cast<f32>(runs);
    r.hgpart = static_cast<f32>(g.mean[0]);
    r.hgox = static_cast<f32>(g.mean[1]);
    r.hgelem = static_cast<f32>(g.mean[2]);
    r.hgtotal = static_cast<f32>(g.mean[3]);
    r.sdpart = static_cast<f32>(g.sd[0]);
    r.sdox = static_cast<f32>(g.sd[1]);
    r.sdelem = static_cast<f32>(g.sd[2]);
}

void setvalues(emfactorrec& r, f32 v) { r.hgpart = r.hgox = r.hgelem = r.hgtotal = v; }
void setdeviations(emfactorrec& r, f32 v) { r.sdpart = r.sdox = r.sdelem = v; }

// The runs of one group: the accepted runs of the records that `belongs` takes, in record
// order, the first maxgroupruns of them.
template <class Belongs, class Values>
std::vector<RunValues> grouprunsof(const Workset& ws, long count, Belongs belongs, Values values) {
    std::vector<RunValues> runs;
    for (long i = 1; i <= count && runs.size() < maxgroupruns; ++i) {
        const testrec& t = ws.test(i);
        if (!belongs(t)) continue;
        if (auto v = values(t)) runs.push_back(*v);
    }
    return runs;
}

// Furnace types without tests take the speciation shared by the types with tests, with the
// spread of their fractions; with no tested type they keep their unity values.
void fillfurnacetypes(Workset& ws) {
    ColumnSums part, ox, elem;
    double totals = 0;
    long tested = 0;
    for (long t = 1; t <= devicetypes; ++t) {
        const emfactorrec& r = ws.emfactor(t, 0);
        if (!(r.testcount > 0)) continue;
        ++tested;
        part.add(r.hgpart);
        ox.add(r.hgox);
        elem.add(r.hgelem);
        totals += r.hgtotal;
    }
    if (tested == 0) return;
    const double sum = part.sum + ox.sum + elem.sum;
    for (long t = 1; t <= devicetypes; ++t) {
        emfactorrec& r = ws.emfactor(t, 0);
        if (r.testcount != 0) continue;
        if (sum > 0) {
            r.hgpart = static_cast<f32>(part.sum / sum);
            r.hgox = static_cast<f32>(ox.sum / sum);
            r.hgelem = static_cast<f32>(elem.sum / sum);
        }
        r.hgtotal = static_cast<f32>(totals / tested);
        r.sdpart = static_cast<f32>(part.deviation());
        r.sdox = static_cast<f32>(ox.deviation());
        r.sdelem = static_cast<f32>(elem.deviation());
    }
}

void devicetable(Workset& ws, long count, bool geometric) {
    for (int kind = boilertestkind; kind <= pmtestkind; ++kind) {
        for (long type = 1; type <= devicetypes; ++type) {
            auto belongs = [&](const testrec& t) { return t.testkind == kind && t.typecode == type; };
            const auto runs = kind == boilertestkind ? grouprunsof(ws, count, belongs, boilerrunvalues)
                                                     : grouprunsof(ws, count, belongs, devicerunvalues);
            emfactorrec& r = ws.emfactor(type, kind - 1);
            if (runs.empty()) {
                setvalues(r, 1.0f);
                r.testcount = 0;
                setdeviations(r, 0);
                continue;
            }
            GroupMeans g = averagegroup(runs, geometric, 1.0);
            if (kind == boilertestkind) {
                // The furnace's fractions of the mercury leaving it add up to 1.
                const double sum = g.mean[0] + g.mean[1] + g.mean[2];
                if (sum > 0)
                    for (int k = 0; k < 3; ++k) g.mean[static_cast<std::size_t>(k)] /= sum;
            }
            storemeans(r, static_cast<long>(runs.size()), g);
        }
    }
    fillfurnacetypes(ws);
}

void fueltable(Workset& ws, long count, bool geometric) {
    for (int fuel = 0; fuel < fuelrows; ++fuel) {
        for (long type = 1; type <= devicetypes; ++type) {
            auto belongs = [&](const testrec& t) {
                return t.testkind == boilertestkind && t.typecode == type && testfuelrow(t) == fuel;
            };
            const auto runs = grouprunsof(ws, count, belongs, fuelrunvalues);
            emfactorrec& r = ws.emfactorf(fuel, type);
            if (runs.empty()) {
                setvalues(r, 0);
                r.testcount = 0;
                setdeviations(r, 0);
                continue;
            }
            storemeans(r, static_cast<long>(runs.size()), averagegroup(runs, geometric, 0.0));
        }
    }
}

void fuelelementtable(Workset& ws, long count) {
    for (int fuel = 0; fuel < fuelrows; ++fuel) {
        for (int e = 1; e <= elementclasses; ++e) {
            auto belongs = [&](const testrec& t) {
                return t.testkind == boilertestkind && testfuelrow(t) == fuel &&
                       infuelelementclass(e, t.sulfur, t.inpart, t.inox, t.inelem);
            };
            const auto runs = grouprunsof(ws, count, belongs, fuelrunvalues);
            emfactorrec& r = ws.emfactorfs(fuel, e);
            if (runs.empty()) {
                // The deviations of the earlier derivation stay, as the table has always kept them.
                setvalues(r, 0);
                r.testcount = 0;
                continue;
            }
            storemeans(r, static_cast<long>(runs.size()), averagegroup(runs, false, 0.0));
        }
    }
}

// The listing of the boiler test runs with their fuels, under its title line.
void fuellisting(App& app, long count) {
    startreport(app, 0, 0);
    reportline(app, "  A LISTING OF FUEL NAMES WITH NUMBERS");
    for (long i = 1; i <= count; ++i) {
        const testrec& t = app.ws.test(i);
        long c = t.fueltype == 62 ? 0 : t.fueltype;
        std::string name = c == 0 ? std::string("COAL GAS") : fuelname(app.ws, -c);
        if (t.testkind == boilertestkind) reportline(app, str(i) + str(c) + "  " + name);
    }
}

}  // namespace

bool infuelelementclass(int e, double s, double a, double h, double cl) {
    const bool hs = s > 1, ha = a > 8, hh = h > 0.05, hc = cl > 500;
    switch (e) {
        case 1: return hs;
        case 2: return !hs;
        case 3: return ha;
        case 4: return !ha;
        case 5: return hc;
        case 6: return !hc;
        case 7: return hs && ha;
        case 8: return !hs && !ha;
        case 9: return hs && !ha;
        case 10: return !hs && ha;
        case 11: return hh && ha;
        case 12: return !hh && !ha;
        case 13: return hh && !ha;
        case 14: return !hh && ha;
        case 15: return hc && ha;
        case 16: return !hc && !ha;
        case 17: return hc && !ha;
        case 18: return !hc && ha;
        default: return false;
    }
}

GroupMeans averagegroup(const std::vector<RunValues>& runs, bool geometric, double nototal) {
    GroupMeans g;
    std::array<ColumnSums, 4> col;
    for (const RunValues& v : runs) {
        for (std::size_t k = 0; k < 4; ++k) {
            const double x = v[k];
            if (geometric) {
                // A value that is not positive has no logarithm: it is left out of its column.
                if (x > 0) col[k].add(std::log(x));
            } else if (k < 3 || x != 0) {
                col[k].add(x);
            }
        }
    }
    for (std::size_t k = 0; k < 3; ++k) {
        g.sd[k] = col[k].deviation();
        // A species with no usable value stays 0 in either mode.
        g.mean[k] = col[k].used == 0 ? 0 : geometric ? std::exp(col[k].mean()) : col[k].mean();
    }
    g.mean[3] = col[3].used == 0 ? nototal : geometric ? std::exp(col[3].mean()) : col[3].mean();
    return g;
}

std::optional<RunValues> boilerrunvalues(const testrec& t) {
    const double stack = static_cast<double>(t.outpart) + t.outox + t.outelem;
    if (!(stack > 0)) return std::nullopt;
    const double hgin = static_cast<double>(t.hgcoal) * t.burnrate / 1000;
    const double hgout = stack * t.gasrate / 1000000;
    return RunValues{t.outpart / stack, t.outox / stack, t.outelem / stack, hgin > 0 ? hgout / hgin : 1.0};
}

std::optional<RunValues> fuelrunvalues(const testrec& t) {
    const double stack = static_cast<double>(t.outpart) + t.outox + t.outelem;
    if (!(stack > 0)) return std::nullopt;
    const double hgin = static_cast<double>(t.hgcoal) * t.burnrate;
    // Micrograms per cubic metre to the fuel's mass units: a mole of gas in 385.3 cubic feet,
    // 200.59 the atomic weight of mercury.
    const double total = hgin > 0 ? ((stack / 1000) * t.gasrate / 385.3 * 200.59) / hgin : 1.0;
    return RunValues{t.outpart / stack, t.outox / stack, t.outelem / stack, total};
}

std::optional<RunValues> devicerunvalues(const testrec& t) {
    const double inlet = static_cast<double>(t.inpart) + t.inox + t.inelem;
    if (!(inlet > 0)) return std::nullopt;
    const double o2span = 21.0 - t.o2out;
    if (o2span == 0) return std::nullopt;
    auto ratio = [](double out, double in) { return in > 0 ? out / in : 1.0; };
    const double c = (21.0 - t.o2in) / o2span;
    return RunValues{ratio(t.outpart, t.inpart) * c, ratio(t.outox, t.inox) * c, ratio(t.outelem, t.inelem) * c,
                     (static_cast<double>(t.outpart) + t.outox + t.outelem) / inlet * c};
}

int testfuelrow(const testrec& t) { return t.fueltype == 62 ? 0 : t.fueltype; }

void derivetestfactors(Workset& ws, int efmeanmode) {
    const bool geometric = efmeanmode == 1;
    const long count = storedtests(ws);
    devicetable(ws, count, geometric);
    fueltable(ws, count, geometric);
    fuelelementtable(ws, count);
}

void cmdupdateef_Click(App& app) { updateemissionfactors(app); }

bool updateemissionfactors(App& app) {
    if (importtests(app) == TestImportEnd::failed) {
        app.platform.msgbox("The emission factors were not updated: the emission tests could not be read.");
        return false;
    }
    const long count = storedtests(app.ws);
    fuellisting(app, count);
    derivetestfactors(app.ws, app.opt.efmeanmode);
    reportline(app, "@NEW PAGE");
    reportline(app, "#");
    reportpages(app, app.report.reportlinecount);
    if (app.updatingall == 0) showreport(app);
    return true;
}

}  // namespace brasket
