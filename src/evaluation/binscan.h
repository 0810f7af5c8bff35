// The evaluation's own configuration-to-bin table and the searches that find a bin where the
// bin table has no configuration row: the weighted scan of the built-in table, the coarser
// control codes, the fuel class of the test check and the scan of the bin table by boiler
// group and NOx group.
//
// Codes, the same in every procedure here:
//   fuel class        1-based position in the evaluation window's fuel list (1..13 the fuels in
//                     code order, 14..18 the five blends)
//   fuel code         the fuel number of the bin table (102, 202, 403, ...)
//   boiler group      0 CONV/PC, 1 CYCLONE, 2 STOKER, 3 FBC, 4 COAL GAS
//   NOx group         0 NOX, 1 NOX/SCR, 2 NOX/SNCR, 3 NONOX, 4 NONOX/SCR, 5 NONOX/SNCR
//   particulate code  position in the particulate device list (0 no spec., 15 no control)
//   SO2 code          position in the SO2 device list (0 no spec.)
//   bin               0..300, 90 when no bin was found
#pragma once
#include <array>
#include <string_view>

namespace brasket {

struct App;

// The built-in rows, each six right-aligned three-character numbers: bin, fuel class, boiler
// group, NOx group, particulate code, SO2 code.
inline constexpr std::size_t builtinbinrowcount = 54;
extern const std::array<std::string_view, builtinbinrowcount> builtinbinrows;

// Rows `binconfig` can hold, and rows the scan considers.
inline constexpr long binconfigcapacity = 70;
inline constexpr long binscanrows = 55;

// Appends one row to binconfig, given as its six three-character numbers. A row past the
// table's capacity is not stored.
void fixb(App& app, std::string_view row);

// Empties binconfig and appends the built-in rows in their order (the window's load does it).
void loadbuiltinbins(App& app);

// The bin of the built-in row that best fits the configuration, after normalising its codes
// (note: SO2 before particulate). Records the five best rows in binmatches for the slot named
// by binmatches(0, 0, 0), unless the scan ends early or that selector is not a slot 0..4.
long scanbins(App& app, long fuelclass, long boilergroup, long noxgroup, long so2, long pm);

// Empties every slot of binmatches, the selector included.
void clearbinmatches(App& app);

// Coarser SO2 and particulate codes for a further bin lookup.
void collapse(long so2, long pm, long& coarseso2, long& coarsepm);

// The fuel class the test check compares: the bituminous-like classes become 3, the waste
// classes 8.
long fuelto(long fuelclass);

// The bin of the first configuration row of the bin table whose fuel code, boiler group, NOx
// group, particulate and SO2 codes equal the given ones (note: particulate before SO2); 90
// when none does.
long manualscan(App& app, long fuelcode, long boilergroup, long noxgroup, long pm, long so2);

// The boiler group and NOx group of a boiler type code, each 0 where the code has none.
void boilerandnoxgroup(long boilertype, int& boilergroupout, int& noxgroupout);

}  // namespace brasket
