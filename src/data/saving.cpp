#include "data/saving.h"

#include <algorithm>
#include <string>
#include <vector>

#include "app.h"
#include "data/codec.h"
#include "data/filebytes.h"
#include "data/textfiles.h"

namespace fs = std::filesystem;

namespace brasket {
namespace {

// A count read from its table, held within the table's elements 1..hi.
long within(long n, long hi) { return std::clamp(n, 0L, hi); }

// Records 1..n, record k encoded from element(k).
template <class R, class Element>
std::string records(long n, Element element) {
    constexpr std::size_t size = recordsize<R>();
    std::string out(static_cast<std::size_t>(n) * size, '\0');
    auto* p = reinterpret_cast<std::uint8_t*>(out.data());
    for (long k = 1; k <= n; ++k) encode<R>(element(k), p + static_cast<std::size_t>(k - 1) * size);
    return out;
}

// Records 1..n from elements 1..n of a table.
template <class Tab>
std::string tablerecords(const Tab& table, long n) {
    using R = std::remove_cvref_t<decltype(table(1))>;
    return records<R>(n, [&](long k) -> const R& { return table(k); });
}

template <class L>
std::string namestext(const L& list) {
    long n = within(namecount(list), L::hi);
    std::vector<std::string> names;
    names.reserve(static_cast<std::size_t>(n));
    for (long k = 1; k <= n; ++k) names.push_back(list(k));
    return namelisttext(names);
}

// Record 1 of a factor file belongs to no element: the save keeps what the file holds there.
std::string firstrecordkept(const fs::path& file) {
    constexpr std::size_t size = recordsize<emfactorrec>();
    std::string bytes;
    readfilebytes(file, bytes);
    bytes.resize(size, '\0');
    return bytes;
}

}  // namespace

std::vector<FileImage> worksetimages(const App& app) {
    const Workset& w = app.ws;
    long plants = within(plantcount(w), decltype(w.plant)::hi);
    long units = within(unitcount(w), decltype(w.unitc)::hi);
    long analyses = within(meascount(w), decltype(w.meas)::hi);
    long owners = within(ownercount(w), decltype(w.owner)::hi);
    long operators = within(operatorcount(w), decltype(w.operator_)::hi);
    long suppliers = within(coalsupplycount(w), decltype(w.coalsupply)::hi);
    long fueluseunits = within(unitcoalcount(w), decltype(w.unitcoal)::hi1);
    long tests = within(testcount(w), decltype(w.test)::hi);

    std::vector<FileImage> set;
    set.push_back({"idplant.dat", tablerecords(w.idplant, plants)});
    set.push_back({"idunit.dat", tablerecords(w.idunit, units)});
    set.push_back({"idfuel.dat", tablerecords(w.idfuel, 100)});
    set.push_back({"meas.dat", tablerecords(w.meas, analyses)});
    set.push_back({"owner.dat", tablerecords(w.owner, owners)});
    set.push_back({"operator.dat", tablerecords(w.operator_, operators)});
    set.push_back({"coalsupply.dat", tablerecords(w.coalsupply, suppliers)});
    set.push_back({"unit.dat", tablerecords(w.unitc, units)});
    set.push_back({"plant.dat", tablerecords(w.plant, plants)});
    // Thirteen records per unit, months 0..12; a unit loaded with fewer is written out whole.
    set.push_back({"fueluse.dat", records<unitcoalrec>(fueluseunits * 13, [&](long k) -> const unitcoalrec& {
                       return w.unitcoal((k - 1) / 13 + 1, (k - 1) % 13);
                   })});
    set.push_back({"boiler.dat", namestext(w.boilernames)});
    set.push_back({"pm.dat", namestext(w.pmnames)});
    set.push_back({"scrub.dat", namestext(w.scrubnames)});
    set.push_back({"nox.dat", namestext(w.noxnames)});
    set.push_back({"binnumber.dat", binnumbertext(w.binnumbertable, w.binnumbervalue)});
    set.push_back({"bins.dat", records<binindexrec>(301, [&](long k) -> const binindexrec& {
                       return w.binindex(k - 1);
                   })});
    set.push_back({"test.dat", tablerecords(w.test, tests)});
    set.push_back({"emfactor.dat", records<emfactorrec>(90, [&](long k) -> const emfactorrec& {
                       return w.emfactor((k - 1) / 3 + 1, (k - 1) % 3);
                   })});
    set.push_back({"emfactorf.dat", firstrecordkept(app.datapath / "emfactorf.dat") +
                                        records<emfactorrec>(360, [&](long k) -> const emfactorrec& {
                                            return w.emfactorf((k - 1) / 30, (k - 1) % 30 + 1);
                                        })});
    set.push_back({"emfactorfs.dat", firstrecordkept(app.datapath / "emfactorfs.dat") +
                                         records<emfactorrec>(240, [&](long k) -> const emfactorrec& {
                                             return w.emfactorfs((k - 1) / 20, (k - 1) % 20 + 1);
                                         })});

    return set;
}

void cmdsaveallupdate_Click(App& app) {
    const Workset& w = app.ws;
    // A file that could not be read at start-up was loaded as an empty table: writing the set
    // would replace what it holds with nothing.
    // The message of a failed save is kept in app.failure too, so that a script driving the
    // program can tell that the save failed.
    auto failed = [&](const std::string& message) {
        app.failure = message;
        app.platform.msgbox(message);
    };
    // Only the files this save writes count: the partition factor files are read at start-up
    // but written by their own import.
    auto listed = [](const std::vector<std::string>& names) {
        std::string list;
        for (const auto& name : names)
            if (std::find(savedfilenames().begin(), savedfilenames().end(), name) != savedfilenames().end())
                list += (list.empty() ? "" : ", ") + name;
        return list;
    };
    std::string why;
    if (const std::string unreadable = listed(w.unreadable); !unreadable.empty())
        why = unreadable + " could not be read at start-up, and saving would replace what it holds with an empty table";
    for (const auto& idfile : w.unpaired)  // idunit.dat beside unit.dat, idplant.dat beside plant.dat
        if (!listed({idfile}).empty())
            why += (why.empty() ? "" : "; ") + idfile + " holds records while " + idfile.substr(2) +
                   " was missing or empty at start-up, and saving would write it empty";
    if (!why.empty()) {
        failed("The working set was not saved: " + why + ". The files of the data folder were left as they were.");
        return;
    }
    SaveOutcome out = writefileset(app.datapath, worksetimages(app));
    if (out.saved) return;
    if (out.restored)
        failed("The working set was not saved: " + out.failedfile + ": " + out.reason +
               ". The files of the data folder were left as they were.");
    else
        failed("The working set was not saved: " + out.failedfile + ": " + out.reason + ".");
}

const std::vector<std::string>& savedfilenames() {
    static const std::vector<std::string> names = {
        "idplant.dat", "idunit.dat", "idfuel.dat",    "meas.dat",   "owner.dat",     "operator.dat",
        "coalsupply.dat", "unit.dat", "plant.dat",   "fueluse.dat", "boiler.dat",   "pm.dat",
        "scrub.dat",   "nox.dat",    "binnumber.dat", "bins.dat",   "test.dat",      "emfactor.dat",
        "emfactorf.dat", "emfactorfs.dat"};
    return names;
}

void cmderase_Click(App& app) {
    Workset& w = app.ws;
    w.unitc.clear();
    w.plant.clear();
    w.operator_.clear();
    w.owner.clear();
    w.emfactor.clear();
    w.emfactorf.clear();
    w.unitcoal.clear();
    w.meas.clear();
    w.idfuel.clear();
    w.idunit.clear();
    w.idplant.clear();
    w.pmnames.clear();
    w.scrubnames.clear();
    w.noxnames.clear();
    w.boilernames.clear();
    // What was not read is now erased on purpose: the next save may write those files. The
    // tables the erase keeps (tests, bins, suppliers, the bin-number table, the fuel-element
    // factors) still stand on what was loaded of their files, and keep their block.
    unblocksave(w, {"unit.dat", "plant.dat", "operator.dat", "owner.dat", "emfactor.dat", "emfactorf.dat",
                    "fueluse.dat", "meas.dat", "idfuel.dat", "idunit.dat", "idplant.dat", "pm.dat", "scrub.dat",
                    "nox.dat", "boiler.dat"});

    for (auto& r : w.owner) r.ownername = "";
    for (auto& r : w.operator_) r.operatorname = "";
    for (auto& r : w.plant) r.plantname = "";
    for (auto& r : w.idunit) r.boilerid = "";
    for (auto& r : w.idfuel) r.name = "";
    for (auto& r : w.idplant) r.plantname = "";
    for (long i = 1; i <= 30; ++i)
        for (long j = 0; j <= 2; ++j) w.emfactor(i, j).name = "";
}

void unblocksave(Workset& ws, std::initializer_list<std::string_view> files) {
    auto named = [&](const std::string& name) { return std::find(files.begin(), files.end(), name) != files.end(); };
    std::erase_if(ws.unreadable, named);
    std::erase_if(ws.unpaired, named);
}

void loademisf(App& app) {
    const char* name = app.opt.emisset == 1 ? "emisf.dat" : app.opt.emisset == 2 ? "emisf2.dat" : nullptr;
    if (!name) return;
    constexpr std::size_t size = recordsize<emisfrec>();
    std::string bytes;
    if (readrecordfile(app.datapath / name, bytes) == FileRead::unreadable)
        app.platform.msgbox(name + std::string(" exists but could not be read; no emission data were loaded."));
    long whole = static_cast<long>(bytes.size() / size);
    long bound = decltype(app.ws.emisf)::hi;
    if (whole > bound)
        app.platform.msgbox(toomanymessage(name, whole, bound));
    else if (bytes.size() % size != 0)
        app.platform.msgbox(incompletemessage(name, whole, bytes.size() % size));
    long n = std::min(whole, bound);
    auto* p = reinterpret_cast<const std::uint8_t*>(bytes.data());
    for (long k = 1; k <= n; ++k) decode(p + static_cast<std::size_t>(k - 1) * size, app.ws.emisf(k));
}

}  // namespace brasket
