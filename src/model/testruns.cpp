#include "model/testruns.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace brasket {

std::string devicename(const Workset& ws, long code, int column) {
    if (!decltype(ws.emfactor)::inbounds(code, column)) return {};
    return ws.emfactor(code, column).name.printable();  // a name never written reads as blanks
}

long storedtests(const Workset& ws) { return std::clamp<long>(testcount(ws), 0, decltype(ws.test)::hi); }

void forruns(const Workset& ws, int kind, long typecode, const std::function<void(long, const testrec&)>& visit) {
    const long n = storedtests(ws);
    for (long j = 1; j <= n; ++j) {
        const testrec& t = ws.test(j);
        if (t.testkind == kind && t.typecode == typecode) visit(j, t);
    }
}

std::optional<Speciation> outletspeciation(const testrec& t) {
    const double tot = static_cast<double>(t.outpart) + t.outox + t.outelem;
    if (!(tot > 0)) return std::nullopt;
    return Speciation{t.outpart / tot, t.outox / tot, t.outelem / tot};
}

std::optional<ControlRun> controlrun(const testrec& t) {
    if (t.inpart == 0 || t.inox == 0 || t.inelem == 0) return std::nullopt;
    if (t.o2out == 21) return std::nullopt;
    const double in = static_cast<double>(t.inpart) + t.inox + t.inelem;
    if (in == 0) return std::nullopt;
    ControlRun r;
    r.oxygen = (21.0 - t.o2in) / (21.0 - t.o2out);
    r.part = r.oxygen * t.outpart / t.inpart;
    r.ox = r.oxygen * t.outox / t.inox;
    r.elem = r.oxygen * t.outelem / t.inelem;
    r.total = r.oxygen * (static_cast<double>(t.outpart) + t.outox + t.outelem) / in;
    return r;
}

MaterialBalance materialbalance(const testrec& t) {
    MaterialBalance b;
    b.hgin = static_cast<float>(static_cast<double>(t.hgcoal) * t.burnrate / 1000.0);
    b.outlettotal = static_cast<double>(t.outpart) + t.outox + t.outelem;
    b.hgout = t.gasrate * b.outlettotal / 1000000.0;
    if (b.hgin > 0 && b.hgout > 0) b.ratio = b.hgout / b.hgin;
    return b;
}

std::optional<double> arithmeticmean(const std::vector<ListedRun>& runs) {
    if (runs.empty()) return std::nullopt;
    double s = 0;
    for (const ListedRun& r : runs) s += r.total;
    return s / static_cast<double>(runs.size());
}

std::optional<double> geometricmean(const std::vector<ListedRun>& runs) {
    double logs = 0;
    long n = 0;
    for (const ListedRun& r : runs) {
        if (!(r.total > 0)) continue;
        logs += std::log(r.total);
        ++n;
    }
    if (n == 0) return std::nullopt;
    return std::exp(logs / static_cast<double>(n));
}

double controleffectiveness(double totalfactor) {
    const double e = 1.0 - totalfactor;
    return e > 0 ? e : 1e-11;
}

std::int16_t addcount(std::int16_t count, long n) {
    const long v = std::clamp<long>(static_cast<long>(count) + n, std::numeric_limits<std::int16_t>::min(),
                                    std::numeric_limits<std::int16_t>::max());
    return static_cast<std::int16_t>(v);
}

}  // namespace brasket
