// The two reports of the test data behind the factors: the total removal test report (the
// mercury material balances of the boiler tests) and the emission factor report (the test
// data of every device type with a summary of all balances).
#include <string>

#include "app.h"
#include "common/clocktext.h"
#include "common/numtext.h"
#include "report/frmdisplay.h"
#include "report/numformat.h"
#include "report/reportbuffer.h"
#include "report/reportrow.h"
#include "reports/testdata.h"
#include "model/testruns.h"

namespace brasket {
namespace {

constexpr long boilertypes = 24;  // boiler/NOx types whose balances are reported

// The balance rows of the boiler tests whose type the import did not recognise, under their
// own title.
void unclassifiedbalances(App& app) {
    reportline(app, "");
    reportline(app, " Test data for mercury balance in the system  ");
    balancetable(app, 0);
}

// A count line or an average line of the balance summary: the text and the number as plain
// decimal text; an average over no runs has no value.
std::string average(double sum, long count) { return count > 0 ? str(sum / static_cast<double>(count)) : ""; }

}  // namespace

void cmdtotalremovalreport_Click(App& app) {
    startreport(app, 0, 0);
    for (long k = 1; k <= boilertypes; ++k) testdatareport(app, balancesection, k);
    const auto now = app.platform.now();
    reportline(app, " Total Removal Factors from Test Reports " + datetext(now) + "  " + timetext(now));
    unclassifiedbalances(app);
    reportline(app, "");
    reportline(app, "@NEW PAGE");
    reportline(app, "#");
    app.reportcalc = 0;
    showreport(app);
}

void cmdemissfactorrept_Click(App& app) {
    startreport(app, 2, 2);
    app.report.reportbuffer(1) = "  Estimate of Emission Modification Factors for Units ";
    // With total mercury removal the sections speak of total mercury only.
    void (*section)(App&, long, long) = app.opt.partcorrmode == 0 ? unittestreport : testdatareport;

    reportline(app, app.opt.efmeanmode == 1 ? " Control performance based upon geometric mean of data set."
                                            : " Control performance based upon average of data set.");
    reportline(app, "  ");
    reportline(app, "_________BOILER TYPES ________________");
    for (long i = 1; i <= 23; ++i) section(app, boilersection, i);
    reportline(app, "@NEW PAGE");
    reportline(app, "_________PARTICULATE CONTROL TYPES ________________");
    for (long i = 1; i <= 16; ++i) section(app, particulatesection, i);
    reportline(app, "@NEW PAGE");
    reportline(app, "_________SO2 CONTROL TYPES ________________");
    for (long i = 1; i <= 12; ++i) section(app, so2section, i);

    reportline(app, "@NEW PAGE");
    reportline(app, "_________Hg Material Balance in Boiler_____________");
    app.balance = BalanceTotals{};
    for (long i = 1; i <= boilertypes; ++i) testdatareport(app, balancesection, i);

    const BalanceTotals& b = app.balance;
    reportline(app, "  ");
    reportline(app, "Summary of mercury balance on all test data");
    reportline(app, " Set of all ratio values________________");
    reportline(app, " number of test Data sets reported " + str(static_cast<long long>(b.balancecount)));
    reportline(app, " Average mercury ratio outlet to inlet " + average(b.balancesum, b.balancecount));
    reportline(app, " High ratio values________________");
    reportline(app, " Material balance >1.5   number of test sets " + str(static_cast<long long>(b.balancehighcount)));
    reportline(app, "  for these, Average mercury ratio outlet to inlet " + average(b.balancehighsum, b.balancehighcount));
    reportline(app, " Low ratio values________________");
    reportline(app, " Material balance <0.5   number of test sets " + str(static_cast<long long>(b.balancelowcount)));
    reportline(app, "  for these, Average mercury ratio outlet to inlet " + average(b.balancelowsum, b.balancelowcount));

    testdatareport(app, balancelistsection, 1);
    reportline(app, "@NEW PAGE");
    reportline(app, "#");
    app.reportcalc = 0;
    showreport(app);
}

}  // namespace brasket
