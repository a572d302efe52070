#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "clips/CaptureRules.h"

using namespace capture;

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

TEST(ClipboardChange, OnlyAnUnchangedKnownSequenceNumberHoldsACaptureBack) {
    struct Row {
        std::uint32_t sequence, lastExamined;
        bool changed;
    };
    for (const Row row : {Row{7, 7, false}, Row{8, 7, true}, Row{0, 0, true}, Row{0, 7, true}})
        EXPECT_EQ(ClipboardChangedSince(row.sequence, row.lastExamined), row.changed)
            << row.sequence << " after " << row.lastExamined;
}
