// The rules of capture, of the system-menu entries and of the layout.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <tuple>

#include "clips/CaptureRules.h"
#include "clips/PendingCapture.h"
#include "clips/SystemMenuEntries.h"
#include "ui/ControlLayout.h"

using namespace capture;

TEST(CaptureRules, OnlyAnUnchangedKnownSequenceNumberHoldsACaptureBack) {
    for (const auto& [sequence, lastExamined, changed] :
         {std::tuple{7u, 7u, false}, {8u, 7u, true}, {0u, 0u, true}, {0u, 7u, true}})
        EXPECT_EQ(ClipboardChangedSince(sequence, lastExamined), changed) << sequence << " after " << lastExamined;
}

TEST(CaptureRules, TextIsTriedBeforeItsOemTextAndOnlyUnicodeListedBeforeEveryEightBitTextIsTheCopyItself) {
    const struct {
        std::vector<unsigned> listed;
        std::array<unsigned, 2> tried;
        bool unicodeFirst;
    } cases[] = {{{1, 16, 7, 13}, {1, 7}, false}, {{7}, {7, 0}, false},     {{2, 17, 0xC123}, {0, 0}, false},
                 {{2, 13, 1, 7}, {1, 7}, true},   {{1, 13}, {1, 0}, false}, {{7, 1, 13}, {1, 7}, false},
                 {{0xC123, 13}, {0, 0}, true},    {{1, 7}, {1, 7}, false}};
    for (const auto& c : cases) {
        StandardFormats formats;
        for (const unsigned format : c.listed) formats.Note(format);
        EXPECT_EQ(TextFormatsToTry(formats), c.tried) << c.listed.size() << " " << c.listed.front();
        EXPECT_EQ(formats.UnicodeFirst(), c.unicodeFirst) << c.listed.size() << " " << c.listed.front();
    }
}

TEST(CaptureRules, ATextEndsAtItsFirstZeroOrAtTheEndOfItsBlock) {
    std::string everyByte;
    for (int value = 1; value <= 255; ++value) everyByte += static_cast<char>(value);
    EXPECT_EQ(TextFromBlock("ab\0c", 5), "ab");
    EXPECT_EQ(TextFromBlock("xyz", 3), "xyz");
    EXPECT_EQ(TextFromBlock(everyByte.data(), everyByte.size()), everyByte);
    EXPECT_EQ(TextFromBlock(nullptr, 10), "");

    const std::u16string unicode = u"\u0141\u00F3d\u017A \u65E5\u672C \U0001F44D";
    const struct {
        std::u16string block;
        std::size_t bytes;
        std::u16string text;
    } cases[] = {{unicode + u'\0' + u"after", (unicode.size() + 6) * 2, unicode},
                 {unicode, unicode.size() * 2, unicode},  // no zero: up to the block's end
                 {u"ab", 3, u"a"},                        // half a character is no character
                 {std::u16string(1, u'\0'), 2, std::u16string()}};
    for (const auto& c : cases) EXPECT_EQ(UnicodeTextFromBlock(c.block.data(), c.bytes), c.text) << c.bytes;
    EXPECT_EQ(UnicodeTextFromBlock(nullptr, 8), u"");
}

TEST(CaptureRules, OnlyAConsentOfZeroRefusesTheContent) {
    for (const auto& [bytes, size, refused] :
         {std::tuple{"\0\0\0\0", 4, true}, {"\1\0\0\0", 4, false}, {"\0\0\0", 3, false}, {nullptr, 4, false}})
        EXPECT_EQ(HistoryConsentRefused(bytes, size), refused) << size;
}

