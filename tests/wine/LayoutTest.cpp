// The placing of the controls in the real windows: the main window's clip list and buttons and
// the Edit Text dialog's edit and buttons, after real size changes. The expected places come
// from the layout arithmetic applied to the sizes the windows really have.
#include <gtest/gtest.h>
#include <windows.h>

#include <array>
#include <string>
#include <vector>

#include "tests/wine/support/ClipProgramSuite.h"
#include "tests/wine/support/ProfileRegistry.h"
#include "tests/wine/support/ProgramUnderTest.h"
#include "tests/wine/support/RemoteControls.h"
#include "tests/wine/support/Wait.h"
#include "ui/ControlLayout.h"
#include "ui/resource.h"

using namespace harness;

namespace {
// x, y, width, height.
using Box = std::array<int, 4>;

Box BoxOf(const ControlPlacement& placement) { return {placement.x, placement.y, placement.width, placement.height}; }

// Where the control really is, in its parent's client coordinates.
Box BoxOf(HWND control) {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

PixelSize ClientSizeOf(HWND window) {
    RECT rect{};
    GetClientRect(window, &rect);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

bool SameSize(PixelSize a, PixelSize b) { return a.width == b.width && a.height == b.height; }

std::string Describe(PixelSize size) { return std::to_string(size.width) + " x " + std::to_string(size.height); }

// Gives the window this outer size, as dragging its border would.
void Resize(HWND window, int width, int height) {
    SetWindowPos(window, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

struct Size {
    int width;
    int height;
};

// The view's controls where the layout puts them for the view's real client size and the
// Copy button's real size.
void ExpectViewLaidOut(const ProgramUnderTest& program) {
    const PixelSize client = ClientSizeOf(program.View());
    const ClipViewLayout expected = LayoutClipView(client, ClientSizeOf(program.CopyButton()));
    SCOPED_TRACE("view client area " + Describe(client));
    EXPECT_EQ(BoxOf(program.CopyButton()), BoxOf(expected.copyButton));
    EXPECT_EQ(BoxOf(program.DeleteButton()), BoxOf(expected.deleteButton));
    EXPECT_EQ(BoxOf(program.EditButton()), BoxOf(expected.editButton));
    EXPECT_EQ(BoxOf(program.ClipList()), BoxOf(expected.clipList));
}

void ExpectDialogLaidOut(HWND dialog) {
    const PixelSize client = ClientSizeOf(dialog);
    const HWND ok = GetDlgItem(dialog, IDOK);
    const HWND cancel = GetDlgItem(dialog, IDCANCEL);
    const EditTextLayout expected = LayoutEditText(client, ClientSizeOf(ok));
    SCOPED_TRACE("dialog client area " + Describe(client));
    EXPECT_EQ(BoxOf(ok), BoxOf(expected.okButton));
    EXPECT_EQ(BoxOf(cancel), BoxOf(expected.cancelButton));
    EXPECT_EQ(BoxOf(GetDlgItem(dialog, IDC_TEXT)), BoxOf(expected.textEdit));
    EXPECT_TRUE(IsWindowVisible(ok));
    EXPECT_TRUE(IsWindowVisible(cancel));
}
}  // namespace

// The program starts minimised, with its controls laid out while the window was still hidden:
// the first restore must show them placed for the window it reveals.
TEST(LayoutAtStart, TheFirstRestoreShowsTheControlsPlacedForTheStoredRectangle) {
    ProgramUnderTest::EndStrayInstances();
    PrepareQuietStart();
    const RECT stored{120, 90, 120 + 530, 90 + 410};
    {
        const ProfileSection position("LastPosition");
        position.WriteInt("Left", stored.left);
        position.WriteInt("Top", stored.top);
        position.WriteInt("Right", stored.right);
        position.WriteInt("Bottom", stored.bottom);
    }
    ProgramUnderTest program = ProgramUnderTest::Start();
    ASSERT_TRUE(IsIconic(program.MainWindow()));

    SendMessageA(program.MainWindow(), WM_SYSCOMMAND, SC_RESTORE, 0);
    ASSERT_TRUE(program.WaitUntilIdle());
    RECT window{};
    GetWindowRect(program.MainWindow(), &window);
    EXPECT_EQ((Box{window.left, window.top, window.right, window.bottom}),
              (Box{stored.left, stored.top, stored.right, stored.bottom}));
    ExpectViewLaidOut(program);
    EXPECT_TRUE(program.Close().has_value());
}

class Layout : public ClipProgramSuite {};

TEST_F(Layout, TheViewPlacesItsControlsForEveryRealSize) {
    const PixelSize button = ClientSizeOf(Program().CopyButton());
    bool narrowerThanTheRow = false;
    bool withScrollBar = false;
    // Too low for the form's template, the view shows a scroll bar, which takes from its client area.
    for (const Size size : {Size{480, 400}, Size{761, 563}, Size{333, 257}, Size{200, 300}, Size{160, 180},
                            Size{300, 80}, Size{520, 420}}) {
        Resize(Program().MainWindow(), size.width, size.height);
        ASSERT_TRUE(Program().WaitUntilIdle());
        RECT window{};
        GetWindowRect(Program().MainWindow(), &window);
        ASSERT_EQ(window.right - window.left, size.width) << "the window was not given the width";
        ASSERT_EQ(window.bottom - window.top, size.height) << "the window was not given the height";

        ExpectViewLaidOut(Program());
        // The buttons are moved, never sized.
        EXPECT_TRUE(SameSize(ClientSizeOf(Program().CopyButton()), button));
        EXPECT_TRUE(SameSize(ClientSizeOf(Program().DeleteButton()), button));
        EXPECT_TRUE(SameSize(ClientSizeOf(Program().EditButton()), button));
        if (ClientSizeOf(Program().View()).width < 3 * button.width + 10) narrowerThanTheRow = true;
        if (GetWindowLongA(Program().View(), GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL)) withScrollBar = true;
    }
    EXPECT_TRUE(narrowerThanTheRow) << "no size was narrower than the button row";
    EXPECT_TRUE(withScrollBar) << "no size made the view show a scroll bar";
}

TEST_F(Layout, TheViewFollowsAMaximiseFromMinimisedAndTheRestoreAfterIt) {
    Resize(Program().MainWindow(), 430, 310);
    ASSERT_TRUE(Program().WaitUntilIdle());
    const PixelSize restored = ClientSizeOf(Program().View());

    SendMessageA(Program().MainWindow(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(WaitUntil([] { return IsIconic(Program().MainWindow()) != FALSE; }));
    SendMessageA(Program().MainWindow(), WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    ASSERT_TRUE(WaitUntil([] { return IsZoomed(Program().MainWindow()) != FALSE; }));
    ASSERT_TRUE(Program().WaitUntilIdle());
    EXPECT_GT(ClientSizeOf(Program().View()).width, restored.width);
    ExpectViewLaidOut(Program());

    SendMessageA(Program().MainWindow(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(WaitUntil([] { return IsIconic(Program().MainWindow()) != FALSE; }));
    SendMessageA(Program().MainWindow(), WM_SYSCOMMAND, SC_RESTORE, 0);
    ASSERT_TRUE(WaitUntil([] { return !IsIconic(Program().MainWindow()); }));
    SendMessageA(Program().MainWindow(), WM_SYSCOMMAND, SC_RESTORE, 0);
    ASSERT_TRUE(WaitUntil([] { return !IsZoomed(Program().MainWindow()) && !IsIconic(Program().MainWindow()); }));
    ASSERT_TRUE(Program().WaitUntilIdle());
    EXPECT_TRUE(SameSize(ClientSizeOf(Program().View()), restored))
        << "restored to " << Describe(ClientSizeOf(Program().View())) << ", not " << Describe(restored);
    ExpectViewLaidOut(Program());
}

TEST_F(Layout, TheEditTextDialogPlacesItsControlsWhenOpenedAndForEveryRealSize) {
    FillList({"a text to edit"});
    SetSelection(List(), {0});
    PressButton(Program().EditButton());
    const HWND dialog = Program().WaitForWindow("Edit Text");
    ASSERT_NE(dialog, nullptr);
    {
        SCOPED_TRACE("as opened");
        ExpectDialogLaidOut(dialog);
    }

    const PixelSize button = ClientSizeOf(GetDlgItem(dialog, IDOK));
    bool narrowerThanTheRow = false;
    for (const Size size : {Size{400, 300}, Size{641, 479}, Size{263, 181}, Size{150, 170}, Size{320, 240}}) {
        Resize(dialog, size.width, size.height);
        ASSERT_TRUE(Program().WaitUntilIdle());
        RECT window{};
        GetWindowRect(dialog, &window);
        ASSERT_EQ(window.right - window.left, size.width) << "the dialog was not given the width";
        ASSERT_EQ(window.bottom - window.top, size.height) << "the dialog was not given the height";

        ExpectDialogLaidOut(dialog);
        EXPECT_TRUE(SameSize(ClientSizeOf(GetDlgItem(dialog, IDOK)), button));
        EXPECT_TRUE(SameSize(ClientSizeOf(GetDlgItem(dialog, IDCANCEL)), button));
        if (ClientSizeOf(dialog).width < 2 * button.width + 5) narrowerThanTheRow = true;
    }
    EXPECT_TRUE(narrowerThanTheRow) << "no size was narrower than the button row";

    PressButton(GetDlgItem(dialog, IDCANCEL));
    ASSERT_TRUE(WaitUntil([dialog] { return !IsWindow(dialog); }));
    ASSERT_TRUE(Program().WaitUntilIdle());
    EXPECT_EQ(Program().Clippings(), std::vector<std::string>{"a text to edit"});
}
