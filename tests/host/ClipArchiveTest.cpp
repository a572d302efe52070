#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/ClipArchive.h"
#include "tests/host/FakeProfileStore.h"

using namespace clip_archive;

namespace {

using Value = FakeProfileStore::Value;

ClipListReader ReaderOf(const std::vector<std::string>& items) {
    return {[&items] { return static_cast<int>(items.size()); },
            [&items](int index) { return items.at(static_cast<std::size_t>(index)); }};
}

std::vector<std::string> Load(FakeProfileStore& profile, std::int32_t numberToSave) {
    std::vector<std::string> loaded;
    LoadClippings(profile, numberToSave, [&loaded](const std::string& text) { loaded.push_back(text); });
    return loaded;
}

// The texts written to "LastClips" in order, each with its key.
std::vector<std::pair<std::string, std::string>> WrittenClips(const FakeProfileStore& profile) {
    std::vector<std::pair<std::string, std::string>> written;
    for (const auto& write : profile.Writes()) {
        EXPECT_EQ("LastClips", write.section);
        written.emplace_back(write.key, std::get<std::string>(*write.written));
    }
    return written;
}

std::vector<std::string> Numbered(const std::string& prefix, int count) {
    std::vector<std::string> items;
    for (int i = 0; i < count; ++i) items.push_back(prefix + std::to_string(i));
    return items;
}

}  // namespace

TEST(ClipArchiveTest, KeysAreNumberedWithAtLeastTwoDigits) {
    EXPECT_EQ("CLIP 00", ClipKey(0));
    EXPECT_EQ("CLIP 09", ClipKey(9));
    EXPECT_EQ("CLIP 10", ClipKey(10));
    EXPECT_EQ("CLIP 99", ClipKey(99));
    EXPECT_EQ("CLIP 100", ClipKey(100));
    EXPECT_EQ("CLIP 32767", ClipKey(32767));
    EXPECT_EQ("CLIP 40000", ClipKey(40000));
}

TEST(ClipArchiveTest, SavedListLoadsBackInTheSameOrder) {
    FakeProfileStore profile;
    const std::vector<std::string> items = {"newest", "middle", "oldest"};
    SaveClippings(profile, ReaderOf(items), false);

    EXPECT_EQ(items, Load(profile, 10));
}

TEST(ClipArchiveTest, EmptyListSavesOnlyTheEndingEntry) {
    FakeProfileStore profile;
    profile.Put("LastClips", "CLIP 00", std::string("old"));
    const std::vector<std::string> none;
    SaveClippings(profile, ReaderOf(none), true);

    const std::vector<std::pair<std::string, std::string>> expected = {{"CLIP 00", ""}};
    EXPECT_EQ(expected, WrittenClips(profile));
    EXPECT_TRUE(Load(profile, 10).empty());
}

TEST(ClipArchiveTest, ShorterSaveLeavesOlderEntriesBeyondTheEndUnread) {
    FakeProfileStore profile;
    SaveClippings(profile, ReaderOf(Numbered("old ", 8)), false);
    const std::vector<std::string> fresh = Numbered("new ", 5);
    SaveClippings(profile, ReaderOf(fresh), false);

    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(Value(fresh[static_cast<std::size_t>(i)]), profile.Stored("LastClips", ClipKey(i)));
    EXPECT_EQ(Value(std::string()), profile.Stored("LastClips", "CLIP 05"));
    EXPECT_EQ(Value(std::string("old 6")), profile.Stored("LastClips", "CLIP 06"));
    EXPECT_EQ(Value(std::string("old 7")), profile.Stored("LastClips", "CLIP 07"));

    EXPECT_EQ(fresh, Load(profile, 100));
}

TEST(ClipArchiveTest, RemoveDupsWritesOnlyTheNewestOfEqualTextsAndSkipsEmptyItems) {
    FakeProfileStore profile;
    const std::vector<std::string> items = {"abc", "ABC", "abc", "", "ab"};
    SaveClippings(profile, ReaderOf(items), true);

    const std::vector<std::pair<std::string, std::string>> expected = {
        {"CLIP 00", "abc"}, {"CLIP 01", "ABC"}, {"CLIP 02", "ab"}, {"CLIP 03", ""}};
    EXPECT_EQ(expected, WrittenClips(profile));
}

TEST(ClipArchiveTest, WithoutRemoveDupsEveryNonEmptyItemIsWritten) {
    FakeProfileStore profile;
    const std::vector<std::string> items = {"abc", "ABC", "abc", "", "ab"};
    SaveClippings(profile, ReaderOf(items), false);

    const std::vector<std::pair<std::string, std::string>> expected = {
        {"CLIP 00", "abc"}, {"CLIP 01", "ABC"}, {"CLIP 02", "abc"}, {"CLIP 03", "ab"}, {"CLIP 04", ""}};
    EXPECT_EQ(expected, WrittenClips(profile));
}

TEST(ClipArchiveTest, DuplicatesCompareWholeTextsExactly) {
    FakeProfileStore profile;
    const std::vector<std::string> items = {"a", "a ", " a", "a", "ab", "a\xE4", "a\xC4", "a\xE4",
                                            "x", "a",  "x",  "",  "",   "a ",    "b",     "ab"};
    SaveClippings(profile, ReaderOf(items), true);

    const std::vector<std::string> kept = {"a", "a ", " a", "ab", "a\xE4", "a\xC4", "x", "b"};
    EXPECT_EQ(kept, Load(profile, 100));
    EXPECT_EQ(Value(std::string()), profile.Stored("LastClips", ClipKey(static_cast<int>(kept.size()))));
}

