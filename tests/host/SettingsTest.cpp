// The profile's content: the seven settings, the number box's rule, the saved clippings and
// the window's rectangle, against an in-memory profile.
#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <random>

#include "settings/ClipArchive.h"
#include "settings/ClipSettings.h"
#include "settings/NumberRule.h"
#include "settings/StoredRect.h"
#include "tests/host/FakeProfileStore.h"

using namespace clip_archive;
using namespace settings;

namespace {
using Texts = std::vector<std::u16string>;
constexpr std::int32_t kKept = 31337;  // what no text scans to: "the current value is kept"

std::vector<int> Fields(const ClipSettings& s) {
    return {s.NumberToSave, s.RemoveDups,           s.AlwaysOnTop,        s.MinimizeOnCopy,
            s.ConfirmExit,  s.ConfirmOnWindowsExit, s.SystemMenuClippings};
}
const char16_t* const kNames[] = {u"NumberToSave", u"RemoveDups",           u"AlwaysOnTop",        u"MinimizeOnCopy",
                                  u"ConfirmExit",  u"ConfirmOnWindowsExit", u"SystemMenuClippings"};

}  // namespace

TEST(NumberRule, ReadsTheFirstEightCharactersAsAShortDecimalAndShowsTheValueInSixteenBits) {
    const struct {
        const char16_t* text;
        std::int32_t value;
    } cases[] = {{u"10", 10},        {u"12abc", 12},     {u" \t12", 12},        {u"-3", -3},
                 {u"+5", 5},         {u"40000", -25536}, {u"70000", 4464},      {u"32767", 32767},
                 {u"32768", -32768}, {u"-32769", 32767}, {u"123456789", 24910}, {u"        5", kKept},
                 {u"       5", 5},   {u"", kKept},       {u"-", kKept},         {u"x12", kKept}};
    for (const auto& c : cases) EXPECT_EQ(ScanNumberToSave(c.text, kKept), c.value) << c.value;

    std::mt19937 random(20240613);  // and as the C library's "%hd" reads any short text
    for (int round = 0; round < 20000; ++round) {
        std::string text;
        for (int n = random() % 9; n > 0; --n) text += " \t+-0123456789x"[random() % 15];
        short scanned = 0;
        const std::int32_t expected = std::sscanf(text.c_str(), "%hd", &scanned) == 1 ? scanned : kKept;
        ASSERT_EQ(ScanNumberToSave(std::u16string(text.begin(), text.end()), kKept), expected) << '"' << text << '"';
    }
    const std::pair<std::int32_t, const char16_t*> shown[] = {
        {10, u"10"}, {40000, u"-25536"}, {32768, u"-32768"}, {-32769, u"32767"}, {INT_MIN, u"0"}, {INT_MAX, u"-1"}};
    for (const auto& [value, text] : shown) EXPECT_EQ(FormatNumberToSave(value), text) << value;
}

TEST(ClipSettings, LoadReadsEachValueByItsOwnNameWithTheDefaultsForMissingOnes) {
    FakeProfileStore profile;
    EXPECT_EQ(Fields(LoadSettings(profile)), (std::vector<int>{0, 0, 0, 1, 1, 0, 0}));
    for (int i = 0; i < 7; ++i) profile.values[{u"Configure", kNames[i]}] = 11 * (i + 1);
    profile.values[{u"LastPosition", u"AlwaysOnTop"}] = 999;
    EXPECT_EQ(Fields(LoadSettings(profile)), (std::vector<int>{11, 22, 33, 44, 55, 66, 77}));
    for (const auto& [key, held] : profile.log) EXPECT_EQ(held, u"Configure");
    EXPECT_FALSE(profile.Holding());
}

