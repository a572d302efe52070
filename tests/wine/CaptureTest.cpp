// Capture, the clipboard-viewer chain and the start-up: copies made by other threads reach the
// program as other programs' copies do, and viewers of the test stand behind it in the chain.
#include <gtest/gtest.h>

#include "tests/wine/support/Harness.h"
#include "ui/resource.h"

using namespace harness;

class Capture : public ::testing::Test {
protected:
    QuietStart quiet;
    Viewer viewer;  // before the program, so behind it in the chain
    Program program;
};

TEST_F(Capture, EachTextCopyBecomesItemZeroUnlessMarkedPrivateAndEveryCopyIsPassedOn) {
    const std::string megabyte(1024 * 1024, 'm');
    const std::u16string unicodeMegabyte = Megabyte(u"\u65E5\u672C\u8A9E \U0001F44D \u0416 ");
    const std::string dword0(4, '\0'), dword1("\1\0\0\0", 4);
    const struct {
        std::vector<Format> copy;
        std::optional<std::u16string> taken;
    } cases[] = {
        {{Text("caf\xE9 \x80 5")}, u"caf\u00E9 \u20AC 5"},  // as CF_TEXT, not as the OEM text made from it
        {{Text("ansi"), Text("oem", CF_OEMTEXT)}, u"ansi"},
        {{Text("only oem", CF_OEMTEXT)}, u"only oem"},
        {{Text(EveryByte())}, FromWindows1252(EveryByte())},
        {{Text(megabyte)}, std::u16string(megabyte.begin(), megabyte.end())},
        // Beyond the code page: taken whole from CF_UNICODETEXT, whatever else the copy holds.
        {{Unicode(u"\u0141\u00F3d\u017A \u65E5\u672C \u0416 \U0001F44D end")},
         u"\u0141\u00F3d\u017A \u65E5\u672C \u0416 \U0001F44D end"},
        {{Text("Lodz ??"), Unicode(u"\u0141\u00F3d\u017A \u05E2\u05D1 \u0627\u0644 \u03A9")},
         u"\u0141\u00F3d\u017A \u05E2\u05D1 \u0627\u0644 \u03A9"},
        {{Unicode(unicodeMegabyte)}, unicodeMegabyte},
        // Within it: the 8-bit text, as ever, even where the program's Unicode text says otherwise.
        {{Unicode(u"caf\u00E9 \u20AC")}, u"caf\u00E9 \u20AC"},
        {{Text("caf\xE9"), Unicode(u"cafe")}, u"caf\u00E9"},
        {{Marker("Scrapvault Test Format", "abc")}, std::nullopt},
        {{}, std::nullopt},
        {{Text("secret"), Marker("Clipboard Viewer Ignore")}, std::nullopt},
        {{Unicode(u"\u5BC6\u7801"), Marker("ExcludeClipboardContentFromMonitorProcessing")}, std::nullopt},
        {{Text("secret"), Marker("CanIncludeInClipboardHistory", dword0)}, std::nullopt},
        {{Text("allowed"), Marker("CanIncludeInClipboardHistory", dword1)}, u"allowed"},
        {{Text("allowed")}, u"allowed"},  // a duplicate, kept with RemoveDups off
    };
    Texts expected;
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const int before = viewer.Notifications();
        SetClipboard(cases[i].copy);
        if (cases[i].taken) expected.insert(expected.begin(), *cases[i].taken);
        EXPECT_TRUE(program.Clippings() == expected) << "after copy " << i;
        EXPECT_GT(viewer.Notifications(), before) << "copy " << i << " was not passed on";
    }
    EXPECT_TRUE(program.Selection().empty());
    EXPECT_EQ(program.Buttons(), "---");
}

TEST_F(Capture, WithRemoveDupsACopyReplacesOnlyItsNewestExactTwin) {
    ASSERT_TRUE(program.SetOption(IDC_NO_DUPLICATES, true));
    for (const char* text : {"hello", "hello world", "HELLO", "other", "hello", "hell", "other"}) CopyText(text);
    for (const char16_t* text : {u"\u65E5\u672C", u"\u4E2D\u56FD", u"\U0001F44D", u"\U0001F44E", u"\u65E5\u672C"})
        CopyUnicode(text);  // each "??" in the code page: told apart only by their characters
    EXPECT_EQ(program.Clippings(), (Texts{u"\u65E5\u672C", u"\U0001F44E", u"\U0001F44D", u"\u4E2D\u56FD", u"other",
                                          u"hell", u"hello", u"HELLO", u"hello world"}));
}

