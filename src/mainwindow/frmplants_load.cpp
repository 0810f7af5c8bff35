#include <string>
#include <vector>

#include "app.h"
#include "common/numtext.h"
#include "common/textutil.h"
#include "data/filebytes.h"
#include "data/saving.h"
#include "data/textfiles.h"
#include "mainwindow/frmplants.h"
#include "report/numformat.h"
#include "reports/fleetreports.h"
#include "unitwindow/form1.h"

namespace brasket {
namespace {

// The state list of the data folder, "states.prn": a line per state, the two-letter code and
// the region number separated by a comma. Each state becomes the entry "AL   ( 4)", whose
// region number is read back from its 7th character on.
void readstatelist(App& app, ListBox& states) {
    states.Clear();
    std::string content;
    if (!readfilebytes(app.datapath / "states.prn", content)) return;
    long skipped = 0;
    std::size_t start = 0;
    while (start < content.size()) {
        std::size_t end = content.find('\n', start);
        if (end == std::string::npos) end = content.size();
        std::string line = content.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (trim(line).empty()) continue;
        std::vector<std::string> items = namelistitems(line);
        std::string code = items.empty() ? std::string() : trim(items[0]);
        bool numbered = items.size() == 2 && items[1].find_first_of("0123456789") != std::string::npos;
        if (code.size() != 2 || !numbered) {
            ++skipped;
            continue;
        }
        states.AddItem(code + "   (" + fmtsig(val(items[1]), 1, 0) + ")");
    }
    if (skipped > 0)
        app.platform.msgbox("states.prn: " + std::to_string(skipped) +
                            (skipped == 1 ? " line was" : " lines were") +
                            " not a two-letter state code and a region number and " +
                            (skipped == 1 ? "was" : "were") + " left out of the state list.");
}

// A menu item of the main window, captioned and running its handler on a click, through the
// handler registry when the handler is registered there.
void wiremenu(App& app, const std::string& name, const std::string& caption, void (*handler)(App&)) {
    MenuItem& item = app.main.menu(name);
    item.Caption = caption;
    item.onClick = [&app, name, handler] {
        if (const Handler* h = app.handlers.find(name + "_Click"))
            h->run(app);
        else
            handler(app);
    };
}

}  // namespace

int stateregion(const frmplants& m, int entry) { return static_cast<int>(val(mid(m.List12.List(entry), 7, 3))); }

void List13_Click(frmplants& m) {
    for (int i = 0; i < m.List12.ListCount(); ++i) m.List12.setSelected(i, false);
    for (int j = 0; j < m.List13.ListCount(); ++j) {
        if (!m.List13.Selected(j)) continue;
        for (int i = 0; i < m.List12.ListCount(); ++i)
            if (stateregion(m, i) == j + 1) m.List12.setSelected(i, true);
    }
}

void frmplants_Load(App& app) {
    Options& o = app.opt;
    o.efmeanoption = 1;
    o.databaseyear = 90;
    o.calcmode = 1;
    o.emisset = 1;
    o.gasmedianoption = 1;
    o.partcorrmode = 100;
    o.estimatemissing = 0;
    o.concset = 1;

    frmplants& m = app.main;
    readstatelist(app, m.List12);
    m.List13.Clear();
    for (int r = 1; r <= 10; ++r) m.List13.AddItem("Region" + std::to_string(r));
    m.List13.onClick = [&m] { List13_Click(m); };
    m.Label19.Caption = " Please wait";
    // The busy panel, the import status and the area frame appear only when asked for.
    m.Label19.Visible = false;
    m.Label22.Visible = false;
    m.Label11.Visible = false;
    m.Frame4.Visible = false;
    // Bin factors above 1 are cut to 1 unless the analyst unchecks the box.
    m.Check1[1].Value = 1;

    wiremenu(app, "cmderase", "Erase all data", cmderase_Click);
    wiremenu(app, "cmdsaveallupdate", "Save update of processed files in set", cmdsaveallupdate_Click);
    // Menu items whose handlers belong to the factor model; their captions are set there.
    m.menu("cmdburncorrelation");
    m.menu("cmdemissionfactorset");
    m.menu("cmdbincalcs").Caption = "Bin calculations";

    // The maintenance items stay hidden in the analyst's menus; the headless driver still
    // runs their handlers by name, and the program shows them when started for maintenance.
    setmaintenancevisible(m, false);

    wireunitchooser(app);
}

void setmaintenancevisible(frmplants& m, bool visible) {
    static const char* const maintenance[] = {
        "unit type report", "summary by unit types", "Unit speciated emissions", "Emission factor report",
        "total removal test report", "example calculation of EF", "Bin calculations",
        "Load and process test data to EF", "Update concentration data/QA", "Burn data QA",
        "mercury-gas conc. /QA", "Load emission factor data"};
    for (const auto& [name, item] : m.menus())
        for (const char* caption : maintenance)
            if (item->Caption() == caption) item->Visible = visible;
}

}  // namespace brasket