TEST(ClipArchiveTest, HundredAndTwentyItemsEndWithClip120) {
    FakeProfileStore profile;
    const std::vector<std::string> items = Numbered("item ", 120);
    SaveClippings(profile, ReaderOf(items), true);

    const auto written = WrittenClips(profile);
    ASSERT_EQ(121u, written.size());
    EXPECT_EQ(std::make_pair(std::string("CLIP 119"), std::string("item 119")), written[119]);
    EXPECT_EQ(std::make_pair(std::string("CLIP 120"), std::string()), written[120]);
    EXPECT_EQ(items, Load(profile, 120));
}

TEST(ClipArchiveTest, FortyThousandItemsUseFullWidthKeyNumbers) {
    FakeProfileStore profile;
    const std::vector<std::string> items = Numbered("clip ", 40000);
    SaveClippings(profile, ReaderOf(items), true);

    const auto written = WrittenClips(profile);
    ASSERT_EQ(40001u, written.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
        ASSERT_EQ(ClipKey(static_cast<int>(i)), written[i].first);
        ASSERT_EQ(items[i], written[i].second);
    }
    EXPECT_EQ(std::make_pair(std::string("CLIP 40000"), std::string()), written.back());

    EXPECT_EQ(items, Load(profile, 40000));
    EXPECT_EQ(items, Load(profile, 2147483647));
}

TEST(ClipArchiveTest, LoadReadsAtMostNumberToSaveEntries) {
    FakeProfileStore profile;
    const std::vector<std::string> items = Numbered("saved ", 10);
    SaveClippings(profile, ReaderOf(items), false);
    profile.ClearLog();

    const std::vector<std::string> firstThree(items.begin(), items.begin() + 3);
    EXPECT_EQ(firstThree, Load(profile, 3));
    EXPECT_EQ(3u, profile.Reads().size());
    EXPECT_EQ(items, Load(profile, 10));
}

TEST(ClipArchiveTest, ZeroOrNegativeNumberToSaveLoadsNothing) {
    FakeProfileStore profile;
    SaveClippings(profile, ReaderOf(Numbered("saved ", 4)), false);

    for (const std::int32_t numberToSave : {0, -1, -25536, -2147483647 - 1}) {
        profile.ClearLog();
        EXPECT_TRUE(Load(profile, numberToSave).empty()) << numberToSave;
        EXPECT_TRUE(profile.Reads().empty()) << numberToSave;
    }
}

TEST(ClipArchiveTest, LoadStopsAtTheFirstEmptyOrMissingEntry) {
    FakeProfileStore profile;
    profile.Put("LastClips", "CLIP 00", std::string("first"));
    profile.Put("LastClips", "CLIP 01", std::string("second"));
    profile.Put("LastClips", "CLIP 02", std::string());
    profile.Put("LastClips", "CLIP 03", std::string("after the end"));
    const std::vector<std::string> upToEmpty = {"first", "second"};
    EXPECT_EQ(upToEmpty, Load(profile, 10));

    FakeProfileStore gap;
    gap.Put("LastClips", "CLIP 00", std::string("first"));
    gap.Put("LastClips", "CLIP 02", std::string("after the gap"));
    const std::vector<std::string> upToGap = {"first"};
    EXPECT_EQ(upToGap, Load(gap, 10));
}

TEST(ClipArchiveTest, LoadKeepsDuplicatesAndLeavesTheProfileUnwritten) {
    FakeProfileStore profile;
    const std::vector<std::string> items = {"same", "same", "other"};
    SaveClippings(profile, ReaderOf(items), false);
    profile.ClearLog();

    EXPECT_EQ(items, Load(profile, 10));
    EXPECT_TRUE(profile.Writes().empty());
}

TEST(ClipArchiveTest, SaveAndLoadHoldLastClipsThroughout) {
    FakeProfileStore profile;
    SaveClippings(profile, ReaderOf(Numbered("held ", 30)), true);
    Load(profile, 100);

    for (const auto& access : profile.Log()) EXPECT_EQ("LastClips", access.heldSection) << access.key;
    EXPECT_EQ(2, profile.HoldCount());
    EXPECT_EQ(2, profile.ReleaseCount());
    EXPECT_FALSE(profile.IsHolding());
}

TEST(ClipArchiveTest, SaveFollowsTheListCountAskedAfterEveryItem) {
    FakeProfileStore profile;
    std::vector<std::string> items = {"one", "two", "three"};
    const ClipListReader shrinking = {[&] { return static_cast<int>(items.size()); },
                                      [&](int index) {
                                          std::string text = items.at(static_cast<std::size_t>(index));
                                          items.pop_back();
                                          return text;
                                      }};
    SaveClippings(profile, shrinking, true);

    const std::vector<std::pair<std::string, std::string>> expected = {
        {"CLIP 00", "one"}, {"CLIP 01", "two"}, {"CLIP 02", ""}};
    EXPECT_EQ(expected, WrittenClips(profile));
}