TEST(PendingCapture, ATickRetriesOnlyWhileTheHeldContentStaysAndThePatienceLasts) {
    constexpr auto retry = PendingCapture::Tick::Retry, giveUp = PendingCapture::Tick::GiveUp;
    const struct {
        const char* what;
        std::vector<std::pair<std::uint32_t, std::uint32_t>> held;  // (sequence, ms) of each attempt
        std::uint32_t sequenceNow, nowMs;
        PendingCapture::Tick expected;
    } cases[] = {
        {"the same content within the patience", {{5, 0}}, 5, 1999, retry},
        {"the patience used up", {{5, 0}}, 5, 2000, giveUp},
        {"a failed retry keeps the wait's start", {{5, 0}, {5, 1500}}, 5, 2000, giveUp},
        {"new content waits anew in its place", {{5, 0}, {6, 1500}}, 6, 2000, retry},
        {"content replaced while held", {{5, 0}}, 6, 25, giveUp},
        {"an unknown number waits for the patience alone", {{0, 0}}, 9, 1999, retry},
        {"the tick count wrapping", {{5, 0xFFFFFF00u}}, 5, 0x100, retry},
        {"nothing held", {}, 5, 0, giveUp},
    };
    for (const auto& c : cases) {
        PendingCapture pending;
        for (const auto& [sequence, ms] : c.held) pending.Held(sequence, ms);
        EXPECT_EQ(pending.OnTick(c.sequenceNow, c.nowMs), c.expected) << c.what;
        EXPECT_EQ(pending.IsPending(), c.expected == retry) << c.what;
    }
}

TEST(SystemMenuEntries, ItemsOneToTwentyAreOfferedByTheirFirstTenPrintableCharacters) {
    for (const auto& [items, entries] : {std::pair{0, 0}, {1, 0}, {3, 2}, {21, 20}, {40000, 20}})
        EXPECT_EQ(system_menu::EntryCount(items), entries) << items;
    const std::pair<std::u16string, std::u16string> labels[] = {
        {u"twelve chars", u"twelve cha"},
        {u"ab\r\ncd", u"ab||cd"},
        {u"caf\u00E9 \x7F~", u"caf| |~"},
        {u"R&D", u"R&D"},
        {u"\u65E5\u672C\u8A9E", u"|||"},
        {u"123456789\U0001F44D tail", u"123456789|"},  // the pair at the cut is one character
        {u"12345678\U0001F44D\U0001F44Dx", u"12345678||"},
        {std::u16string{0xD83D, u'a'}, u"|a"},  // a lone surrogate is one character too
    };
    for (const auto& [text, label] : labels) EXPECT_EQ(system_menu::EntryLabel(text), label);
}

TEST(ControlLayout, ButtonRowsAreCentredUnderTheListOrEditWithMarginsOfFivePixelsAt96DpiAndInProportionAbove) {
    // Copy, Delete, Edit, the list, OK, Cancel, the edit: each one's corner, and its size where it
    // is not the button's (so only the list's and the edit's).
    const struct {
        int dpi;
        PixelSize client, button;
        std::vector<int> placed;
    } cases[] = {
        {96, {300, 200}, {75, 23}, {33, 172, 113, 172, 193, 172, 5, 5, 290, 167, 73, 172, 153, 172, 5, 5, 290, 162}},
        {96, {201, 150}, {75, 23}, {-17, 122, 63, 122, 143, 122, 5, 5, 191, 117, 23, 122, 103, 122, 5, 5, 191, 112}},
        {120, {375, 250}, {94, 29}, {40, 215, 140, 215, 240, 215, 6, 6, 363, 209, 90, 215, 190, 215, 6, 6, 363, 203}},
        {144, {450, 300}, {112, 35}, {49, 257, 169, 257, 289, 257, 8, 8, 434, 249, 109, 257, 229, 257, 8, 8, 434, 241}},
    };
    for (const auto& c : cases) {
        const ClipViewLayout view = LayoutClipView(c.client, c.button, c.dpi);
        const EditTextLayout dialog = LayoutEditText(c.client, c.button, c.dpi);
        std::vector<int> placed;
        for (const ControlPlacement& p : {view.copyButton, view.deleteButton, view.editButton, view.clipList,
                                          dialog.okButton, dialog.cancelButton, dialog.textEdit}) {
            placed.insert(placed.end(), {p.x, p.y});
            if (p.width != c.button.width || p.height != c.button.height)
                placed.insert(placed.end(), {p.width, p.height});
        }
        EXPECT_EQ(placed, c.placed) << c.dpi << " DPI, " << c.client.width << " wide";
    }
}
