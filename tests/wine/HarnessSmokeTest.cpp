// The test helpers themselves, checked against Wine: if one of them does not do what the
// Windows-side tests rely on, this file says which.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/wine/support/ChildProcess.h"
#include "tests/wine/support/Clipboard.h"
#include "tests/wine/support/ProfileRegistry.h"
#include "tests/wine/support/ProgramUnderTest.h"
#include "tests/wine/support/RemoteControls.h"
#include "tests/wine/support/TestViewer.h"

using namespace harness;

namespace {

bool Contains(const std::vector<UINT>& formats, UINT format) {
    return std::find(formats.begin(), formats.end(), format) != formats.end();
}

std::string EveryByte() {
    std::string bytes;
    for (int byte = 1; byte <= 255; ++byte) bytes += static_cast<char>(byte);
    return bytes;
}

}  // namespace

TEST(HarnessClipboard, CopiedTextIsReadBackWithWineSynthesisedOemText) {
    CopyText("harness text 1");

    EXPECT_EQ(ReadClipboardText(CF_TEXT), "harness text 1");
    const std::vector<UINT> formats = ClipboardFormats();
    EXPECT_TRUE(Contains(formats, CF_TEXT));
    EXPECT_TRUE(Contains(formats, CF_OEMTEXT));
    EXPECT_EQ(ReadClipboardText(CF_OEMTEXT), "harness text 1");
}

TEST(HarnessClipboard, SetClipboardPutsExactlyTheGivenFormats) {
    const ClipboardData ignore = ClipboardData::Registered("Clipboard Viewer Ignore");
    SetClipboard({ClipboardData::Text(CF_OEMTEXT, "oem only"), ignore});

    EXPECT_EQ(ReadClipboardText(CF_OEMTEXT), "oem only");
    EXPECT_TRUE(Contains(ClipboardFormats(), ignore.format));

    CopyBitmap(8, 8);
    EXPECT_TRUE(Contains(ClipboardFormats(), CF_BITMAP));
    EXPECT_EQ(ReadClipboardText(CF_TEXT), std::nullopt);
}

TEST(HarnessClipboard, EachCopyAdvancesTheSequenceNumber) {
    const DWORD before = ClipboardSequence();
    CopyText("one");
    CopyText("two");
    EXPECT_GE(ClipboardSequence() - before, 2u);
}

TEST(HarnessViewer, CountsTheNotificationOnJoiningAndOnePerCopy) {
    TestViewer viewer;
    ASSERT_TRUE(viewer.WaitForNotifications(1));

    CopyText("seen by the viewer");
    CopyText("seen again");

    EXPECT_TRUE(viewer.WaitForNotifications(3));
    PumpFor(Milliseconds(200));
    EXPECT_EQ(viewer.Notifications(), 3);
}

TEST(HarnessViewer, PassesNotificationsToTheViewerThatJoinedBefore) {
    TestViewer first;
    TestViewer second;
    ASSERT_EQ(second.NextViewer(), first.Window());
    ASSERT_TRUE(second.WaitForNotifications(1));
    const int firstBefore = first.Notifications();

    CopyText("passed down the chain");

    EXPECT_TRUE(second.WaitForNotifications(2));
    EXPECT_TRUE(first.WaitForNotifications(firstBefore + 1));
}

TEST(HarnessViewer, AHungViewerHoldsBackTheViewersBehindItUntilResumed) {
    TestViewer first;
    TestViewer second;
    ASSERT_TRUE(second.WaitForNotifications(1));
    const int firstBefore = first.Notifications();

    second.Hang();
    CopyText("while hung");
    PumpFor(Milliseconds(300));
    EXPECT_EQ(first.Notifications(), firstBefore);

    second.Resume();
    EXPECT_TRUE(first.WaitForNotifications(firstBefore + 1));
    EXPECT_EQ(second.Notifications(), 2);
}

TEST(HarnessViewer, LeavingTellsTheChainAndTheRestStaysJoined) {
    TestViewer first;
    TestViewer second;
    ASSERT_EQ(second.NextViewer(), first.Window());

    first.Leave();

    EXPECT_TRUE(WaitUntil([&] { return second.ChainChanges() == 1; }));
    EXPECT_EQ(second.NextViewer(), nullptr);
    const int before = second.Notifications();
    CopyText("after the first left");
    EXPECT_TRUE(second.WaitForNotifications(before + 1));
}

