// A fresh App over a temporary data folder with a hand-made fleet: plants with their fuels and
// states, units with their model codes and sizes, monthly burn records, configuration rows
// and bins. For the fleet report tests.
#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "app.h"
#include "exampleset.h"
#include "tempfolder.h"
#include "common/numtext.h"
#include "data/workset.h"
#include "ui/scripted_platform.h"

namespace brasket::testing {

// The report's stored lines, 1..count.
inline std::vector<std::string> reportlines(const App& app) {
    std::vector<std::string> v;
    for (long i = 1; i <= app.report.reportlinecount && i < ReportBuffer::lastline; ++i) v.push_back(app.report.line(i));
    return v;
}
// The first stored line of the report that starts with `lead`, empty when none does.
inline std::string firstline(const App& app, const std::string& lead) {
    for (const auto& l : reportlines(app))
        if (l.rfind(lead, 0) == 0) return l;
    return {};
}

struct FleetSet : ::testing::Test {
    TempFolder folder{"fleet"};
    std::filesystem::path dir = folder.path();
    ScriptedPlatform platform;
    std::unique_ptr<App> app = std::make_unique<App>(platform);
    long units = 0;

    void SetUp() override {
        app->datapath = dir;
        app->importpath = dir;
        Workset& w = app->ws;
        const char* fuels[] = {"", "BIT HS", "NONE", "BITUMINOUS", "SUBBITUMINOUS", "LIGNITE", "BIT LS"};
        for (long f = 0; f < 7; ++f) w.idfuel(f).name = fuels[f];
        for (long r = 1; r <= 30; ++r) {
            w.emfactor(r, 0).name = "BOILER " + std::to_string(r);
            w.emfactor(r, 1).name = "SO2 " + std::to_string(r);
            w.emfactor(r, 2).name = "PM " + std::to_string(r);
        }
    }

    void plant(long p, const std::string& name, const std::string& state, std::initializer_list<int> fuels) {
        plantrec& r = app->ws.plant(p);
        r.statecode = state;
        std::size_t s = 1;
        for (int f : fuels) r.fuelno[s++] = static_cast<i16>(f);
        if (decltype(app->ws.idplant)::inbounds(p)) app->ws.idplant(p).plantname = name;
    }
    void unit(long u, long p, int boiler, int pm, int so2, float mw = 300, const std::string& id = "") {
        app->ws.idunit(u).plantno = static_cast<i16>(p);
        app->ws.idunit(u).boilerid = id.empty() ? "U" + std::to_string(u) : id;
        unitcrec& r = app->ws.unitc(u);
        r.modelboiler = static_cast<u8>(boiler);
        r.modelpm = static_cast<u8>(pm);
        r.modelso2 = static_cast<u8>(so2);
        r.mw = mw;
        if (u > units) units = u;
        setunitcount(app->ws, units);
    }
    void burn(long u, long month, std::size_t slot, int fuel, float tons, float ppm) {
        unitcoalrec& r = app->ws.unitcoal(u, month);
        r.fuelnum[slot] = static_cast<i16>(fuel);
        r.drytons[slot] = tons;
        r.hgppm[slot] = ppm;
    }
    void configuration(long row, int fuel, int boiler, int pm, int so2, int bin) {
        binindexrec& r = app->ws.binindex(row);
        r.unitfuel = static_cast<i16>(fuel);
        r.unitboiler = static_cast<u8>(boiler);
        r.unitpm = static_cast<u8>(pm);
        r.unitso2 = static_cast<u8>(so2);
        r.unitcode = static_cast<u8>(bin);
    }
    void bin(long b, float factor, float part = 0, float ox = 0, float elem = 0, const std::string& code = "") {
        binindexrec& r = app->ws.binindex(b);
        r.efactor = factor;
        r.partfrac = part;
        r.oxfrac = ox;
        r.elemfrac = elem;
        r.Code = code;
    }
    // The configuration row as (fuel, boiler, particulate, SO2, bin), for comparing.
    std::vector<long> configurationof(long row) const {
        const binindexrec& r = app->ws.binindex(row);
        return {r.unitfuel, r.unitboiler, r.unitpm, r.unitso2, r.unitcode};
    }
    // Every configuration row in use (rows 1..300), with configurations nothing matches.
    void fillconfigurations() {
        for (long row = 1; row <= 300; ++row) configuration(row, 999, 1, 1, 1, 5);
    }

    std::vector<std::string> lines() const { return reportlines(*app); }
    std::string linestarting(const std::string& lead) const { return firstline(*app, lead); }
    std::vector<std::string> warnings() const {
        std::vector<std::string> v;
        std::ifstream in(dir / "import warnings.txt", std::ios::binary);
        for (std::string l; std::getline(in, l);) {
            if (!l.empty() && l.back() == '\r') l.pop_back();
            v.push_back(l);
        }
        return v;
    }
    bool warned(const std::string& part) const {
        for (const auto& w : warnings())
            if (w.find(part) != std::string::npos) return true;
        return false;
    }
};

// The example working set loaded from a private copy, so that the warning lines the reports
// append to the log of the data folder stay out of the shared set.
struct FleetExampleSet : ::testing::Test {
    TempFolder folder;
    std::filesystem::path dir;
    ScriptedPlatform platform;
    App app{platform};
    void SetUp() override {
        folder = copyexampleset("fleet", source());
        dir = folder.path();
        loadexampleset(app, platform, dir);
    }
    virtual std::filesystem::path source() const { return {}; }
};

// The same over a private copy of the full-size example fleet.
struct FullFleetExampleSet : FleetExampleSet {
    std::filesystem::path source() const override { return fullexampleworkingset(); }
};

}  // namespace brasket::testing
