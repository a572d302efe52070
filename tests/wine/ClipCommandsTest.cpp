// The commands on the clip list as a user gives them, by clicks, keys and menu commands sent to
// the real program: Copy, Delete, the button rule, Clear All and Save All Clippings. What each
// leaves behind is read back from the list, the buttons, the clipboard and the profile.
#include <gtest/gtest.h>
#include <windows.h>

// The memory functions as kernel32 exports them, so no psapi library is needed.
#define PSAPI_VERSION 2
#include <psapi.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/wine/support/ClipProgramSuite.h"
#include "tests/wine/support/Clipboard.h"
#include "tests/wine/support/ProfileRegistry.h"
#include "tests/wine/support/RemoteControls.h"
#include "tests/wine/support/UniqueHandle.h"
#include "tests/wine/support/Wait.h"
#include "ui/resource.h"

using namespace harness;

namespace {
using Texts = std::vector<std::string>;
using Indices = std::vector<int>;

// The formats the clipboard reports after a copy of CF_TEXT alone: the text and whatever the
// platform synthesises from it.
std::vector<UINT> FormatsOfATextOnlyCopy() {
    CopyText("a copy of CF_TEXT alone");
    return ClipboardFormats();
}

// The memory the process has in use (its working set): a block of megabytes that is never
// freed stays in it.
std::optional<SIZE_T> MemoryInUse(DWORD processId) {
    const UniqueHandle process(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId));
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!process || !GetProcessMemoryInfo(process.Get(), &counters, sizeof counters)) return std::nullopt;
    return counters.WorkingSetSize;
}

// Whether a child window of the dialog shows exactly this text.
bool ShowsText(HWND dialog, const std::string& text) {
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (ControlText(child) == text) return true;
    return false;
}
}  // namespace

class ClipCommands : public ClipProgramSuite {
protected:
    // Turns MinimizeOnCopy off for the life of the object.
    class MinimizeOnCopyOff {
    public:
        MinimizeOnCopyOff() { SetOption(IDC_MINIMIZE_ON_COPY, false); }
        ~MinimizeOnCopyOff() { SetOption(IDC_MINIMIZE_ON_COPY, true); }
        MinimizeOnCopyOff(const MinimizeOnCopyOff&) = delete;
        MinimizeOnCopyOff& operator=(const MinimizeOnCopyOff&) = delete;
    };

    // Clear All Clippings, answered as given; returns once the command has ended.
    static void ClearAllAnswering(int answer) {
        SendCommand(Program().MainWindow(), ID_FILE_CLEAR_ALL_CLIPPINGS);
        const HWND question = WaitForQuestion();
        ASSERT_NE(question, nullptr) << "no question was asked";
        PostMessageA(question, WM_COMMAND, static_cast<WPARAM>(answer), 0);
        // Once the box is gone the command runs to its end without a message loop, so the
        // next round trip is answered only after it.
        ASSERT_TRUE(WaitUntil([question] { return !IsWindow(question); }));
        ASSERT_TRUE(Program().WaitUntilIdle());
    }

    // Clears the list with the buttons enabled, as only Clear All leaves it, then fills it
    // again by copies, which leave the buttons alone: no selection, all three enabled.
    static void FillListWithButtonsLeftEnabled(const Texts& topDown) {
        ASSERT_NO_FATAL_FAILURE(FillList({"to be cleared"}));
        SetSelection(List(), {0});
        ASSERT_EQ(Buttons(), ButtonStates::All(true));
        ASSERT_NO_FATAL_FAILURE(ClearAllAnswering(IDYES));
        for (auto text = topDown.rbegin(); text != topDown.rend(); ++text) ASSERT_NO_FATAL_FAILURE(CopyAndWait(*text));
        ASSERT_EQ(Program().Clippings(), topDown);
        ASSERT_EQ(SelectionCount(List()), 0);
        ASSERT_EQ(Buttons(), ButtonStates::All(true));
    }