TEST_F(Capture, ACopyHeldOpenAfterwardsIsTakenOnceAsItStandsWhenLetGoWithinTwoSeconds) {
    const struct {
        DWORD holdMs;
        std::optional<std::string> replacement;  // put on the clipboard before it is let go
        bool taken;
    } rows[] = {{30, {}, true}, {300, {}, true}, {1200, {}, true}, {300, "what it became", true}, {2500, {}, false}};
    Texts expected;
    for (const auto& row : rows) {
        const std::string copied = "held for " + std::to_string(row.holdMs) + " ms";
        EXPECT_TRUE(CopyAndHold(copied, row.holdMs, row.replacement, program.Main())) << copied << ": not answering";
        if (row.taken) {
            const std::string taken = row.replacement.value_or(copied);
            expected.insert(expected.begin(), std::u16string(taken.begin(), taken.end()));
        }
        WaitUntil([&] { return program.Clippings().size() >= expected.size(); }, 3000);  // taken
        WaitUntil([&] { return program.Clippings().size() > expected.size(); }, 150);    // nor twice
        EXPECT_EQ(program.Clippings(), expected) << copied;
    }
    CopyText("the next copy");
    EXPECT_EQ(program.Clippings().front(), u"the next copy");
}

TEST(ViewerChain, NotificationsPassDownAndTheChainIsMendedAsViewersLeave) {
    QuietProfile();
    Viewer last, middle, first;  // the chain: the program, first, middle, last
    Program program;
    ASSERT_EQ(first.Next(), middle.Window());

    last.Leave();  // a viewer further down: the program passes the change on
    EXPECT_EQ(middle.Next(), nullptr);

    first.Hang();  // a next viewer that stopped answering holds nothing up for long
    CopyText("behind a hung viewer");
    EXPECT_EQ(program.Clippings(), Texts{u"behind a hung viewer"});
    first.Resume();

    first.Leave();  // the program's own next viewer: the program links to the one after it
    const int before = middle.Notifications();
    CopyText("after");
    EXPECT_EQ(middle.Notifications(), before + 1);
    EXPECT_EQ(program.Clippings(), (Texts{u"after", u"behind a hung viewer"}));
}

TEST(Startup, ShowsItsWindowMinimisedWithoutTheClipboardsTextAndASecondStartWakesIt) {
    QuietProfile();
    CopyText("on the clipboard before the start");
    Program program;
    EXPECT_TRUE(IsIconic(program.Main()));
    EXPECT_EQ(TextOf(program.Main()), u"Scrapvault");
    EXPECT_TRUE(program.Clippings().empty());
    EXPECT_EQ(program.Buttons(), "---");

    // A window above the program's whose caption merely begins with the program's is no instance.
    const HWND longer = CreateWindowExA(0, "STATIC", "Scrapvault ", WS_OVERLAPPED | WS_MINIMIZE, 0, 0, 0, 0, nullptr,
                                        nullptr, nullptr, nullptr);
    SetWindowPos(longer, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EXPECT_EQ(RunProcess(ProgramCommandLine("ignored --arguments")), std::optional<DWORD>(0));
    EXPECT_FALSE(IsIconic(program.Main()));
    DestroyWindow(longer);
}

TEST(Startup, OfTwoStartsAtTheSameMomentOneGoesOnAndTheOtherWakesItAndEndsWithZero) {
    QuietProfile();
    for (int round = 0; round < 3; ++round) {
        const SuspendedProcess starts[2];
        for (const SuspendedProcess& start : starts) start.Resume();
        // Two instances would both run on: neither start would end.
        ASSERT_TRUE(WaitUntil([&] { return starts[0].ExitCode() || starts[1].ExitCode(); }, 20000)) << round;
        const bool firstEnded = starts[0].ExitCode().has_value();
        EXPECT_EQ(starts[firstEnded ? 0 : 1].ExitCode(), std::optional<DWORD>(0)) << round;
        const SuspendedProcess& survivor = starts[firstEnded ? 1 : 0];
        EXPECT_FALSE(survivor.ExitCode()) << round;
        const HWND window = FindWindowA(nullptr, "Scrapvault");
        ASSERT_TRUE(window && !FindWindowExA(nullptr, window, nullptr, "Scrapvault")) << "not one window: " << round;
        EXPECT_FALSE(IsIconic(window)) << round;  // woken from its minimised start
        PostMessageA(window, WM_CLOSE, 0, 0);
        EXPECT_TRUE(WaitUntil([&] { return survivor.ExitCode().has_value(); })) << round;
    }
}
