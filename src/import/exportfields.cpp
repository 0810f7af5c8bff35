#include "import/exportfields.h"

#include <algorithm>

#include "app.h"
#include "common/numtext.h"
#include "common/textutil.h"
#include "import/importconduct.h"

namespace brasket {

void splitline(std::string_view line, CTXT& ctxt) {
    for (auto& f : ctxt) f.clear();
    // The line is read as if one TAB followed it, so its last field ends at the line's end.
    std::size_t pos = 0;
    int k = 1;
    while (pos < line.size() && k < 50) {
        std::size_t tab = line.find('\t', pos);
        if (tab == std::string_view::npos) tab = line.size();
        std::string_view field = line.substr(pos, tab - pos);
        std::string& into = ctxt[static_cast<std::size_t>(k)];
        if (field.size() >= 2 && field.front() == '"' && field.back() == '"') {
            // A field a spreadsheet put in double quotes: the quotes go, and a doubled quote
            // inside stands for one.
            into.clear();
            for (std::size_t i = 1; i + 1 < field.size(); ++i) {
                into.push_back(field[i]);
                if (field[i] == '"' && i + 2 < field.size() && field[i + 1] == '"') ++i;
            }
        } else {
            into.assign(field);
        }
        ++k;
        pos = tab + 1;
    }
}

namespace {

void dropquotes(std::string& s) {
    if (!s.empty() && s.back() == '"') s.pop_back();
    if (!s.empty() && s.front() == '"') s.erase(0, 1);
}

// A fixed text without its blanks at both ends, as a view into the field.
template <std::size_t N>
std::string_view trimmedview(const Text<N>& t) {
    std::size_t n = N, start = 0;
    while (n > 0 && t.b[n - 1] == ' ') --n;
    while (start < n && t.b[start] == ' ') ++start;
    return std::string_view(t.b.data() + start, n - start);
}

// Whether a stored name, blanks trimmed at both ends and upper-cased, equals `name`.
template <std::size_t N>
bool equalsupper(const Text<N>& t, std::string_view name) {
    std::string_view v = trimmedview(t);
    if (v.size() != name.size()) return false;
    for (std::size_t i = 0; i < v.size(); ++i) {
        char c = v[i];
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        if (c != name[i]) return false;
    }
    return true;
}

// A row that holds no name: blanks, or a field never assigned (code 0 throughout).
template <std::size_t N>
bool emptyrow(const Text<N>& t) {
    for (char c : t.b)
        if (c != ' ' && c != '\0') return false;
    return true;
}

// A name list of the working set: a name is its position; element 0 holds the count. Names
// are stored and compared without blanks at either end. The list file cannot hold a double
// quote inside a name (it would split the name on reading), so a name holding one is stored
// with an apostrophe in its place, and the change is written to the warning log.
template <class List>
long listlookup(App& app, List& list, long last, const char* file, const std::string& given) {
    std::string name = trim(given);
    if (name.empty()) return 0;
    bool quoted = name.find('"') != std::string::npos;
    if (quoted) std::replace(name.begin(), name.end(), '"', '\'');
    for (long i = 1; i <= last; ++i) {
        const std::string& row = list(i);
        if (row == name || (!row.empty() && trim(row) == name)) return i;
        if (row.empty()) {
            list(i) = name;
            list(0) = str(i);
            if (quoted)
                importwarning(app, "the name " + trim(given) + " holds a double quote, which " + file +
                                       " cannot keep; it is stored as " + name);
            return i;
        }
    }
    return 0;
}

// A name as a fixed text of N characters keeps it, and as it is compared with the stored rows:
// cut to N characters, without blanks at either end. A name that ends in a blank (a quote
// removed after it, as in LUMP 2 ") is so found in the row that stored it.
std::string storedform(std::string_view name, std::size_t n) { return trim(name.substr(0, std::min(n, name.size()))); }

long typelookup(App& app, int column, std::string& name) {
    // Type names are held in 25 characters; a longer name is known by its first 25.
    if (name.size() > 25) name = rtrim(std::string_view(name).substr(0, 25));
    const std::string key = storedform(name, 25);
    for (long i = 1; i <= 30; ++i) {
        auto& row = app.ws.emfactor(i, column).name;
        if (trimmedview(row) == key) return i;
        if (emptyrow(row) && app.lookuponly != 1) {
            row = name;
            return i;
        }
    }
    return 0;
}

}  // namespace

void cleanfield(std::string& field) {
    // In place: the readers clean several fields of every line.
    std::size_t end = field.find_last_not_of(' ');
    if (end == std::string::npos) {
        field.clear();
        return;
    }
    field.erase(end + 1);
    field.erase(0, field.find_first_not_of(' '));
    for (char& c : field)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    dropquotes(field);
}

std::string unquoted(std::string_view field) {
    std::string s = trim(field);
    dropquotes(s);
    return s;
}

long codelookup(App& app, std::string_view category, std::string& name) {
    cleanfield(name);
    // Blanks alone (a quoted blank) are stored as no name at all: such a name is none.
    if (name.find_first_not_of(' ') == std::string::npos) return 0;
    Workset& ws = app.ws;
    if (category == "pfcode") {
        long found = 0;
        long plants = std::min<long>(plantcount(ws), ws.idplant.hi);
        const std::string code = trim(name);
        for (long i = 1; i <= plants; ++i)
            if (trim(ws.idplant(i).pfcode.str()) == code) found = i;
        return found;
    }
    if (category == "fuel") {
        if (name.size() > 35) name = rtrim(std::string_view(name).substr(0, 35));
        const std::string key = storedform(name, 35);
        for (long i = 1; i <= 100; ++i) {
            auto& row = ws.idfuel(i).name;
            if (trimmedview(row) == key) return i;
            if (emptyrow(row)) {
                row = name;
                return i;
            }
        }
        return 0;
    }
    if (category == "boiler_ID") {
        if (!ws.idplant.inbounds(app.lookupplant)) return 0;
        const auto& units = ws.idplant(app.lookupplant).unitno;
        // A quoted identifier keeps the blanks inside its quotes; they do not count here.
        const std::string id = trim(name);
        for (long i = 1; i <= 30; ++i) {
            long u = units[static_cast<std::size_t>(i)];
            if (!ws.unitc.inbounds(u)) continue;
            if (equalsupper(ws.unitc(u).unitname, id)) return i;
        }
        return 0;
    }
    if (category == "boilers") return listlookup(app, ws.boilernames, 300, "boiler.dat", name);
    if (category == "pms") return listlookup(app, ws.pmnames, 300, "pm.dat", name);
    if (category == "scrubs") return listlookup(app, ws.scrubnames, 300, "scrub.dat", name);
    if (category == "noxs") return listlookup(app, ws.noxnames, 400, "nox.dat", name);
    if (category == "boiler") return typelookup(app, 0, name);
    if (category == "so2") return typelookup(app, 1, name);
    if (category == "pm") return typelookup(app, 2, name);
    return 0;
}

PlantCodeIndex::PlantCodeIndex(const Workset& ws) {
    long plants = std::min<long>(plantcount(ws), ws.idplant.hi);
    for (long i = 1; i <= plants; ++i) plants_[trim(ws.idplant(i).pfcode.str())] = i;
}

long PlantCodeIndex::lookup(std::string& code) const {
    cleanfield(code);
    if (code.empty()) return 0;
    auto it = plants_.find(trim(code));
    return it == plants_.end() ? 0 : it->second;
}

}  // namespace brasket