    // Waits until a copy just started has ended: the notification of the program's own write
    // has passed the program and the buttons are disabled.
    static void WaitForCopyToEnd(int notificationsBefore) {
        ASSERT_TRUE(Viewer().WaitForNotifications(notificationsBefore + 1))
            << "the copy's notification did not pass the program";
        ASSERT_TRUE(WaitUntil([] { return Buttons() == ButtonStates::All(false); })) << "the copy did not end";
        ASSERT_TRUE(Program().WaitUntilIdle());
    }

    // Presses Copy and waits until the copy has ended (the window is left restored).
    static void PressCopyAndWait() {
        const int before = Viewer().Notifications();
        PressButton(Program().CopyButton());
        ASSERT_NO_FATAL_FAILURE(WaitForCopyToEnd(before));
    }

    // Presses Copy with the clipboard held by the test: nothing is written, so the copy has
    // ended once the selection is gone and the buttons are disabled.
    static void CopyIntoTheHeldClipboard() {
        SetSelection(List(), {0});
        PressButton(Program().CopyButton());
        ASSERT_TRUE(WaitUntil([] { return SelectionCount(List()) == 0 && Buttons() == ButtonStates::All(false); }));
        ASSERT_TRUE(Program().WaitUntilIdle());
    }

    // Waits until the list's thread has handled every message posted to the list before:
    // a caret move posted behind them shows only then. (It moves the caret and nothing else:
    // no selection, no notification.)
    static void WaitUntilPostedKeysAreHandled() {
        ASSERT_GE(ListCount(List()), 2) << "the caret cannot move in this list";
        const int target = SendMessageA(List(), LB_GETCARETINDEX, 0, 0) == 0 ? 1 : 0;
        PostMessageA(List(), LB_SETCARETINDEX, static_cast<WPARAM>(target), FALSE);
        ASSERT_TRUE(WaitUntil([target] { return SendMessageA(List(), LB_GETCARETINDEX, 0, 0) == target; }));
        ASSERT_TRUE(Program().WaitUntilIdle());
    }
};

// ---- Copy ----

TEST_F(ClipCommands, CopyOfItemsZeroAndTwoPutsTheirTextsEndToEndAsTextOnly) {
    const std::vector<UINT> textOnlyFormats = FormatsOfATextOnlyCopy();
    FillList({"zero", "one", "two", "three"});
    SetSelection(List(), {0, 2});
    ASSERT_EQ(Buttons(), ButtonStates::All(true));

    ASSERT_NO_FATAL_FAILURE(PressCopyAndWait());

    EXPECT_EQ(ReadClipboardText(CF_TEXT), "zerotwo");
    EXPECT_EQ(ClipboardFormats(), textOnlyFormats);
    EXPECT_EQ(GetClipboardOwner(), Program().View());
    // In place, deselected, and the program's own write, whose notification has passed the
    // program, not captured.
    EXPECT_EQ(Program().Clippings(), (Texts{"zero", "one", "two", "three"}));
    EXPECT_EQ(SelectionCount(List()), 0);
    EXPECT_EQ(Buttons(), ButtonStates::All(false));
}

TEST_F(ClipCommands, CopyKeepsEveryByteAndAddsNoSeparatorOrLineBreak) {
    FillList({"line one\r\n", "caf\xE9 \x80", "", "tail"});
    SetSelection(List(), {0, 1, 2, 3});
    ASSERT_NO_FATAL_FAILURE(PressCopyAndWait());
    EXPECT_EQ(ReadClipboardText(CF_TEXT), "line one\r\ncaf\xE9 \x80tail");
    EXPECT_EQ(Program().Clippings().size(), 4u);
}

TEST_F(ClipCommands, CopyOfEveryItemOfALongListAndAMegabyteTextArrivesWholeInListOrder) {
    Texts texts{std::string(1024 * 1024, 'm') + "end"};
    for (int item = 0; item < 30; ++item) texts.push_back("item " + std::to_string(item) + ";");
    FillList(texts);
    std::string joined;
    for (const std::string& text : texts) joined += text;

    SendMessageA(List(), LB_SETSEL, TRUE, -1);  // all of them
    SetSelection(List(), SelectedIndices(List()));
    ASSERT_EQ(SelectionCount(List()), 31);
    ASSERT_NO_FATAL_FAILURE(PressCopyAndWait());

    const std::optional<std::string> copied = ReadClipboardText(CF_TEXT);
    ASSERT_TRUE(copied.has_value());
    EXPECT_TRUE(*copied == joined) << "copied " << copied->size() << " of " << joined.size() << " bytes";
    EXPECT_EQ(Program().Clippings().size(), 31u);
}