TEST(HarnessProfile, WrittenValuesReadBackWithTheirTypesAndBytes) {
    DeleteProfileSection("HarnessCheck");
    {
        const ProfileSection section("HarnessCheck");
        section.WriteInt("Number", -7);
        section.WriteString("Text", "caf\xe9");
        section.WriteString("Empty", "");
    }
    const ProfileSection section("HarnessCheck");
    EXPECT_EQ(section.ReadInt("Number"), -7);
    EXPECT_EQ(section.ReadString("Text"), "caf\xe9");
    const std::optional<RegistryValue> empty = section.ReadValue("Empty");
    ASSERT_TRUE(empty.has_value());
    EXPECT_EQ(empty->type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(empty->bytes, std::string(1, '\0'));
    EXPECT_EQ(section.ReadInt("Text"), std::nullopt);

    section.DeleteValue("Number");
    EXPECT_EQ(section.ReadInt("Number"), std::nullopt);

    DeleteProfileSection("HarnessCheck");
    EXPECT_FALSE(ProfileSectionExists("HarnessCheck"));
}

TEST(HarnessPaths, LinuxPathsBecomeDriveZPaths) {
    EXPECT_EQ(ToWindowsPath("/work/build/scrapvault.exe"), "Z:\\work\\build\\scrapvault.exe");
    EXPECT_EQ(ToWindowsPath("C:\\windows\\notepad.exe"), "C:\\windows\\notepad.exe");
}

// The stand-in window of ListBoxHost.cpp, in a process of its own.
class HarnessListBox : public ::testing::Test {
protected:
    void SetUp() override {
        m_host = ChildProcess::Start(SCRAPVAULT_LISTBOX_HOST_EXE);
        m_window = WaitForTopLevelWindow(m_host.Id(), "Scrapvault ListBox Host");
        ASSERT_NE(m_window, nullptr);
        m_list = GetDlgItem(m_window, 1000);
        m_log = GetDlgItem(m_window, 1001);
        ASSERT_NE(GetDlgItem(m_window, 1002), nullptr);
        ASSERT_TRUE(WaitUntilIdle(m_window));
    }

    std::vector<std::string> Log() const { return ListItems(m_log); }

    ChildProcess m_host;
    HWND m_window = nullptr;
    HWND m_list = nullptr;
    HWND m_log = nullptr;
};

TEST_F(HarnessListBox, EveryByteOfAnItemComesBackFromAnotherProcess) {
    EXPECT_EQ(ListCount(m_list), 4);
    EXPECT_EQ(ListItemText(m_list, 0), EveryByte());
    EXPECT_EQ(ListItems(m_list), (std::vector<std::string>{EveryByte(), "alpha", "beta", "gamma"}));
}

TEST_F(HarnessListBox, SelectItemsSelectsExactlyThoseAndNotifiesTheParent) {
    SelectItems(m_list, {1, 3});

    EXPECT_EQ(SelectedIndices(m_list), (std::vector<int>{1, 3}));
    EXPECT_EQ(SelectionCount(m_list), 2);
    EXPECT_EQ(Log(), (std::vector<std::string>{"selchange"}));

    SelectItems(m_list, {});
    EXPECT_EQ(SelectionCount(m_list), 0);
}

TEST_F(HarnessListBox, ClicksSelectLikeTheMouseAndADoubleClickIsNotified) {
    ClickListItem(m_list, 1);
    EXPECT_EQ(SelectedIndices(m_list), (std::vector<int>{1}));

    ClickListItem(m_list, 3, ClickModifier::Control);
    EXPECT_EQ(SelectedIndices(m_list), (std::vector<int>{1, 3}));

    ClickListItem(m_list, 2);
    EXPECT_EQ(SelectedIndices(m_list), (std::vector<int>{2}));

    DoubleClickListItem(m_list, 1);
    const std::vector<std::string> log = Log();
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back(), "dblclk");
    EXPECT_EQ(std::count(log.begin(), log.end(), "selchange"), 4);
}

TEST_F(HarnessListBox, ButtonClickReachesTheParent) {
    ClickButton(GetDlgItem(m_window, 1002));

    EXPECT_EQ(Log(), (std::vector<std::string>{"clicked"}));
}

TEST_F(HarnessListBox, PostedKeyReachesTheListWithoutModifiers) {
    PressKey(m_list, VK_DELETE);

    EXPECT_EQ(Log(), (std::vector<std::string>{"vkey 46"}));
}

TEST_F(HarnessListBox, TypedKeysArriveWithTheirModifiersHeld) {
    ASSERT_TRUE(FocusControl(m_list));

    TypeKey(VK_DELETE, {VK_SHIFT});
    TypeKey(VK_DELETE);

    EXPECT_TRUE(WaitUntil([&] { return Log().size() >= 3; }));
    // The Shift key is itself a key press that reaches the list.
    EXPECT_EQ(Log(), (std::vector<std::string>{"vkey 16 shift", "vkey 46 shift", "vkey 46"}));
}

TEST(HarnessProgram, StartsReadyWithItsControlsAndClosesWithExitCodeZero) {
    ProgramUnderTest::EndStrayInstances();
    PrepareQuietStart();

    ProgramUnderTest program = ProgramUnderTest::Start();

    EXPECT_EQ(WindowText(program.MainWindow()), "Scrapvault");
    EXPECT_EQ(GetParent(program.View()), program.MainWindow());
    EXPECT_EQ(ClassName(program.CopyButton()), "Button");
    EXPECT_NE(program.DeleteButton(), nullptr);
    EXPECT_NE(program.EditButton(), nullptr);
    EXPECT_EQ(program.Close(), 0u);
    EXPECT_FALSE(program.IsRunning());
}
