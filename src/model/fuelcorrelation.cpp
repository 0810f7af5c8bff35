#include "model/fuelcorrelation.h"

#include <algorithm>
#include <array>

#include "app.h"
#include "common/numtext.h"
#include "model/testfactors.h"
#include "report/numformat.h"

namespace brasket {
namespace {

constexpr int fuelrows = 12;
constexpr int lasttype = 23;  // boiler types 1..23 are completed
constexpr int classes = 4;

using Species = std::array<double, 3>;

// Count-weighted sums of the three fractions.
struct Weighted {
    Species sum{};
    long count = 0;
    void add(const emfactorrec& r, long n) {
        sum[0] += n * static_cast<double>(r.hgpart);
        sum[1] += n * static_cast<double>(r.hgox);
        sum[2] += n * static_cast<double>(r.hgelem);
        count += n;
    }
};

// The three means scaled to add up to 1; a zero sum leaves them as they are.
Species normalised(Species m) {
    const double s = m[0] + m[1] + m[2];
    if (s > 0)
        for (double& v : m) v /= s;
    return m;
}

// A source of fill values: formed only where tests stood behind it.
struct Source {
    Species value{};
    bool formed = false;
};

Source weightedmeans(const Weighted& w) {
    if (w.count <= 0) return {};
    return {normalised({w.sum[0] / w.count, w.sum[1] / w.count, w.sum[2] / w.count}), true};
}

long cellcount(const emfactorrec& r) { return cint16(r.testcount); }

// The rows that are averaged and filled: coal gas and fuels 3..11.
bool processedrow(int f) { return f == 0 || f >= 3; }

void setfractions(emfactorrec& r, const Species& v) {
    r.hgpart = static_cast<f32>(v[0]);
    r.hgox = static_cast<f32>(v[1]);
    r.hgelem = static_cast<f32>(v[2]);
}

}  // namespace

void SETFUELCORRELATION(App& app) {
    auto& table = app.ws.emfactorf;
    const int mode = app.opt.missingfactormode;

    // Cells without tests start empty.
    for (int f = 0; f < fuelrows; ++f)
        for (int b = 1; b <= lasttype; ++b)
            if (cellcount(table(f, b)) == 0) setfractions(table(f, b), {0, 0, 0});

    // Fuel-row means and, over the processed rows, the grand means.
    std::array<Source, fuelrows> rowmeans{};
    Weighted grand;
    for (int f = 0; f < fuelrows; ++f) {
        if (!processedrow(f)) continue;
        Weighted w;
        for (int b = 1; b <= lasttype; ++b) w.add(table(f, b), cellcount(table(f, b)));
        for (int k = 0; k < 3; ++k) grand.sum[static_cast<std::size_t>(k)] += w.sum[static_cast<std::size_t>(k)];
        grand.count += w.count;
        rowmeans[static_cast<std::size_t>(f)] = weightedmeans(w);
    }
    const Source grandmeans = weightedmeans(grand);

    // Boiler-type column means, over all twelve fuel rows.
    std::array<Source, lasttype + 1> columnmeans{};
    for (int b = 1; b <= lasttype; ++b) {
        Weighted w;
        for (int f = 0; f < fuelrows; ++f) w.add(table(f, b), cellcount(table(f, b)));
        columnmeans[static_cast<std::size_t>(b)] = weightedmeans(w);
    }

    // Class values of each processed row from its own cells with tests: plain means per boiler
    // class 1..3. Class 0 has no values, so its cells wait for the grand means.
    std::array<std::array<Source, classes>, fuelrows> classvalues{};
    for (int f = 0; f < fuelrows; ++f) {
        if (!processedrow(f)) continue;
        std::array<Species, classes> sums{};
        std::array<long, classes> cells{};
        for (int b = 1; b <= lasttype; ++b) {
            const emfactorrec& r = table(f, b);
            if (cellcount(r) == 0) continue;
            const auto c = static_cast<std::size_t>(boilerclassmap[static_cast<std::size_t>(b)]);
            sums[c][0] += r.hgpart;
            sums[c][1] += r.hgox;
            sums[c][2] += r.hgelem;
            ++cells[c];
        }
        for (std::size_t c = 1; c < classes; ++c)
            if (cells[c] > 0)
                classvalues[static_cast<std::size_t>(f)][c] = {
                    normalised({sums[c][0] / cells[c], sums[c][1] / cells[c], sums[c][2] / cells[c]}), true};
    }

    // Fill each cell without tests from the source its mode names; what has no source yet
    // takes the grand means.
    for (int f = 0; f < fuelrows; ++f) {
        if (!processedrow(f)) continue;
        for (int b = 1; b <= lasttype; ++b) {
            emfactorrec& r = table(f, b);
            if (cellcount(r) != 0) continue;
            Source s;
            if (mode == 0)
                s = columnmeans[static_cast<std::size_t>(b)];
            else if (mode == 1)
                s = rowmeans[static_cast<std::size_t>(f)];
            else if (mode == 2)
                s = classvalues[static_cast<std::size_t>(f)][static_cast<std::size_t>(boilerclassmap[static_cast<std::size_t>(b)])];
            if (!s.formed) s = grandmeans;
            if (s.formed) setfractions(r, s.value);
        }
    }
}

void Command22_Click(App& app) { SETFUELCORRELATION(app); }

void cmdburncorrelation_Click(App& app) {
    Options& o = app.opt;
    MenuItem& item = mainwindow(app).menu("cmdburncorrelation");
    switch (o.partcorrmode) {
        case 2:
            o.partcorrmode = 5;
            item.Caption = "%part. corr. by boiler";
            break;
        case 1:
            o.partcorrmode = 2;
            item.Caption = "%part. correlation 2";
            break;
        case 5:
            o.partcorrmode = 1;
            item.Caption = "%part. corr. by fuel";
            SETFUELCORRELATION(app);
            break;
        default:
            break;
    }
}

void cmdemissionfactorset_Click(App& app) {
    Options& o = app.opt;
    MenuItem& item = mainwindow(app).menu("cmdemissionfactorset");
    if (o.efmeanmode == 0) {
        o.efmeanmode = 1;
        item.Caption = "now geometric EF";
    } else if (o.efmeanmode == 1) {
        o.efmeanmode = 0;
        item.Caption = "now average EF";
    } else {
        return;
    }
    cmdupdateef_Click(app);
}

void CORR25D(App& app, std::string& out) {
    const double x = app.opt.mwt;
    if (x == 0)
        out = "NO MWT";
    else if (x < 100)
        out = "0.999";
    else if (x < 150)
        out = formatnumber(0.999 - (x - 100) * 0.849 / 50, "#.####");
    else if (x < 450)
        out = formatnumber(0.15 - (x - 150) * 0.15 / 300, "#.####");
    else
        out = "0.000";
}

}  // namespace brasket
