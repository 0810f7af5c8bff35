#include "import/batchrebuild.h"

#include <string>
#include <vector>

#include "app.h"
#include "common/textutil.h"
#include "data/saving.h"
#include "import/bininfo.h"
#include "import/concentrations.h"
#include "import/importconduct.h"
#include "import/imports.h"
#include "model/testfactors.h"

namespace brasket {
namespace {

// The exports of the import folder that are not there, named as the steps name them.
std::vector<std::string> missingexports(const App& app) {
    std::vector<std::string> missing;
    for (const char* name : batchexports) {
        if (findexport(app.importpath / name)) continue;
        // The unit export is read twice under two spellings of one name: told once.
        bool told = false;
        for (const std::string& m : missing) told = told || lcase(m) == lcase(name);
        if (!told) missing.push_back(name);
    }
    return missing;
}

// What the batch changes besides the tables: the plant list of the main window.
struct Snapshot {
    Workset ws;
    std::vector<std::string> plants;

    explicit Snapshot(App& app) : ws(app.ws) {
        const ListBox& list = mainwindow(app).List3;
        for (int i = 0; i < list.ListCount(); ++i) plants.push_back(list.List(i));
    }
    void restore(App& app) {
        app.ws = std::move(ws);
        ListBox& list = mainwindow(app).List3;
        list.Clear();
        for (const std::string& p : plants) list.AddItem(p);
    }
};

// A step caption in the status label, then the pending window events.
void step(App& app, const std::string& caption) { importstep(app, caption, true); }

// The rebuild, step by step; false, with the export that failed, when a step could not be
// completed.
bool rebuild(App& app, std::string& failed) {
    const auto& dir = app.importpath;
    auto read = [&](bool ok, const std::string& name) {
        if (!ok) failed = name;
        return ok;
    };
    beginimport(app, "Please wait... updating working file....");
    step(app, "reading units");
    if (!read(processunits(app, dir / "partIIExport.txt"), "partIIExport.txt")) return false;
    step(app, "reading fuel data");
    for (int q = 1; q <= 4; ++q) {
        const std::string name = "hg" + std::to_string(q) + "Qdatashort.txt";
        step(app, "reading Hg measurements " + std::to_string(q) + "Q");
        if (q == 1) setmeascount(app.ws, 0);
        if (!read(processHg(app, dir / name), name)) return false;
    }
    step(app, "reading fuel use file");
    if (!read(processcoal(app, dir / "fuelusageexport.txt"), "fuelusageexport.txt")) return false;
    importstep(app, "update other fuel names.", false);
    if (!read(processunits2(app, dir / "partIIexport.txt"), "partIIexport.txt")) return false;
    endimport(app);

    // The bin item tells a file it cannot read and goes on; the batch stops there.
    app.failure.clear();
    cmdloadbin_Click(app);
    if (!app.failure.empty()) {
        failed = "the bin information exports";
        return false;
    }
    if (!read(readbinfactorfile(app, dir / "dornvelt factors.txt"), "dornvelt factors.txt")) return false;
    if (!updateemissionfactors(app)) {
        failed = "the emission test exports";
        return false;
    }
    cmdupdateconc_Click(app);
    return true;
}

// The batch's end, however it comes: no flag, no status label, the normal pointer, and the
// lines that all its steps skipped or changed told once in a message.
void finish(App& app, long warningsatstart) {
    app.updatingall = 0;
    app.importwarningsatstart = warningsatstart;
    endimport(app);
    mainwindow(app).Label11.Visible = false;
}

}  // namespace

void cmdupdateall_Click(App& app) {
    // Every export is looked for before anything changes.
    if (const auto missing = missingexports(app); !missing.empty()) {
        std::string names;
        for (const std::string& m : missing) names += "\r\n" + m;
        importfailed(app, "The working set was not rebuilt: these exports are not in " + app.importpath.string() +
                              ":" + names);
        return;
    }
    Snapshot before(app);
    const long warnings = app.importwarnings;
    app.updatingall = 1;
    std::string failed;
    bool done = false;
    try {
        done = rebuild(app, failed);
    } catch (...) {
        before.restore(app);
        finish(app, warnings);
        throw;
    }
    // The tables the batch sets anew from the exports alone: units, plants, owners and
    // operators (their counts set anew), the analyses (their count emptied first) and the
    // tests. The other files keep their block: the fuel use, the bin rows, the fuel names, the
    // name lists and the factor tables are filled over what was loaded, and the suppliers and
    // the bin-number table are not touched by the batch at all.
    if (done)
        unblocksave(app.ws, {"idplant.dat", "idunit.dat", "owner.dat", "operator.dat", "unit.dat", "plant.dat",
                             "meas.dat", "test.dat"});
    else
        before.restore(app);
    finish(app, warnings);
    if (!done)
        importfailed(app, "The working set was not rebuilt: " + failed + " could not be read. The tables are as they were.");
}

}  // namespace brasket
