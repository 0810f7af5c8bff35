// The fields of one line of a tab-separated text export and the look-up that turns a name of
// such a line into the numeric code the working tables store.
#pragma once
#include <array>
#include <string>
#include <string_view>
#include <unordered_map>

namespace brasket {

struct App;
struct Workset;

// CTXT$: field k (1..49) of the last line split; elements 0 and 50 stay empty.
using CTXT = std::array<std::string, 51>;

// Cuts one line (without its line end) at its TAB characters into ctxt(1..49). Fields keep
// their text exactly, except that double quotes a spreadsheet put around a whole field are
// removed (a doubled quote inside such a field stands for one); a 50th field and everything
// after it are dropped.
void splitline(std::string_view line, CTXT& ctxt);

// A name field made comparable: blanks trimmed at both ends, upper case, then one double
// quote removed at the end and one at the start.
void cleanfield(std::string& field);

// A name with blanks trimmed and one double quote removed at each end (case kept): the way
// plant names and supplemental fuel names are read.
std::string unquoted(std::string_view field);

// The code of a name in one of the categories "pfcode", "fuel", "boiler_ID", "boilers",
// "pms", "scrubs", "noxs", "boiler", "so2", "pm". The name is cleaned in place first; an
// empty (or blank) name gives 0. A name is compared in the form in which its table stores it,
// without blanks at either end, so that one ending in a blank finds its row again. Categories
// that own a list add a name they have not seen at the list's first free row. A name that is neither found nor added, and an unknown category, give 0.
long codelookup(App& app, std::string_view category, std::string& name);

// The plant numbers by plant code, for readers that look up every line's plant code: the
// same answer as codelookup("pfcode") (the highest plant whose trimmed code matches) without
// a scan per line. Plant codes do not change while such a reader runs.
class PlantCodeIndex {
public:
    explicit PlantCodeIndex(const Workset& ws);
    // The plant of a code field (cleaned in place, as codelookup does); 0 when not found.
    long lookup(std::string& code) const;

private:
    std::unordered_map<std::string, long> plants_;
};

}  // namespace brasket
