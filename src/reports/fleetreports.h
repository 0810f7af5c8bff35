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

// Menu item "Summary of National Emissions": the national summary by bin while the bin method
// is in force, else the national emission report in its summary variant.
void cmdnatsummary_Click(App& app);

// Menu item "National Emissions of Mercury": every unit's mercury from each fuel of its plant,
// a line per unit and fuel, with national totals; `reportmode` 2 gives the speciated variant.
void cmdactslusum_Click(App& app);
// Menu items "Unit speciated emissions" and "summary by unit types": the speciated variant.
void cmdunitspecreport_Click(App& app);
void cmdus_Click(App& app);

// Menu item "List of mercury emissions by state": each state's mercury emission and its
// particulate, oxidized and elemental parts, with national totals.
void cmdstatelist_Click(App& app);

// Menu items "Report by region" and "Report by state": the area frame with its device lists.
void cmdreportbyregion_Click(App& app);
void cmdreportbystate_Click(App& app);
// The area frame's buttons "ALL", "NONE" and "OK" (the selected-area report).
void Command16_Click(App& app);
void Command17_Click(App& app);
void Command18_Click(App& app);

// Menu item "unit specifications with plants": each unit's burn of each of its plant's fuels.
void cmdunitspecsplus_Click(App& app);

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
