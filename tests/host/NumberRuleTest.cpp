#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>

#include "settings/NumberRule.h"

namespace {

struct ScanCase {
    const char* text;
    std::int32_t expected;
};

// A value that no input below produces, to tell "kept the current value" from a scanned one.
constexpr std::int32_t kUnchanged = 31337;

}  // namespace

TEST(NumberRuleTest, ScansLikeShortDecimalInput) {
    const ScanCase cases[] = {
        {"10", 10},       {"12abc", 12},     {"  12", 12},       {"\t\n12", 12},      {"-3", -3},
        {"+5", 5},        {"0", 0},          {"007", 7},         {"40000", -25536},   {"70000", 4464},
        {"32767", 32767}, {"32768", -32768}, {"-32768", -32768}, {"-32769", 32767},   {"65536", 0},
        {"-0", 0},        {"12 34", 12},     {"5-", 5},          {"99999999", -7937}, {"-9999999", 27009},
    };
    for (const ScanCase& c : cases) EXPECT_EQ(c.expected, ScanNumberToSave(c.text, kUnchanged)) << '"' << c.text << '"';
}

TEST(NumberRuleTest, ReadsOnlyTheFirstEightCharacters) {
    EXPECT_EQ(24910, ScanNumberToSave("123456789", kUnchanged));  // 12345678
    EXPECT_EQ(10617, ScanNumberToSave("-12345678", kUnchanged));  // -1234567
    EXPECT_EQ(kUnchanged, ScanNumberToSave("        5", kUnchanged));
    EXPECT_EQ(5, ScanNumberToSave("       5", kUnchanged));
}

TEST(NumberRuleTest, TextWithoutADigitKeepsTheCurrentValue) {
    for (const char* text : {"", "  ", "+", "-", "abc", " -x", "+-1", "- 3", "\t"}) {
        EXPECT_EQ(kUnchanged, ScanNumberToSave(text, kUnchanged)) << '"' << text << '"';
        EXPECT_EQ(-40000, ScanNumberToSave(text, -40000)) << '"' << text << '"';
    }
}

TEST(NumberRuleTest, AgreesWithTheCLibraryScanOnRandomBoxTexts) {
    const std::string alphabet = " \t+-0123456789x";
    std::mt19937 random(20240613);
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    std::uniform_int_distribution<int> length(0, 8);

    for (int round = 0; round < 20000; ++round) {
        std::string text;
        for (int n = length(random); n > 0; --n) text += alphabet[pick(random)];

        short scanned = 0;
        const int assigned = std::sscanf(text.c_str(), "%hd", &scanned);
        const std::int32_t expected = assigned == 1 ? scanned : kUnchanged;
        ASSERT_EQ(expected, ScanNumberToSave(text, kUnchanged)) << '"' << text << '"';
    }
}

TEST(NumberRuleTest, FormatsTheValueReducedToSixteenBits) {
    EXPECT_EQ("10", FormatNumberToSave(10));
    EXPECT_EQ("0", FormatNumberToSave(0));
    EXPECT_EQ("-3", FormatNumberToSave(-3));
    EXPECT_EQ("32767", FormatNumberToSave(32767));
    EXPECT_EQ("-25536", FormatNumberToSave(40000));
    EXPECT_EQ("4464", FormatNumberToSave(70000));
    EXPECT_EQ("-32768", FormatNumberToSave(-32768));
    EXPECT_EQ("32767", FormatNumberToSave(-32769));
    EXPECT_EQ("0", FormatNumberToSave(-2147483647 - 1));
    EXPECT_EQ("-1", FormatNumberToSave(2147483647));
}

TEST(NumberRuleTest, ShowingAStoredValueReadsItBackReduced) {
    for (const std::int32_t stored : {10, 40000, -5, 70000, 2147483647, -2147483647 - 1}) {
        char printed[16];
        std::snprintf(printed, sizeof printed, "%hd", static_cast<short>(stored));
        EXPECT_EQ(std::string(printed), FormatNumberToSave(stored)) << stored;
        EXPECT_EQ(std::stoi(printed), ScanNumberToSave(FormatNumberToSave(stored), kUnchanged)) << stored;
    }
}
