#include <gtest/gtest.h>

#include <string>

#include "clips/ClipTextCensus.h"

TEST(ClipTextCensus, KnowsATextUntilItsLastItemIsRemoved) {
    ClipTextCensus census;
    EXPECT_FALSE(census.MayContain("abc"));
    census.Add("abc");
    census.Add("abc");
    census.Remove("abc");
    EXPECT_TRUE(census.MayContain("abc"));
    census.Remove("abc");
    EXPECT_FALSE(census.MayContain("abc"));
}

TEST(ClipTextCensus, TellsTextsApartByEveryByte) {
    ClipTextCensus census;
    census.Add("hello");
    EXPECT_FALSE(census.MayContain("HELLO"));
    EXPECT_FALSE(census.MayContain("hello "));
    EXPECT_FALSE(census.MayContain(std::string("hello\0", 6)));
    census.Add("");
    EXPECT_TRUE(census.MayContain(""));
}

TEST(ClipTextCensus, RemovingAnUnknownTextOrClearingLeavesNothingBehind) {
    ClipTextCensus census;
    census.Remove("never added");
    EXPECT_FALSE(census.MayContain("never added"));
    census.Add("a");
    census.Add("b");
    census.Clear();
    EXPECT_FALSE(census.MayContain("a"));
    EXPECT_FALSE(census.MayContain("b"));
}
