// The least unit chooser of the main window: a click on a plant lists its units, choosing a
// unit makes it the current unit, and "Evaluate unit" opens the evaluation window on it.
#include <string>

#include "app.h"
#include "common/textutil.h"
#include "mainwindow/frmplants.h"
#include "unitwindow/form1.h"

namespace brasket {

namespace {

constexpr std::size_t positions = 36;  // unit positions of a plant, 0..35

// The unit at a position of the current plant, 0 for none.
long unitatposition(const App& app, long position) {
    const long p = app.currentplant;
    if (!app.ws.idplant.inbounds(p) || p < 1 || position < 0 || position >= static_cast<long>(positions)) return 0;
    return app.ws.idplant(p).unitno[static_cast<std::size_t>(position)];
}

}  // namespace

void List3_Click(App& app) {
    frmplants& m = mainwindow(app);
    const int entry = m.List3.ListIndex();
    m.List8.Clear();
    if (entry < 0) return;
    app.currentplant = static_cast<std::int16_t>(entry + 1);
    // Entry k of the unit list is the k-th unit position of the plant that holds a unit.
    for (long k = 1; k < static_cast<long>(positions); ++k) {
        const long u = unitatposition(app, k);
        if (u < 1 || !app.ws.unitc.inbounds(u)) continue;
        std::string name = rtrim(app.ws.unitc(u).unitname.str());
        if (name.empty()) name = rtrim(app.ws.idunit(u).boilerid.str());
        m.List8.AddItem(name);
        m.List8.setItemData(m.List8.NewIndex(), k);
    }
}

void chooseunit(App& app, int entry) {
    frmplants& m = mainwindow(app);
    if (entry < 0 || entry >= m.List8.ListCount()) return;
    const long k = m.List8.ItemData(entry);
    app.plantunitindex = static_cast<std::int16_t>(k);
    app.currentunit = static_cast<std::int16_t>(unitatposition(app, k));
}

bool selectunit(App& app, long u) {
    if (!app.ws.idunit.inbounds(u) || u < 1) return false;
    frmplants& m = mainwindow(app);
    const long p = app.ws.idunit(u).plantno;
    if (p < 1 || p > m.List3.ListCount()) return false;
    m.List3.setListIndex(static_cast<int>(p - 1));
    List3_Click(app);  // also when the plant was already the selected entry
    for (int e = 0; e < m.List8.ListCount(); ++e) {
        if (unitatposition(app, m.List8.ItemData(e)) != u) continue;
        m.List8.setListIndex(e);
        chooseunit(app, e);
        return true;
    }
    return false;
}

void cmdevaluateunit_Click(App& app) {
    if (app.currentunit < 1) {
        app.platform.msgbox("Please select a plant and one of its units first.");
        return;
    }
    app.newunitflag = 0;
    // The window is loaded afresh on the chosen unit, then shown and activated.
    app.form1.loaded = false;
    unitwindow(app);
    app.form1.Show();
    Form1_Activate(app);
}

void wireunitchooser(App& app) {
    frmplants& m = app.main;
    m.List3.onClick = [&app] { List3_Click(app); };
    m.List8.onClick = [&app] { chooseunit(app, app.main.List8.ListIndex()); };
}

}  // namespace brasket
