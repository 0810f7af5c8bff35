#include "data/loading.h"

#include <algorithm>
#include <string>

#include "app.h"
#include "common/numtext.h"
#include "data/codec.h"
#include "data/filebytes.h"
#include "data/saving.h"
#include "data/textfiles.h"

namespace fs = std::filesystem;

namespace brasket {
namespace {

// A working file that exists but could not be read is told by name and remembered, so that
// the save does not replace it with the empty table it was loaded as.
void tellunreadable(App& app, const std::string& name) {
    app.platform.msgbox(unreadablemessage(name));
    app.ws.unreadable.push_back(name);
}

// Reads one working file at a time into a buffer and tells the analyst about a file that
// does not fit its table or ends in an incomplete record.
class Loader {
public:
    explicit Loader(App& app) : app_(app) {}

    // Reads a record file whole and returns how many whole records it holds.
    long open(const char* name, std::size_t recordsize) {
        name_ = name;
        recordsize_ = recordsize;
        state_ = readrecordfile(app_.datapath / name, bytes_);
        if (state_ == FileRead::unreadable) tellunreadable(app_, name);
        return static_cast<long>(bytes_.size() / recordsize);
    }
    // Whether the file opened last was missing (and so created empty) or held no whole record.
    bool norecords() const { return state_ != FileRead::unreadable && bytes_.size() < recordsize_; }
    const std::uint8_t* record(long k) const {
        return reinterpret_cast<const std::uint8_t*>(bytes_.data()) + static_cast<std::size_t>(k - 1) * recordsize_;
    }
    // Record k of the open file, decoded into r.
    template <class R>
    void read(long k, R& r) const { decode(record(k), r); }

    // The number of records to load from a file read to its end into a table of `bound`
    // elements, telling about what does not fit or is incomplete.
    long fit(long whole, long bound) {
        if (whole > bound) {
            app_.platform.msgbox(toomanymessage(name_, whole, bound));
            return bound;
        }
        tellpartial(whole);
        return whole;
    }
    // A fixed-count file: only an incomplete record among those read is told.
    long fixed(long whole, long count) {
        if (whole < count) tellpartial(whole);
        return std::min(whole, count);
    }

private:
    void tellpartial(long whole) {
        std::size_t rest = bytes_.size() % recordsize_;
        if (rest != 0)
            app_.platform.msgbox(incompletemessage(name_, whole, rest));
    }

