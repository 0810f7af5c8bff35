#include "model/testrun.h"

#include "import/testimport.h"
#include "model/testruns.h"

namespace brasket {

namespace {

double inlettotal(const testrec& t) { return double(t.inpart) + double(t.inox) + double(t.inelem); }
double outlettotal(const testrec& t) { return double(t.outpart) + double(t.outox) + double(t.outelem); }

// Each outlet form over the outlet total; no shares without outlet mercury.
std::array<double, 3> outletshares(const testrec& t) {
    double total = outlettotal(t);
    if (total == 0) return {0, 0, 0};
    return {double(t.outpart) / total, double(t.outox) / total, double(t.outelem) / total};
}

// The last record of the same unit (trailing blanks aside) and the same run id: a control
// device run read after the boiler runs carries the stack values of that boiler run.
long pairedrecord(const Workset& ws, long record) {
    const testrec& t = ws.test(record);
    const std::string name = t.testname.trimmed();
    long paired = record;
    const long count = storedtests(ws);
    for (long k = 1; k <= count; ++k) {
        const testrec& other = ws.test(k);
        if (other.runid == t.runid && other.testname.trimmed() == name) paired = k;
    }
    return paired;
}

}  // namespace

RunFactor runfactor(const Workset& ws, long record, int testline) {
    const testrec& t = ws.test(record);
    const bool boiler = t.testkind == boilertestkind;
    RunFactor r;
    if (testline == 0 && boiler) {
        r.fits = true;
        double in = double(t.hgcoal) * double(t.burnrate) / 1000;
        if (in > 0) {
            const testrec& p = ws.test(pairedrecord(ws, record));
            double out = outlettotal(p) * double(p.gasrate) / 1000000;
            r.computed = true;
            r.layout = coaltostack;
            r.emf = out / in;
            r.fractions = outletshares(p);
        }
    } else if ((testline == 1 || testline == 2) && !boiler) {
        r.fits = true;
        r.layout = testline == 2 ? lastcontrol : acrosscontrol;
        double in = inlettotal(t), out = outlettotal(t);
        bool defined = double(t.o2out) != 21 && in > 0 && (testline == 1 || out > 0);
        if (defined) {
            double c = (21 - double(t.o2in)) / (21 - double(t.o2out));
            r.computed = true;
            r.emf = c * out / in;
            r.fractions = outletshares(t);
        }
    }
    return r;
}

}  // namespace brasket
