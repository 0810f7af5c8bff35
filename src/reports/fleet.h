// What the fleet emission reports share: a report body that keeps room for its closing lines, the distinct fuels of a plant, the state of a
// plant's code in the state list, and the mercury a unit emits from one of its plant's fuels.
#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "report/reportrow.h"

namespace brasket {

struct App;
struct Workset;
class ListBox;

// Kilograms of mercury in a dry ton of fuel per ppm by weight, and tons per kilogram.
inline constexpr double kgperppmton = 0.0009072;
inline constexpr double tonsperkg = 0.0011023;

// The highest plant number of the plant table.
inline constexpr long lastplant = 500;

// A text followed by one TAB character, for the report columns that end in a TAB.
inline std::string tab(std::string_view text) { return std::string(text) + '\t'; }

// Starts a fleet listing: the report buffer emptied without header lines and its line counter
// at 1, so that line 1 stays blank.
void startlisting(App& app);

// A mercury total line: the lead text, the kilograms as a whole number, "kg (", the tons of
// 907.1 kg and " tons)".
std::string massline(const std::string& lead, double kg);

// The line that ends the body of a report that did not fit into the report buffer.
inline constexpr const char* reportcutline = "REPORT CUT: the report buffer is full";

// The body of a report whose closing lines (totals) must always be kept: a body line is
// written only while the buffer still holds it, the cut note and the closing lines after it;
// the first body line that does not fit is replaced by the cut note and the rest of the body
// is dropped. Closing lines go through `closing`, which always writes.
class ReportBody {
public:
    ReportBody(App& app, long closinglines) : app_(app), closing_(closinglines) {}
    // The number of closing lines still to come (they may be written in several places).
    void setclosing(long closinglines) { closing_ = closinglines; }
    // Writes a body line; false once the report was cut.
    bool line(std::string_view text);
    void closing(std::string_view text);
    bool cut() const { return cut_; }

private:
    App& app_;
    long closing_;
    bool cut_ = false;
};

// The distinct fuel numbers above 0 of the plant's fuel slots 1..10, in slot order (a fuel
// listed in two slots counts once). Empty for a plant number outside the plant table.
std::vector<long> plantfuels(const Workset& ws, long plant);

// The unit count of unitc(0), held within the unit tables (0..2000); a count beyond them is
// told in the warning log by `report`'s name.
long fleetunitcount(App& app, const std::string& report);

// The state codes of the main window's state list, entry k - 1 giving code k (its first two
// characters, as the state report prints them), `count` codes; entries past the list give
// empty codes.
std::vector<std::string> statecodes(const ListBox& states, long count);

// A line of the warning log that the readers and the fleet reports share.
void fleetwarning(App& app, const std::string& line);
// "unit 12 (BOILER ID) of plant 3 (PLANT NAME)", for warning lines.
std::string unitdescription(const Workset& ws, long unit);

// The plant of a unit for the emission reports: its plant number when it lies within the plant
// table, else -1 after a warning line by `report`'s name.
long reportplant(App& app, long unit, const std::string& report);

// The states of the plants over one report run: the list's codes are trimmed once and each
// plant's state code is matched once, at the plant's first unit, rather than for every unit.
class PlantStates {
public:
    explicit PlantStates(const std::vector<std::string>& codes);
    // The state position (1..n) of a unit's plant in the codes: its trimmed state code matched
    // as the whole trimmed code, the last equal code winning. 0, with a warning line by
    // `report`'s name, when its state code is blank or not in the list and the plant has fuels
    // to count.
    long unitstate(App& app, long unit, long plant, const std::string& report);

private:
    std::unordered_map<std::string, long> positions_;  // trimmed code -> its last position
    std::vector<long> plants_;                         // by plant number; -1 until resolved
};

// The total line of the emission reports: "National Totals" (or another lead) at column 4,
// the burned amount text (if any) at 22 and the kilograms at 35 of a line of 44, then the
// kilograms a year and the tons a year.
std::string totalsline(const std::string& lead, double kg, const std::string& burned = "");

// The bin of a class's configuration (fuel number and model codes) for the class listings:
// the first configuration row of the bin table that describes it gives the bin (its
// `.unitcode`). Without such a row the configuration is entered into the first empty row with
// bin 90 (no bin found), so that the next search finds it, and 90 is returned; when every row
// is in use it is entered nowhere, `unentered` counts it and 90 is returned.
long configurationbin(App& app, long fuel, long boiler, long pm, long so2, long& unentered);

// An occupied class of the bin-number table: fuel entry a with its fuel number, boiler/NOx type
// b, particulate control c and SO2 control d, and its unit count (layer 0).
struct BinClass {
    long a = 0, b = 0, c = 0, d = 0;
    long fuel = 0;
    long count = 0;
};

// Visits the occupied classes of fuel entries 1..`lastentry`, boiler/NOx types 0..25,
// particulate controls 0..17 and SO2 controls 0..12 in listing order (a, b, c, d), all but the
// cell of three zero codes, which holds the entry's fuel number; the busy bar moves to
// `progress` times the entry at each fuel entry.
void eachclass(App& app, long lastentry, double progress, const std::function<void(const BinClass&)>& visit);

// A class listed with the factor of its configuration's bin: a line of 140 with the listing
// number at column 1, the count at 4, the mercury in at 9, the factor at 22 and the stack
// mercury at 32. A configuration without a bin of its own (bin 90) has the factor 1, as the
// bin lookup gives it. A factor above 1 is taken as 1 when `truncate`.
struct ClassFactor {
    long bin = 0;
    double emf = 0;
    double input = 0;  // kg of mercury in
    Row row{140};
};

// The mercury in and emitted of the classes a listing printed, and the classes whose
// configuration found neither a row nor an empty row to be entered into.
struct ClassTotals {
    double input = 0, emissions = 0;
    long unentered = 0;
    void add(const ClassFactor& cf) {
        emissions += cf.input * cf.emf;
        input += cf.input;
    }
};

// The class `k`, number `n` of its listing, with its factor; counted into `totals`.
ClassFactor classfactor(App& app, long n, const BinClass& k, bool truncate, ClassTotals& totals);

// Ends a class listing: the warning line (by `report`'s name) for classes that could not be
// entered, once for the run with their number; the national mercury in coal and emitted, the
// page close, the page index brought up to date, and the report window shown.
void endclasslisting(App& app, ReportBody& body, const ClassTotals& totals, const std::string& report);

// The mercury a unit took in and emitted with one fuel of its plant over the twelve months of
// its fuel use: the bin and factor of the configuration from the bin lookup, the amounts in
// kilograms and the particulate, oxidized and elemental parts from the bin's fractions.
struct FuelEmission {
    long fuel = 0;
    long bin = 0;
    double factor = 0;
    double burned = 0;     // dry tons
    double mercuryin = 0;  // kg
    double emitted = 0;    // kg
    double part = 0, ox = 0, elem = 0;
};
FuelEmission fuelemission(App& app, long unit, long fuel, long boiler, long so2, long pm);

// Kilograms of mercury emitted with their particulate, oxidized and elemental parts.
struct MercurySplit {
    double kg = 0, part = 0, ox = 0, elem = 0;
    void add(const FuelEmission& e) {
        kg += e.emitted;
        part += e.part;
        ox += e.ox;
        elem += e.elem;
    }
};

// Every unit's emission summed by the state of its plant (states[k] for code k of `codes`,
// states[0] unused) and over the nation, units of no listed state included.
struct StateEmissions {
    std::vector<MercurySplit> states;
    MercurySplit nation;
};
StateEmissions stateemissions(App& app, const std::vector<std::string>& codes);

}  // namespace brasket
