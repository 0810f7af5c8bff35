// Golden bytes: each record laid out by hand from its offset table, with a distinct value in
// every field, must decode to the right fields and encode back to the same bytes.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "data/codec.h"

using namespace brasket;

namespace {

// Bytes laid out by offset, independent of the codec.
struct Layout {
    std::vector<std::uint8_t> b;
    explicit Layout(std::size_t n) : b(n, 0xEE) {}
    void u8(std::size_t off, std::uint8_t v) { b.at(off) = v; }
    void i16(std::size_t off, std::int16_t v) {
        auto u = static_cast<std::uint16_t>(v);
        b.at(off) = u & 0xFF;
        b.at(off + 1) = u >> 8;
    }
    void f32(std::size_t off, float v) {
        std::uint32_t u;
        std::memcpy(&u, &v, 4);
        for (int i = 0; i < 4; ++i) b.at(off + i) = (u >> (8 * i)) & 0xFF;
    }
    // A text of n bytes: the letter c repeated, so that a shifted field shows.
    void text(std::size_t off, std::size_t n, char c) {
        for (std::size_t i = 0; i < n; ++i) b.at(off + i) = static_cast<std::uint8_t>(c);
    }
    void raw(std::size_t off, std::size_t n, std::uint8_t first) {
        for (std::size_t i = 0; i < n; ++i) b.at(off + i) = static_cast<std::uint8_t>(first + i);
    }
};

std::string rep(char c, std::size_t n) { return std::string(n, c); }

template <class R>
R roundtrip(const Layout& l) {
    EXPECT_EQ(l.b.size(), recordsize<R>());
    R r{};
    decode(l.b.data(), r);
    recordbytes<R> back = encode(r);
    EXPECT_TRUE(std::equal(back.begin(), back.end(), l.b.begin())) << "encode does not give back the bytes read";
    return r;
}

}  // namespace

TEST(RecordBytes, Idfuel) {
    Layout l(36);
    l.u8(0, 7);
    l.text(1, 35, 'n');
    auto r = roundtrip<idfuelrec>(l);
    EXPECT_EQ(r.code, 7);
    EXPECT_EQ(r.name.str(), rep('n', 35));
}

TEST(RecordBytes, PartFactors) {
    Layout l(16);
    l.u8(0, 1); l.u8(1, 2); l.u8(2, 3); l.u8(3, 4);
    l.f32(4, 0.25f); l.f32(8, 0.5f); l.f32(12, 0.125f);
    auto r = roundtrip<partfactors1rec>(l);
    EXPECT_EQ(r.boilergroup, 1); EXPECT_EQ(r.noxgroup, 2); EXPECT_EQ(r.controlclass, 3); EXPECT_EQ(r.fuelclass, 4);
    EXPECT_EQ(r.partfrac, 0.25f); EXPECT_EQ(r.oxfrac, 0.5f); EXPECT_EQ(r.elemfrac, 0.125f);

    Layout m(24);
    m.text(0, 12, 'd'); m.f32(12, 0.1f); m.f32(16, 0.2f); m.f32(20, 0.3f);
    auto s = roundtrip<partfactors2rec>(m);
    EXPECT_EQ(s.devicename.str(), rep('d', 12));
    EXPECT_EQ(s.partremoval, 0.1f); EXPECT_EQ(s.oxremoval, 0.2f); EXPECT_EQ(s.elemremoval, 0.3f);
}

TEST(RecordBytes, CoalSupply) {
    Layout l(82);
    l.text(0, 20, 'a'); l.text(20, 20, 'b'); l.text(40, 20, 'c'); l.i16(60, 4);
    l.f32(62, 1.5f); l.f32(66, 12000); l.f32(70, 9.5f); l.f32(74, 0.08f); l.f32(78, 700);
    auto r = roundtrip<coalsupplyrec>(l);
    EXPECT_EQ(r.name3.str(), rep('c', 20));
    EXPECT_EQ(r.fueltype, 4);
    EXPECT_EQ(r.sulfur, 1.5f); EXPECT_EQ(r.btu, 12000); EXPECT_EQ(r.ash, 9.5f); EXPECT_EQ(r.mercury, 0.08f);
    EXPECT_EQ(r.chlorine, 700);
}

