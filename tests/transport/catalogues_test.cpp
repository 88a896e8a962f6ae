#include "transport/catalogues.h"

#include <gtest/gtest.h>

namespace korven {
namespace {

TEST(CataloguesTest, NamedIdsGiveTheirNames) {
    EXPECT_STREQ(NormalMessageName(15), "NORMAL_DGP_DATE");
    EXPECT_STREQ(NormalMessageName(71), "NORMAL_DSP_VALUE");
    EXPECT_STREQ(LargeMessageName(0), "LARGE_INITIAL_END");
    EXPECT_STREQ(LargeMessageName(5), "LARGE_CALL_NUMBER");
    EXPECT_STREQ(LargeMessageName(50), "LARGE_SMS_SEND");
    EXPECT_STREQ(LargeMessageName(162), "LARGE_DB_UPDATE");
    EXPECT_STREQ(WideMessageName(0), "WIDE_EVENT_DATA");
    EXPECT_STREQ(WideMessageName(54), "WIDE_LINK_TEST");
    EXPECT_STREQ(WideMessageName(125), "WIDE_PHONE_DB5_IAP");
}

TEST(CataloguesTest, UnnamedIdsGivePlaceholdersOfTheirClass) {
    EXPECT_STREQ(NormalMessageName(0), "--00");
    EXPECT_STREQ(NormalMessageName(17), "--17");
    EXPECT_STREQ(NormalMessageName(70), "--70");
    EXPECT_STREQ(LargeMessageName(6), "-- 6");
    EXPECT_STREQ(LargeMessageName(119), "-- 119");
    EXPECT_STREQ(LargeMessageName(161), "-- 161");
    EXPECT_STREQ(WideMessageName(7), "--7");
    EXPECT_STREQ(WideMessageName(99), "--99");
    EXPECT_STREQ(WideMessageName(100), "-100");
    EXPECT_STREQ(WideMessageName(124), "-124");
}

TEST(CataloguesTest, IdsOutsideACatalogueHaveNoName) {
    for (int id : {-1, 72}) EXPECT_EQ(NormalMessageName(id), nullptr);
    for (int id : {-1, 163}) EXPECT_EQ(LargeMessageName(id), nullptr);
    for (int id : {-1, 126}) EXPECT_EQ(WideMessageName(id), nullptr);
}

}  // namespace
}  // namespace korven