    App& app_;
    std::string name_;
    std::size_t recordsize_ = 1;
    std::string bytes_;
    FileRead state_ = FileRead::read;
};

// An id file that holds records while the file of its records is missing (created empty, so
// empty at the next start) or empty: a save would write the id file empty too, losing the
// names that could help to rebuild the set. It is told by name and the save keeps it.
void tellunpaired(App& app, const char* idfile, long records, const char* missing) {
    if (records == 0) return;
    app.platform.msgbox(unpairedmessage(idfile, records, missing));
    app.ws.unpaired.push_back(idfile);
}

// Reads a record file to its end into elements 1, 2, ... of a table; returns the count.
template <class Tab>
long readtoend(Loader& in, const char* name, Tab& table) {
    using R = std::remove_reference_t<decltype(table(1))>;
    long n = in.fit(in.open(name, recordsize<R>()), Tab::hi);
    for (long k = 1; k <= n; ++k) in.read(k, table(k));
    return n;
}

// Reads records first..last of a file of fixed length, record k into element(k); records past
// the end of a shorter file leave their elements as they were.
template <class R, class Element>
void readfixed(Loader& in, const char* name, long first, long last, Element element) {
    long n = in.fixed(in.open(name, recordsize<R>()), last);
    for (long k = first; k <= n; ++k) in.read(k, element(k));
}

// Reads a name list text into elements 1, 2, ... of the list, at most `bound` names; element 0
// gets the count.
template <class L>
void readnames(App& app, const char* name, L& list, long bound) {
    std::string content;
    if (readworkingfile(app.datapath / name, content) == FileRead::unreadable) tellunreadable(app, name);
    std::vector<std::string> items = namelistitems(content);
    long n = static_cast<long>(items.size());
    if (n > bound) {
        app.platform.msgbox(toomanymessage(name, n, bound, "names"));
        n = bound;
    }
    for (long k = 1; k <= n; ++k) list(k) = std::move(items[static_cast<std::size_t>(k - 1)]);
    setnamecount(list, n);
}

void progress(App& app, const std::string& caption) {
    app.about.Label6.Caption = caption;
    app.platform.pumpevents();
}

// The about box's load sets the printer font that report printing starts with.
void showabout(App& app) {
    if (!app.about.loaded) {
        app.about.loaded = true;
        app.platform.printer().font.name = "Courier New";
        app.platform.printer().font.size = 8;
    }
    app.about.Show();
}

}  // namespace

void loadinitial(App& app, const fs::path& datafolder) {
    Workset& w = app.ws;
    Loader in(app);

    showabout(app);
    progress(app, "Please wait... updating working files....");

    app.datapath = datafolder;
    app.importpath = app.datapath;
    w.unreadable.clear();
    w.unpaired.clear();

    // A save stopped midway (a power cut, a killed program) is finished or undone first, so
    // that the set read below is the previous one or the new one, never a mixture.
    std::string recovery = finishfileset(app.datapath, savedfilenames());
    if (!recovery.empty()) app.platform.msgbox(recovery);

    // Fuels: every element starts with its own code and a blank name (element 0 too, so that
    // no name ever carries code-0 characters into a report).
    w.idfuel(0).name = "";
    for (long k = 1; k <= 100; ++k) {
        w.idfuel(k).code = static_cast<u8>(k);
        w.idfuel(k).name = "";
    }
    readfixed<idfuelrec>(in, "idfuel.dat", 1, 100, [&](long k) -> idfuelrec& { return w.idfuel(k); });

    // The first use of the main window runs its load handler.
    frmplants& main = mainwindow(app);
    main.List4.Clear();
    for (long k = 1; k <= 13; ++k) main.List4.AddItem(w.idfuel(k).name.str());
    for (const char* blend : {"Subbit/Bit", "Bit/subBit", "Subbit/PetCoke", "Bit/PetCoke", "Bit/WasteBit"})
        main.List4.AddItem(blend);

    {
        std::string content;
        if (readworkingfile(app.datapath / "binnumber.dat", content) == FileRead::unreadable)
            tellunreadable(app, "binnumber.dat");
        BinnumberRead r = readbinnumber(content, w.binnumbertable, w.binnumbervalue);
        if (r.skipped > 0)
            app.platform.msgbox("binnumber.dat: " + std::to_string(r.skipped) +
                                (r.skipped == 1 ? " line was" : " lines were") +
                                " not six numbers of a cell within the table, or held a value beyond its field, and " +
                                (r.skipped == 1 ? "was" : "were") + " skipped.");
    }
    readfixed<partfactors1rec>(in, "partfactors1.dat", 1, 51,
                               [&](long k) -> partfactors1rec& { return w.partfactors1(k); });
    setcoalsupplycount(w, readtoend(in, "coalsupply.dat", w.coalsupply));
    readfixed<partfactors2rec>(in, "partfactors2.dat", 1, 13,
                               [&](long k) -> partfactors2rec& { return w.partfactors2(k); });
    const long idplants = readtoend(in, "idplant.dat", w.idplant);

    progress(app, "Please wait... updating unit data....");
    const long idunits = readtoend(in, "idunit.dat", w.idunit);
    setunitcount(w, readtoend(in, "unit.dat", w.unitc));
    if (in.norecords()) tellunpaired(app, "idunit.dat", idunits, "unit.dat");

    progress(app, "Please wait... updating plant data....");
    long plants = readtoend(in, "plant.dat", w.plant);
    if (in.norecords()) tellunpaired(app, "idplant.dat", idplants, "plant.dat");
    setplantcount(w, plants);
    main.List3.Clear();
    for (long k = 1; k <= plants; ++k) main.List3.AddItem(w.plant(k).plantname.str());

    progress(app, "Please wait... updating Hg measurement data....");
    long analyses = readtoend(in, "meas.dat", w.meas);
    setmeascount(w, analyses);
    progress(app, "Please wait... updated Hg measurement data...." + str(analyses));

    setownercount(w, readtoend(in, "owner.dat", w.owner));
    setoperatorcount(w, readtoend(in, "operator.dat", w.operator_));
    readfixed<binindexrec>(in, "bins.dat", 1, 301, [&](long k) -> binindexrec& { return w.binindex(k - 1); });
    {
        // Thirteen records per unit, months 0..12, units from 1.
        constexpr long months = 13;
        long n = in.fit(in.open("fueluse.dat", recordsize<unitcoalrec>()), 2000 * months);
        for (long k = 1; k <= n; ++k) in.read(k, w.unitcoal((k - 1) / months + 1, (k - 1) % months));
        setunitcoalcount(w, (n + months - 1) / months);
    }
    app.platform.pumpevents();

    readnames(app, "boiler.dat", w.boilernames, 300);
    readnames(app, "pm.dat", w.pmnames, 300);
    readnames(app, "scrub.dat", w.scrubnames, 300);
    readnames(app, "nox.dat", w.noxnames, 400);

    settestcount(w, readtoend(in, "test.dat", w.test));
    readfixed<emfactorrec>(in, "emfactor.dat", 1, 90,
                           [&](long k) -> emfactorrec& { return w.emfactor((k - 1) / 3 + 1, (k - 1) % 3); });
    // Record 1 of the two fuel tables carries nothing: records 2..361 are fuels 0..11 by boiler
    // types 1..30, records 2..241 fuels 0..11 by fuel-element classes 1..20.
    readfixed<emfactorrec>(in, "emfactorf.dat", 2, 361,
                           [&](long k) -> emfactorrec& { return w.emfactorf((k - 2) / 30, (k - 2) % 30 + 1); });
    readfixed<emfactorrec>(in, "emfactorfs.dat", 2, 241,
                           [&](long k) -> emfactorrec& { return w.emfactorfs((k - 2) / 20, (k - 2) % 20 + 1); });

    main.List5.Clear();
    main.List5.AddItem("no spec.");
    for (long i = 1; i <= 25; ++i) main.List5.AddItem(w.emfactor(i, 0).name.str());
    main.List6.Clear();
    main.List6.AddItem("no spec.");
    for (long i = 1; i <= 20; ++i) main.List6.AddItem(w.emfactor(i, 2).name.str());
    main.List7.Clear();
    main.List7.AddItem("no spec.");
    for (long i = 1; i <= 11; ++i) main.List7.AddItem(w.emfactor(i, 1).name.str());

    app.about.Label6.Caption = "";
    main.Show();
    app.about.Hide();
}

}  // namespace brasket
