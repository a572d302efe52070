// Capture and the viewer chain, driven as other programs drive them: real copies to the real
// clipboard, with a viewer of the test standing behind the program in the chain.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tests/wine/support/Clipboard.h"
#include "tests/wine/support/ProfileRegistry.h"
#include "tests/wine/support/ProgramUnderTest.h"
#include "tests/wine/support/RemoteControls.h"
#include "tests/wine/support/TestViewer.h"
#include "tests/wine/support/Wait.h"
#include "ui/resource.h"

using namespace harness;

namespace {
std::string EveryByte() {
    std::string bytes;
    for (int value = 1; value <= 255; ++value) bytes += static_cast<char>(value);
    return bytes;
}

std::string DwordBytes(DWORD value) { return std::string(reinterpret_cast<const char*>(&value), sizeof value); }
}  // namespace

// One program for the whole suite: a start costs a great deal under Wine. Each test empties
// the list first, and leaves RemoveDups off.
class Capture : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ProgramUnderTest::EndStrayInstances();
        PrepareQuietStart();
        s_viewer = std::make_unique<TestViewer>();
        s_program = std::make_unique<ProgramUnderTest>(ProgramUnderTest::Start());
    }
    static void TearDownTestSuite() {
        if (s_program) s_program->Close();
        s_program.reset();
        s_viewer.reset();
    }

    void SetUp() override {
        ASSERT_TRUE(s_program && s_program->IsRunning());
        SendCommand(s_program->MainWindow(), ID_FILE_CLEAR_ALL_CLIPPINGS);
        const HWND question = s_program->WaitForWindow("Scrapvault");
        ASSERT_NE(question, nullptr);
        PostMessageA(question, WM_COMMAND, IDYES, 0);
        ASSERT_TRUE(WaitUntil([] { return Program().Clippings().empty(); }));
    }

    static ProgramUnderTest& Program() { return *s_program; }
    static TestViewer& Viewer() { return *s_viewer; }

    // One copy by another program, returning once the program has passed its notification on.
    static void CopyAndWait(const std::vector<ClipboardData>& formats) {
        const int before = Viewer().Notifications();
        SetClipboard(formats);
        ASSERT_TRUE(Viewer().WaitForNotifications(before + 1)) << "the notification did not pass the program";
        ASSERT_TRUE(Program().WaitUntilIdle());
    }
    static void CopyAndWait(const std::string& text) { CopyAndWait({ClipboardData::Text(CF_TEXT, text)}); }

    static void SetRemoveDups(bool on) { ASSERT_TRUE(Program().SetOption(IDC_NO_DUPLICATES, on)); }

    static std::unique_ptr<TestViewer> s_viewer;
    static std::unique_ptr<ProgramUnderTest> s_program;
};

std::unique_ptr<TestViewer> Capture::s_viewer;
std::unique_ptr<ProgramUnderTest> Capture::s_program;

TEST_F(Capture, EachCopiedTextBecomesTheNewItemZeroUnselectedWithButtonsUntouched) {
    CopyAndWait("first");
    CopyAndWait("second");
    CopyAndWait("second");
    EXPECT_EQ(Program().Clippings(), (std::vector<std::string>{"second", "second", "first"}));
    EXPECT_EQ(SelectionCount(Program().ClipList()), 0);
    EXPECT_FALSE(IsWindowEnabled(Program().CopyButton()));
}

TEST_F(Capture, TextIsReadFromCfTextBeforeTheSynthesisedOemText) {
    CopyAndWait("caf\xE9 \x80 5");  // "café € 5": OEM text would turn é and € into other bytes
    CopyAndWait({ClipboardData::Text(CF_TEXT, "ansi bytes"), ClipboardData::Text(CF_OEMTEXT, "oem bytes")});
    EXPECT_EQ(Program().Clippings(), (std::vector<std::string>{"ansi bytes", "caf\xE9 \x80 5"}));
}

TEST_F(Capture, OemTextAloneIsCaptured) {
    CopyAndWait({ClipboardData::Text(CF_OEMTEXT, "only oem")});
    ASSERT_FALSE(Program().Clippings().empty());
    EXPECT_EQ(Program().Clippings().front(), "only oem");
}

TEST_F(Capture, ContentWithoutTextAddsNothingButIsPassedOn) {
    const int before = Viewer().Notifications();
    CopyBitmap(4, 4);
    SetClipboard({ClipboardData::Registered("Scrapvault Test Private Format", "abc")});
    EmptyTheClipboard();
    EXPECT_TRUE(Viewer().WaitForNotifications(before + 3));
    EXPECT_TRUE(Program().WaitUntilIdle());
    EXPECT_TRUE(Program().Clippings().empty());
}

TEST_F(Capture, ContentMarkedPrivateIsNotCaptured) {
    const std::string secret = "hunter2";
    CopyAndWait({ClipboardData::Text(CF_TEXT, secret), ClipboardData::Registered("Clipboard Viewer Ignore")});
    CopyAndWait({ClipboardData::Text(CF_TEXT, secret),
                 ClipboardData::Registered("ExcludeClipboardContentFromMonitorProcessing")});
    CopyAndWait({ClipboardData::Text(CF_TEXT, secret),
                 ClipboardData::Registered("CanIncludeInClipboardHistory", DwordBytes(0))});
    EXPECT_TRUE(Program().Clippings().empty());

    CopyAndWait({ClipboardData::Text(CF_TEXT, "allowed"),
                 ClipboardData::Registered("CanIncludeInClipboardHistory", DwordBytes(1))});
    EXPECT_EQ(Program().Clippings(), std::vector<std::string>{"allowed"});
}

