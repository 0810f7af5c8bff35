// Monthly mercury concentrations: each unit's fuels get their monthly mercury from the
// analyses of the plant, months without analyses the plant's yearly mean of that fuel, and
// a check report lists what could not be matched.
#pragma once
#include <string>
#include <vector>

namespace brasket {

struct App;

// Data that the concentration update could not match, for its check report.
struct ConcentrationErrors {
    // Analyses left out because four other fuels already filled their plant and month.
    std::vector<long> extrafuel;  // analysis record numbers
    // Monthly means of a fuel that no unit of the plant burned in that month.
    struct Unburned {
        long plant;
        long fuel;
        long month;
    };
    std::vector<Unburned> unburned;
};

// Steps 1 to 5: collect the analyses by plant, month and fuel, rewrite the plants' monthly
// and yearly mercury by fuel slot, write the monthly means into the units' fuel-use slots
// and fill the months without analyses with the yearly mean.
ConcentrationErrors updateconcentrations(App& app);

// The lines of the check report "Error form for mercury concentration data", in the order
// they go to the report buffer ("#" closes a page).
std::vector<std::string> concentrationreportlines(const App& app, const ConcentrationErrors& errors);

// Menu item "Update concentration data/QA".
void cmdupdateconc_Click(App& app);

}  // namespace brasket
