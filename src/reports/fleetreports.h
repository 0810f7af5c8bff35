// The emission reports over the whole fleet: the unit type report with the bin-number table,
// the national summary by bin, the national emission report and its variants, the state and
// selected-area reports, and the unit listing with plants.
#pragma once
#include <cstdint>

namespace brasket {

struct App;

// Menu item "unit type report": classifies every unit by fuel, model codes and size into the
// bin-number table and lists the classes, the coal use, the units by unit type code and the
// configurations with their factors.
void cmdunittype_Click(App& app);

// The national summary by bin: the classes of the bin-number table as they stand, with the
// mercury in and emitted through the factor of each class's configuration.
void printbins(App& app);

// The variants of the national emission report that `reportmode` selects.
inline constexpr std::int16_t normalreport = 0;
inline constexpr std::int16_t nationalsummary = 1;
inline constexpr std::int16_t unitspeciated = 2;

// Sets `reportmode` for the life of one menu item and puts it back to 0 on every way out.
class ReportModeScope {
public:
    ReportModeScope(App& app, std::int16_t mode);
    ~ReportModeScope();
    ReportModeScope(const ReportModeScope&) = delete;
    ReportModeScope& operator=(const ReportModeScope&) = delete;

private:
    App& app_;
};

}  // namespace brasket