TEST_F(Capture, EveryByteValueAndAMegabyteTextArriveByteForByte) {
    const std::string bytes = EveryByte();
    CopyAndWait(bytes);
    std::string large;
    for (int line = 0; large.size() < 1024 * 1024; ++line)
        large += "line " + std::to_string(line) + " of a large copy\r\n";
    CopyAndWait(large);

    const std::vector<std::string> clippings = Program().Clippings();
    ASSERT_EQ(clippings.size(), 2u);
    EXPECT_TRUE(clippings[0] == large) << "the 1 MB text came back with " << clippings[0].size() << " bytes";
    EXPECT_TRUE(clippings[1] == bytes);
}

TEST_F(Capture, RemoveDupsRemovesOnlyTheNewestExactlyEqualItem) {
    SetRemoveDups(true);
    CopyAndWait("hello");
    CopyAndWait("hello world");
    CopyAndWait("HELLO");
    CopyAndWait("other");
    CopyAndWait("hello");  // not "hello world", not "HELLO"
    CopyAndWait("hell");   // merely the beginning of others: removes nothing
    const std::vector<std::string> withDups = Program().Clippings();
    SetRemoveDups(false);
    EXPECT_EQ(withDups, (std::vector<std::string>{"hell", "hello", "other", "HELLO", "hello world"}));
}

TEST_F(Capture, PacedCopiesAreAllCapturedInOrderAndNoneTwice) {
    constexpr int kCopies = 2000;
    for (int copy = 0; copy < kCopies; ++copy) CopyAndWait("paced " + std::to_string(copy));
    const std::vector<std::string> clippings = Program().Clippings();
    ASSERT_EQ(clippings.size(), static_cast<std::size_t>(kCopies));
    for (int copy = 0; copy < kCopies; ++copy)
        ASSERT_EQ(clippings[kCopies - 1 - copy], "paced " + std::to_string(copy)) << "at copy " << copy;
}

TEST_F(Capture, ABurstOfCopiesLeavesTheProgramResponsiveWithTheLastTextOnTop) {
    const int before = Viewer().Notifications();
    for (int copy = 0; copy < 500; ++copy) CopyText("burst " + std::to_string(copy));
    EXPECT_TRUE(Viewer().WaitForNotifications(before + 500, Milliseconds(300000)));
    ASSERT_TRUE(Program().WaitUntilIdle());
    const std::vector<std::string> clippings = Program().Clippings();
    ASSERT_FALSE(clippings.empty());
    EXPECT_EQ(clippings.front(), "burst 499");
    EXPECT_LE(clippings.size(), 500u);
}

TEST_F(Capture, AClipboardHeldOpenByAnotherProgramMakesNoCaptureHang) {
    const int before = Viewer().Notifications();
    {
        CopyText("copied, then held");
        const OpenedClipboard held;  // the program's reads fail while this lasts
        PumpFor(Milliseconds(2000));
        EXPECT_TRUE(Program().WaitUntilIdle(Milliseconds(5000)));
    }
    EXPECT_TRUE(Viewer().WaitForNotifications(before + 1));
    CopyAndWait("after the hold");
    EXPECT_EQ(Program().Clippings().front(), "after the hold");
}

TEST_F(Capture, KeysWithoutAHandlerDoNothing) {
    CopyAndWait("one");
    CopyAndWait("two");
    SendMessageA(Program().MainWindow(), WM_SYSCOMMAND, SC_RESTORE, 0);  // keys reach a restored window
    SelectItems(Program().ClipList(), {1});  // not the clipboard's own text, so a copy would show
    ASSERT_TRUE(FocusControl(Program().ClipList()));
    // Restoring and focusing the window may let Wine's X11 clipboard sync bump the sequence
    // number, so the clipboard's text is what is compared.
    const std::optional<std::string> before = ReadClipboardText();
    TypeKey('N', {VK_CONTROL});
    TypeKey('O', {VK_CONTROL});
    TypeKey('S', {VK_CONTROL});
    TypeKey('P', {VK_CONTROL});
    TypeKey(VK_DELETE, {VK_SHIFT});
    TypeKey('C', {VK_CONTROL});
    TypeKey(VK_INSERT, {VK_CONTROL});
    ASSERT_TRUE(Program().WaitUntilIdle());

    EXPECT_EQ(ReadClipboardText(), before);  // nothing was copied
    EXPECT_EQ(Program().Clippings(), (std::vector<std::string>{"two", "one"}));
    EXPECT_EQ(SelectedIndices(Program().ClipList()), std::vector<int>{1});  // Shift+Delete deleted nothing
    // A second initial update would have put the view in the chain twice: a copy would then
    // be captured twice, or passed round for ever.
    CopyAndWait("after the keys");
    EXPECT_EQ(Program().Clippings(), (std::vector<std::string>{"after the keys", "two", "one"}));
}