TEST_F(ClipCommands, DeleteOfEveryItemEmptiesTheList) {
    FillList({"a", "b", "c", "d"});
    SetSelection(List(), {0, 1, 2, 3});
    PressButton(Program().DeleteButton());
    EXPECT_TRUE(Program().Clippings().empty());
    EXPECT_EQ(Buttons(), ButtonStates::All(false));
}

TEST_F(ClipCommands, CopyOfEmptyTextsPutsAnEmptyTextOnTheClipboard) {
    FillList({"the clipboard before", "", "kept", ""});
    SetSelection(List(), {1, 3});
    const DWORD sequence = ClipboardSequence();

    ASSERT_NO_FATAL_FAILURE(PressCopyAndWait());

    EXPECT_NE(ClipboardSequence(), sequence) << "nothing was written";
    EXPECT_EQ(ReadClipboardText(CF_TEXT), "");
    EXPECT_EQ(Program().Clippings(), (Texts{"the clipboard before", "", "kept", ""}));
}

TEST_F(ClipCommands, CopyWithMinimizeOnCopyOnMinimisesTheMainWindow) {
    FillList({"a"});
    SetSelection(List(), {0});
    PressButton(Program().CopyButton());
    EXPECT_TRUE(WaitUntil([] { return IsIconic(Program().MainWindow()) != FALSE; }));
    EXPECT_EQ(ReadClipboardText(CF_TEXT), "a");
}

TEST_F(ClipCommands, CopyWithMinimizeOnCopyOffLeavesTheWindowAsItWas) {
    const MinimizeOnCopyOff off;
    FillList({"a", "b"});
    SetSelection(List(), {1});
    ASSERT_NO_FATAL_FAILURE(PressCopyAndWait());
    EXPECT_FALSE(IsIconic(Program().MainWindow()));
    EXPECT_EQ(ReadClipboardText(CF_TEXT), "b");
}

TEST_F(ClipCommands, CopyWithNoSelectionDoesNothingAtAll) {
    FillList({"left alone", "a", "b"});
    const DWORD sequence = ClipboardSequence();
    const int notifications = Viewer().Notifications();

    PressButton(Program().CopyButton());
    ASSERT_TRUE(Program().WaitUntilIdle());

    EXPECT_EQ(ClipboardSequence(), sequence);
    EXPECT_EQ(Viewer().Notifications(), notifications);
    EXPECT_EQ(ReadClipboardText(CF_TEXT), "left alone");
    EXPECT_FALSE(IsIconic(Program().MainWindow())) << "minimised although nothing was copied";
    EXPECT_EQ(Buttons(), ButtonStates::All(false));
    EXPECT_EQ(Program().Clippings(), (Texts{"left alone", "a", "b"}));
}

TEST_F(ClipCommands, DoubleClickCopiesTheClickedItem) {
    const MinimizeOnCopyOff off;
    FillList({"a", "b", "c"});
    const int before = Viewer().Notifications();
    DoubleClickListItem(List(), 1);
    ASSERT_NO_FATAL_FAILURE(WaitForCopyToEnd(before));

    EXPECT_EQ(ReadClipboardText(CF_TEXT), "b");
    EXPECT_EQ(Program().Clippings(), (Texts{"a", "b", "c"}));
    EXPECT_EQ(SelectionCount(List()), 0);
}

