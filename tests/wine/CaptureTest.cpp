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
    const std::string dword0(4, '\0'), dword1("\1\0\0\0", 4);
    const struct {
        std::vector<Format> copy;
        std::optional<std::string> taken;
    } cases[] = {
        {{Text("caf\xE9 \x80 5")}, "caf\xE9 \x80 5"},  // as CF_TEXT, not as the OEM text made from it
        {{Text("ansi"), Text("oem", CF_OEMTEXT)}, "ansi"},
        {{Text("only oem", CF_OEMTEXT)}, "only oem"},
        {{Text(EveryByte())}, EveryByte()},
        {{Text(megabyte)}, megabyte},
        {{Marker("Scrapvault Test Format", "abc")}, std::nullopt},
        {{}, std::nullopt},
        {{Text("secret"), Marker("Clipboard Viewer Ignore")}, std::nullopt},
        {{Text("secret"), Marker("ExcludeClipboardContentFromMonitorProcessing")}, std::nullopt},
        {{Text("secret"), Marker("CanIncludeInClipboardHistory", dword0)}, std::nullopt},
        {{Text("allowed"), Marker("CanIncludeInClipboardHistory", dword1)}, "allowed"},
        {{Text("allowed")}, "allowed"},  // a duplicate, kept with RemoveDups off
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
    EXPECT_EQ(program.Clippings(), (Texts{"other", "hell", "hello", "HELLO", "hello world"}));
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
        if (row.taken) expected.insert(expected.begin(), row.replacement.value_or(copied));
        WaitUntil([&] { return program.Clippings().size() >= expected.size(); }, 3000);  // taken
        WaitUntil([&] { return program.Clippings().size() > expected.size(); }, 150);    // nor twice
        EXPECT_EQ(program.Clippings(), expected) << copied;
    }
    CopyText("the next copy");
    EXPECT_EQ(program.Clippings().front(), "the next copy");
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
    EXPECT_EQ(program.Clippings(), Texts{"behind a hung viewer"});
    first.Resume();

    first.Leave();  // the program's own next viewer: the program links to the one after it
    const int before = middle.Notifications();
    CopyText("after");
    EXPECT_EQ(middle.Notifications(), before + 1);
    EXPECT_EQ(program.Clippings(), (Texts{"after", "behind a hung viewer"}));
}

TEST(Startup, ShowsItsWindowMinimisedWithoutTheClipboardsTextAndASecondStartWakesIt) {
    QuietProfile();
    CopyText("on the clipboard before the start");
    Program program;
    EXPECT_TRUE(IsIconic(program.Main()));
    EXPECT_EQ(TextOf(program.Main()), "Scrapvault");
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
