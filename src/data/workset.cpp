#include "data/workset.h"

#include <algorithm>
#include <cmath>

#include "common/numtext.h"
#include "common/textutil.h"

namespace brasket {
namespace {
// A count read back from its field, held within a range every table fits in (no number
// reads as 0), so that converting it is always defined.
long whole(double v) {
    if (std::isnan(v)) return 0;
    return static_cast<long>(std::clamp(v, -1e9, 1e9));
}
}  // namespace

long unitcount(const Workset& w) { return whole(val(w.unitc(0).unitname.str())); }
void setunitcount(Workset& w, long n) { w.unitc(0).unitname = str(n); }
long ownercount(const Workset& w) { return whole(val(w.owner(0).ownername.str())); }
void setownercount(Workset& w, long n) { w.owner(0).ownername = str(n); }
long operatorcount(const Workset& w) { return whole(val(w.operator_(0).operatorname.str())); }
void setoperatorcount(Workset& w, long n) { w.operator_(0).operatorname = str(n); }
long plantcount(const Workset& w) { return w.plant(0).plantno; }
void setplantcount(Workset& w, long n) { w.plant(0).plantno = static_cast<i16>(n); }
long meascount(const Workset& w) { return whole(w.meas(0).hgppm); }
void setmeascount(Workset& w, long n) { w.meas(0).hgppm = static_cast<f32>(n); }
long testcount(const Workset& w) { return whole(w.test(0).inpart); }
void settestcount(Workset& w, long n) { w.test(0).inpart = static_cast<f32>(n); }
long coalsupplycount(const Workset& w) { return whole(w.coalsupply(0).ash); }
void setcoalsupplycount(Workset& w, long n) { w.coalsupply(0).ash = static_cast<f32>(n); }
long unitcoalcount(const Workset& w) { return w.unitcoal(1, 0).count; }
void setunitcoalcount(Workset& w, long n) { w.unitcoal(1, 0).count = static_cast<i16>(n); }

template <class L>
long namecount(const L& list) { return whole(val(list(0))); }
template <class L>
void setnamecount(L& list, long n) { list(0) = ltrim(str(n)); }

template long namecount<NameList300>(const NameList300&);
template long namecount<NameList400>(const NameList400&);
template void setnamecount<NameList300>(NameList300&, long);
template void setnamecount<NameList400>(NameList400&, long);

}  // namespace brasket
