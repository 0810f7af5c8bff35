// The evaluation window for tests: its lists as the evaluation reads them (positions are
// codes), for tests that set a configuration and a fuel row without loading a unit, and the
// window opened on the first unit of the example set.
#pragma once
#include <gtest/gtest.h>

#include <string>

#include "app.h"
#include "exampleset.h"
#include "ui/scripted_platform.h"
#include "unitwindow/form1.h"

namespace brasket::testing {

inline void fillevaluationlists(Form1& f) {
    for (int row = 0; row < 4; ++row) {
        ComboBox& c = f.Combo2[static_cast<std::size_t>(row)];
        c.Clear();
        for (std::size_t k = 0; k < fuelitemdata.size(); ++k) {
            c.AddItem(k == 1 ? "NONE" : "fuel " + std::to_string(k + 1));
            c.setItemData(c.NewIndex(), fuelitemdata[k]);
        }
    }
    auto fill = [](ComboBox& c, int n, const char* stem) {
        c.Clear();
        for (int k = 0; k < n; ++k) c.AddItem(std::string(stem) + " " + std::to_string(k));
    };
    fill(f.Combo1[0], 26, "boiler type");
    fill(f.Combo1[1], 21, "particulate type");
    fill(f.Combo1[2], 12, "SO2 type");
    fill(f.Combo3[0], 5, "boiler group");
    fill(f.Combo3[1], 21, "particulate type");
    fill(f.Combo3[2], 12, "SO2 type");
    fill(f.Combo3[3], 6, "NOx group");
}

// Fuel row `row` burns the fuel of class `fuelclass` (2 is the empty row).
inline void setfuel(Form1& f, int row, long fuelclass) {
    f.Combo2[static_cast<std::size_t>(row)].setListIndex(static_cast<int>(fuelclass - 1));
}

// The proposed configuration: boiler group, NOx group, particulate and SO2 codes.
inline void propose(Form1& f, int boilergroup, int noxgroup, int pm, int so2) {
    f.Combo3[0].setListIndex(boilergroup);
    f.Combo3[3].setListIndex(noxgroup);
    f.Combo3[1].setListIndex(pm);
    f.Combo3[2].setListIndex(so2);
}

// The existing configuration: model boiler type, particulate and SO2 types.
inline void existing(Form1& f, int boilertype, int pm, int so2) {
    f.Combo1[0].setListIndex(boilertype);
    f.Combo1[1].setListIndex(pm);
    f.Combo1[2].setListIndex(so2);
}

// The evaluation window opened, as the main window's chooser opens it, on unit 1 of the
// example set.
struct ExampleUnitWindow {
    ScriptedPlatform platform;
    App app{platform};
    Form1& f = app.form1;
    ExampleUnitWindow() {
        loadexampleset(app, platform);
        EXPECT_TRUE(selectunit(app, 1));
        cmdevaluateunit_Click(app);
    }
    // Puts a fuel, its mercury and its tonnage into a row; each change evaluates again.
    void setrow(int row, int entry, const std::string& hg, const std::string& tons) {
        f.Combo2[static_cast<std::size_t>(row)].setListIndex(entry);
        f.Text1[static_cast<std::size_t>(row)].setText(hg);
        f.Text2[static_cast<std::size_t>(row)].setText(tons);
    }
    void clearrows() {
        for (int i = 0; i < 4; ++i) setrow(i, 1, "", "");
    }
    std::string cell(int k) const { return f.Label3[static_cast<std::size_t>(k)].Caption(); }
    // The report buffer's lines, one a line.
    std::string reporttext() const {
        std::string all;
        for (long i = 1; i <= app.report.reportlinecount; ++i) all += app.report.line(i) + "\n";
        return all;
    }
};

}  // namespace brasket::testing