TEST(ClipSettings, SaveWritesAllSevenByNameMinimizeOnCopyBeforeAlwaysOnTop) {
    FakeProfileStore profile;
    ClipSettings settings;
    settings.NumberToSave = -25536, settings.RemoveDups = 2, settings.AlwaysOnTop = 3, settings.MinimizeOnCopy = 4;
    settings.ConfirmExit = 5, settings.ConfirmOnWindowsExit = 6, settings.SystemMenuClippings = 7;
    SaveSettings(profile, settings);
    Texts order;
    for (const auto& [key, held] : profile.log) order.push_back(key);
    EXPECT_EQ(order, (Texts{kNames[0], kNames[1], kNames[3], kNames[2], kNames[4], kNames[5], kNames[6]}));
    EXPECT_EQ(Fields(LoadSettings(profile)), Fields(settings));
    EXPECT_EQ(ReadConfirmOnWindowsExit(profile), 6);
}

TEST(ClipSettings, TheFirstRunRuleTakesOnlyAZeroForTen) {
    for (const auto& [stored, fires] : {std::pair{0, true}, {-1, false}, {5, false}}) {
        ClipSettings settings;
        settings.NumberToSave = stored;
        EXPECT_EQ(ApplyFirstRunRule(settings), fires) << stored;
        EXPECT_EQ(settings.NumberToSave, fires ? 10 : stored);
    }
}

TEST(StoredRect, MissingSidesReadAsAHundredSquareAtTheOriginAndWrittenOnesReadBack) {
    FakeProfileStore profile;
    profile.values[{u"LastPosition", u"Left"}] = 10;
    profile.values[{u"Configure", u"Top"}] = 20;
    EXPECT_EQ(ReadWindowRect(profile), (StoredRect{10, 0, 100, 100}));
    const StoredRect insideOut{640, -20, 300, 1200};
    WriteWindowRect(profile, insideOut);
    EXPECT_EQ(ReadWindowRect(profile), insideOut);
}

TEST(StoredRect, IsKeptIn96DpiUnitsSoThatASavedPlaceMovesOnePixelAtMostAndOnceAtEveryScale) {
    const struct {
        StoredRect stored;
        int dpi;
        StoredRect pixels;
    } cases[] = {{{0, 0, 100, 100}, 96, {0, 0, 100, 100}},
                 {{0, 0, 100, 100}, 144, {0, 0, 150, 150}},
                 {{-7, 13, 333, 251}, 120, {-9, 16, 416, 314}},
                 {{-7, 13, 333, 251}, 192, {-14, 26, 666, 502}},
                 {{-1, 1, 3, 5}, 144, {-2, 2, 5, 8}}};  // halves away from zero
    for (const auto& c : cases) {
        EXPECT_EQ(ToPixels(c.stored, c.dpi), c.pixels) << c.dpi;
        EXPECT_EQ(ToStored(c.pixels, c.dpi), c.stored) << c.dpi;
    }
    EXPECT_EQ(ToPixels({INT_MIN, 0, INT_MAX, 0}, 192), (StoredRect{INT_MIN, 0, INT_MAX, 0}));
    for (const int dpi : {72, 96, 120, 144, 168, 192, 240, 288})
        for (int edge = -500; edge <= 500; ++edge) {
            const int once = ToPixels(ToStored({edge, edge, edge, edge}, dpi), dpi).Left;
            ASSERT_LE(std::abs(once - edge), 1) << edge << " at " << dpi;
            ASSERT_EQ(ToPixels(ToStored({once, 0, 0, 0}, dpi), dpi).Left, once) << edge << " at " << dpi;
        }
}

TEST(ClipArchive, KeysHaveAtLeastTheirDigitsAndAreNeverCutShort) {
    EXPECT_EQ(ClipKey(7) + ClipKey(100) + ClipKey(32768), u"CLIP 07CLIP 100CLIP 32768");
    EXPECT_EQ(NumberedKey(u"", 42, 8) + u" " + NumberedKey(u"x", UINT64_MAX, 0), u"00000042 x18446744073709551615");
}
