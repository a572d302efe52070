// The Edit command and its Edit Text dialog in the real program: what the dialog shows, what
// OK and Cancel leave in the clip list, its keys (Enter, Ctrl+Enter, the editing keys), and
// clippings captured while it is open.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "tests/wine/support/ClipProgramSuite.h"
#include "tests/wine/support/Clipboard.h"
#include "tests/wine/support/RemoteControls.h"
#include "tests/wine/support/Wait.h"
#include "ui/resource.h"

using namespace harness;

namespace {
using Texts = std::vector<std::string>;

std::string EveryByte() {
    std::string bytes;
    for (int value = 1; value <= 255; ++value) bytes += static_cast<char>(value);
    return bytes;
}

// Where a window of this size is put when centred in the area, as the dialogs centre.
POINT CentredIn(const RECT& area, const RECT& window) {
    return {area.left + ((area.right - area.left) - (window.right - window.left)) / 2,
            area.top + ((area.bottom - area.top) - (window.bottom - window.top)) / 2};
}

// The edit control's selection, as EM_GETSEL packs it when given no pointers.
std::pair<int, int> EditSelection(HWND edit) {
    const auto packed = static_cast<DWORD>(SendMessageA(edit, EM_GETSEL, 0, 0));
    return {LOWORD(packed), HIWORD(packed)};
}
}  // namespace

class EditText : public ClipProgramSuite {
protected:
    // Turns RemoveDups on for the life of the object.
    class RemoveDupsOn {
    public:
        RemoveDupsOn() { SetOption(IDC_NO_DUPLICATES, true); }
        ~RemoveDupsOn() { SetOption(IDC_NO_DUPLICATES, false); }
        RemoveDupsOn(const RemoveDupsOn&) = delete;
        RemoveDupsOn& operator=(const RemoveDupsOn&) = delete;
    };

    // Presses Edit and waits for the Edit Text dialog; null if none opens.
    static HWND OpenEditDialog() {
        PressButton(Program().EditButton());
        return Program().WaitForWindow("Edit Text");
    }
    static HWND TextEdit(HWND dialog) { return GetDlgItem(dialog, IDC_TEXT); }

    // Waits until the dialog has closed and the Edit command has ended.
    static void WaitForEditToEnd(HWND dialog) {
        ASSERT_TRUE(WaitUntil([dialog] { return !IsWindow(dialog); })) << "the dialog did not close";
        // With the dialog gone the command ends without a message loop of its own.
        ASSERT_TRUE(Program().WaitUntilIdle());
    }
    // Presses the dialog's OK or Cancel button.
    static void CloseWith(HWND dialog, int button) {
        PressButton(GetDlgItem(dialog, button));
        ASSERT_NO_FATAL_FAILURE(WaitForEditToEnd(dialog));
    }
};

TEST_F(EditText, TheDialogShowsTheSelectedTextsJoinedOnceTheyAreDeselected) {
    FillList({"zero", "one", "two"});
    SetSelection(List(), {0, 2});
    const HWND dialog = OpenEditDialog();
    ASSERT_NE(dialog, nullptr) << "no Edit Text dialog";

    EXPECT_EQ(ControlText(TextEdit(dialog)), "zerotwo");
    EXPECT_EQ(GetWindow(dialog, GW_OWNER), Program().MainWindow());
    EXPECT_FALSE(IsWindowEnabled(Program().MainWindow())) << "the dialog is not modal";
    // The texts were read and deselected before the dialog opened; the buttons wait for its end.
    EXPECT_EQ(SelectionCount(List()), 0);
    EXPECT_EQ(Buttons(), ButtonStates::All(true));

    ASSERT_NO_FATAL_FAILURE(CloseWith(dialog, IDCANCEL));
    EXPECT_TRUE(IsWindowEnabled(Program().MainWindow()));
}

TEST_F(EditText, TheDialogOpensCentredOverTheMainWindow) {
    FillList({"a"});
    SetSelection(List(), {0});
    const HWND dialog = OpenEditDialog();
    ASSERT_NE(dialog, nullptr);
    RECT main{};
    RECT box{};
    GetWindowRect(Program().MainWindow(), &main);
    GetWindowRect(dialog, &box);
    const POINT expected = CentredIn(main, box);
    EXPECT_EQ((std::pair<LONG, LONG>{box.left, box.top}), (std::pair<LONG, LONG>{expected.x, expected.y}));
    ASSERT_NO_FATAL_FAILURE(CloseWith(dialog, IDCANCEL));
}

