// How the program fits the real desktop: notifications that bring no clipboard change, both
// numbers of the restore request, the form's scroll bars, profile values of every stored type,
// and the caption buttons' font.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "tests/wine/support/ClipProgramSuite.h"
#include "ui/ControlLayout.h"

using namespace harness;

namespace {
// Copies the text as an X11 program does, through xclip (which stays behind to serve it).
void CopyTextInX11(const std::string& text) {
    const std::string file = "/tmp/scrapvault-x11-copy-" + std::to_string(GetCurrentProcessId());
    std::ofstream(ToWindowsPath(file), std::ios::binary) << text;
    ChildProcess xclip = ChildProcess::Start("/usr/bin/xclip", "-selection clipboard " + file);
    xclip.WaitForExit(kDefaultTimeout);
}

// How far the form is scrolled along the bar: where the layout puts the Copy button for the
// view's real size, less where the button really is.
int FormPosition(const ProgramUnderTest& program, int bar) {
    RECT client{}, button{};
    GetClientRect(program.View(), &client);
    GetWindowRect(program.CopyButton(), &button);
    MapWindowPoints(nullptr, program.View(), reinterpret_cast<POINT*>(&button), 2);
    const ClipViewLayout layout =
        LayoutClipView({client.right, client.bottom}, {button.right - button.left, button.bottom - button.top});
    return bar == SB_HORZ ? layout.copyButton.x - button.left : layout.copyButton.y - button.top;
}
}  // namespace

class DesktopFidelity : public ClipProgramSuite {};

