#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/StoredRect.h"
#include "tests/host/FakeProfileStore.h"

using namespace settings;

TEST(StoredRectTest, EmptyProfileGivesAHundredPixelSquareAtTheOrigin) {
    FakeProfileStore profile;
    const StoredRect rect = ReadWindowRect(profile);
    EXPECT_EQ(0, rect.Left);
    EXPECT_EQ(0, rect.Top);
    EXPECT_EQ(100, rect.Right);
    EXPECT_EQ(100, rect.Bottom);
    EXPECT_TRUE(profile.Writes().empty());
}

TEST(StoredRectTest, WrittenRectangleReadsBackAsStoredEvenWhenInsideOut) {
    FakeProfileStore profile;
    StoredRect rect;
    rect.Left = 640;
    rect.Top = -20;
    rect.Right = 300;
    rect.Bottom = 1200;
    WriteWindowRect(profile, rect);

    EXPECT_EQ(rect, ReadWindowRect(profile));
}

TEST(StoredRectTest, WritesLeftTopRightBottomInOrderUnderLastPosition) {
    FakeProfileStore profile;
    StoredRect rect;
    rect.Left = 1;
    rect.Top = 2;
    rect.Right = 3;
    rect.Bottom = 4;
    WriteWindowRect(profile, rect);

    const auto writes = profile.Writes();
    ASSERT_EQ(4u, writes.size());
    const std::vector<std::string> keys = {"Left", "Top", "Right", "Bottom"};
    for (std::size_t i = 0; i < keys.size(); ++i) {
        EXPECT_EQ("LastPosition", writes[i].section);
        EXPECT_EQ(keys[i], writes[i].key);
        EXPECT_EQ(FakeProfileStore::Value(static_cast<int>(i) + 1), *writes[i].written);
    }
}

TEST(StoredRectTest, EachMissingEntryTakesItsOwnDefault) {
    FakeProfileStore profile;
    profile.Put("LastPosition", "Left", 10);
    profile.Put("LastPosition", "Bottom", 40);
    profile.Put("Configure", "Right", 999);

    const StoredRect rect = ReadWindowRect(profile);
    EXPECT_EQ(10, rect.Left);
    EXPECT_EQ(0, rect.Top);
    EXPECT_EQ(100, rect.Right);
    EXPECT_EQ(40, rect.Bottom);

    std::vector<std::string> readKeys;
    for (const auto& read : profile.Reads()) readKeys.push_back(read.key);
    const std::vector<std::string> order = {"Left", "Top", "Right", "Bottom"};
    EXPECT_EQ(order, readKeys);
}
