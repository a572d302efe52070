// Choosing a clipping from the main window's system menu, as the platform delivers the choice:
// WM_SYSCOMMAND with the entry's id, sent to the real program by another process; what it copied
// is read back from the clipboard.
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
// A message box or dialog of the program captioned "Scrapvault" (not its main window, which
// has the same caption).
HWND WaitForQuestion(const ProgramUnderTest& program) {
    HWND found = nullptr;
    WaitUntil([&] {
        for (HWND window : TopLevelWindowsOf(program.Process().Id(), "Scrapvault"))
            if (window != program.MainWindow() && IsWindowVisible(window)) found = window;
        return found != nullptr;
    });
    return found;
}
}  // namespace

// One program for the suite, with System Menu Clippings and Minimize On Copy on. Each test
// starts from the list "item 0" (newest) to "item 3", nothing selected, the window restored.
class SystemMenuCommand : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ProgramUnderTest::EndStrayInstances();
        PrepareQuietStart();
        const ProfileSection configure("Configure");
        configure.WriteInt("SystemMenuClippings", 1);
        configure.WriteInt("MinimizeOnCopy", 1);
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
        SendCommand(Program().MainWindow(), ID_FILE_CLEAR_ALL_CLIPPINGS);
        const HWND question = WaitForQuestion(Program());
        ASSERT_NE(question, nullptr);
        PostMessageA(question, WM_COMMAND, IDYES, 0);
        ASSERT_TRUE(WaitUntil([] { return Program().Clippings().empty(); }));
        for (const char* text : {"item 3", "item 2", "item 1", "item 0"}) CopyAndWait(text);
        ASSERT_EQ(Program().Clippings(), (std::vector<std::string>{"item 0", "item 1", "item 2", "item 3"}));
        SystemCommand(SC_RESTORE);
        ASSERT_FALSE(IsIconic(Program().MainWindow()));
    }

    static ProgramUnderTest& Program() { return *s_program; }

    static void CopyAndWait(const std::string& text) {
        const int before = s_viewer->Notifications();
        CopyText(text);
        ASSERT_TRUE(s_viewer->WaitForNotifications(before + 1)) << "the notification did not pass the program";
        ASSERT_TRUE(Program().WaitUntilIdle());
    }

    // What the platform sends when the user picks an item of the system menu.
    static void SystemCommand(UINT id) {
        DWORD_PTR ignored = 0;
        ASSERT_NE(SendMessageTimeoutA(Program().MainWindow(), WM_SYSCOMMAND, id, 0, SMTO_NORMAL, 10000, &ignored), 0)
            << "WM_SYSCOMMAND " << id << " was not answered";
    }

    static bool AnyButtonEnabled() {
        return IsWindowEnabled(Program().CopyButton()) || IsWindowEnabled(Program().DeleteButton()) ||
               IsWindowEnabled(Program().EditButton());
    }

    static void SetMinimizeOnCopy(bool on) { ASSERT_TRUE(Program().SetOption(IDC_MINIMIZE_ON_COPY, on)); }

    static std::unique_ptr<TestViewer> s_viewer;
    static std::unique_ptr<ProgramUnderTest> s_program;
};

std::unique_ptr<TestViewer> SystemMenuCommand::s_viewer;
std::unique_ptr<ProgramUnderTest> SystemMenuCommand::s_program;

TEST_F(SystemMenuCommand, EntryTwoCopiesItemTwoAloneThenClearsTheSelectionAndMinimises) {
    ASSERT_EQ(ReadClipboardText(), std::optional<std::string>("item 0"));
    const std::vector<std::string> before = Program().Clippings();

    SystemCommand(2);

    EXPECT_EQ(ReadClipboardText(), std::optional<std::string>("item 2"));
    EXPECT_EQ(SelectionCount(Program().ClipList()), 0);
    EXPECT_FALSE(AnyButtonEnabled());
    EXPECT_TRUE(IsIconic(Program().MainWindow()));
    ASSERT_TRUE(Program().WaitUntilIdle());
    EXPECT_EQ(Program().Clippings(), before) << "the program captured its own copy";
}

TEST_F(SystemMenuCommand, AnEntryChosenWhileOthersAreSelectedCopiesThemAllJoinedInListOrder) {
    SelectItems(Program().ClipList(), {3, 0});
    ASSERT_TRUE(IsWindowEnabled(Program().CopyButton()));

    SystemCommand(2);

    EXPECT_EQ(ReadClipboardText(), std::optional<std::string>("item 0item 2item 3"));
    EXPECT_EQ(SelectionCount(Program().ClipList()), 0);
    EXPECT_FALSE(AnyButtonEnabled());
    EXPECT_TRUE(IsIconic(Program().MainWindow()));
}

TEST_F(SystemMenuCommand, EntriesWorkWhileTheWindowIsMinimised) {
    SystemCommand(SC_MINIMIZE);
    ASSERT_TRUE(IsIconic(Program().MainWindow()));

    SystemCommand(1);

    EXPECT_EQ(ReadClipboardText(), std::optional<std::string>("item 1"));
    EXPECT_TRUE(IsIconic(Program().MainWindow()));
}

TEST_F(SystemMenuCommand, AnEntryWithoutItsItemCopiesNothing) {
    CopyAndWait("item 4 newest");
    const DWORD sequence = ClipboardSequence();

    SystemCommand(15);

    EXPECT_EQ(ClipboardSequence(), sequence);
    EXPECT_EQ(ReadClipboardText(), std::optional<std::string>("item 4 newest"));
    EXPECT_FALSE(IsIconic(Program().MainWindow()));
}

TEST_F(SystemMenuCommand, WithMinimizeOnCopyOffTheWindowStaysRestored) {
    SetMinimizeOnCopy(false);
    SystemCommand(3);
    const bool iconic = IsIconic(Program().MainWindow()) != FALSE;
    SetMinimizeOnCopy(true);

    EXPECT_EQ(ReadClipboardText(), std::optional<std::string>("item 3"));
    EXPECT_FALSE(iconic);
}

TEST_F(SystemMenuCommand, StandardSystemCommandsStillWorkAndCopyNothing) {
    // Wine's X11 clipboard sync may replace the clipboard by itself when a window's state
    // changes, so what is checked is that the program did not become the clipboard's owner
    // (the test's own last copy owns it when the test starts).
    const HWND window = Program().MainWindow();

    SystemCommand(SC_MINIMIZE);
    EXPECT_TRUE(IsIconic(window));
    SystemCommand(SC_RESTORE);
    EXPECT_FALSE(IsIconic(window));
    SystemCommand(SC_MAXIMIZE);
    EXPECT_TRUE(IsZoomed(window));
    SystemCommand(SC_RESTORE);
    EXPECT_FALSE(IsZoomed(window));
    EXPECT_TRUE(IsWindowVisible(window));

    DWORD ownerProcess = 0;
    GetWindowThreadProcessId(GetClipboardOwner(), &ownerProcess);
    EXPECT_NE(ownerProcess, Program().Process().Id()) << "a standard command wrote the clipboard";
    EXPECT_EQ(SelectionCount(Program().ClipList()), 0);
    EXPECT_EQ(Program().Clippings(), (std::vector<std::string>{"item 0", "item 1", "item 2", "item 3"}));
}