TEST_F(ClipCommands, EnterInTheListPressesCopyOnlyWhileCopyIsEnabled) {
    const MinimizeOnCopyOff off;
    FillList({"a", "b", "c"});
    // Selected without the list telling the view, so the buttons are still disabled.
    SendMessageA(List(), LB_SETSEL, TRUE, 1);
    ASSERT_EQ(Buttons(), ButtonStates::All(false));
    const DWORD sequence = ClipboardSequence();
    PressKey(List(), VK_RETURN);
    ASSERT_NO_FATAL_FAILURE(WaitUntilPostedKeysAreHandled());
    EXPECT_EQ(ClipboardSequence(), sequence) << "Enter copied although Copy was disabled";
    EXPECT_EQ(SelectedIndices(List()), Indices{1});

    SetSelection(List(), {1, 2});
    ASSERT_EQ(Buttons(), ButtonStates::All(true));
    const int before = Viewer().Notifications();
    PressKey(List(), VK_RETURN);
    ASSERT_NO_FATAL_FAILURE(WaitForCopyToEnd(before)) << "Enter did not copy";
    EXPECT_EQ(ReadClipboardText(CF_TEXT), "bc");
    EXPECT_EQ(SelectionCount(List()), 0);
}

TEST_F(ClipCommands, CopyWhileAnotherProgramHoldsTheClipboardCompletesItsOtherSteps) {
    FillList({"held content", "a", "b"});
    SetSelection(List(), {1, 2});
    const DWORD sequence = ClipboardSequence();
    {
        const OpenedClipboard held;
        PressButton(Program().CopyButton());
        EXPECT_TRUE(WaitUntil(
            [] {
                return IsIconic(Program().MainWindow()) && SelectionCount(List()) == 0 &&
                       Buttons() == ButtonStates::All(false);
            },
            Milliseconds(2000)))
            << "Copy did not complete on the held clipboard";
        EXPECT_TRUE(Program().WaitUntilIdle(Milliseconds(2000))) << "Copy hung on the held clipboard";
    }
    EXPECT_EQ(ClipboardSequence(), sequence);
    EXPECT_EQ(ReadClipboardText(CF_TEXT), "held content");
    EXPECT_EQ(Program().Clippings(), (Texts{"held content", "a", "b"}));
    // The next copy, with the clipboard free again, works.
    ASSERT_NO_FATAL_FAILURE(RestoreMainWindow());
    SetSelection(List(), {1});
    const int before = Viewer().Notifications();
    PressButton(Program().CopyButton());
    ASSERT_TRUE(Viewer().WaitForNotifications(before + 1));
    EXPECT_EQ(ReadClipboardText(CF_TEXT), "a");
}

TEST_F(ClipCommands, CopiesIntoAHeldClipboardFreeTheirBlocks) {
    const MinimizeOnCopyOff off;
    constexpr SIZE_T kMegabyte = 1024 * 1024;
    FillList({std::string(kMegabyte, 'x')});
    const OpenedClipboard held;
    // The first copies settle the heap: what the program keeps for reuse is not a leak.
    for (int copy = 0; copy < 2; ++copy) ASSERT_NO_FATAL_FAILURE(CopyIntoTheHeldClipboard());
    const std::optional<SIZE_T> before = MemoryInUse(Program().Process().Id());
    ASSERT_TRUE(before.has_value()) << "the program's memory cannot be read";

    for (int copy = 0; copy < 16; ++copy) ASSERT_NO_FATAL_FAILURE(CopyIntoTheHeldClipboard());

    const std::optional<SIZE_T> after = MemoryInUse(Program().Process().Id());
    ASSERT_TRUE(after.has_value());
    // Each copy allocates a block of a megabyte: kept, the 16 blocks would add 16 MB.
    EXPECT_LT(*after, *before + 8 * kMegabyte)
        << "grew from " << *before / kMegabyte << " MB to " << *after / kMegabyte << " MB";
}

// ---- Delete ----

TEST_F(ClipCommands, DeleteButtonRemovesItemsOneThreeAndFourAndKeepsTheRestInOrder) {
    FillList({"i0", "i1", "i2", "i3", "i4", "i5"});
    SetSelection(List(), {1, 3, 4});
    const DWORD sequence = ClipboardSequence();
    PressButton(Program().DeleteButton());
    EXPECT_EQ(Program().Clippings(), (Texts{"i0", "i2", "i5"}));
    EXPECT_EQ(SelectionCount(List()), 0);
    EXPECT_EQ(Buttons(), ButtonStates::All(false));
    EXPECT_EQ(ClipboardSequence(), sequence);
}

