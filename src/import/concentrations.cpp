#include "import/concentrations.h"

#include <algorithm>
#include <array>
#include <vector>

#include "app.h"
#include "common/numtext.h"
#include "common/textutil.h"
#include "import/importconduct.h"
#include "model/codes.h"
#include "report/numformat.h"
#include "report/frmdisplay.h"
#include "report/reportbuffer.h"

namespace brasket {
namespace {

constexpr long maxplant = 500;        // plants whose fuel slots are rewritten
constexpr long maxworkplant = 2000;   // plant numbers the work table takes
constexpr long maxworkmonth = 15;     // months the work table takes
constexpr long analysisslots = 4;     // fuels collected per plant and month
constexpr long plantslots = 10;       // fuel slots of a plant
constexpr long unitslots = 4;         // fuel slots of a unit's month
constexpr long unitpositions = 35;    // unit positions of a plant, as the unit import stores them
constexpr long maxunit = 2000;

// One analysis slot of the work table: the fuel that owns it, the sum of its mercury values
// and how many were summed. A slot owned by fuel 0 is empty.
struct ConcSlot {
    long fuel = 0;
    float sum = 0;
    long count = 0;
};

// conchg(plant 0..2000, month 0..15, slot 1..4).
class ConcTable {
public:
    ConcTable() : cells_(static_cast<std::size_t>((maxworkplant + 1) * (maxworkmonth + 1) * analysisslots)) {}
    static bool inbounds(long p, long m) { return p >= 0 && p <= maxworkplant && m >= 0 && m <= maxworkmonth; }
    ConcSlot& operator()(long p, long m, long j) {
        return cells_.at(static_cast<std::size_t>((p * (maxworkmonth + 1) + m) * analysisslots + (j - 1)));
    }

private:
    std::vector<ConcSlot> cells_;
};

// The analysis count of meas(0), rounded and held within the table (a damaged count that is
// no number at all counts as none).
long analysiscount(const Workset& ws) {
    return std::clamp<long>(cint32(ws.meas(0).hgppm), 0, decltype(ws.meas)::hi);
}

// Step 1: each analysis joins the slot of its fuel in its plant and month, or the first empty
// one; a fifth fuel in one plant and month is left out and listed.
void collect(const Workset& ws, ConcTable& conchg, ConcentrationErrors& errors) {
    long n = analysiscount(ws);
    for (long k = 1; k <= n; ++k) {
        const measrec& a = ws.meas(k);
        // An analysis that names no fuel cannot own a slot: an empty slot would keep its
        // mercury and pass it to the next fuel of the plant.
        if (a.fuelnum <= 0) continue;
        if (!ConcTable::inbounds(a.plantno, a.month)) continue;
        bool used = false;
        for (long j = 1; j <= analysisslots; ++j) {
            ConcSlot& slot = conchg(a.plantno, a.month, j);
            if (slot.fuel == 0) {
                slot.fuel = a.fuelnum;
                slot.sum = a.hgppm;
                slot.count = 1;
                used = true;
                break;
            }
            if (slot.fuel == a.fuelnum) {
                slot.sum += a.hgppm;
                slot.count += 1;
                used = true;
                break;
            }
        }
        if (!used) errors.extrafuel.push_back(k);
    }
}

// Step 2: every plant fuel slot loses its fuel and its monthly and yearly values, so that a
// yearly value of a fuel no longer analysed never fills a unit's months.
void clearplantslots(Workset& ws) {
    for (long p = 1; p <= maxplant; ++p) {
        plantrec& pl = ws.plant(p);
        for (long s = 1; s <= plantslots; ++s) {
            pl.fuelno[static_cast<std::size_t>(s)] = 0;
            for (long m = 0; m <= 12; ++m) pl.mercury(static_cast<std::size_t>(m), static_cast<std::size_t>(s)) = 0;
        }
    }
}

// The plant fuel slot of a fuel: the first slot that holds it or is free (taken for it);
// 0, the spare slot, when ten other fuels hold them all.
long plantslotfor(plantrec& pl, long fuel) {
    for (long s = 1; s <= plantslots; ++s) {
        i16& slotfuel = pl.fuelno[static_cast<std::size_t>(s)];
        if (slotfuel == fuel) return s;
        if (slotfuel == 0) {
            slotfuel = static_cast<i16>(fuel);
            return s;
        }
    }
    return 0;
}

// The unit numbers at the positions of a plant that name a unit of the fuel-use table.
std::vector<long> plantunits(const Workset& ws, long p) {
    std::vector<long> units;
    const idplantrec& id = ws.idplant(p);
    for (long k = 1; k <= unitpositions; ++k) {
        long u = id.unitno[static_cast<std::size_t>(k)];
        if (u > 0 && u <= maxunit) units.push_back(u);
    }
    return units;
}

// Step 3: the monthly mean of each collected fuel goes into the plant's slot of that fuel
// and into every fuel-use slot of that fuel of the plant's units in that month.
void monthlymeans(Workset& ws, ConcTable& conchg, ConcentrationErrors& errors) {
    for (long p = 1; p <= maxplant; ++p) {
        std::vector<long> units = plantunits(ws, p);
        for (long j = 1; j <= analysisslots; ++j) {
            for (long m = 1; m <= 12; ++m) {
                const ConcSlot& slot = conchg(p, m, j);
                if (slot.count <= 0) continue;
                float mean = slot.sum / static_cast<float>(slot.count);
                long fuel = slot.fuel;
                plantrec& pl = ws.plant(p);
                long s = plantslotfor(pl, fuel);
                pl.mercury(static_cast<std::size_t>(m), static_cast<std::size_t>(s)) = mean;
                bool written = false;
                for (long u : units) {
                    unitcoalrec& uc = ws.unitcoal(u, m);
                    for (std::size_t f = 1; f <= unitslots; ++f) {
                        if (uc.fuelnum[f] != fuel) continue;
                        uc.hgppm[f] = mean;
                        uc.hgflag[f] = static_cast<i16>(std::min<long>(slot.count, 32767));
                        written = true;
                    }
                }
                if (mean > 0 && !written) errors.unburned.push_back({p, fuel, m});
            }
        }
    }
}

// Step 4: month 0 of a plant fuel slot is the mean of its monthly values above 0.
void yearlymeans(Workset& ws) {
    for (long p = 1; p <= maxplant; ++p) {
        plantrec& pl = ws.plant(p);
        for (std::size_t s = 1; s <= plantslots; ++s) {
            if (pl.fuelno[s] <= 0) continue;
            double total = 0;
            long months = 0;
            for (std::size_t m = 1; m <= 12; ++m) {
                double v = pl.mercury(m, s);
                total += v;
                if (v > 0) ++months;
            }
            if (months > 0) pl.mercury(0, s) = static_cast<f32>(total / months);
        }
    }
}

double yearlyvalue(const plantrec& pl, long fuel) {
    for (std::size_t s = 1; s <= plantslots; ++s)
        if (pl.fuelno[s] == fuel) return pl.mercury(0, s);
    return 0;
}

// Step 5: a unit's month with burned fuel but no mercury takes the plant's yearly mean of
// that fuel, flagged -1.
void fillmissingmonths(Workset& ws) {
    for (long p = 1; p <= maxplant; ++p) {
        const plantrec& pl = ws.plant(p);
        for (long u : plantunits(ws, p)) {
            for (long m = 1; m <= 12; ++m) {
                unitcoalrec& uc = ws.unitcoal(u, m);
                for (std::size_t f = 1; f <= unitslots; ++f) {
                    long fuel = uc.fuelnum[f];
                    if (fuel <= 0) continue;
                    double yearly = yearlyvalue(pl, fuel);
                    if (yearly > 0.0001 && uc.hgppm[f] == 0) {
                        uc.hgppm[f] = static_cast<f32>(yearly);
                        uc.hgflag[f] = -1;
                    }
                }
            }
        }
    }
}

}  // namespace

ConcentrationErrors updateconcentrations(App& app) {
    Workset& ws = app.ws;
    ConcentrationErrors errors;
    ConcTable conchg;
    collect(ws, conchg, errors);
    clearplantslots(ws);
    monthlymeans(ws, conchg, errors);
    yearlymeans(ws);
    fillmissingmonths(ws);
    return errors;
}

namespace {

// Fixed texts of the report, as stored (50, 20, 15 characters); a number outside its table
// prints as blanks of the same width.
std::string plantname(const Workset& ws, long p) {
    return decltype(ws.plant)::inbounds(p) ? ws.plant(p).plantname.str() : space(50);
}
std::string plantcode(const Workset& ws, long p) {
    return decltype(ws.idplant)::inbounds(p) ? ws.idplant(p).pfcode.str() : space(20);
}

}  // namespace

std::vector<std::string> concentrationreportlines(const App& app, const ConcentrationErrors& errors) {
    const Workset& ws = app.ws;
    std::vector<std::string> lines;
    lines.push_back("Error form for mercury concentration data");
    lines.push_back("____part 1 more than 4 fuel types reported in month__________________");
    lines.push_back("");
    for (long k : errors.extrafuel) lines.push_back(str(k) + "   " + plantcode(ws, ws.meas(k).plantno));
    if (errors.extrafuel.empty()) lines.push_back("No errors identified.");

    lines.push_back(" ");
    lines.push_back("____part 2 lack of fuel burn data for fuel type reported in Hg analysis____");
    lines.push_back("");
    for (const auto& e : errors.unburned)
        lines.push_back(plantname(ws, e.plant) + "  " + plantcode(ws, e.plant) + "    " + str(e.month) + "  " +
                        fuelname(ws, e.fuel));
    if (errors.unburned.empty()) lines.push_back("There were no errors in the match with fuel burn and fuel type.");

    // Parts 3 and 4 walk every unit's months and fuel slots.
    auto eachslot = [&ws](auto&& visit) {
        for (long u = 1; u <= maxunit; ++u)
            for (long m = 1; m <= 12; ++m)
                for (std::size_t f = 1; f <= unitslots; ++f) {
                    const unitcoalrec& uc = ws.unitcoal(u, m);
                    if (uc.fuelnum[f] > 0 && uc.drytons[f] > 0) visit(u, m, uc, f);
                }
    };

    lines.push_back(" ");
    lines.push_back("#");
    lines.push_back("____part 3 automatic fill for lack of analysis data__________________");
    lines.push_back("");
    bool filled = false;
    eachslot([&](long u, long m, const unitcoalrec& uc, std::size_t f) {
        if (uc.hgflag[f] >= 0) return;
        filled = true;
        lines.push_back(plantname(ws, ws.idunit(u).plantno) + "  " + ws.idunit(u).boilerid.str() + " " + str(m) +
                        "  Hg=" + formatnumber(uc.hgppm[f], "##.###") + "  " + fuelname(ws, uc.fuelnum[f]));
    });
    if (!filled) lines.push_back("There were no mercury concentrations requiring averages.");

    lines.push_back(" ");
    lines.push_back("#");
    lines.push_back("____part 4 lack of analysis data for fuel burn reported__________________");
    lines.push_back("");
    eachslot([&](long u, long m, const unitcoalrec& uc, std::size_t f) {
        if (uc.hgppm[f] != 0) return;
        long p = ws.idunit(u).plantno;
        lines.push_back(plantname(ws, p) + "  " + plantcode(ws, p) + "    " + ws.idunit(u).boilerid.str() + " " +
                        str(m) + "  " + fuelname(ws, uc.fuelnum[f]));
    });
    lines.push_back(" ");
    lines.push_back("#");
    return lines;
}

void cmdupdateconc_Click(App& app) {
    ConcentrationErrors errors = updateconcentrations(app);
    clearscr(app);
    // The check report keeps line 1 empty and repeats no header lines on its pages.
    startreport(app, 0, 1);
    for (const std::string& line : concentrationreportlines(app, errors)) reportline(app, std::string_view(line));
    reportpages(app, app.report.reportlinecount);
    app.reportcalc = 0;
    showreport(app);
}

}  // namespace brasket
