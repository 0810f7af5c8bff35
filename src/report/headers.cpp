#include "report/headers.h"

#include <string>

#include "app.h"
#include "common/numtext.h"
#include "common/textutil.h"
#include "report/reportbuffer.h"

namespace brasket {

void reportsettings(App& app) {
    const Options& o = app.opt;
    const std::string lead = "     ";

    std::string s = lead + "Database" + str(o.databaseyear) + "; ";
    if (o.databaseyear == 90) s += " 1990 plant data base used for calculations.";
    else if (o.databaseyear == 94) s += " 1994 plant data base used for calculations.";
    else if (o.databaseyear == 2010) s += " 2010 plant data base used for calculations.";
    reportline(app, s);

    s = lead + "Emis set" + str(o.emisset) + "; ";
    if (o.emisset == 1) s += " 1990 emission control data base was used.";
    else if (o.emisset == 2) s += " 1997 emission control data base was used.";
    reportline(app, s);

    s = lead + "Calc mode" + str(o.calcmode) + "; ";
    if (o.calcmode == 1) s += " 1990 calculation procedure was used.";
    else if (o.calcmode == 2) s += " The updated 1997 calculation procedure was used.";
    else if (o.calcmode == 3) s += " The 2010 calculation procedure was used.";
    reportline(app, s);

    reportline(app, lead + (o.efmeanoption == 1 ? "The log mean emission modification factor was used for calculations."
                                                : "The average emission modification factor was used for calculations."));

    if (o.concset == 1) reportline(app, lead + "Conc set:" + str(o.concset) + " 1990 combustion concentration set was used.");
    else if (o.concset == 2)
        reportline(app, lead + "Conc set:" + str(o.concset) + " The updated 1997 combustion concentration set was used.");

    if (o.gasmedianoption == 1) reportline(app, lead + "The median combustion concentration was used for calculations.");
    else if (o.gasmedianoption == 0) reportline(app, lead + "The average combustion concentration was used for calculations.");

    reportstates(app);
    reportupgrades(app);
}

void reportstates(App& app) {
    const ListBox& states = mainwindow(app).List12;
    const int count = states.ListCount();
    int selected = 0;
    for (int i = 0; i < count; ++i) selected += states.Selected(i);
    if (selected == count) return;  // every state (or an empty list): nothing to say
    reportline(app, std::string_view(" States used in the calculations"));
    std::string s = "   ";
    int n = 0;
    for (int i = 0; i < count; ++i) {
        if (states.Selected(i)) {
            s += left(states.List(i), 2) + "; ";
            ++n;
        }
        if (n > 20 || i == count - 1) {
            reportline(app, s);
            s = "   ";
            n = 0;
        }
    }
}

void reportupgrades(App& app) {
    const frmplants& w = mainwindow(app);
    const bool baghouse = w.Option7.Value(), dry = w.Option9.Value(), wet = w.Option10.Value(),
               esp = w.Option12.Value(), all = w.Option13.Value();
    if (!(baghouse || dry || wet || esp)) return;
    std::string s;
    if (baghouse) s += " Coal BH; ";
    if (dry) s += " coal DS;";
    if (wet) s += " coal WS;";
    if (esp) s += " oil ESP;";
    if (all) s += " upgrade all.";
    reportline(app, s);
}

}  // namespace brasket
