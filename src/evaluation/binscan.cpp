#include "evaluation/binscan.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "app.h"
#include "common/numtext.h"
#include "common/textutil.h"
#include "model/binlookup.h"
#include "model/codes.h"

namespace brasket {

// bin, fuel class, boiler group, NOx group, particulate, SO2
const std::array<std::string_view, builtinbinrowcount> builtinbinrows{
    "  0  3  4  0 16  8", "  1  3  0  0  1  3", "  1  3  0  3  1  3", "  2 17  0  3  1  3", "  3  3  0  2  1  3",
    "  4  3  0  0  4  3", "  4  3  0  3  4  3", "  5  3  0  0  8  3", "  6  3  0  3  1  9", "  7  3  0  0  2  3",
    "  7  3  0  3  2  3", "  8  3  0  0 15  5", "  9  3  0  1 15  5", " 10  3  0  0  1  1", " 11  3  0  0  4  1",
    " 11  3  0  3  4  1", " 12  3  0  0  2  1", " 13  4  0  0  1  3", " 14  4  0  0  4  3", " 14  4  0  3  4  3",
    " 15  4  0  0  2  3", " 16  4  0  0  8  3", " 16  4  0  3  8  3", " 17 14  0  0 15 10", " 17  4  0  0 15 10",
    " 18  4  0  0 15  5", " 19  4  0  0  1  1", " 19  4  0  3  1  1", " 20  4  0  0  4  1", " 20  4  0  3  4  1",
    " 21  5  0  0  1  3", " 22  4  1  0  8  3", " 23 16  1  3  4  3", " 24  5  1  3  1  3", " 25 17  3  2  2  3",
    " 27  8  3  3  2  3", " 28  5  3  3  1  3", " 29  5  3  3  2  3", " 30 11  3  3  2  3", " 31  3  2  0 15  5",
    " 33  5  0  3  5  3", " 34  5  0  0 15  5", " 35  5  0  0  8  3", " 36  5  0  0  1  1", " 36  5  0  3  1  1",
    " 37  3  1  3  6  3", " 38 17  1  3  1  1", " 39  5  1  3 15  5", " 40  4  3  3  2  3", " 41 14  0  3  1  3",
    " 41 14  0  0  1  3", " 42 14  0  0  4  3", " 43 17  0  0  2  3", " 44 15  0  0  2  3",
};

namespace {

// Columns of a binconfig row.
enum Column { binc = 0, fuelc = 1, boilerc = 2, noxc = 3, pmc = 4, so2c = 5 };

// A configuration after the scan's normalisation.
struct Configuration {
    long fuel, boiler, nox, so2, pm;
};

// Folds the codes onto those the built-in table uses. False when the configuration has neither
// SO2 nor particulate control, which is bin 0 without a scan.
bool normalise(Configuration& c) {
    long& pm = c.pm;
    long& so2 = c.so2;
    if (pm == 16) pm = 15;
    if (pm == 0) pm = 15;
    if (so2 == 6) so2 = 1;
    if (so2 == 1 && pm == 8) so2 = 3;
    if (so2 == 1 && (pm == 6 || pm == 15 || pm == 10)) {
        pm = 8;
        so2 = 3;
    }
    if (so2 == 2 || so2 == 4 || so2 == 7 || so2 == 0) so2 = 3;
    switch (pm) {
    case 3: case 11: case 13: pm = 2; break;
    case 7: case 9: case 12: case 14: pm = 1; break;
    case 10: pm = 8; break;
    default: break;
    }
    if (c.fuel == 1 || c.fuel == 6 || c.fuel == 10 || c.fuel == 12) c.fuel = 3;
    if (so2 == 3 && pm == 15) return false;
    if (pm == 2 && so2 == 5) pm = 15;
    if (pm == 1 && so2 == 10) pm = 15;
    if (pm == 1 && so2 == 5) {
        pm = 15;
        so2 = 10;
    }
    return true;
}

double so2weight(long row, long rowpm, const Configuration& in) {
    if (row == in.so2) return 1;
    if (row == 3 && rowpm == 2 && in.so2 == 5) return 0.9;
    if (row == 5 && in.so2 == 10) return 0.2;
    return 0.01;
}

double pmweight(long row, const Configuration& in) {
    if (row == in.pm) return 1;
    if (row == 2 && in.so2 == 5 && in.pm == 15) return 0.7;
    if (row == 5 && in.pm == 2) return 0.9;
    if (row == 2 && in.pm == 5) return 0.9;
    return 0.01;
}

double fuelweight(long row, const Configuration& in) {
    const long f = in.fuel;
    if (row == f) return 1;
    if (row == 14 && f == 4) return 0.7;
    if (row == 5 && f == 4 && in.pm == 1) return 0.3;
    if (row == 5 && f == 4 && (in.pm == 2 || in.pm == 5)) return 0.2;
    if (row == 14 && f == 16) return 0.8;
    if (row == 15 && f == 3) return 0.7;
    if (row == 16 && f == 4) return 0.7;
    if (row == 5 && f == 4) return 0.7;
    if (row == 17 && (f == 3 || f == 18)) return 0.7;
    if (row == 3 && f == 18) return 0.9;
    if ((row == 3 || row == 17) && f == 7) return 0.6;
    if (row == 5 && (f == 3 || f == 7)) return 0.4;
    if (row == 4 && f == 3) return 0.5;
    return 0.1;
}

double boilerweight(long row, const Configuration& in) {
    const long b = in.boiler;
    if (row == b) return 1;
    if ((row == 2 && b == 0) || (row == 0 && b == 2) || (row == 0 && b == 1) || (row == 1 && b == 0)) return 0.5;
    if ((row == 3 && b == 0) || (row == 0 && b == 3)) return 0.2;
    return 0.15;
}

double noxweight(long row, const Configuration& in) {
    const long n = in.nox;
    if (row == n) return 1;
    if ((row == 0 && n == 3) || (row == 3 && n == 0)) return 0.9;
    if ((row == 1 && n == 4) || (row == 4 && n == 1) || (row == 2 && n == 5) || (row == 5 && n == 2)) return 1;
    return 0.6;
}

// The slot of binmatches that a scan records into, or -1 when the selector names none.
int matchslot(const ModelTables& m) {
    const double s = m.binmatches[0][0][0];
    if (!(s >= 0 && s < static_cast<double>(m.binmatches.size())) || s != std::floor(s)) return -1;
    return static_cast<int>(s);
}

}  // namespace

void fixb(App& app, std::string_view row) {
    auto& config = app.model.binconfig;
    const long n = config(0, 0) + 1;
    if (n > binconfigcapacity) return;
    config(0, 0) = n;
    for (long c = 0; c <= 5; ++c)
        config(n, c) = static_cast<long>(roundhalfeven(val(mid(row, 3 * c + 1, 3))));
}

void loadbuiltinbins(App& app) {
    app.model.binconfig(0, 0) = 0;
    for (std::string_view row : builtinbinrows) fixb(app, row);
}

long scanbins(App& app, long fuelclass, long boilergroup, long noxgroup, long so2, long pm) {
    ModelTables& m = app.model;
    const auto& config = m.binconfig;
    Configuration in{fuelclass, boilergroup, noxgroup, so2, pm};
    if (!normalise(in)) return 0;

    // Rows past binscanrows are never ranked, so they take no part at all.
    const long count = std::clamp(config(0, 0), 0L, binscanrows);
    std::array<float, binscanrows + 1> score{};  // rows past the count keep 0

    // Five passes, each over the rows the previous one kept; the first sets the score, the
    // later ones multiply it, every product held as a 32-bit float.
    std::vector<long> taking;
    for (long r = 1; r <= count; ++r) taking.push_back(r);
    for (int pass = 0; pass < 5; ++pass) {
        std::vector<long> kept;
        for (long r : taking) {
            double w = 0;
            switch (pass) {
            case 0: w = so2weight(config(r, so2c), config(r, pmc), in); break;
            case 1: w = pmweight(config(r, pmc), in); break;
            case 2: w = fuelweight(config(r, fuelc), in); break;
            case 3: w = boilerweight(config(r, boilerc), in); break;
            default: w = noxweight(config(r, noxc), in); break;
            }
            const std::size_t i = static_cast<std::size_t>(r);
            score[i] = pass == 0 ? static_cast<float>(w) : static_cast<float>(static_cast<double>(score[i]) * w);
            if (w > 0) kept.push_back(r);
        }
        if (pass < 4) {
            if (kept.empty()) return taking.empty() ? 0 : config(taking.front(), binc);
            if (kept.size() == 1) return config(kept.front(), binc);
        }
        taking = std::move(kept);
    }

    // Ranks 1..5: the highest score wins, ties to the lower row; each winner's score is then
    // set to 0 for the next rank.
    const int slot = matchslot(m);
    long result = 0;
    for (long t = 1; t <= 5; ++t) {
        long best = 1;
        for (long i = 1; i <= binscanrows; ++i)
            if (score[static_cast<std::size_t>(i)] > score[static_cast<std::size_t>(best)]) best = i;
        const long bin = config(best, binc);
        if (t == 1) result = bin;
        if (slot >= 0) {
            auto& rank = m.binmatches[static_cast<std::size_t>(slot)][static_cast<std::size_t>(t)];
            rank = {static_cast<double>(bin), static_cast<double>(score[static_cast<std::size_t>(best)]),
                    static_cast<double>(best)};
        }
        score[static_cast<std::size_t>(best)] = 0;
    }
    return result;
}

void clearbinmatches(App& app) {
    for (auto& slot : app.model.binmatches)
        for (auto& rank : slot) rank = {};
}

void collapse(long so2, long pm, long& coarseso2, long& coarsepm) {
    switch (so2) {
    case 6: coarseso2 = 1; break;
    case 0: case 4: case 8: coarseso2 = 3; break;
    case 7: coarseso2 = 2; break;
    default: coarseso2 = so2; break;
    }
    switch (pm) {
    case 0: case 16: coarsepm = 15; break;
    case 3: case 5: case 13: coarsepm = 2; break;
    case 7: case 9: case 12: case 14: coarsepm = 1; break;
    case 10: coarsepm = 8; break;
    default: coarsepm = pm; break;
    }
}

long fuelto(long fuelclass) {
    switch (fuelclass) {
    case 1: case 6: case 7: case 10: case 12: return 3;
    case 9: case 11: return 8;
    default: return fuelclass;
    }
}

void boilerandnoxgroup(long boilertype, int& boilergroupout, int& noxgroupout) {
    // Both classifiers leave their output alone for a code they do not know, so each starts
    // from 0 rather than from whatever a previous code gave.
    boilergroupout = 0;
    noxgroupout = 0;
    boilergroup(boilertype, boilergroupout);
    noxgroup(boilertype, noxgroupout);
}

long manualscan(App& app, long fuelcode, long boilergroupin, long noxgroupin, long pm, long so2) {
    for (long r = 1; r <= 300; ++r) {
        const binindexrec& row = app.ws.binindex(r);
        int g = 0, n = 0;
        boilerandnoxgroup(row.unitboiler, g, n);
        if (g == boilergroupin && row.unitfuel == fuelcode && n == noxgroupin && row.unitpm == pm &&
            row.unitso2 == so2)
            return row.unitcode;
    }
    return nobin;
}

}  // namespace brasket
