// The emission factor data of trace compounds by control device ("EMISDATA.prn"), the
// compound list of the main window and the compound file that numbers the compounds.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app.h"
#include "common/numtext.h"
#include "common/textutil.h"
#include "data/codec.h"
#include "data/filebytes.h"
#include "import/compounddata.h"
#include "import/importconduct.h"

namespace brasket {

namespace fs = std::filesystem;

namespace {

constexpr long maxcompounds = decltype(Workset{}.compounds)::hi;  // 300
constexpr long maxlines = decltype(Workset{}.emisf)::hi;          // 3000
constexpr long maxdevice = 100;                                   // device numbers listed in List2
constexpr std::size_t compoundsize = recordsize<compoundrec>();

// The 1-based position of the last entry equal to name, 0 when none.
template <class Entry>
long lastmatch(long count, Entry entry, const std::string& name) {
    long found = 0;
    for (long i = 1; i <= count; ++i)
        if (entry(i) == name) found = i;
    return found;
}

// A whole number of the print file within the 16-bit range, or false.
bool wholefield(std::string_view text, std::int16_t& out) {
    const double v = val(text);
    if (!fitsi16(v)) return false;
    out = cint16(v);
    return true;
}

void importfactordata(App& app);

}  // namespace

fs::path compoundfilepath(const App& app) { return app.datapath / "compound.dat"; }

void writecompoundrecord(App& app, long k) {
    auto bytes = encode(app.ws.compounds(k));
    fs::path file = compoundfilepath(app);
    std::FILE* f = std::fopen(file.c_str(), "r+b");
    if (!f) f = std::fopen(file.c_str(), "w+b");
    bool ok = f && std::fseek(f, static_cast<long>((k - 1) * compoundsize), SEEK_SET) == 0 &&
              std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    if (f && std::fclose(f) != 0) ok = false;
    if (!ok)
        importfailed(app, "Record " + std::to_string(k) + " of " + file.string() +
                              " could not be written; the compound is listed but its record on file is not up to date.");
}

bool readcompoundrecord(const App& app, long k, compoundrec& record) {
    std::string bytes;
    if (k < 1 || !readfilebytes(compoundfilepath(app), bytes)) return false;
    std::size_t at = static_cast<std::size_t>(k - 1) * compoundsize;
    if (bytes.size() < at + compoundsize) return false;
    decode(reinterpret_cast<const std::uint8_t*>(bytes.data()) + at, record);
    return true;
}

namespace {

// The compound list of a run that has not listed its compounds yet (the start-up loading
// does not read the compound file): the compounds of the compound file, record k as entry k,
// so that an update finds a compound of an earlier run in its own record instead of numbering
// the names it meets from 1 again over the records of others.
void listfilecompounds(App& app, ListBox& list) {
    std::string bytes;
    if (!readfilebytes(compoundfilepath(app), bytes)) return;
    const long records = std::min<long>(static_cast<long>(bytes.size() / compoundsize), maxcompounds);
    for (long k = 1; k <= records; ++k) {
        compoundrec& c = app.ws.compounds(k);
        decode(reinterpret_cast<const std::uint8_t*>(bytes.data()) + static_cast<std::size_t>(k - 1) * compoundsize, c);
        // A record never written (code 0 throughout) names no compound; it keeps its entry,
        // blank, so that the entries stay numbered as the records.
        std::string listed = c.name.trimmed();
        if (listed.find_first_not_of('\0') == std::string::npos) listed.clear();
        list.AddItem(listed);
    }
}

}  // namespace

void putlistrecords(App& app, std::string_view name, std::int16_t& number) {
    ListBox& list = mainwindow(app).List1;
    std::string wanted = rtrim(name);
    number = 0;
    if (wanted.empty()) return;  // a blank name is no compound
    if (list.ListCount() == 0) listfilecompounds(app, list);
    long found = lastmatch(list.ListCount(), [&](long i) -> const std::string& { return list.List(i - 1); }, wanted);
    if (found > maxcompounds) {
        // An entry beyond the compound table (the list was filled past it): no compound number.
        importwarning(app, "compound " + wanted + " not numbered: its entry lies beyond the compound table");
        number = 0;
        return;
    }
    if (found > 0) {
        number = static_cast<std::int16_t>(found);
        return;
    }
    long n = list.ListCount() + 1;
    if (n > maxcompounds) {
        importwarning(app, "compound " + wanted + " not listed: the compound table holds " +
                               std::to_string(maxcompounds) + " compounds");
        number = 0;
        return;
    }
    list.AddItem(wanted);
    app.ws.compounds(n).name = wanted;
    writecompoundrecord(app, n);
    number = static_cast<std::int16_t>(n);
}

bool parsefixedline(std::string_view line, emisfrec& record) {
    std::int16_t number1 = 0, device = 0, compound = 0;
    if (!wholefield(mid(line, 21, 8), number1) || !wholefield(mid(line, 83, 8), device) ||
        !wholefield(mid(line, 91, 8), compound))
        return false;
    const double value = val(mid(line, 69, 14));
    if (!fitsf32(value)) return false;  // never stored out of a float's range
    record.text1 = mid(line, 1, 20);
    record.number1 = number1;
    record.compoundname = mid(line, 29, 40);
    record.value = static_cast<f32>(value);
    record.number2 = device;
    record.compoundno = compound;
    return true;
}

void cmdemisf_Click(App& app) {
    frmplants& w = mainwindow(app);
    w.Picture1.Cls();
    clearscr(app);
    const std::string caption = "Loading emission modification factors";
    w.Label19.Caption = caption;
    showbusy(app, 0);
    beginimport(app, caption);
    importfactordata(app);
    endimport(app);
}

namespace {

// The emission factor data, the compound list and their files from "EMISDATA.prn", or nothing
// changed and the reason told.
void importfactordata(App& app) {
    frmplants& w = mainwindow(app);
    const fs::path source = app.datapath / "EMISDATA.prn";
    auto lines = openexport(app, source);
    if (!lines) return;
    auto refuse = [&](const std::string& why) {
        importfailed(app, "EMISDATA.prn " + why +
                              " The emission factor data, the compound list and their files were left as they were.");
    };

    // The whole file is read and checked before anything is replaced.
    std::vector<emisfrec> records;
    lines->skipheading(1);
    std::string_view line;
    while (lines->next(line)) {
        long n = static_cast<long>(records.size()) + 1;
        if (n > maxlines) {
            refuse("holds more than " + std::to_string(maxlines) + " lines of emission data.");
            return;
        }
        emisfrec r = app.ws.emisf(n);
        if (!parsefixedline(line, r)) {
            refuse("line " + std::to_string(lines->linenumber()) +
                   ": a whole number in columns 21-28, 83-90 or 91-98 is beyond -32768..32767, or the factor in "
                   "columns 69-82 is beyond the range of its field.");
            return;
        }
        records.push_back(r);
    }
    if (records.empty()) {
        refuse("holds no lines of emission data after its heading.");
        return;
    }

    // Compounds numbered in order of first appearance; a blank name gets no compound.
    w.Label9.Caption = "Updating compound file";
    std::vector<std::string> names;
    for (emisfrec& r : records) {
        std::string name = r.compoundname.trimmed();
        long k = lastmatch(static_cast<long>(names.size()),
                           [&](long i) -> const std::string& { return names[static_cast<std::size_t>(i - 1)]; }, name);
        if (k == 0 && !name.empty()) {
            if (static_cast<long>(names.size()) == maxcompounds) {
                refuse("names more than " + std::to_string(maxcompounds) + " compounds.");
                return;
            }
            names.push_back(name);
            k = static_cast<long>(names.size());
        }
        r.compoundno = static_cast<std::int16_t>(k);
    }

    // The new emisf.dat, and the compound file with records 1..count rewritten (records beyond
    // keep what they held), replace the old files together.
    std::string factorbytes;
    for (const emisfrec& r : records) {
        auto b = encode(r);
        factorbytes.append(reinterpret_cast<const char*>(b.data()), b.size());
    }
    std::string compoundbytes;
    readfilebytes(compoundfilepath(app), compoundbytes);
    if (compoundbytes.size() < names.size() * compoundsize) compoundbytes.resize(names.size() * compoundsize, '\0');
    for (std::size_t i = 0; i < names.size(); ++i) {
        compoundrec c = app.ws.compounds(static_cast<long>(i + 1));
        c.name = names[i];
        encode(c, reinterpret_cast<std::uint8_t*>(compoundbytes.data()) + i * compoundsize);
    }
    const SaveOutcome out = writefileset(app.datapath, {{"emisf.dat", factorbytes}, {"compound.dat", compoundbytes}});
    if (!out.saved) {
        if (out.restored)
            refuse("was read, but " + out.failedfile + " could not be written: " + out.reason + ".");
        else
            importfailed(app, "EMISDATA.prn was read, but " + out.failedfile + " could not be written: " + out.reason +
                                  ". The next start finishes or undoes the change of emisf.dat and compound.dat.");
        return;
    }

    for (std::size_t i = 0; i < records.size(); ++i) app.ws.emisf(static_cast<long>(i + 1)) = records[i];
    w.List1.Clear();
    w.List2.Clear();
    w.List2.AddItem("No Controls");
    for (std::size_t i = 0; i < names.size(); ++i) {
        app.ws.compounds(static_cast<long>(i + 1)).name = names[i];
        w.List1.AddItem(names[i]);
    }
    // One entry per device number that occurs, in number order, named by its first record.
    for (long j = 1; j <= maxdevice; ++j) {
        for (const emisfrec& r : records) {
            if (r.number2 == j) {
                w.List2.AddItem(r.text1.str());
                break;
            }
        }
    }
    w.Picture1.Cls();
    clearscr(app);
}

}  // namespace

}  // namespace brasket
