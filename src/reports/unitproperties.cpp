#include "reports/unitproperties.h"

#include <string>

#include "app.h"
#include "common/clocktext.h"
#include "common/numtext.h"
#include "data/codec.h"
#include "data/filebytes.h"
#include "report/numformat.h"
#include "report/reportbuffer.h"
#include "common/textutil.h"
#include "report/reportrow.h"

namespace brasket {

namespace {
constexpr long lastrecord = 450;  // records listed at most
constexpr std::size_t propsize = recordsize<unitpropsrec>();
}  // namespace

std::filesystem::path unitpropspath(const App& app) { return app.datapath / "unitprops.dat"; }

void cmddefdatabase_Click(App& app) {
    // The buffer is not cleared: the lines are written again from line 1 on.
    app.report.reportlinecount = 0;
    reportline(app, "         DEFAULT DATA BASE OF UNIT PROPERTIES  " + datetext(app.platform.now()));
    reportline(app, std::string_view(""));
    reportline(app, std::string_view(""));
    app.report.pageindex() = "3";

    std::string bytes;
    long records = 0;
    const std::string name = unitpropspath(app).filename().string();
    if (!readfilebytes(unitpropspath(app), bytes)) {
        app.platform.msgbox(name + " was not found in the data folder; the listing of unit properties is empty.");
    } else {
        records = static_cast<long>(bytes.size() / propsize);
        if (bytes.size() % propsize != 0) app.platform.msgbox(incompletemessage(name, records, bytes.size() % propsize));
    }
    const long listed = records < lastrecord ? records : lastrecord;
    for (long i = 1; i <= listed; ++i) {
        unitpropsrec r;
        decode(reinterpret_cast<const std::uint8_t*>(bytes.data()) + static_cast<std::size_t>(i - 1) * propsize, r);
        if (r.propname.trimmed() == "new data") continue;
        reportline(app, printedtext(str(i) + " " + r.propname.str() + "  " + str(r.propvalue[0]) + "  " +
                                    str(r.propvalue[1]) + "  " + str(r.propvalue[2])));
        reportline(app, printedtext("     " + r.proptext1.str()));
        if (printedtext(r.proptext2.str()).find_first_not_of(' ') != std::string::npos)
            reportline(app, printedtext("     " + r.proptext2.str()));
    }
    reportline(app, std::string_view("@NEW PAGE"));
    reportline(app, std::string_view("#"));
    reportpages(app, app.report.reportlinecount);
    showreport(app);
}

void cmddetailed_Click(App& app) {
    app.report.reportlinecount = 0;
    reportline(app, "         SPECIFIED UNIT PROPERTIES  " + datetext(app.platform.now()));
    reportline(app, std::string_view(""));
    app.report.pageindex() = "2";
    const ListBox& devices = mainwindow(app).List2;
    for (int i = 0; i < devices.ListCount(); ++i)
        reportline(app, Row(37).at(2, fmtsig(static_cast<double>(i), 3, 0)).at(12, devices.List(i)).text());
    for (const char* line : {"", "#", "@NEW PAGE"}) reportline(app, std::string_view(line));
    reportpages(app, app.report.reportlinecount);
    showreport(app);
}

}  // namespace brasket