TEST_F(DesktopFidelity, OnlyANotificationThatBringsAClipboardChangeIsCaptured) {
    struct Row {
        const char* what;
        std::function<void()> act;
        std::vector<std::string> expected;
    };
    const Row rows[] = {
        {"a copy by a Windows program", [] { CopyAndWait("windows copy"); }, {"windows copy"}},
        // Wine announces an X11 copy made while a Windows program owns the clipboard twice.
        {"an X11 copy",
         [] {
             const int before = Viewer().Notifications();
             CopyTextInX11("x11 copy");
             ASSERT_TRUE(Viewer().WaitForNotifications(before + 2)) << "Wine did not announce the X11 copy twice";
             PumpFor(Milliseconds(1500));
             ASSERT_TRUE(Program().WaitUntilIdle());
         },
         {"x11 copy", "windows copy"}},
        // What a viewer in front of the program does with a notification that changed nothing.
        {"a notification passed on twice",
         [] {
             SendMessageA(Program().View(), WM_DRAWCLIPBOARD, 0, 0);
             SendMessageA(Program().View(), WM_DRAWCLIPBOARD, 0, 0);
         },
         {"x11 copy", "windows copy"}},
        {"the same text copied again", [] { CopyAndWait("x11 copy"); }, {"x11 copy", "x11 copy", "windows copy"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        ASSERT_NO_FATAL_FAILURE(row.act());
        ASSERT_TRUE(Program().WaitUntilIdle());
        EXPECT_EQ(Program().Clippings(), row.expected);
    }
}

TEST_F(DesktopFidelity, EitherNumberOfTheRestoreRequestRestoresTheWindow) {
    for (const UINT request : {static_cast<UINT>(WM_USER + 0x3FF), 0x04FFu}) {
        SCOPED_TRACE(request);
        SendMessageA(Program().MainWindow(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
        ASSERT_TRUE(WaitUntil([] { return IsIconic(Program().MainWindow()) != FALSE; }));
        EXPECT_EQ(SendMessageA(Program().MainWindow(), request, 0, 0), 0);
        EXPECT_TRUE(WaitUntil([] { return !IsIconic(Program().MainWindow()); }));
    }
}

TEST_F(DesktopFidelity, TheFormScrollsByLinePageAndThumbAndReturnsWhenItFitsAgain) {
    const HWND view = Program().View();
    const HWND frame = Program().MainWindow();
    SetWindowPos(frame, nullptr, 0, 0, 116, 100, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(Program().WaitUntilIdle());
    ASSERT_TRUE(GetWindowLongA(view, GWL_STYLE) & WS_HSCROLL);
    ASSERT_TRUE(GetWindowLongA(view, GWL_STYLE) & WS_VSCROLL);

    struct Step {
        UINT code;
        int thumb;
        // Whether the move from `before` to `after` is the one asked for; `last` is the
        // furthest position seen so far.
        bool (*expected)(int before, int after, int last);
    };
    const Step steps[] = {
        {SB_LINEDOWN, 0, [](int b, int a, int) { return a > b; }},
        {SB_PAGEDOWN, 0, [](int b, int a, int) { return a > b; }},
        {SB_THUMBTRACK, 1, [](int, int a, int) { return a == 1; }},
        {SB_THUMBPOSITION, 999, [](int, int a, int last) { return a >= last; }},
        {SB_LINEDOWN, 0, [](int b, int a, int) { return a == b; }},  // at the end
        {SB_LINEUP, 0, [](int b, int a, int) { return a < b; }},
        {SB_PAGEUP, 0, [](int b, int a, int) { return a < b; }},
        {SB_THUMBTRACK, 999, [](int, int a, int last) { return a == last; }},
    };
    // The bars' own positions cannot be read from another process under Wine; the form's is
    // where its controls are: the Copy button's place in the layout less its real place.
    for (const int bar : {SB_HORZ, SB_VERT}) {
        const UINT message = bar == SB_HORZ ? WM_HSCROLL : WM_VSCROLL;
        int last = 0;
        for (const Step& step : steps) {
            SCOPED_TRACE("bar " + std::to_string(bar) + ", request " + std::to_string(step.code));
            const int before = FormPosition(Program(), bar);
            SendMessageA(view, message, MAKEWPARAM(step.code, step.thumb), 0);
            ASSERT_TRUE(Program().WaitUntilIdle());
            const int after = FormPosition(Program(), bar);
            EXPECT_TRUE(step.expected(before, after, last)) << before << " -> " << after << ", last " << last;
            last = std::max(last, after);
        }
    }
    // A size change that leaves the form larger than the view keeps it scrolled.
    SetWindowPos(frame, nullptr, 0, 0, 120, 100, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(Program().WaitUntilIdle());
    EXPECT_GT(FormPosition(Program(), SB_HORZ), 0);
    EXPECT_GT(FormPosition(Program(), SB_VERT), 0);

    SetWindowPos(frame, nullptr, 0, 0, 480, 400, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(Program().WaitUntilIdle());
    EXPECT_FALSE(GetWindowLongA(view, GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL));
    EXPECT_EQ(FormPosition(Program(), SB_HORZ), 0);
    EXPECT_EQ(FormPosition(Program(), SB_VERT), 0);
}

TEST(DesktopProfile, ValuesOfEveryStoredTypeAreRead) {
    ProgramUnderTest::EndStrayInstances();
    DeleteProfile();
    const auto integer = [](std::int32_t value) { return std::string(reinterpret_cast<const char*>(&value), 4); };
    struct Row {
        const char* section;
        const char* name;
        RegistryValue value;
    };
    const Row rows[] = {
        // A number to save of 3 keeps the first-run dialog closed and loads three of the four clips.
        {"Configure", "NumberToSave", {REG_BINARY, integer(3)}},
        {"Configure", "ConfirmExit", {REG_BINARY, integer(0)}},
        {"Configure", "AlwaysOnTop", {REG_BINARY, integer(1)}},
        {"LastClips", "CLIP 00", {REG_EXPAND_SZ, std::string("%PATH% expand\0", 14)}},
        {"LastClips", "CLIP 01", {REG_BINARY, std::string("binary\0tail", 11)}},
        {"LastClips", "CLIP 02", {REG_MULTI_SZ, std::string("multi\0second\0\0", 14)}},
        {"LastClips", "CLIP 03", {REG_SZ, std::string("beyond the number\0", 18)}},
    };
    for (const Row& row : rows) ProfileSection(row.section).WriteValue(row.name, row.value);

    ProgramUnderTest program = ProgramUnderTest::Launch();
    ASSERT_TRUE(program.WaitUntilReady()) << "the first-run Configure dialog opened";
    EXPECT_EQ(program.Clippings(), (std::vector<std::string>{"%PATH% expand", "binary", "multi"}));
    EXPECT_TRUE(GetWindowLongA(program.MainWindow(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(program.Close(), std::optional<DWORD>(0)) << "the close asked for confirmation";
}

TEST(DesktopFonts, TheCaptionButtonsFontIsInstalled) {
    const HFONT font = CreateFontA(16, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SYMBOL_CHARSET, OUT_DEFAULT_PRECIS,
                                   CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "Marlett");
    const HDC screen = GetDC(nullptr);
    const HGDIOBJ old = SelectObject(screen, font);
    char face[LF_FACESIZE] = "";
    GetTextFaceA(screen, sizeof face, face);
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
    DeleteObject(font);
    EXPECT_STREQ(face, "Marlett");
}