TEST_F(ClipCommands, DeleteKeyRemovesTheSelectedItems) {
    FillList({"i0", "i1", "i2", "i3", "i4", "i5"});
    SetSelection(List(), {1, 3, 4});
    PressKey(List(), VK_DELETE);
    EXPECT_TRUE(WaitUntil([] {
        return Program().Clippings() == Texts{"i0", "i2", "i5"};
    })) << "left "
        << testing::PrintToString(Program().Clippings());
    ASSERT_TRUE(Program().WaitUntilIdle());
    EXPECT_EQ(SelectionCount(List()), 0);
    EXPECT_EQ(Buttons(), ButtonStates::All(false));
}

TEST_F(ClipCommands, DeleteKeyRemovesTheFirstAndLastItems) {
    FillList({"i0", "i1", "i2"});
    SetSelection(List(), {0, 2});
    PressKey(List(), VK_DELETE);
    EXPECT_TRUE(WaitUntil([] { return Program().Clippings() == Texts{"i1"}; }))
        << "left " << testing::PrintToString(Program().Clippings());
}

TEST_F(ClipCommands, DeleteKeyWithNothingSelectedDeletesNothing) {
    FillList({"i0", "i1", "i2"});
    PressKey(List(), VK_DELETE);
    ASSERT_NO_FATAL_FAILURE(WaitUntilPostedKeysAreHandled());
    EXPECT_EQ(Program().Clippings(), (Texts{"i0", "i1", "i2"}));
    EXPECT_EQ(Buttons(), ButtonStates::All(false));
}

TEST_F(ClipCommands, ShiftDeleteDeletesNothing) {
    FillList({"i0", "i1", "i2"});
    SetSelection(List(), {0, 2});
    ASSERT_TRUE(FocusControl(List()));
    const DWORD sequence = ClipboardSequence();
    TypeKey(VK_DELETE, {VK_SHIFT});
    // The plain Delete key, typed after it, is handled after it, and does delete.
    TypeKey(VK_DELETE);
    EXPECT_TRUE(WaitUntil([] { return Program().Clippings() == Texts{"i1"}; }))
        << "left " << testing::PrintToString(Program().Clippings());
    EXPECT_EQ(ClipboardSequence(), sequence);
}

TEST_F(ClipCommands, OtherKeysInTheListDeleteNothingAndKeepTheirDefaultHandling) {
    FillList({"i0", "i1", "i2"});
    ClickListItem(List(), 0);
    ASSERT_TRUE(WaitUntil([] { return SelectedIndices(List()) == Indices{0}; }));
    PressKey(List(), VK_F5);
    PressKey(List(), VK_INSERT);
    // The list's own handling of the arrow key moves the selection down.
    PressKey(List(), VK_DOWN);
    EXPECT_TRUE(WaitUntil([] { return SelectedIndices(List()) == Indices{1}; }))
        << "selected " << testing::PrintToString(SelectedIndices(List()));
    ASSERT_TRUE(Program().WaitUntilIdle());
    EXPECT_EQ(Program().Clippings(), (Texts{"i0", "i1", "i2"}));
    EXPECT_EQ(Buttons(), ButtonStates::All(true));
}

// ---- The button rule ----

TEST_F(ClipCommands, SelectionChangesByTheUserSetAllThreeButtonsTogether) {
    FillList({"a", "b", "c", "d"});
    ASSERT_EQ(Buttons(), ButtonStates::All(false));
    const auto reaches = [](const Indices& selection, bool enabled) {
        return WaitUntil([&] { return SelectedIndices(List()) == selection; }) && Program().WaitUntilIdle() &&
               Buttons() == ButtonStates::All(enabled);
    };

    ClickListItem(List(), 1);
    EXPECT_TRUE(reaches({1}, true)) << Buttons();
    ClickListItem(List(), 3, ClickModifier::Shift);
    EXPECT_TRUE(reaches({1, 2, 3}, true)) << Buttons();
    ClickListItem(List(), 2, ClickModifier::Control);
    EXPECT_TRUE(reaches({1, 3}, true)) << Buttons();
    ClickListItem(List(), 1, ClickModifier::Control);
    ClickListItem(List(), 3, ClickModifier::Control);
    EXPECT_TRUE(reaches({}, false)) << Buttons();
    ClickListItem(List(), 0);
    EXPECT_TRUE(reaches({0}, true)) << Buttons();
}