TEST_F(EditText, WithTheMainWindowMinimisedTheDialogOpensCentredOnTheWorkArea) {
    FillList({"a"});
    SetSelection(List(), {0});
    SendMessageA(Program().MainWindow(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(WaitUntil([] { return IsIconic(Program().MainWindow()) != FALSE; }));
    const HWND dialog = OpenEditDialog();
    ASSERT_NE(dialog, nullptr);
    RECT workArea{};
    RECT box{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
    GetWindowRect(dialog, &box);
    const POINT expected = CentredIn(workArea, box);
    EXPECT_EQ((std::pair<LONG, LONG>{box.left, box.top}), (std::pair<LONG, LONG>{expected.x, expected.y}));
    EXPECT_TRUE(IsWindowVisible(dialog));
    ASSERT_NO_FATAL_FAILURE(CloseWith(dialog, IDOK));
    EXPECT_EQ(Program().Clippings(), (Texts{"a", "a"}));
}

TEST_F(EditText, OkOnTheUnchangedTextAddsTheJoinedTextOnceMoreAtTheTopEvenWithRemoveDups) {
    const RemoveDupsOn removeDups;
    FillList({"a", "b", "ab"});
    SetSelection(List(), {0, 1});
    const HWND dialog = OpenEditDialog();
    ASSERT_NE(dialog, nullptr);
    ASSERT_NO_FATAL_FAILURE(CloseWith(dialog, IDOK));

    EXPECT_EQ(Program().Clippings(), (Texts{"ab", "a", "b", "ab"}));
    EXPECT_EQ(SelectionCount(List()), 0);
    EXPECT_EQ(Buttons(), ButtonStates::All(false));
}

TEST_F(EditText, CancelAfterChangingTheTextOnlyClearsTheSelection) {
    FillList({"a", "b", "c"});
    SetSelection(List(), {1, 2});
    const DWORD sequence = ClipboardSequence();
    const HWND dialog = OpenEditDialog();
    ASSERT_NE(dialog, nullptr);
    SetControlText(TextEdit(dialog), "changed");
    ASSERT_NO_FATAL_FAILURE(CloseWith(dialog, IDCANCEL));

    EXPECT_EQ(Program().Clippings(), (Texts{"a", "b", "c"}));
    EXPECT_EQ(SelectionCount(List()), 0);
    EXPECT_EQ(Buttons(), ButtonStates::All(false));
    EXPECT_EQ(ClipboardSequence(), sequence) << "Edit touched the clipboard";
}

TEST_F(EditText, TheEditedTextBecomesANewItemZeroAndItsSourcesStay) {
    FillList({"a", "b"});
    SetSelection(List(), {1});
    const DWORD sequence = ClipboardSequence();
    const HWND dialog = OpenEditDialog();
    ASSERT_NE(dialog, nullptr);
    SetControlText(TextEdit(dialog), "edited \xE9\x80 text");
    ASSERT_NO_FATAL_FAILURE(CloseWith(dialog, IDOK));

    EXPECT_EQ(Program().Clippings(), (Texts{"edited \xE9\x80 text", "a", "b"}));
    EXPECT_EQ(Buttons(), ButtonStates::All(false));
    EXPECT_EQ(ClipboardSequence(), sequence) << "Edit touched the clipboard";
}

TEST_F(EditText, DeletingAllTheTextAndOkAddsAnEmptyClipping) {
    FillList({"a"});
    SetSelection(List(), {0});
    const HWND dialog = OpenEditDialog();
    ASSERT_NE(dialog, nullptr);
    SetControlText(TextEdit(dialog), "");
    ASSERT_NO_FATAL_FAILURE(CloseWith(dialog, IDOK));
    EXPECT_EQ(Program().Clippings(), (Texts{"", "a"}));
}

TEST_F(EditText, ATextWithLineBreaksIsShownOnSeveralLinesAndComesBackTheSame) {
    FillList({"first line\r\nsecond line\r\n", "x"});
    SetSelection(List(), {0, 1});
    const HWND dialog = OpenEditDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(SendMessageA(TextEdit(dialog), EM_GETLINECOUNT, 0, 0), 3);
    ASSERT_NO_FATAL_FAILURE(CloseWith(dialog, IDOK));
    EXPECT_EQ(Program().Clippings().front(), "first line\r\nsecond line\r\nx");
}

TEST_F(EditText, EveryByteAndALongTextComeBackUnchanged) {
    std::string longText;
    for (int line = 0; longText.size() < 200 * 1024; ++line) longText += "line " + std::to_string(line) + "\r\n";
    FillList({EveryByte(), longText});
    // Item 1 each time: first the long text, then, moved down by it, every byte.
    for (int edit = 0; edit < 2; ++edit) {
        SetSelection(List(), {1});
        const HWND dialog = OpenEditDialog();
        ASSERT_NE(dialog, nullptr);
        ASSERT_NO_FATAL_FAILURE(CloseWith(dialog, IDOK));
    }
    const Texts clippings = Program().Clippings();
    ASSERT_EQ(clippings.size(), 4u);
    EXPECT_TRUE(clippings[0] == EveryByte()) << "came back as " << testing::PrintToString(clippings[0]);
    EXPECT_TRUE(clippings[1] == longText)
        << "came back with " << clippings[1].size() << " of " << longText.size() << " bytes";
}

// The duplicate search of a capture must see the list as Edit and Delete left it.
TEST_F(EditText, ACaptureWithRemoveDupsFindsTheEditedTextAfterItsSourceWasDeleted) {
    const RemoveDupsOn removeDups;
    FillList({"a", "b"});
    SetSelection(List(), {0});
    const HWND dialog = OpenEditDialog();
    ASSERT_NE(dialog, nullptr);
    ASSERT_NO_FATAL_FAILURE(CloseWith(dialog, IDOK));
    ASSERT_EQ(Program().Clippings(), (Texts{"a", "a", "b"}));
    SetSelection(List(), {1});
    PressButton(Program().DeleteButton());
    ASSERT_EQ(Program().Clippings(), (Texts{"a", "b"}));

    ASSERT_NO_FATAL_FAILURE(CopyAndWait("a"));
    EXPECT_EQ(Program().Clippings(), (Texts{"a", "b"}));
}

TEST_F(EditText, EnterRightAfterOpeningClosesWithOk) {
    FillList({"a", "b"});
    SetSelection(List(), {0, 1});
    const HWND dialog = OpenEditDialog();
    ASSERT_NE(dialog, nullptr);
    // The focus starts on OK, so the text is not selected.
    const HWND focus = FocusedWindowOf(dialog);
    EXPECT_EQ(focus, GetDlgItem(dialog, IDOK));
    EXPECT_EQ(EditSelection(TextEdit(dialog)), std::make_pair(0, 0));

    PressKey(focus, VK_RETURN);
    ASSERT_NO_FATAL_FAILURE(WaitForEditToEnd(dialog));
    EXPECT_EQ(Program().Clippings(), (Texts{"ab", "a", "b"}));
}

TEST_F(EditText, EnterInsideTheTextPressesOkAndEscapeCancels) {
    FillList({"a"});
    SetSelection(List(), {0});
    HWND dialog = OpenEditDialog();
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(FocusControl(TextEdit(dialog)));
    SendMessageA(TextEdit(dialog), EM_SETSEL, 1, 1);
    TypeKey(VK_RETURN);
    ASSERT_NO_FATAL_FAILURE(WaitForEditToEnd(dialog));
    EXPECT_EQ(Program().Clippings(), (Texts{"a", "a"})) << "Enter broke the line instead of pressing OK";

    SetSelection(List(), {0});
    dialog = OpenEditDialog();
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(FocusControl(TextEdit(dialog)));
    TypeKey(VK_ESCAPE);
    ASSERT_NO_FATAL_FAILURE(WaitForEditToEnd(dialog));
    EXPECT_EQ(Program().Clippings(), (Texts{"a", "a"}));
}

TEST_F(EditText, CtrlEnterPutsALineBreakIntoTheText) {
    FillList({"ab"});
    SetSelection(List(), {0});
    const HWND dialog = OpenEditDialog();
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(FocusControl(TextEdit(dialog)));
    SendMessageA(TextEdit(dialog), EM_SETSEL, 1, 1);

    TypeKey(VK_RETURN, {VK_CONTROL});
    EXPECT_TRUE(WaitUntil([&] { return ControlText(TextEdit(dialog)) == "a\r\nb"; }))
        << "the text is \"" << ControlText(TextEdit(dialog)) << "\"";
    ASSERT_TRUE(IsWindow(dialog)) << "Ctrl+Enter closed the dialog";

    ASSERT_NO_FATAL_FAILURE(CloseWith(dialog, IDOK));
    EXPECT_EQ(Program().Clippings(), (Texts{"a\r\nb", "ab"}));
}

TEST_F(EditText, AClippingCapturedWhileTheDialogIsOpenGoesBelowTheEditedText) {
    FillList({"a", "b", "c"});
    SetSelection(List(), {0, 2});
    const HWND dialog = OpenEditDialog();
    ASSERT_NE(dialog, nullptr);

    ASSERT_NO_FATAL_FAILURE(CopyAndWait("captured meanwhile"));
    EXPECT_EQ(Program().Clippings(), (Texts{"captured meanwhile", "a", "b", "c"}));
    EXPECT_EQ(SelectionCount(List()), 0);

    SetControlText(TextEdit(dialog), "edited");
    ASSERT_NO_FATAL_FAILURE(CloseWith(dialog, IDOK));
    EXPECT_EQ(Program().Clippings(), (Texts{"edited", "captured meanwhile", "a", "b", "c"}));
}

// The main window's keys would turn Ctrl+C, Ctrl+Insert, Ctrl+X and Shift+Delete into
// commands that copy nothing: inside the dialog they are the edit control's, and what they
// put on the clipboard is captured like any other copy.
TEST_F(EditText, CopyAndCutInsideTheDialogAreCapturedLikeAnyOtherCopy) {
    FillList({"alpha beta gamma delta"});
    SetSelection(List(), {0});
    const HWND dialog = OpenEditDialog();
    ASSERT_NE(dialog, nullptr);
    const HWND edit = TextEdit(dialog);
    ASSERT_TRUE(FocusControl(edit));

    const auto keyCaptures = [&](int from, int to, UINT key, UINT modifier, const std::string& expected) {
        SendMessageA(edit, EM_SETSEL, static_cast<WPARAM>(from), static_cast<LPARAM>(to));
        const int before = Viewer().Notifications();
        TypeKey(key, {modifier});
        return Viewer().WaitForNotifications(before + 1) && Program().WaitUntilIdle() &&
               Program().Clippings().front() == expected && ReadClipboardText(CF_TEXT) == expected;
    };
    EXPECT_TRUE(keyCaptures(0, 5, 'C', VK_CONTROL, "alpha")) << "Ctrl+C";
    EXPECT_TRUE(keyCaptures(6, 10, VK_INSERT, VK_CONTROL, "beta")) << "Ctrl+Insert";
    EXPECT_TRUE(keyCaptures(10, 16, 'X', VK_CONTROL, " gamma")) << "Ctrl+X";
    EXPECT_EQ(ControlText(edit), "alpha beta delta");
    EXPECT_TRUE(keyCaptures(10, 16, VK_DELETE, VK_SHIFT, " delta")) << "Shift+Delete";
    EXPECT_EQ(ControlText(edit), "alpha beta");
    EXPECT_EQ(Program().Clippings(), (Texts{" delta", " gamma", "beta", "alpha", "alpha beta gamma delta"}));

    ASSERT_NO_FATAL_FAILURE(CloseWith(dialog, IDOK));
    EXPECT_EQ(Program().Clippings().front(), "alpha beta");
}

TEST_F(EditText, PasteAndUndoWorkInsideTheDialog) {
    FillList({"text"});
    SetSelection(List(), {0});
    const HWND dialog = OpenEditDialog();
    ASSERT_NE(dialog, nullptr);
    const HWND edit = TextEdit(dialog);
    ASSERT_NO_FATAL_FAILURE(CopyAndWait("[pasted]"));
    ASSERT_TRUE(FocusControl(edit));

    SendMessageA(edit, EM_SETSEL, 4, 4);
    TypeKey('V', {VK_CONTROL});
    EXPECT_TRUE(WaitUntil([&] { return ControlText(edit) == "text[pasted]"; })) << ControlText(edit);
    SendMessageA(edit, EM_SETSEL, 0, 0);
    TypeKey(VK_INSERT, {VK_SHIFT});
    EXPECT_TRUE(WaitUntil([&] { return ControlText(edit) == "[pasted]text[pasted]"; })) << ControlText(edit);
    TypeKey('Z', {VK_CONTROL});
    EXPECT_TRUE(WaitUntil([&] { return ControlText(edit) == "text[pasted]"; })) << ControlText(edit);

    ASSERT_NO_FATAL_FAILURE(CloseWith(dialog, IDCANCEL));
    EXPECT_EQ(Program().Clippings(), (Texts{"[pasted]", "text"}));
}
