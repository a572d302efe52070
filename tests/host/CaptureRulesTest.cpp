#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <string>
#include <vector>

#include "clips/CaptureRules.h"

using namespace capture;

namespace {
// A list of item texts with the list box's case-insensitive whole-text search, which starts
// after a given index and wraps round to the top.
struct FakeList {
    std::vector<std::string> items;

    static bool EqualIgnoringCase(const std::string& a, const std::string& b) {
        return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
                   return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
               });
    }
    int NextCandidate(int after, const std::string& text) const {
        const int count = static_cast<int>(items.size());
        for (int step = 1; step <= count; ++step) {
            const int index = (after + step + count) % count;
            if (EqualIgnoringCase(items[index], text)) return index;
        }
        return -1;
    }
    int FindDuplicate(const std::string& text) const {
        return FindNewestExactDuplicate(
            text, [&](int after) { return NextCandidate(after, text); }, [&](int index) { return items[index]; });
    }
};
}  // namespace

TEST(TextFormats, TextIsReadBeforeTheOemTextThePlatformMadeFromIt) {
    StandardFormats formats;
    for (unsigned format : {1u, 16u, 7u, 13u}) formats.Note(format);  // what setting CF_TEXT alone lists
    const auto order = TextFormatsToTry(formats);
    EXPECT_EQ(order[0], kTextFormat);
    EXPECT_EQ(order[1], kOemTextFormat);
}

TEST(TextFormats, OemTextAloneIsStillRead) {
    StandardFormats formats;
    formats.Note(kOemTextFormat);
    const auto order = TextFormatsToTry(formats);
    EXPECT_EQ(order[0], kOemTextFormat);
    EXPECT_EQ(order[1], 0u);
}

TEST(TextFormats, NonTextAndRegisteredFormatsGiveNothingToRead) {
    StandardFormats formats;
    formats.Note(2);       // a bitmap
    formats.Note(0xC123);  // a registered format
    formats.Note(17);
    EXPECT_FALSE(formats.Empty());
    EXPECT_FALSE(formats.Has(17));
    EXPECT_EQ(TextFormatsToTry(formats)[0], 0u);

    StandardFormats onlyRegistered;
    onlyRegistered.Note(0xC123);
    onlyRegistered.Note(0);
    EXPECT_TRUE(onlyRegistered.Empty());
}

TEST(TextFromBlock, StopsAtTheFirstZero) {
    const char block[] = {'a', 'b', '\0', 'c', '\0'};
    EXPECT_EQ(TextFromBlock(block, sizeof block), "ab");
}

TEST(TextFromBlock, NeverReadsPastABlockWithoutTerminator) {
    const char block[] = {'x', 'y', 'z'};
    EXPECT_EQ(TextFromBlock(block, sizeof block), "xyz");
    EXPECT_EQ(TextFromBlock(nullptr, 10), "");
    EXPECT_EQ(TextFromBlock(block, 0), "");
}

TEST(TextFromBlock, KeepsEveryNonZeroByteValue) {
    std::string all;
    for (int value = 1; value <= 255; ++value) all += static_cast<char>(value);
    EXPECT_EQ(TextFromBlock(all.c_str(), all.size() + 1), all);
}

TEST(HistoryConsent, OnlyADwordOfZeroRefuses) {
    const unsigned char zero[4] = {0, 0, 0, 0};
    const unsigned char one[4] = {1, 0, 0, 0};
    const unsigned char high[4] = {0, 0, 0, 0x80};
    EXPECT_TRUE(HistoryConsentRefused(zero, 4));
    EXPECT_FALSE(HistoryConsentRefused(one, 4));
    EXPECT_FALSE(HistoryConsentRefused(high, 4));
    EXPECT_FALSE(HistoryConsentRefused(zero, 3));
    EXPECT_FALSE(HistoryConsentRefused(nullptr, 4));
}

TEST(NewestExactDuplicate, IgnoresLongerItemsThatMerelyBeginWithTheText) {
    FakeList list{{"hello world", "other", "hello"}};
    EXPECT_EQ(list.FindDuplicate("hello"), 2);
}

TEST(NewestExactDuplicate, IsCaseSensitive) {
    FakeList list{{"HELLO", "Hello", "hello", "hello"}};
    EXPECT_EQ(list.FindDuplicate("hello"), 2);
    EXPECT_EQ(list.FindDuplicate("HeLLo"), -1);
}

TEST(NewestExactDuplicate, FindsTheNewestOfSeveral) {
    FakeList list{{"a", "b", "b", "c", "b"}};
    EXPECT_EQ(list.FindDuplicate("b"), 1);
}

TEST(NewestExactDuplicate, NothingEqualInAnEmptyOrUnrelatedList) {
    EXPECT_EQ(FakeList{}.FindDuplicate("x"), -1);
    EXPECT_EQ((FakeList{{"xy", "yx"}}.FindDuplicate("x")), -1);
}

TEST(NewestExactDuplicate, StopsWhenTheSearchWrapsRound) {
    // Only case-insensitive matches: the search must end after one round, not loop.
    FakeList list{{"ABC", "x", "Abc", "aBc"}};
    EXPECT_EQ(list.FindDuplicate("abc"), -1);
}

TEST(NewestExactDuplicate, MatchesTheEmptyText) {
    FakeList list{{"a", "", "b"}};
    EXPECT_EQ(list.FindDuplicate(""), 1);
}

TEST(ClipboardChange, OnlyAnUnchangedKnownSequenceNumberHoldsACaptureBack) {
    struct Row {
        std::uint32_t sequence, lastExamined;
        bool changed;
    };
    for (const Row row : {Row{7, 7, false}, Row{8, 7, true}, Row{0, 0, true}, Row{0, 7, true}})
        EXPECT_EQ(ClipboardChangedSince(row.sequence, row.lastExamined), row.changed)
            << row.sequence << " after " << row.lastExamined;
}
