// "Unit data scan summary": what the fleet is made of. Each fuel with the mercury and the fuel
// burnt in a year, then each device type or name in use with its number of units and their
// capacity, for the three model types and the four specified device lists.
#include "reports/datascan.h"

#include <algorithm>
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "app.h"
#include "common/numtext.h"
#include "model/codes.h"
#include "report/frmdisplay.h"
#include "report/numformat.h"
#include "report/reportbuffer.h"
#include "report/reportrow.h"
#include "model/testruns.h"

namespace brasket {
namespace {

constexpr long maxcode = 400;   // device codes the tally takes
constexpr long maxfuel = 2400;  // fuel numbers the tally takes
constexpr long unitslots = 4;
const std::string underline(39, '_');

// The seven classifications, in the order of their listings.
enum Classification { modelboiler, modelso2, modelpm, specboiler, specnox, specpm, specscrub, classifications };

struct DeviceTally {
    long units = 0;
    float mw = 0;
};

struct FuelTally {
    float mercury = 0;  // tons of mercury a year
    float fuel = 0;     // dry tons of fuel a year
};

std::array<long, classifications> codesof(const unitcrec& u) {
    return {u.modelboiler, u.modelso2, u.modelpm, u.specboiler, u.specnox, u.specpm, u.specscrub};
}

struct Listing {
    const char* title;
    const char* heading;
    long last;                                  // codes 1..last
    std::function<std::string(long)> name;
};

// A name list's count, held within the list (a damaged count lists no more than the list holds).
template <class L>
long listed(const L& list) {
    return std::clamp<long>(namecount(list), 0, L::hi);
}

}  // namespace

void cmddatascan_Click(App& app) {
    const Workset& ws = app.ws;
    const long units = std::clamp<long>(unitcount(ws), 0, decltype(ws.unitc)::hi);

    std::vector<std::array<DeviceTally, maxcode + 1>> devices(classifications);
    std::vector<FuelTally> fuels(maxfuel + 1);
    std::vector<std::string> skipped;
    for (long u = 1; u <= units; ++u) {
        const unitcrec& unit = ws.unitc(u);
        const auto codes = codesof(unit);
        for (std::size_t k = 0; k < codes.size(); ++k) {
            DeviceTally& d = devices[k][static_cast<std::size_t>(codes[k])];
            d.units += 1;
            d.mw += unit.mw;
        }
    }
    for (long u = 1; u <= units; ++u) {
        for (long s = 1; s <= unitslots; ++s) {
            for (long m = 1; m <= 12; ++m) {
                const unitcoalrec& c = ws.unitcoal(u, m);
                const long f = c.fuelnum[static_cast<std::size_t>(s)];
                if (f <= 0) continue;
                if (f > maxfuel) {
                    skipped.push_back(" Unit" + str(u) + " month" + str(m) + ": fuel number" + str(f) +
                                      " is beyond the fuel numbers and was skipped.");
                    continue;
                }
                const float hg = c.hgppm[static_cast<std::size_t>(s)];
                const float tons = c.drytons[static_cast<std::size_t>(s)];
                const float x = static_cast<float>(static_cast<double>(hg) * tons * 0.000001);
                FuelTally& t = fuels[static_cast<std::size_t>(f)];
                if (x > 0) t.mercury += x;
                if (tons > 0) t.fuel += tons;
            }
        }
    }

    startreport(app, 0, 0);
    reportline(app, "  A LISTING OF FUEL NAMES WITH NUMBERS");
    reportline(app, "      ");
    reportline(app, "  Hg                fuel                                      ");
    reportline(app, " tons/year        tons/year        FUEL NAME____________________________");
    float hgtotal = 0, fueltotal = 0;
    for (long n = 1; n <= maxfuel; ++n) {
        const FuelTally& t = fuels[static_cast<std::size_t>(n)];
        if (!(t.fuel > 0)) continue;
        reportline(app, Row(80)
                            .at(2, formatnumber(t.mercury, "#.###e+00"))
                            .at(40, fuelname(ws, n))
                            .at(18, formatnumber(t.fuel, "########.#"))
                            .text());
        if (t.mercury > 0) hgtotal += t.mercury;
        fueltotal += t.fuel;
    }
    reportline(app, underline);
    reportline(app, Row(90).at(2, formatnumber(hgtotal, "#.####e+00")).at(40, "TOTALS").at(18, str(fueltotal)).text());
    for (const std::string& line : skipped) reportline(app, line);
    reportline(app, "#");

    auto stored = [](const auto& list) {
        return [&list](long j) { return list.inbounds(j) ? list(j) : std::string(); };
    };
    const Listing listings[] = {
        {"  A LISTING OF BOILER NAMES WITH NUMBERS",
         " NUMBER       BOILER AND NOX CONTROL NAME           MW Total", 30,
         [&ws](long j) { return devicename(ws, j, furnacecolumn); }},
        {"  A LISTING OF SO2 CONTROLS WITH NUMBERS", " NUMBER       SO2 CONTROLS NAME__________________", 30,
         [&ws](long j) { return devicename(ws, j, so2column); }},
        {"  A LISTING OF PARTICULATE CONTROLS WITH NUMBERS",
         " NUMBER       PARTICULATE CONTROLS NAME__________________", 30,
         [&ws](long j) { return devicename(ws, j, pmcolumn); }},
        {"  A LISTING OF SPECIFIED BOILERS", " NUMBER       BOILER'S NAMES__________________", 300,
         stored(ws.boilernames)},
        {"  A LISTING OF SPECIFIED NOX CONTROLS", " NUMBER       NOX CONTROLS NAME                  MegaWatt ",
         listed(ws.noxnames), stored(ws.noxnames)},
        {"  A LISTING OF SPECIFIED PARTICULATE CONTROLS",
         " NUMBER       PARTICULATE CONTROLS NAME__________________", listed(ws.pmnames), stored(ws.pmnames)},
        {"  A LISTING OF SPECIFIED SCRUBBER CONTROLS", " NUMBER       SCRUBBER CONTROLS NAME__________________",
         listed(ws.scrubnames), stored(ws.scrubnames)},
    };
    for (std::size_t k = 0; k < classifications; ++k) {
        const Listing& l = listings[k];
        const auto& tally = devices[k];
        reportline(app, l.title);
        reportline(app, "  ");
        reportline(app, l.heading);
        long count = 0;
        float mw = 0;
        const long last = std::min(l.last, maxcode);
        for (long j = 1; j <= last; ++j) {
            const DeviceTally& d = tally[static_cast<std::size_t>(j)];
            count += d.units;
            mw += d.mw;
            if (d.units <= 0) continue;
            reportline(app, Row(90).at(2, str(d.units)).at(20, l.name(j)).at(80, str(d.mw)).text());
        }
        reportline(app, underline);
        reportline(app, Row(90).at(2, str(count)).at(20, "TOTALS").at(80, str(mw)).text());
        if (k + 1 < classifications) {
            reportline(app, "#");
            reportline(app, "  ");
        }
    }
    reportline(app, "@NEW PAGE");
    reportline(app, "#");
    reportpages(app, app.report.reportlinecount);
    showreport(app);
}

}  // namespace brasket
