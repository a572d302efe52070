// How the program fits the real desktop: notifications that bring no clipboard change, text from
// Unicode and X11 programs, both numbers of the restore request and profile values of every type.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>

#include "tests/wine/support/Harness.h"
#include "ui/resource.h"

using namespace harness;

namespace {
// Copies the text as an X11 program does, through xclip (which stays behind to serve it), and
// waits for Wine's announcements of it to pass the program on to the viewer.
void CopyTextInX11(const std::string& text, const Viewer& viewer) {
    const std::string file = "/tmp/scrapvault-x11-copy-" + std::to_string(GetCurrentProcessId());
    std::ofstream(WindowsPath(file), std::ios::binary) << text;
    const int before = viewer.Notifications();
    EXPECT_EQ(RunProcess("start.exe /unix /usr/bin/xclip -selection clipboard " + file), std::optional<DWORD>(0));
    // Wine notices X11 copies about once a second, and may announce one more than once.
    EXPECT_TRUE(WaitUntil([&] { return viewer.Notifications() > before; })) << "the X11 copy was not announced";
    WaitUntil([] { return false; }, 1500);  // for any later announcement
    DeleteFileA(WindowsPath(file).c_str());
}

// What an X11 program reads of the clipboard (xclip -o), as UTF-8; nothing when it read nothing.
std::string ReadInX11() {
    const std::string file = "/tmp/scrapvault-x11-read-" + std::to_string(GetCurrentProcessId());
    DeleteFileA(WindowsPath(file).c_str());
    RunProcess("start.exe /unix /bin/sh -c \"xclip -o -selection clipboard > " + file + ".part && mv " + file +
               ".part " + file + "\"");
    std::string text;
    WaitUntil([&] { return GetFileAttributesA(WindowsPath(file).c_str()) != INVALID_FILE_ATTRIBUTES; }, 5000);
    std::ifstream read(WindowsPath(file), std::ios::binary);
    text.assign(std::istreambuf_iterator<char>(read), {});
    read.close();
    DeleteFileA(WindowsPath(file).c_str());
    return text;
}

// Copies the text as Wine's notepad does: typed into its window, selected whole and copied.
void CopyTextInNotepad(const std::u16string& text, const Viewer& viewer) {
    const SuspendedProcess notepad("notepad.exe");
    notepad.Resume();
    HWND edit = nullptr;
    ASSERT_TRUE(
        WaitUntil([&] { return (edit = FindWindowExW(FindWindowW(L"Notepad", nullptr), nullptr, L"Edit", nullptr)); }));
    const int before = viewer.Notifications();
    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    SendMessageW(edit, EM_SETSEL, 0, -1);
    SendMessageW(edit, WM_COPY, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return viewer.Notifications() > before; })) << "notepad's copy was not announced";
    Settle();
}

}  // namespace

class Desktop : public ::testing::Test {
protected:
    QuietStart quiet;
    Viewer viewer;  // behind the program in the chain
    Program program;
};

TEST_F(Desktop, OnlyANotificationThatBringsAClipboardChangeIsCaptured) {
    const struct {
        const char* what;
        std::function<void()> act;
        Texts expected;
    } rows[] = {
        {"a copy by a Windows program", [] { CopyText("windows copy"); }, {u"windows copy"}},
        {"an X11 copy after the program's own copy",
         [&] {
             program.Select({0});
             program.SendClick(IDC_COPY);
             CopyTextInX11("x11 copy", viewer);
         },
         {u"x11 copy", u"windows copy"}},
        // As a viewer in front of the program passes on a notification that changed nothing, and
        // as Wine announces an X11 copy again: the same sequence number.
        {"a notification sent twice",
         [&] {
             SendMessageA(program.View(), WM_DRAWCLIPBOARD, 0, 0);
             SendMessageA(program.View(), WM_DRAWCLIPBOARD, 0, 0);
         },
         {u"x11 copy", u"windows copy"}},
        {"the same text copied again", [] { CopyText("x11 copy"); }, {u"x11 copy", u"x11 copy", u"windows copy"}},
    };
    for (const auto& row : rows) {
        row.act();
        EXPECT_EQ(program.Clippings(), row.expected) << row.what;
    }
}

TEST_F(Desktop, TextBeyondTheCodePageArrivesWholeFromNotepadAndFromX11AndGoesBackToX11Whole) {
    const std::u16string text = u"\u0141\u00F3d\u017A \u65E5\u672C \u0416 \U0001F44D end";
    const std::string utf8 = u8"\u0141\u00F3d\u017A \u65E5\u672C \u0416 \U0001F44D end";
    CopyTextInNotepad(text, viewer);
    EXPECT_EQ(program.Clippings(), Texts{text});
    CopyTextInX11(utf8 + " in X11", viewer);
    EXPECT_EQ(program.Clippings(), (Texts{text + u" in X11", text}));
    program.Select({1});
    program.SendClick(IDC_COPY);
    EXPECT_EQ(ReadInX11(), utf8);
}

TEST_F(Desktop, EitherNumberOfTheRestoreRequestSentRestoresTheWindowAndAnswersZero) {
    for (const UINT request : {WM_USER + 0x3FF, 0x04FF}) {  // as the two kinds of starter send it
        SendMessageA(program.Main(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
        ASSERT_TRUE(IsIconic(program.Main()));
        EXPECT_EQ(SendMessageA(program.Main(), request, 0, 0), 0) << request;
        EXPECT_FALSE(IsIconic(program.Main())) << request;
    }
}

TEST(DesktopProfile, ValuesOfEveryStoredTypeAreRead) {
    DeleteProfile();
    const auto integer = [](std::int32_t value) { return std::string(reinterpret_cast<const char*>(&value), 4); };
    const struct {
        const char* section;
        const char* name;
        DWORD type;
        std::string bytes;
    } rows[] = {
        // A number to save of 3 keeps the first-run dialog closed and loads three of the four clips.
        {"Configure", "NumberToSave", REG_BINARY, integer(3)},
        {"Configure", "ConfirmExit", REG_BINARY, integer(0)},
        {"Configure", "AlwaysOnTop", REG_BINARY, integer(1)},
        {"LastClips", "CLIP 00", REG_EXPAND_SZ, std::string("%PATH% expand\0", 14)},
        {"LastClips", "CLIP 01", REG_BINARY, std::string("binar\xE9\0tail", 11)},  // bytes in the code page
        {"LastClips", "CLIP 02", REG_MULTI_SZ, std::string("multi\0second\0\0", 14)},
        {"LastClips", "CLIP 03", REG_SZ, std::string("beyond the number\0", 18)},
    };
    for (const auto& row : rows) Store(row.section, row.name, row.type, row.bytes);
    Program program;  // fails should the first-run Configure dialog open
    EXPECT_EQ(program.Clippings(), (Texts{u"%PATH% expand", u"binar\u00E9", u"multi"}));
    EXPECT_TRUE(GetWindowLongA(program.Main(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(program.Close());  // fails should it ask to confirm the exit
}