TEST_F(ClipCommands, EverySelectionChangeNotificationAppliesTheRule) {
    FillList({"a", "b"});
    SetSelection(List(), {0, 1});
    EXPECT_EQ(Buttons(), ButtonStates::All(true));
    SetSelection(List(), {1});
    EXPECT_EQ(Buttons(), ButtonStates::All(true));
    SetSelection(List(), {});
    EXPECT_EQ(Buttons(), ButtonStates::All(false));
}

// ---- Clear All Clippings ----

TEST_F(ClipCommands, ClearAllAsksAndAnswerNoChangesNothing) {
    FillList({"a", "b", "c"});
    SetSelection(List(), {1});

    SendCommand(Program().MainWindow(), ID_FILE_CLEAR_ALL_CLIPPINGS);
    const HWND question = WaitForQuestion();
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(WindowText(question), "Scrapvault");
    EXPECT_TRUE(ShowsText(question, "Confirm deletion of ALL clippings!"));
    EXPECT_NE(GetDlgItem(question, IDYES), nullptr);
    EXPECT_NE(GetDlgItem(question, IDNO), nullptr);
    EXPECT_EQ(GetDlgItem(question, IDCANCEL), nullptr);
    PostMessageA(question, WM_COMMAND, IDNO, 0);
    ASSERT_TRUE(WaitUntil([question] { return !IsWindow(question); }));
    ASSERT_TRUE(Program().WaitUntilIdle());

    EXPECT_EQ(Program().Clippings(), (Texts{"a", "b", "c"}));
    EXPECT_EQ(SelectedIndices(List()), Indices{1});
    EXPECT_EQ(Buttons(), ButtonStates::All(true));
}

TEST_F(ClipCommands, ClearAllAnsweredYesEmptiesTheListAndLeavesEnabledButtonsEnabled) {
    FillList({"a", "b", "c"});
    SetSelection(List(), {0, 2});
    ASSERT_NO_FATAL_FAILURE(ClearAllAnswering(IDYES));
    EXPECT_TRUE(Program().Clippings().empty());
    EXPECT_EQ(Buttons(), ButtonStates::All(true));
}

TEST_F(ClipCommands, ClearAllAnsweredYesLeavesDisabledButtonsDisabled) {
    FillList({"a", "b"});
    ASSERT_EQ(Buttons(), ButtonStates::All(false));
    ASSERT_NO_FATAL_FAILURE(ClearAllAnswering(IDYES));
    EXPECT_TRUE(Program().Clippings().empty());
    EXPECT_EQ(Buttons(), ButtonStates::All(false));
}

TEST_F(ClipCommands, ClearAllOnAnEmptyListStillAsks) {
    ASSERT_TRUE(Program().Clippings().empty());
    ASSERT_NO_FATAL_FAILURE(ClearAllAnswering(IDNO));
    EXPECT_TRUE(Program().Clippings().empty());
}

TEST_F(ClipCommands, AClippingCapturedWhileTheQuestionIsOpenIsRemovedOnYes) {
    FillList({"a"});
    SendCommand(Program().MainWindow(), ID_FILE_CLEAR_ALL_CLIPPINGS);
    const HWND question = WaitForQuestion();
    ASSERT_NE(question, nullptr);
    ASSERT_NO_FATAL_FAILURE(CopyAndWait("while asked"));
    EXPECT_EQ(Program().Clippings(), (Texts{"while asked", "a"}));

    PostMessageA(question, WM_COMMAND, IDYES, 0);
    ASSERT_TRUE(WaitUntil([question] { return !IsWindow(question); }));
    ASSERT_TRUE(Program().WaitUntilIdle());
    EXPECT_TRUE(Program().Clippings().empty());
}

