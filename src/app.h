// The one state object of a run: every table, option, selection, folder, the report buffer,
// the window models and the platform. Passed by reference as the first argument; no globals.
#pragma once
#include <array>
#include <cstdint>
#include <filesystem>
#include <random>
#include <string>

#include "common/warninglog.h"
#include "data/table.h"
#include "data/workset.h"
#include "mainwindow/frmabout.h"
#include "mainwindow/frmplants.h"
#include "report/frmdisplay.h"
#include "report/reportbuffer.h"
#include "reports/compoundemission.h"
#include "ui/handlers.h"
#include "ui/platform.h"
#include "unitwindow/form1.h"

namespace brasket {

// Options, with the start values the main window's load gives them.
struct Options {
    std::int16_t databaseyear = 90;
    std::int16_t emisset = 1;
    std::int16_t calcmode = 1;
    std::int16_t efmeanoption = 1;
    std::int16_t gasmedianoption = 1;
    std::int16_t concset = 1;
    std::int16_t estimatemissing = 0;
    std::int16_t partcorrmode = 100;
    std::int16_t efmeanmode = 0;
    std::int16_t missingfactormode = 0;
    double unitfactor = 1.0;
    float mwt = 0;
};

// Tables of the model that live for the run and are never saved.
struct ModelTables {
    std::array<double, 3> binfractions{};          // particulate, oxidized, elemental of the last bin matched
    Table<double, 0, 100> workvalues;              // 1..3: mean, high, low factor of the last bin reported
    Table2<double, 0, 50, 0, 21> testratiotable;   // (bin, column)
    Table2<long, 0, 70, 0, 5> binconfig;           // (row, column)
    std::array<std::array<std::array<double, 3>, 6>, 5> binmatches{};  // (slot, rank, field)
};

// Test data reports: the material balances (grams of mercury out over grams in) of the boiler
// test runs, summed over the sections reported since the emission factor report last reset them.
struct BalanceTotals {
    std::int16_t balancecount = 0;      // ratios computed
    double balancesum = 0;
    std::int16_t balancehighcount = 0;  // ratios above 1.5
    double balancehighsum = 0;
    std::int16_t balancelowcount = 0;   // ratios below 0.5
    double balancelowsum = 0;
};

// The one random source; reseeded from the clock where the system says so, unless a test fixed it.
struct Random {
    std::mt19937_64 gen{12345};
    bool fixed = false;
    void reseed(std::uint64_t seed) { if (!fixed) gen.seed(seed); }
    void fix(std::uint64_t seed) { gen.seed(seed); fixed = true; }
    // A uniform draw in [0, 1): the top 53 bits of one 64-bit output times 2^-53, so a seed
    // gives the same numbers with every standard library and the draw never reaches 1.
    double next() { return static_cast<double>(gen() >> 11) * 0x1.0p-53; }
};

struct App {
    explicit App(Platform& p);
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    Platform& platform;
    Workset ws;
    Options opt;
    ModelTables model;
    Random rng;

    // Selection
    std::int16_t currentplant = 0;
    std::int16_t plantunitindex = 0;
    std::int16_t currentunit = 0;
    std::int16_t newunitflag = 0;

    // Folders of the working files and of the text exports.
    std::filesystem::path datapath;
    std::filesystem::path importpath;

    // Module flags
    int updatingall = 0;
    std::int16_t reportcalc = 0;
    std::int16_t reportmode = 0;
    int lookupplant = 0;
    int lookuponly = 0;

    // Trace compounds: lowest (columns 0..2) and highest (3..5) concentrations by compound and data
    // kind, the selected compound, and the unit slots, device factors and slot factors of the
    // compound emission (nothing fills the slot and device tables: they stay zero).
    Table2<double, 0, 300, 0, 30> concranges;
    std::int16_t selcompound = 0;
    Table<fuelslotrec, 0, 4> fuelslots;
    Table<devicefactorrec, 0, 100> devicefactors;
    double coalslotfactor = 0, oilslotfactor = 0, gasslotfactor = 0;

    ReportBuffer report;
    BalanceTotals balance;  // test data reports

    // Telling the user (imports, saving): warning lines given to the import warning log in
    // this run (those it could not write among them: `warnings` counts them), the count when
    // the current import began, and the first line of the message of the last save or import
    // that failed (empty when none did).
    long importwarnings = 0;
    long importwarningsatstart = 0;
    std::string failure;
    // The warning log's file, open for the length of a handler run, and the lines it lost.
    WarningLog warnings;

    // Window models
    frmplants main;  // reach it through mainwindow(app), which runs its load handler first
    frmabout about;
    frmDisplay display;
    // Unit evaluation window: reach it through unitwindow(app), which runs its load handler first.
    Form1 form1;

    HandlerRegistry handlers;
};

}  // namespace brasket
