// The working tables of the data folder, with their bounds and their count conventions.
#pragma once
#include <cstring>
#include <type_traits>
#include <algorithm>
#include <array>
#include <stdexcept>
#include <string>
#include <vector>

#include "data/records.h"
#include "data/table.h"

namespace brasket {

// The fleet bin statistics: (fuel 0..50, boiler 0..25, particulate 0..17, SO2 0..12).
template <class T>
class BinGrid {
public:
    static constexpr int na = 51, nb = 26, nc = 18, nd = 13;
    BinGrid() : v_(static_cast<std::size_t>(na) * nb * nc * nd) {}
    static bool inbounds(long a, long b, long c, long d) {
        return a >= 0 && a < na && b >= 0 && b < nb && c >= 0 && c < nc && d >= 0 && d < nd;
    }
    T& operator()(long a, long b, long c, long d) { return v_.at(index(a, b, c, d)); }
    const T& operator()(long a, long b, long c, long d) const { return v_.at(index(a, b, c, d)); }
    // Every cell 0, as one block write (the cells are plain numbers).
    void clear() {
        static_assert(std::is_trivially_copyable_v<T>);
        std::memset(v_.data(), 0, v_.size() * sizeof(T));
    }

private:
    static std::size_t index(long a, long b, long c, long d) {
        if (!inbounds(a, b, c, d)) throw std::out_of_range("bin-number cell outside bounds");
        return ((static_cast<std::size_t>(a) * nb + b) * nc + c) * nd + d;
    }
    std::vector<T> v_;
};

using NameList300 = Table<std::string, 0, 300>;
using NameList400 = Table<std::string, 0, 400>;

struct Workset {
    Table<idfuelrec, 0, 100> idfuel;
    BinGrid<i16> binnumbertable;                   // layer 0: class counts, fuel numbers in (a, 0, 0, 0)
    BinGrid<f32> binnumbervalue;
    std::array<BinGrid<i16>, 4> binnumberlayers;   // layers 1..4, in memory only (binnumbercell)
    Table<partfactors1rec, 0, 55> partfactors1;
    Table<coalsupplyrec, 0, 2000> coalsupply;
    Table<partfactors2rec, 0, 14> partfactors2;
    Table<idplantrec, 0, 1500> idplant;
    Table<idunitrec, 0, 2000> idunit;
    Table<unitcrec, 0, 2000> unitc;
    Table<plantrec, 0, 500> plant;
    Table<measrec, 0, 55000> meas;
    Table<ownerrec, 0, 500> owner;
    Table<operatorrec, 0, 500> operator_;
    Table<binindexrec, 0, 300> binindex;
    Table2<unitcoalrec, 0, 2000, 0, 12> unitcoal;  // (unit, month)
    NameList300 boilernames, pmnames, scrubnames;
    NameList400 noxnames;
    Table<testrec, 0, 500> test;
    Table2<emfactorrec, 0, 30, 0, 2> emfactor;     // (type, column)
    Table2<emfactorrec, 0, 11, 0, 30> emfactorf;   // (fuel, boiler type)
    Table2<emfactorrec, 0, 11, 0, 20> emfactorfs;  // (fuel, element class)
    Table<emisfrec, 0, 3000> emisf;
    Table<compoundrec, 0, 300> compounds;
    // Working files that exist but could not be read at start-up, and id files (idunit.dat,
    // idplant.dat) that hold records while the unit or plant file beside them was missing or
    // empty: the save refuses to replace them until "Erase all data" empties their tables or
    // the batch rebuild sets them anew.
    std::vector<std::string> unreadable;
    std::vector<std::string> unpaired;
};

// Cell (a, b, c, d, e) of the bin-number table: layer 0 is binnumbertable, the file's
// layer; layers 1..3 the counts by size class and 4 the unit type code, never stored.
inline i16& binnumbercell(Workset& w, long a, long b, long c, long d, long e) {
    if (e == 0) return w.binnumbertable(a, b, c, d);
    if (e < 1 || e > 4) throw std::out_of_range("bin-number layer outside 0..4");
    return w.binnumberlayers[static_cast<std::size_t>(e - 1)](a, b, c, d);
}
inline i16 binnumbercell(const Workset& w, long a, long b, long c, long d, long e) {
    return binnumbercell(const_cast<Workset&>(w), a, b, c, d, e);
}

// Counts kept in element 0, each in the form its table keeps it.
long unitcount(const Workset& w);       // unitc(0).unitname, as text
void setunitcount(Workset& w, long n);
long ownercount(const Workset& w);      // owner(0).ownername, as text
void setownercount(Workset& w, long n);
long operatorcount(const Workset& w);   // operator_(0).operatorname, as text
void setoperatorcount(Workset& w, long n);
long plantcount(const Workset& w);      // plant(0).plantno
void setplantcount(Workset& w, long n);
long meascount(const Workset& w);       // meas(0).hgppm, as float
void setmeascount(Workset& w, long n);
long testcount(const Workset& w);       // test(0).inpart, as float
void settestcount(Workset& w, long n);
long coalsupplycount(const Workset& w); // coalsupply(0).ash, as float
void setcoalsupplycount(Workset& w, long n);
long unitcoalcount(const Workset& w);   // unitcoal(1, 0).count
void setunitcoalcount(Workset& w, long n);
// Name lists: element 0 holds the count as text without a blank.
template <class L> long namecount(const L& list);
template <class L> void setnamecount(L& list, long n);

}  // namespace brasket
