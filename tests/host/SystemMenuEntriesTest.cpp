#include <gtest/gtest.h>

#include "clips/SystemMenuEntries.h"

using namespace system_menu;

TEST(SystemMenuEntries, TheNewestClippingHasNoEntryAndAtMostTwentyAreOffered) {
    EXPECT_EQ(EntryCount(0), 0);
    EXPECT_EQ(EntryCount(1), 0);
    EXPECT_EQ(EntryCount(3), 2);
    EXPECT_EQ(EntryCount(21), 20);
    EXPECT_EQ(EntryCount(25), 20);
    EXPECT_EQ(EntryCount(40000), 20);
    EXPECT_EQ(EntryCount(-5), 0);
}

TEST(SystemMenuLabels, ShowTheFirstTenBytes) {
    EXPECT_EQ(EntryLabel("abcdefghijkl"), "abcdefghij");
    EXPECT_EQ(EntryLabel("short"), "short");
    EXPECT_EQ(EntryLabel(""), "");
}

TEST(SystemMenuLabels, LineBreaksTabsAndHighBytesShowAsBars) {
    EXPECT_EQ(EntryLabel("ab\r\ncd"), "ab||cd");
    EXPECT_EQ(EntryLabel("a\tb"), "a|b");
    EXPECT_EQ(EntryLabel("caf\xE9!"), "caf|!");
    EXPECT_EQ(EntryLabel(std::string("x\x7Fy", 3)), "x|y");
    EXPECT_EQ(EntryLabel(" ~"), " ~");
}

TEST(SystemMenuLabels, BarsAreCountedWithinTheTenBytes) {
    EXPECT_EQ(EntryLabel("\r\n\r\n\r\n\r\n\r\nmore"), "||||||||||");
}

TEST(SystemMenuLabels, AnAmpersandIsLeftForTheMenuToRead) {
    EXPECT_EQ(EntryLabel("Tom & Jerry"), "Tom & Jerr");
    EXPECT_EQ(EntryLabel("&&x"), "&&x");
}