TEST(RecordBytes, IdplantAndIdunit) {
    Layout l(112);
    l.text(0, 20, 'p'); l.text(20, 20, 'q');
    for (int k = 0; k < 36; ++k) l.i16(40 + 2 * k, static_cast<std::int16_t>(1000 + k));
    auto r = roundtrip<idplantrec>(l);
    EXPECT_EQ(r.pfcode.str(), rep('p', 20));
    EXPECT_EQ(r.plantname.str(), rep('q', 20));
    EXPECT_EQ(r.unitno[0], 1000);
    EXPECT_EQ(r.unitno[35], 1035);

    Layout m(17);
    m.i16(0, -3); m.text(2, 15, 'b');
    auto u = roundtrip<idunitrec>(m);
    EXPECT_EQ(u.plantno, -3);
    EXPECT_EQ(u.boilerid.str(), rep('b', 15));
}

TEST(RecordBytes, Unit) {
    Layout l(93);
    l.i16(0, 11); l.i16(2, 12); l.i16(4, 13); l.i16(6, 14);
    l.u8(8, 1); l.u8(9, 0); l.u8(10, 1); l.u8(11, 0); l.u8(12, 5);
    l.text(13, 25, 'u'); l.f32(38, 650.5f); l.raw(42, 4, 0x10); l.raw(46, 4, 0x20);
    l.u8(50, 21); l.u8(51, 22); l.u8(52, 23); l.u8(53, 24); l.u8(54, 25); l.u8(55, 26); l.u8(56, 27); l.u8(57, 28);
    l.text(58, 35, 'L');
    auto r = roundtrip<unitcrec>(l);
    EXPECT_EQ(r.ownerno, 11); EXPECT_EQ(r.operatorno, 12); EXPECT_EQ(r.plantno, 13); EXPECT_EQ(r.otherfuel, 14);
    EXPECT_EQ(r.fuelflag[2], 1); EXPECT_EQ(r.position, 5);
    EXPECT_EQ(r.unitname.str(), rep('u', 25)); EXPECT_EQ(r.mw, 650.5f);
    EXPECT_EQ(r.unused1.b[0], 0x10); EXPECT_EQ(r.unused2.b[3], 0x23);
    EXPECT_EQ(r.specboiler, 21); EXPECT_EQ(r.specpm, 22); EXPECT_EQ(r.specscrub, 23); EXPECT_EQ(r.specnox, 24);
    EXPECT_EQ(r.modelboiler, 25); EXPECT_EQ(r.modelpm, 26); EXPECT_EQ(r.modelso2, 27); EXPECT_EQ(r.sparebyte, 28);
    EXPECT_EQ(r.longname.str(), rep('L', 35));
}

TEST(RecordBytes, Plant) {
    Layout l(873);
    l.i16(0, 42); l.text(2, 50, 'N');
    l.text(52, 25, 'a'); l.text(77, 15, 'b'); l.text(92, 5, 'S'); l.text(97, 25, 'c'); l.text(122, 20, 'x');
    l.i16(142, 77); l.text(144, 12, 'd'); l.text(156, 4, 'e');
    l.text(160, 25, 'f'); l.text(185, 15, 'g'); l.text(200, 25, 'h'); l.text(225, 2, 'M'); l.text(227, 20, 'y');
    l.text(247, 12, 'i'); l.text(259, 10, '4'); l.text(269, 10, '9');
    for (int s = 0; s <= 10; ++s)
        for (int m = 0; m <= 12; ++m) l.f32(279 + 4 * (m + 13 * s), static_cast<float>(100 * s + m));
    for (int s = 0; s <= 10; ++s) l.i16(851 + 2 * s, static_cast<std::int16_t>(200 + s));
    auto r = roundtrip<plantrec>(l);
    EXPECT_EQ(r.plantno, 42);
    EXPECT_EQ(r.statecode.str(), "SSSSS");
    EXPECT_EQ(r.street3.str(), rep('c', 25));
    EXPECT_EQ(r.streetnumber, 77);
    EXPECT_EQ(r.street5.str(), "eeee");
    EXPECT_EQ(r.mailstate.str(), "MM");
    EXPECT_EQ(r.mail4.str(), rep('i', 12));
    EXPECT_EQ(r.latitude.str(), rep('4', 10));
    EXPECT_EQ(r.longitude.str(), rep('9', 10));
    EXPECT_EQ(r.mercury(0, 0), 0.0f);
    EXPECT_EQ(r.mercury(12, 0), 12.0f);
    EXPECT_EQ(r.mercury(3, 7), 703.0f);
    EXPECT_EQ(r.mercury(12, 10), 1012.0f);
    EXPECT_EQ(r.fuelno[10], 210);
}

