// The record types of the working files. Each record lists its fields in file order in
// `fields`, which the record codec walks to read and write the packed little-endian bytes;
// no record is ever copied to or from a file as a C++ object.
#pragma once
#include <array>
#include <cstdint>

#include "data/fixedtext.h"

namespace brasket {

using i16 = std::int16_t;
using u8 = std::uint8_t;
using f32 = float;

// idfuel.dat, 36 bytes: a fuel of the fuel list.
struct idfuelrec {
    u8 code = 0;
    Text<35> name;
    template <class R, class V> static constexpr void fields(R& r, V& v) { v(r.code); v(r.name); }
};

// partfactors1.dat, 16 bytes: a speciation bin of the second estimation method.
struct partfactors1rec {
    u8 boilergroup = 0, noxgroup = 0, controlclass = 0, fuelclass = 0;
    f32 partfrac = 0, oxfrac = 0, elemfrac = 0;
    template <class R, class V> static constexpr void fields(R& r, V& v) {
        v(r.boilergroup); v(r.noxgroup); v(r.controlclass); v(r.fuelclass);
        v(r.partfrac); v(r.oxfrac); v(r.elemfrac);
    }
};

// partfactors2.dat, 24 bytes: removal by one device type of the second estimation method.
struct partfactors2rec {
    Text<12> devicename;
    f32 partremoval = 0, oxremoval = 0, elemremoval = 0;
    template <class R, class V> static constexpr void fields(R& r, V& v) {
        v(r.devicename); v(r.partremoval); v(r.oxremoval); v(r.elemremoval);
    }
};

// coalsupply.dat, 82 bytes: one coal supplier line.
struct coalsupplyrec {
    Text<20> name1, name2, name3;
    i16 fueltype = 0;
    f32 sulfur = 0, btu = 0, ash = 0, mercury = 0, chlorine = 0;
    template <class R, class V> static constexpr void fields(R& r, V& v) {
        v(r.name1); v(r.name2); v(r.name3); v(r.fueltype);
        v(r.sulfur); v(r.btu); v(r.ash); v(r.mercury); v(r.chlorine);
    }
};

// idplant.dat, 112 bytes, by plant number.
struct idplantrec {
    Text<20> pfcode;
    Text<20> plantname;
    std::array<i16, 36> unitno{};
    template <class R, class V> static constexpr void fields(R& r, V& v) { v(r.pfcode); v(r.plantname); v(r.unitno); }
};

// idunit.dat, 17 bytes, by unit number.
struct idunitrec {
    i16 plantno = 0;
    Text<15> boilerid;
    template <class R, class V> static constexpr void fields(R& r, V& v) { v(r.plantno); v(r.boilerid); }
};

// unit.dat, 93 bytes: one generating unit, by unit number.
struct unitcrec {
    i16 ownerno = 0, operatorno = 0, plantno = 0, otherfuel = 0;
    std::array<u8, 4> fuelflag{};
    u8 position = 0;
    Text<25> unitname;
    f32 mw = 0;
    Bytes<4> unused1;
    Bytes<4> unused2;
    u8 specboiler = 0, specpm = 0, specscrub = 0, specnox = 0;
    u8 modelboiler = 0, modelpm = 0, modelso2 = 0;
    u8 sparebyte = 0;
    Text<35> longname;
    template <class R, class V> static constexpr void fields(R& r, V& v) {
        v(r.ownerno); v(r.operatorno); v(r.plantno); v(r.otherfuel); v(r.fuelflag); v(r.position);
        v(r.unitname); v(r.mw); v(r.unused1); v(r.unused2);
        v(r.specboiler); v(r.specpm); v(r.specscrub); v(r.specnox);
        v(r.modelboiler); v(r.modelpm); v(r.modelso2); v(r.sparebyte); v(r.longname);
    }
};

// plant.dat, 873 bytes: one plant, by plant number.
struct plantrec {
    i16 plantno = 0;
    Text<50> plantname;
    // street address block
    Text<25> street1;
    Text<15> street2;
    Text<5> statecode;
    Text<25> street3;
    Text<20> streetspare;
    i16 streetnumber = 0;
    Text<12> street4;
    Text<4> street5;
    // mailing address block
    Text<25> mail1;
    Text<15> mail2;
    Text<25> mail3;
    Text<2> mailstate;
    Text<20> mailspare;
    Text<12> mail4;
    Text<10> latitude;
    Text<10> longitude;
    Grid<f32, 13, 11> mercury;  // (month 0..12, fuel slot 0..10)
    std::array<i16, 11> fuelno{};
    template <class R, class V> static constexpr void fields(R& r, V& v) {
        v(r.plantno); v(r.plantname);
        v(r.street1); v(r.street2); v(r.statecode); v(r.street3); v(r.streetspare); v(r.streetnumber);
        v(r.street4); v(r.street5);
        v(r.mail1); v(r.mail2); v(r.mail3); v(r.mailstate); v(r.mailspare); v(r.mail4);
        v(r.latitude); v(r.longitude); v(r.mercury); v(r.fuelno);
    }
};

// meas.dat, 32 bytes: one analysis of mercury in a fuel.
struct measrec {
    i16 plantno = 0, year = 0, month = 0, fuelnum = 0;
    f32 value14 = 0, value16 = 0;
    f32 hgppm = 0;  // element 0: the count
    Bytes<4> unused1;
    f32 value19 = 0;
    u8 lowmark = 0;
    Bytes<2> unused2;
    u8 lowmark2 = 0;
    template <class R, class V> static constexpr void fields(R& r, V& v) {
        v(r.plantno); v(r.year); v(r.month); v(r.fuelnum); v(r.value14); v(r.value16); v(r.hgppm);
        v(r.unused1); v(r.value19); v(r.lowmark); v(r.unused2); v(r.lowmark2);
    }
};

// owner.dat, 143 bytes.
struct ownerrec {
    i16 ownerno = 0;
    Text<35> ownername;  // element 0: the owner count as text
    Text<25> addr1;
    Text<12> addr2;
    Text<25> addr3;
    Text<12> addr4;
    Text<20> spare;
    Text<12> addr5;
    template <class R, class V> static constexpr void fields(R& r, V& v) {
        v(r.ownerno); v(r.ownername); v(r.addr1); v(r.addr2); v(r.addr3); v(r.addr4); v(r.spare); v(r.addr5);
    }
};

// operator.dat, 235 bytes.
struct operatorrec {
    Text<25> operatorname;  // element 0: the operator count as text
    Text<25> street1;
    Text<15> street2;
    Text<25> street3;
    Text<5> streetstate;
    Text<20> streetspare;
    i16 streetnumber = 0;
    Text<12> street4;
    Text<4> street5;
    Text<25> mail1;
    Text<15> mail2;
    Text<25> mail3;
    Text<5> mailstate;
    Text<20> mailspare;
    Text<12> mail4;
    template <class R, class V> static constexpr void fields(R& r, V& v) {
        v(r.operatorname); v(r.street1); v(r.street2); v(r.street3); v(r.streetstate); v(r.streetspare);
        v(r.streetnumber); v(r.street4); v(r.street5);
        v(r.mail1); v(r.mail2); v(r.mail3); v(r.mailstate); v(r.mailspare); v(r.mail4);
    }
};

// bins.dat, 57 bytes: a row of the bin table (bin row, test row and configuration row at once).
struct binindexrec {
    f32 efactor = 0, partfrac = 0, oxfrac = 0, elemfrac = 0;
    Text<20> testname;
    i16 testunit = 0, testcode = 0;
    u8 testline = 0;
    i16 testfuel = 0;
    Bytes<4> unused1;
    Bytes<1> unused2;
    Text<3> Code;
    u8 unitcode = 0;
    i16 unitfuel = 0;
    u8 unitboiler = 0, unitpm = 0, unitso2 = 0;
    template <class R, class V> static constexpr void fields(R& r, V& v) {
        v(r.efactor); v(r.partfrac); v(r.oxfrac); v(r.elemfrac); v(r.testname); v(r.testunit); v(r.testcode);
        v(r.testline); v(r.testfuel); v(r.unused1); v(r.unused2); v(r.Code); v(r.unitcode); v(r.unitfuel);
        v(r.unitboiler); v(r.unitpm); v(r.unitso2);
    }
    bool emptyconfiguration() const { return unitboiler == 0 && unitfuel == 0 && unitpm == 0; }
};

// fueluse.dat, 62 bytes: one unit's fuel use in one month, fuel slots 0..4 (1..4 used).
struct unitcoalrec {
    i16 count = 0;  // used only in element (1, 0): the number of units stored
    std::array<i16, 5> fuelnum{};
    std::array<f32, 5> hgppm{};
    std::array<f32, 5> drytons{};
    std::array<i16, 5> hgflag{};  // -1: the mercury value is the yearly mean
    template <class R, class V> static constexpr void fields(R& r, V& v) {
        v(r.count); v(r.fuelnum); v(r.hgppm); v(r.drytons); v(r.hgflag);
    }
};

// test.dat, 90 bytes: one run of an emission test.
struct testrec {
    u8 testkind = 0;  // 1 boiler, 2 SO2 control, 3 particulate control
    u8 typecode = 0;
    Text<20> testname;
    Text<4> runid;
    f32 burnrate = 0, value5 = 0, sulfur = 0, hgcoal = 0, o2in = 0, gasrate = 0, value12 = 0, value13 = 0,
        o2out = 0;
    f32 inpart = 0;  // element 0: the test count
    f32 inox = 0, inelem = 0, outpart = 0, outox = 0, outelem = 0;
    i16 refcode = 0, fueltype = 0;
    template <class R, class V> static constexpr void fields(R& r, V& v) {
        v(r.testkind); v(r.typecode); v(r.testname); v(r.runid);
        v(r.burnrate); v(r.value5); v(r.sulfur); v(r.hgcoal); v(r.o2in); v(r.gasrate); v(r.value12); v(r.value13);
        v(r.o2out); v(r.inpart); v(r.inox); v(r.inelem); v(r.outpart); v(r.outox); v(r.outelem);
        v(r.refcode); v(r.fueltype);
    }
};

// emfactor.dat, emfactorf.dat, emfactorfs.dat, 57 bytes: one cell of a factor table.
struct emfactorrec {
    Text<25> name;
    f32 hgpart = 0, hgox = 0, hgelem = 0, hgtotal = 0, testcount = 0, sdpart = 0, sdox = 0, sdelem = 0;
    template <class R, class V> static constexpr void fields(R& r, V& v) {
        v(r.name); v(r.hgpart); v(r.hgox); v(r.hgelem); v(r.hgtotal); v(r.testcount);
        v(r.sdpart); v(r.sdox); v(r.sdelem);
    }
};

// emisf.dat, emisf2.dat, 72 bytes: one line of the emission data import.
struct emisfrec {
    Text<20> text1;
    i16 number1 = 0;
    Text<40> compoundname;
    f32 value = 0;
    i16 number2 = 0;
    i16 compoundno = 0;
    i16 unused = 0;
    template <class R, class V> static constexpr void fields(R& r, V& v) {
        v(r.text1); v(r.number1); v(r.compoundname); v(r.value); v(r.number2); v(r.compoundno); v(r.unused);
    }
};

// compound.dat, 50 bytes: one trace compound.
struct compoundrec {
    Text<40> name;
    f32 oilconc = 0;
    Bytes<4> unused;
    i16 comptype = 0;
    template <class R, class V> static constexpr void fields(R& r, V& v) { v(r.name); v(r.oilconc); v(r.unused); v(r.comptype); }
};

// The unit property file, 172 bytes a record.
struct unitpropsrec {
    Text<40> propname;  // "new data" marks an empty record
    std::array<f32, 3> propvalue{};
    Text<60> proptext1, proptext2;
    template <class R, class V> static constexpr void fields(R& r, V& v) { v(r.propname); v(r.propvalue); v(r.proptext1); v(r.proptext2); }
};

// The plant description file, 572 bytes a record: 52 fields edited through the field dialog,
// held as their bytes with the field table below.
struct plantdatarec {
    Bytes<572> bytes;
    template <class R, class V> static constexpr void fields(R& r, V& v) { v(r.bytes); }
};

// Field kinds of the plant description record, in order: 'T' text (length), 'I' int16, 'B' 4 bytes.
struct plantdatafield {
    int offset;
    char kind;
    int length;
};
extern const std::array<plantdatafield, 52> plantdatafields;

}  // namespace brasket
