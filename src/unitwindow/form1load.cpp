// The unit evaluation window's load and its handlers: the lists of fuels and devices, the
// unit's fuel rows from its monthly fuel use, its existing configuration, the mercury help of
// a fuel row, and the handlers that evaluate again after a change.
#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "app.h"
#include "common/numtext.h"
#include "common/textutil.h"
#include "evaluation/binscan.h"
#include "evaluation/evaluation.h"
#include "evaluation/matchlevels.h"
#include "import/compounddata.h"
#include "model/codes.h"
#include "model/testratios.h"
#include "report/numformat.h"
#include "report/reportbuffer.h"
#include "unitwindow/form1.h"

namespace brasket {

namespace {

// Fills a list with "no spec." and the names of rows 1..last of a device column.
void fillcodes(ComboBox& list, const Workset& ws, long column, long last) {
    list.Clear();
    list.AddItem("no spec.");
    for (long k = 1; k <= last; ++k) list.AddItem(ws.emfactor(k, column).name.str());
}

void filllists(App& app) {
    Form1& f = app.form1;
    const Workset& ws = app.ws;
    // Existing configuration: codes 0..30 of each list.
    fillcodes(f.Combo1[0], ws, 0, 30);
    fillcodes(f.Combo1[1], ws, 2, 30);
    fillcodes(f.Combo1[2], ws, 1, 30);
    f.Combo1[3].Clear();
    f.Combo1[3].AddItem("no spec.");
    for (long k = 1; k <= 30; ++k) f.Combo1[3].AddItem(ws.noxnames(k));

    for (auto& fuels : f.Combo2) {
        fuels.Clear();
        for (long k = 1; k <= 13; ++k) fuels.AddItem(ws.idfuel(k).name.str());
        for (const char* blend : blendnames) fuels.AddItem(blend);
        for (int k = 0; k < fuels.ListCount(); ++k) fuels.setItemData(k, fuelitemdata[static_cast<std::size_t>(k)]);
    }

    f.Combo3[0].Clear();
    for (const char* g : boilergroupnames) f.Combo3[0].AddItem(g);
    fillcodes(f.Combo3[1], ws, 2, 20);
    fillcodes(f.Combo3[2], ws, 1, 11);
    f.Combo3[3].Clear();
    for (const char* x : noxgroupnames) f.Combo3[3].AddItem(x);
}

// Selects position `code` of a list, 0 when the list has no such entry.
void selectcode(ComboBox& list, long code) { list.setListIndex(code >= 0 && code < list.ListCount() ? static_cast<int>(code) : 0); }

// The entry of the fuel list for a fuel number of the fuel use: the entry whose item data is
// the number, else for a single fuel 1..13 its own entry; -1 when the list has none.
int fuelentry(const ComboBox& fuels, long fuel) {
    for (int k = 0; k < fuels.ListCount(); ++k)
        if (fuels.ItemData(k) == fuel) return k;
    if (fuel >= 1 && fuel <= 13) return static_cast<int>(fuel - 1);
    return -1;
}

// Mercury and tonnage texts of a fuel row, without a point when no decimal is left.
std::string decimals(double x, const char* pattern) {
    std::string t = formatnumber(x, pattern);
    if (!t.empty() && t.back() == '.') t.pop_back();
    return t;
}
std::string tonstext(double tons) { return decimals(tons, "0.#"); }
std::string mercurytext(double ppm) { return decimals(ppm, "0.####"); }

struct FuelUse {
    long fuel = 0;
    double tons = 0;     // dry tons in the year
    double weighted = 0; // mercury ppm x tons
};

// The unit's fuels over the year's months 1..12, largest tonnage first (month 0 holds only
// undated fuel use lines, which belong to no month of the year).
std::vector<FuelUse> yearlyfuels(const Workset& ws, long u) {
    std::map<long, FuelUse> byfuel;
    if (!ws.unitcoal.inbounds(u, 0)) return {};
    for (long m = 1; m <= 12; ++m) {
        const unitcoalrec& rec = ws.unitcoal(u, m);
        for (std::size_t s = 1; s <= 4; ++s) {
            const long fuel = rec.fuelnum[s];
            if (fuel < 1 || !(rec.drytons[s] > 0)) continue;
            FuelUse& use = byfuel[fuel];
            use.fuel = fuel;
            use.tons += rec.drytons[s];
            use.weighted += static_cast<double>(rec.hgppm[s]) * rec.drytons[s];
        }
    }
    std::vector<FuelUse> list;
    for (auto& [fuel, use] : byfuel) list.push_back(use);
    std::stable_sort(list.begin(), list.end(), [](const FuelUse& a, const FuelUse& b) { return a.tons > b.tons; });
    return list;
}

// The plant's street address, as the address label shows it.
std::string plantaddress(const plantrec& p) {
    return rtrim(p.street1.str()) + "\n" + rtrim(p.street2.str()) + "\n" + rtrim(p.street3.str()) + "\n" +
           rtrim(p.statecode.str()) + "  " + rtrim(p.street4.str());
}

// Loads the chosen unit: its existing configuration, a proposed configuration equal to it, its
// fuel rows and its plant's address.
void loadunit(App& app) {
    Form1& f = app.form1;
    Workset& ws = app.ws;
    const long u = app.currentunit;
    if (!ws.unitc.inbounds(u) || u < 1) return;
    const unitcrec& unit = ws.unitc(u);
    f.Caption = "Unit evaluation: " + rtrim(unit.unitname.str());
    selectcode(f.Combo1[0], unit.modelboiler);
    selectcode(f.Combo1[1], unit.modelpm);
    selectcode(f.Combo1[2], unit.modelso2);
    selectcode(f.Combo1[3], unit.specnox);

    int g = 0, x = 0;
    boilergroup(unit.modelboiler, g);
    noxgroup(unit.modelboiler, x);
    selectcode(f.Combo3[0], g);
    selectcode(f.Combo3[3], x);
    selectcode(f.Combo3[1], unit.modelpm);
    selectcode(f.Combo3[2], unit.modelso2);

    std::vector<std::string> leftout;
    int row = 0;
    for (const FuelUse& use : yearlyfuels(ws, u)) {
        if (row == 4) {
            leftout.push_back(fuelname(ws, use.fuel));
            continue;
        }
        const auto r = static_cast<std::size_t>(row);
        const int entry = fuelentry(f.Combo2[r], use.fuel);
        if (entry < 0) {
            leftout.push_back(fuelname(ws, use.fuel));
            continue;
        }
        f.Combo2[r].setListIndex(entry);
        f.Text2[r].setText(tonstext(use.tons / 12));
        f.Text1[r].setText(mercurytext(use.tons > 0 ? use.weighted / use.tons : 0));
        ++row;
    }
    if (!leftout.empty()) {
        std::string names;
        for (const auto& n : leftout) names += (names.empty() ? "" : ", ") + rtrim(n);
        f.Label13.Caption = "Fuels of this unit that the fuel rows cannot take were left out: " + names + ".";
    }

    const long plantno = unit.plantno;
    if (ws.plant.inbounds(plantno) && plantno >= 1) f.Label17.Caption = plantaddress(ws.plant(plantno));
}

// Runs an evaluation unless the window is loading several inputs at once.
void evaluateafterchange(App& app) {
    if (app.form1.loadingflag == 1) return;
    calculates(app);
}

// Each control runs its handler.
void wirecontrols(App& app) {
    Form1& f = app.form1;
    for (int i = 0; i < 4; ++i) {
        const auto r = static_cast<std::size_t>(i);
        f.Combo2[r].onClick = [&app, i] { Combo2_Click(app, i); };
        f.Combo3[r].onClick = [&app, i] { Combo3_Click(app, i); };
        f.Text1[r].onChange = [&app, i] { Text1_Change(app, i); };
        f.Text2[r].onChange = [&app, i] { Text2_Change(app, i); };
    }
    f.List1.onClick = [&app] { List1_Click(app); };
    f.Command1.onClick = [&app] { Command1_Click(app); };
    f.Command2.onClick = [&app] { Form1_Command2_Click(app); };
    f.Command3.onClick = [&app] { Command3_Click(app); };
    f.Command4.onClick = [&app] { Command4_Click(app); };
    f.Command13.onClick = [&app] { Command13_Click(app); };
    auto item = [&](const char* name, const char* caption, void (*handler)(App&)) {
        MenuItem& m = f.menu(name);
        m.Caption = caption;
        m.onClick = [&app, handler] { handler(app); };
    };
    item("cmdreport", "view the report", cmdreport_Click);
    item("cmdbinassignments", "bin assignments", cmdbinassignments_Click);
    // The maintenance item that imports the second method's factors, hidden from the analyst,
    // with the hourglass shown while it reads.
    MenuItem& factors = f.menu("cmdloadefacts");
    factors.Caption = "load emis factors";
    factors.Visible = false;
    factors.onClick = [&app] {
        app.form1.MousePointer = 11;
        try {
            cmdloadefacts_Click(app);
        } catch (...) {
            app.form1.MousePointer = 1;
            throw;
        }
        app.form1.MousePointer = 1;
    };
}

}  // namespace

Form1& unitwindow(App& app) {
    if (!app.form1.loaded) {
        app.form1.loaded = true;
        Form1_Load(app);
    }
    return app.form1;
}

void Form1_Load(App& app) {
    Form1& f = app.form1;
    f.loaded = true;
    wirecontrols(app);
    app.opt.unitfactor = 1.0;
    f.methodflag = 1;
    f.warnlevel = 1;
    f.Command3.Caption = "report as lb/yr.";
    f.Label12.Caption = "N";
    f.loadingflag = 1;

    loadbuiltinbins(app);
    testratios(app);

    filllists(app);
    for (std::size_t i = 0; i < 4; ++i) {
        f.Combo2[i].setListIndex(1);  // the empty row
        f.Text1[i].setText("");
        f.Text2[i].setText("");
        f.Label14[i].Caption = "";
        f.Label26[i].Caption = "";
    }
    for (auto& cell : f.Label3) cell.Caption = "";
    f.Label13.Caption = "";
    f.Label17.Caption = "";
    for (auto& list : f.Combo1) list.setListIndex(0);
    f.Combo3[0].setListIndex(0);
    f.Combo3[1].setListIndex(0);
    f.Combo3[2].setListIndex(0);
    f.Combo3[3].setListIndex(0);
    std::string leftout;
    if (app.newunitflag == 0) loadunit(app);
    leftout = f.Label13.Caption();

    f.loadingflag = 0;
    f.Label12.Caption = "Y";
    calculates(app);
    // The note on fuels left out stays in front of the summary sentences.
    if (!leftout.empty()) f.Label13.Caption = leftout + "\n" + f.Label13.Caption();
}

void Form1_Activate(App& app) { calculates(app); }

void Combo2_Click(App& app, int) { calculates(app); }
void Combo3_Click(App& app, int) { calculates(app); }
void Combo3_Change(App& app, int) { evaluateafterchange(app); }
void Text1_Change(App& app, int) { evaluateafterchange(app); }
void Text2_Change(App& app, int) { evaluateafterchange(app); }

void Command1_Click(App& app) { calculates(app); }

void Command3_Click(App& app) {
    Form1& f = app.form1;
    // The pound factor is held at the precision of a 32-bit number.
    const double pounds = static_cast<double>(2.2046f);
    if (app.opt.unitfactor <= 2.0) {
        app.opt.unitfactor = pounds;
        f.Command3.Caption = "report as kg/yr.";
    } else {
        app.opt.unitfactor = 1.0;
        f.Command3.Caption = "report as lb/yr.";
    }
    f.Label12.Caption = "Y";
    calculates(app);
}

void Command4_Click(App& app) {
    Form1& f = app.form1;
    f.methodflag = f.methodflag == 1 ? 0 : 1;
    calculates(app);
}

void Text1_GotFocus(App& app, int row) {
    Form1& f = app.form1;
    const Workset& ws = app.ws;
    f.mercuryhelprow = row;
    f.List1.Clear();
    const long fc = fuelclass(f, row);
    const long code = fuelcode(f, row);
    const long n = coalsupplycount(ws);
    for (long k = 1; k <= n && ws.coalsupply.inbounds(k); ++k) {
        const coalsupplyrec& s = ws.coalsupply(k);
        if (s.fueltype != fc && s.fueltype != code) continue;
        f.List1.AddItem(rtrim(s.name1.str()) + "\\" + rtrim(s.name2.str()) + "\\" + rtrim(s.name3.str()) + "  (" +
                        fmtnum(s.mercury) + ")");
        f.List1.setItemData(f.List1.NewIndex(), k);
    }
    f.List1.Visible = true;
}

void List1_Click(App& app) {
    Form1& f = app.form1;
    const int i = f.List1.ListIndex();
    if (i < 0) return;
    const long k = f.List1.ItemData(i);
    if (!app.ws.coalsupply.inbounds(k)) return;
    const coalsupplyrec& s = app.ws.coalsupply(k);
    app.platform.msgbox("The mercury is " + fmtnum(s.mercury) + "\nThe ash is " + fmtnum(s.ash) + "\nthe sulfur is " +
                        fmtnum(s.sulfur) + "\nthe chlorine is " + fmtnum(s.chlorine) + "\nthe type is " +
                        str(static_cast<long>(s.fueltype)) + "\nthe BTU/lb is " + fmtnum(s.btu));
}

}  // namespace brasket