TEST(RecordBytes, MeasOwnerOperator) {
    Layout l(32);
    l.i16(0, 1); l.i16(2, 1999); l.i16(4, 7); l.i16(6, 304);
    l.f32(8, 14.5f); l.f32(12, 16.5f); l.f32(16, 0.05f); l.raw(20, 4, 0x40); l.f32(24, 19.5f);
    l.u8(28, 1); l.raw(29, 2, 0x50); l.u8(31, 1);
    auto m = roundtrip<measrec>(l);
    EXPECT_EQ(m.year, 1999); EXPECT_EQ(m.month, 7); EXPECT_EQ(m.fuelnum, 304);
    EXPECT_EQ(m.value14, 14.5f); EXPECT_EQ(m.value16, 16.5f); EXPECT_EQ(m.hgppm, 0.05f);
    EXPECT_EQ(m.value19, 19.5f); EXPECT_EQ(m.lowmark, 1); EXPECT_EQ(m.unused2.b[1], 0x51); EXPECT_EQ(m.lowmark2, 1);

    Layout o(143);
    o.i16(0, 9); o.text(2, 35, 'o'); o.text(37, 25, 'a'); o.text(62, 12, 'b'); o.text(74, 25, 'c');
    o.text(99, 12, 'd'); o.text(111, 20, 'x'); o.text(131, 12, 'e');
    auto w = roundtrip<ownerrec>(o);
    EXPECT_EQ(w.ownerno, 9); EXPECT_EQ(w.addr4.str(), rep('d', 12)); EXPECT_EQ(w.addr5.str(), rep('e', 12));

    Layout p(235);
    p.text(0, 25, 'n'); p.text(25, 25, 'a'); p.text(50, 15, 'b'); p.text(65, 25, 'c'); p.text(90, 5, 'S');
    p.text(95, 20, 'x'); p.i16(115, 31); p.text(117, 12, 'd'); p.text(129, 4, 'e');
    p.text(133, 25, 'f'); p.text(158, 15, 'g'); p.text(173, 25, 'h'); p.text(198, 5, 'T'); p.text(203, 20, 'y');
    p.text(223, 12, 'i');
    auto q = roundtrip<operatorrec>(p);
    EXPECT_EQ(q.operatorname.str(), rep('n', 25)); EXPECT_EQ(q.streetstate.str(), "SSSSS");
    EXPECT_EQ(q.streetnumber, 31); EXPECT_EQ(q.mailstate.str(), "TTTTT"); EXPECT_EQ(q.mail4.str(), rep('i', 12));
}

TEST(RecordBytes, BinIndex) {
    Layout l(57);
    l.f32(0, 0.75f); l.f32(4, 0.1f); l.f32(8, 0.2f); l.f32(12, 0.7f); l.text(16, 20, 't');
    l.i16(36, 123); l.i16(38, 44); l.u8(40, 2); l.i16(41, 304); l.raw(43, 4, 0x60); l.raw(47, 1, 0x70);
    l.text(48, 3, 'C'); l.u8(51, 17); l.i16(52, 205); l.u8(54, 3); l.u8(55, 4); l.u8(56, 5);
    auto r = roundtrip<binindexrec>(l);
    EXPECT_EQ(r.efactor, 0.75f); EXPECT_EQ(r.elemfrac, 0.7f); EXPECT_EQ(r.testname.str(), rep('t', 20));
    EXPECT_EQ(r.testunit, 123); EXPECT_EQ(r.testcode, 44); EXPECT_EQ(r.testline, 2); EXPECT_EQ(r.testfuel, 304);
    EXPECT_EQ(r.Code.str(), "CCC"); EXPECT_EQ(r.unitcode, 17); EXPECT_EQ(r.unitfuel, 205);
    EXPECT_EQ(r.unitboiler, 3); EXPECT_EQ(r.unitpm, 4); EXPECT_EQ(r.unitso2, 5);
}

TEST(RecordBytes, UnitCoal) {
    Layout l(62);
    l.i16(0, 1100);
    for (int s = 0; s < 5; ++s) {
        l.i16(2 + 2 * s, static_cast<std::int16_t>(300 + s));
        l.f32(12 + 4 * s, 0.1f * static_cast<float>(s + 1));
        l.f32(32 + 4 * s, 1000.0f + static_cast<float>(s));
        l.i16(52 + 2 * s, static_cast<std::int16_t>(-s));
    }
    auto r = roundtrip<unitcoalrec>(l);
    EXPECT_EQ(r.count, 1100);
    EXPECT_EQ(r.fuelnum[4], 304);
    EXPECT_EQ(r.hgppm[1], 0.2f);
    EXPECT_EQ(r.drytons[3], 1003.0f);
    EXPECT_EQ(r.hgflag[1], -1);
}

