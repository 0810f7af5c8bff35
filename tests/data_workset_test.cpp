#include <gtest/gtest.h>

#include "data/textfiles.h"
#include "data/workset.h"

using namespace brasket;

TEST(Counts, KeptInElementZeroInTheirOwnForms) {
    auto w = std::make_unique<Workset>();
    setunitcount(*w, 1234);
    EXPECT_EQ(w->unitc(0).unitname.str(), " 1234" + std::string(20, ' '));
    EXPECT_EQ(unitcount(*w), 1234);
    setownercount(*w, 0);
    EXPECT_EQ(w->owner(0).ownername.str(), " 0" + std::string(33, ' '));
    EXPECT_EQ(ownercount(*w), 0);
    setmeascount(*w, 55000);
    EXPECT_EQ(w->meas(0).hgppm, 55000.0f);
    settestcount(*w, 12);
    EXPECT_EQ(w->test(0).inpart, 12.0f);
    setunitcoalcount(*w, 3);
    EXPECT_EQ(w->unitcoal(1, 0).count, 3);
    setnamecount(w->noxnames, 400);
    EXPECT_EQ(w->noxnames(0), "400");
    EXPECT_EQ(namecount(w->noxnames), 400);
    // A count field holding a number beyond any table reads as a large count, never undefined.
    w->meas(0).hgppm = 3e38f;
    EXPECT_EQ(meascount(*w), 1000000000);
    setunitcount(*w, 0);
    w->unitc(0).unitname = "1e300";
    EXPECT_EQ(unitcount(*w), 1000000000);
}

TEST(Tables, IndexOutsideTheBoundsIsRefused) {
    auto w = std::make_unique<Workset>();
    EXPECT_NO_THROW(w->plant(500));
    EXPECT_THROW(w->plant(501), std::out_of_range);
    EXPECT_THROW(w->unitcoal(2001, 0), std::out_of_range);
    EXPECT_THROW(w->emfactor(1, 3), std::out_of_range);
    EXPECT_NO_THROW(w->binnumbertable(50, 25, 17, 12));
    EXPECT_THROW(w->binnumbertable(51, 0, 0, 0), std::out_of_range);
}

TEST(NameLists, ItemsSplitAtCommasAndLineEndsWithLeadingBlanksRemoved) {
    auto items = namelistitems("PC WALL\r\n  CYCLONE, STOKER\r\nFBC\r\n");
    ASSERT_EQ(items.size(), 4u);
    EXPECT_EQ(items[0], "PC WALL");
    EXPECT_EQ(items[1], "CYCLONE");
    EXPECT_EQ(items[2], "STOKER");
    EXPECT_EQ(items[3], "FBC");
}

TEST(NameLists, ANameWithACommaSurvivesASaveAndReload) {
    std::vector<std::string> names{"ESP-CS", "FF, PULSE JET", "WET"};
    std::string text = namelisttext(names);
    EXPECT_EQ(text, "ESP-CS\r\n\"FF, PULSE JET\"\r\nWET\r\n");
    EXPECT_EQ(namelistitems(text), names);
}

TEST(BinNumber, OnlyCellsWithUnitsOrMercuryAreWrittenInIndexOrder) {
    auto count = std::make_unique<BinGrid<i16>>();
    auto hg = std::make_unique<BinGrid<f32>>();
    (*count)(1, 2, 3, 4) = 0;  // count 0, mercury 0: not written
    (*hg)(0, 0, 0, 1) = 0.5f;  // count 0, mercury 0.5: written
    (*count)(50, 25, 17, 12) = 3;
    (*hg)(50, 25, 17, 12) = 12.25f;
    std::string text = binnumbertext(*count, *hg);
    EXPECT_EQ(text, "0,0,0,1,0,0.5\r\n50,25,17,12,3,12.25\r\n");

    auto count2 = std::make_unique<BinGrid<i16>>();
    auto hg2 = std::make_unique<BinGrid<f32>>();
    auto r = readbinnumber(text + "garbage line\r\n1,2,3\n99,0,0,0,1,1\n0,1e300,0,0,1,1\n", *count2, *hg2);
    EXPECT_EQ(r.cells, 2);
    EXPECT_EQ(r.skipped, 4);  // malformed, short, out of bounds, far out of bounds
    EXPECT_EQ((*hg2)(0, 0, 0, 1), 0.5f);
    EXPECT_EQ((*count2)(50, 25, 17, 12), 3);
    EXPECT_EQ((*hg2)(50, 25, 17, 12), 12.25f);
}

TEST(BinNumber, MercuryIsWrittenWithAPointAndReadsBackExactly) {
    EXPECT_EQ(decimaltext(0.1f), "0.1");
    EXPECT_EQ(decimaltext(1234.5f), "1234.5");
    EXPECT_EQ(decimaltext(1e-7f), "1e-07");
}

TEST(NameLists, NamesReadBackAsSavedWithoutBlanksOrQuotesThatWouldSplitThem) {
    std::vector<std::string> names{"  PC WALL ", "6\" ESP", "DRY \"BOTTOM\", WALL", " FF, PULSE JET  "};
    std::string text = namelisttext(names);
    EXPECT_EQ(text, "PC WALL\r\n6' ESP\r\n\"DRY 'BOTTOM', WALL\"\r\n\"FF, PULSE JET\"\r\n");
    std::vector<std::string> back = namelistitems(text);
    EXPECT_EQ(back, (std::vector<std::string>{"PC WALL", "6' ESP", "DRY 'BOTTOM', WALL", "FF, PULSE JET"}));
    // A second save and load changes nothing more.
    EXPECT_EQ(namelisttext(back), text);
    // Blanks inside quotes and before a line end do not count either.
    EXPECT_EQ(namelistitems("\" ESP \" \r\nWET   \r\n"), (std::vector<std::string>{"ESP", "WET"}));
}

TEST(BinNumber, ValuesBeyondTheirFieldsAreSkippedNeverConverted) {
    auto count = std::make_unique<BinGrid<i16>>();
    auto hg = std::make_unique<BinGrid<f32>>();
    auto r = readbinnumber("1,2,3,4,5,1e39\r\n1,2,3,5,40000,1\r\n1,2,3,6,-7,-3.4e38\r\n", *count, *hg);
    EXPECT_EQ(r.cells, 1);
    EXPECT_EQ(r.skipped, 2);
    EXPECT_EQ((*hg)(1, 2, 3, 4), 0);
    EXPECT_EQ((*count)(1, 2, 3, 5), 0);
    EXPECT_EQ((*count)(1, 2, 3, 6), -7);
    EXPECT_EQ((*hg)(1, 2, 3, 6), -3.4e38f);
}