TEST_F(ClipCommands, AClippingCapturedWhileTheQuestionIsOpenStaysOnNo) {
    FillList({"a"});
    SendCommand(Program().MainWindow(), ID_FILE_CLEAR_ALL_CLIPPINGS);
    const HWND question = WaitForQuestion();
    ASSERT_NE(question, nullptr);
    ASSERT_NO_FATAL_FAILURE(CopyAndWait("while asked"));
    PostMessageA(question, WM_COMMAND, IDNO, 0);
    ASSERT_TRUE(WaitUntil([question] { return !IsWindow(question); }));
    ASSERT_TRUE(Program().WaitUntilIdle());
    EXPECT_EQ(Program().Clippings(), (Texts{"while asked", "a"}));
}

// ---- With no selection, after Clear All left the buttons enabled ----

TEST_F(ClipCommands, CopyDeleteAndTheDeleteKeyWithNoSelectionLeaveEnabledButtonsEnabled) {
    FillListWithButtonsLeftEnabled({"a", "b"});
    const DWORD sequence = ClipboardSequence();

    PressButton(Program().CopyButton());
    PressButton(Program().DeleteButton());
    PressKey(List(), VK_DELETE);
    ASSERT_NO_FATAL_FAILURE(WaitUntilPostedKeysAreHandled());

    EXPECT_EQ(Program().Clippings(), (Texts{"a", "b"}));
    EXPECT_EQ(Buttons(), ButtonStates::All(true));
    EXPECT_EQ(ClipboardSequence(), sequence);
    EXPECT_FALSE(IsIconic(Program().MainWindow()));
}

TEST_F(ClipCommands, EditWithNoSelectionDisablesOnlyTheEditButton) {
    FillListWithButtonsLeftEnabled({"a", "b"});
    PressButton(Program().EditButton());
    EXPECT_TRUE(TopLevelWindowsOf(Program().Process().Id(), "Edit Text").empty()) << "the dialog opened";
    EXPECT_EQ(Buttons(), (ButtonStates{true, true, false}));
    EXPECT_EQ(Program().Clippings(), (Texts{"a", "b"}));
}

// ---- Save All Clippings ----

TEST_F(ClipCommands, SaveAllClippingsWritesTheListAndLeavesSelectionAndButtons) {
    FillList({"newest", "older"});
    SetSelection(List(), {1});
    DeleteProfileSection("LastClips");

    SendCommand(Program().MainWindow(), ID_FILE_SAVE_ALL_CLIPPINGS);
    ASSERT_TRUE(WaitUntil([] { return ProfileSection("LastClips").ReadString("CLIP 00") == "newest"; }))
        << "nothing was saved";
    ASSERT_TRUE(Program().WaitUntilIdle());

    EXPECT_EQ(SelectedIndices(List()), Indices{1});
    EXPECT_EQ(Buttons(), ButtonStates::All(true));
    const ProfileSection saved("LastClips");
    EXPECT_EQ(saved.ReadString("CLIP 01"), "older");
    EXPECT_EQ(saved.ReadString("CLIP 02"), "");
}

TEST_F(ClipCommands, SaveAllRightAfterClearAllSavesAnEmptyList) {
    FillList({"a", "b"});
    SendCommand(Program().MainWindow(), ID_FILE_SAVE_ALL_CLIPPINGS);
    ASSERT_TRUE(WaitUntil([] { return ProfileSection("LastClips").ReadString("CLIP 00") == "a"; }));

    ASSERT_NO_FATAL_FAILURE(ClearAllAnswering(IDYES));
    EXPECT_EQ(ProfileSection("LastClips").ReadString("CLIP 00"), "a") << "Clear All touched the saved clippings";
    SendCommand(Program().MainWindow(), ID_FILE_SAVE_ALL_CLIPPINGS);
    EXPECT_TRUE(WaitUntil([] { return ProfileSection("LastClips").ReadString("CLIP 00") == ""; }));
}