TEST(RecordBytes, Test) {
    Layout l(90);
    l.u8(0, 3); l.u8(1, 12); l.text(2, 20, 'u'); l.text(22, 4, 'r');
    const int offs[] = {26, 30, 34, 38, 42, 46, 50, 54, 58, 62, 66, 70, 74, 78, 82};
    for (int k = 0; k < 15; ++k) l.f32(offs[k], static_cast<float>(k + 1) + 0.5f);
    l.i16(86, 5); l.i16(88, 304);
    auto r = roundtrip<testrec>(l);
    EXPECT_EQ(r.testkind, 3); EXPECT_EQ(r.typecode, 12); EXPECT_EQ(r.runid.str(), "rrrr");
    EXPECT_EQ(r.burnrate, 1.5f); EXPECT_EQ(r.value5, 2.5f); EXPECT_EQ(r.sulfur, 3.5f); EXPECT_EQ(r.hgcoal, 4.5f);
    EXPECT_EQ(r.o2in, 5.5f); EXPECT_EQ(r.gasrate, 6.5f); EXPECT_EQ(r.value12, 7.5f); EXPECT_EQ(r.value13, 8.5f);
    EXPECT_EQ(r.o2out, 9.5f); EXPECT_EQ(r.inpart, 10.5f); EXPECT_EQ(r.inox, 11.5f); EXPECT_EQ(r.inelem, 12.5f);
    EXPECT_EQ(r.outpart, 13.5f); EXPECT_EQ(r.outox, 14.5f); EXPECT_EQ(r.outelem, 15.5f);
    EXPECT_EQ(r.refcode, 5); EXPECT_EQ(r.fueltype, 304);
}

TEST(RecordBytes, EmfactorEmisfCompoundUnitprops) {
    Layout l(57);
    l.text(0, 25, 'E');
    for (int k = 0; k < 8; ++k) l.f32(25 + 4 * k, 0.01f * static_cast<float>(k + 1));
    auto e = roundtrip<emfactorrec>(l);
    EXPECT_EQ(e.name.str(), rep('E', 25));
    EXPECT_EQ(e.hgpart, 0.01f * 1); EXPECT_EQ(e.hgtotal, 0.01f * 4); EXPECT_EQ(e.testcount, 0.01f * 5); EXPECT_EQ(e.sdelem, 0.01f * 8);

    Layout m(72);
    m.text(0, 20, 'a'); m.i16(20, 21); m.text(22, 40, 'c'); m.f32(62, 6.5f); m.i16(66, 83); m.i16(68, 99); m.i16(70, 7);
    auto f = roundtrip<emisfrec>(m);
    EXPECT_EQ(f.number1, 21); EXPECT_EQ(f.compoundname.str(), rep('c', 40)); EXPECT_EQ(f.value, 6.5f);
    EXPECT_EQ(f.number2, 83); EXPECT_EQ(f.compoundno, 99); EXPECT_EQ(f.unused, 7);

    Layout c(50);
    c.text(0, 40, 'k'); c.f32(40, 3.25f); c.raw(44, 4, 1); c.i16(48, 6);
    auto g = roundtrip<compoundrec>(c);
    EXPECT_EQ(g.oilconc, 3.25f); EXPECT_EQ(g.comptype, 6); EXPECT_EQ(g.unused.b[3], 4);

    Layout u(172);
    u.text(0, 40, 'n'); u.f32(40, 1); u.f32(44, 2); u.f32(48, 3); u.text(52, 60, 'x'); u.text(112, 60, 'y');
    auto h = roundtrip<unitpropsrec>(u);
    EXPECT_EQ(h.propvalue[2], 3.0f); EXPECT_EQ(h.proptext2.str(), rep('y', 60));
}

TEST(FixedText, AssignCutsOrPadsAndNeverAssignedIsCodeZero) {
    Text<5> t;
    EXPECT_EQ(t.str(), std::string(5, '\0'));
    EXPECT_EQ(t.trimmed(), std::string(5, '\0'));  // trimming removes blanks only
    t = "ab";
    EXPECT_EQ(t.str(), "ab   ");
    EXPECT_EQ(t.trimmed(), "ab");
    t = "abcdefg";
    EXPECT_EQ(t.str(), "abcde");
}

TEST(PlantDescription, FieldTableCoversTheRecord) {
    int end = 0;
    for (const auto& f : plantdatafields) {
        EXPECT_EQ(f.offset, end);
        end = f.offset + f.length;
    }
    EXPECT_EQ(end, 572);
}
