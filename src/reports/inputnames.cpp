#include "reports/inputnames.h"

#include <algorithm>
#include <string>

#include "app.h"
#include "common/numtext.h"
#include "report/reportbuffer.h"
#include "common/textutil.h"

namespace brasket {

namespace {

void nameline(App& app, long code, const std::string& name) { reportline(app, printedtext(str(code) + "       " + name)); }

// Title, an empty line and the column heading of a section, after an empty line from the
// third section on.
void section(App& app, bool spaced, const char* title, const char* heading) {
    if (spaced) reportline(app, std::string_view("  "));
    reportline(app, std::string_view(title));
    reportline(app, std::string_view("  "));
    reportline(app, std::string_view(heading));
}

// A name list's stored count, held within the list's bound.
template <class L>
long listed(const L& list) {
    return std::clamp<long>(namecount(list), 0, L::hi);
}

}  // namespace

void cmdnames_Click(App& app) {
    const Workset& w = app.ws;
    app.report.erase();
    app.report.reportlinecount = 0;

    section(app, false, "  A LISTING OF FUEL NAMES WITH NUMBERS", " NUMBER       FUEL NAME____________________________");
    for (long i = 1; i <= 100; ++i) nameline(app, i, w.idfuel(i).name.str());
    reportline(app, std::string_view("#"));

    static const char* const typetitles[3] = {"  A LISTING OF BOILER NAMES WITH NUMBERS",
                                              "  A LISTING OF SO2 CONTROLS WITH NUMBERS",
                                              "  A LISTING OF PARTICULATE CONTROLS WITH NUMBERS"};
    static const char* const typeheadings[3] = {" NUMBER       BOILER AND NOX CONTROL NAME__________________",
                                                " NUMBER       SO2 CONTROLS NAME__________________",
                                                " NUMBER       PARTICULATE CONTROLS NAME__________________"};
    for (long c = 0; c <= 2; ++c) {
        section(app, c > 0, typetitles[c], typeheadings[c]);
        for (long i = 1; i <= 30; ++i) nameline(app, i, w.emfactor(i, c).name.str());
        reportline(app, std::string_view("#"));
    }

    section(app, true, "  A LISTING OF SPECIFIED BOILERS", " NUMBER       BOILER'S NAMES__________________");
    for (long i = 1; i <= 300; ++i)
        if (!w.boilernames(i).empty()) nameline(app, i, w.boilernames(i));
    reportline(app, std::string_view("#"));

    section(app, true, "  A LISTING OF SPECIFIED NOX CONTROLS", " NUMBER       NOX CONTROLS NAME__________________");
    for (long i = 1, n = listed(w.noxnames); i <= n; ++i) nameline(app, i, w.noxnames(i));
    reportline(app, std::string_view("#"));

    section(app, true, "  A LISTING OF SPECIFIED PARTICULATE CONTROLS",
            " NUMBER       PARTICULATE CONTROLS NAME__________________");
    for (long i = 1, n = listed(w.pmnames); i <= n; ++i) nameline(app, i, w.pmnames(i));
    reportline(app, std::string_view("#"));

    section(app, true, "  A LISTING OF SPECIFIED SCRUBBER CONTROLS", " NUMBER       SCRUBBER CONTROLS NAME__________________");
    for (long i = 1, n = listed(w.scrubnames); i <= n; ++i) nameline(app, i, w.scrubnames(i));
    reportline(app, std::string_view("@NEW PAGE"));
    reportline(app, std::string_view("#"));
    reportpages(app, app.report.reportlinecount);
    showreport(app);
}

}  // namespace brasket
