// Capture, the clipboard-viewer chain and the start-up: copies made by other threads reach the
// program as other programs' copies do, and viewers of other processes stand behind it in the chain
// and ahead of it. Then how the program fits the real desktop: text from X11 programs, announced
// more than once, and profile values of every type; and a capture that fails, which costs only itself.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <new>
#include <stdexcept>
#include <thread>
#include <utility>

#include "app/CMainFrame.h"
#include "app/CScrapvaultApp.h"
#include "app/CScrapvaultDoc.h"
#include "clips/CScrapvaultView.h"
#include "framework/CListBox.h"
#include "framework/CSingleDocTemplate.h"
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
        {{Text("ansi"), Text("oem", CF_OEMTEXT)}, u"ansi"},
        {{Text("only oem", CF_OEMTEXT)}, u"only oem"},
        {{Text(EveryByte())}, FromWindows1252(EveryByte())},  // as CF_TEXT, not as the OEM text made from it
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

TEST_F(Capture, AViewerBehindThatStoppedAnsweringHoldsNothingUpForLong) {
    viewer.Hang();
    CopyText("behind a hung viewer");
    EXPECT_EQ(program.Clippings(), Texts{u"behind a hung viewer"});
}

// The chain as other programs change it, one step after another: viewers joined before the program
// stand behind it, one joined after it ahead. Whatever they do, the program takes every copy once and
// in order, never its own Copy, and passes on every notification the chain brings it.
TEST(ViewerChain, EveryCopyIsTakenOnceAndInOrderAndPassedOnWhateverTheOtherViewersDo) {
    QuietProfile();
    Viewer last, further, next;  // the chain: the program, next, further, last
    Program program;
    std::optional<Viewer> ahead;
    const struct {
        const char* change;
        std::function<void()> make;
        int passedOn;  // of the three copies and the program's own after them, those the last viewer hears of
    } steps[] = {
        {"a viewer further down leaving", [&] { further.Leave(); }, 4},
        {"the program's next viewer leaving", [&] { next.Leave(); }, 4},
        {"a viewer ahead that passes no WM_DRAWCLIPBOARD on", [&] { ahead.emplace(true); }, 0},
        {"that viewer leaving the chain as it should", [&] { ahead->Leave(); }, 4},
        {"a viewer ahead that passes them on", [&] { ahead.emplace(); }, 4},
        {"that viewer killed", [&] { ahead->Kill(); }, 0},
    };
    Texts expected;
    for (const auto& step : steps) {
        step.make();
        const int before = last.Notifications();
        for (const char* copy : {": one", ": two", ": three"}) {
            CopyText(step.change + std::string(copy));
            expected.insert(expected.begin(), Widen(step.change + std::string(copy)));
        }
        program.Select({1});  // the program's own copy, of which the listener hears once it is made
        program.SendClick(IDC_COPY);
        WaitUntil([&] { return last.Notifications() - before > step.passedOn; }, 300);  // nor more
        EXPECT_EQ(program.Clippings(), expected) << step.change;
        EXPECT_EQ(last.Notifications() - before, step.passedOn) << step.change;
    }
}

// Copies made back to back, each as soon as the program lists the last, while two threads keep both
// processors busy: at once, in writes a few milliseconds apart, or held open after; after every four
// the program's own Copy of the newest, and the next copy right after it.
TEST(ViewerChain, CopiesBackToBackUnderLoadAreEachTakenOnceInOrderAndTheProgramsOwnCopyNever) {
    QuietProfile();
    const ProgramProcess program;
    std::atomic<bool> busy{true};
    const auto spin = [&] {
        while (busy) continue;
    };
    std::thread loops[] = {std::thread(spin), std::thread(spin)};
    CListBox list;
    list.Attach(GetDlgItem(program.View(), IDC_CLIP_LIST));
    Texts expected;
    int late = 0;
    for (int copy = 0; copy < 2000; ++copy) {
        const std::string text = "copy " + std::to_string(copy);
        expected.insert(expected.begin(), Widen(text));
        CopyHere({Text(text), Unicode(Widen(text))}, copy % 4 == 1 ? 3 : 0, copy % 4 == 3 ? 3 : 0);
        late += !WaitUntil([&] { return list.GetCount() > 0 && list.GetText(0).str() == expected.front(); }, 3000);
        if (copy % 4 == 3) program.Press(IDC_COPY, {0});
        WaitUntil([&] { return copy % 4 != 3 || GetClipboardOwner() == program.View(); }, 3000);
    }
    busy = false;
    for (std::thread& loop : loops) loop.join();
    EXPECT_EQ(late, 0) << "copies not listed within 3 s";
    EXPECT_TRUE(ListedBy(program.Main()) == expected);
}

TEST(Startup, ShowsItsWindowMinimisedWithoutTheClipboardsTextAndASecondStartOrARestoreRequestWakesIt) {
    QuietProfile();
    CopyText("on the clipboard before the start");
    Program program;
    EXPECT_TRUE(IsIconic(program.Main()));
    EXPECT_TRUE(program.Clippings().empty());
    EXPECT_EQ(program.Buttons(), "---");

    // A window above the program's whose caption merely begins with the program's is no instance.
    const HWND longer = CreateWindowExA(0, "STATIC", "Scrapvault ", WS_OVERLAPPED | WS_MINIMIZE, 0, 0, 0, 0, nullptr,
                                        nullptr, nullptr, nullptr);
    SetWindowPos(longer, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EXPECT_EQ(RunProcess(ProgramCommandLine("ignored --arguments")), std::optional<DWORD>(0));
    EXPECT_FALSE(IsIconic(program.Main()));
    DestroyWindow(longer);
    for (const UINT request : {WM_USER + 0x3FF, 0x04FF}) {  // either number the two kinds of starter send
        ShowWindow(program.Main(), SW_MINIMIZE);
        EXPECT_EQ(SendMessageA(program.Main(), request, 0, 0), 0) << request;
        EXPECT_FALSE(IsIconic(program.Main())) << request;
    }
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

// The program's view with a capture that fails once in the way the test chooses.
class FailingCaptureView : public CScrapvaultView {
public:
    void AddClipping(const char16_t* text) override {
        if (const auto fail = std::exchange(s_failNext, nullptr)) fail();
        CScrapvaultView::AddClipping(text);
    }
    static inline void (*s_failNext)() = nullptr;
};

// The program's application object with that view in its frame.
class FailingCaptureApp : public CScrapvaultApp {
public:
    BOOL InitInstance() override {
        AddDocTemplate(CSingleDocTemplate::For<CScrapvaultDoc, CMainFrame, FailingCaptureView>(IDR_MAINFRAME));
        SetRegistryKey(u"QUORVEX");
        OnFileNew();
        return TRUE;
    }
};
}  // namespace

using Desktop = Capture;

// Text beyond the code page from X11, which Wine may announce more than once, is taken once and whole.
TEST_F(Desktop, OnlyANotificationThatBringsAClipboardChangeIsCapturedAndX11TextComesWhole) {
    const std::u16string x11 = u"\u0141\u00F3d\u017A \u65E5\u672C \u0416 \U0001F44D end";
    CopyText("windows copy");
    program.Select({0});
    program.SendClick(IDC_COPY);  // the program's own copy, and then an X11 program's
    CopyTextInX11(u8"\u0141\u00F3d\u017A \u65E5\u672C \u0416 \U0001F44D end", viewer);
    EXPECT_EQ(program.Clippings(), (Texts{x11, u"windows copy"}));
    CopyUnicode(x11);  // the same text copied again
    EXPECT_EQ(program.Clippings(), (Texts{x11, x11, u"windows copy"}));
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
        // A number to save of 4 keeps the first-run dialog closed and loads four of the five clips.
        {"Configure", "NumberToSave", REG_BINARY, integer(4)},
        {"Configure", "ConfirmExit", REG_BINARY, integer(0)},
        {"Configure", "AlwaysOnTop", REG_BINARY, integer(1)},
        {"LastClips", "CLIP 00", REG_EXPAND_SZ, std::string("%PATH% \xE9\x80\0", 10)},  // as an 8-bit program wrote it
        {"LastClips", "CLIP 01", REG_BINARY, std::string("binar\xE9\0tail", 11)},       // bytes in the code page
        {"LastClips", "CLIP 02", REG_MULTI_SZ, std::string("multi\0second\0\0", 14)},
        {"LastClips", "CLIP 03", REG_SZ, std::string("binar\xE9\0", 7)},
        {"LastClips", "CLIP 04", REG_SZ, std::string("beyond the number\0", 18)},
    };
    for (const auto& row : rows) Store(row.section, row.name, row.type, row.bytes);
    Program program;  // fails should the first-run Configure dialog open
    EXPECT_EQ(program.Clippings(), (Texts{u"%PATH% \u00E9\u20AC", u"binar\u00E9", u"multi", u"binar\u00E9"}));
    EXPECT_TRUE(GetWindowLongA(program.Main(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(program.Close());  // fails should it ask to confirm the exit
}

TEST(ExceptionBoundary, AFailedCaptureIsDroppedAndTheNextOneIsTaken) {
    const struct {
        void (*fail)();
        bool passedOn;  // an allocation failure is the capture's own: the chain still hears of it
                        // (any other exception is only stopped at the window procedure)
    } rows[] = {{[] { throw std::bad_alloc(); }, true}, {[] { throw std::runtime_error("failed"); }, false}};
    for (const auto& row : rows) {
        QuietProfile();
        Viewer viewer;  // behind the program in the chain
        Program program(std::make_unique<FailingCaptureApp>());
        const int notified = viewer.Notifications();
        FailingCaptureView::s_failNext = row.fail;
        CopyText("lost");
        EXPECT_TRUE(!row.passedOn || WaitUntil([&] { return viewer.Notifications() > notified; }, 1000));
        EXPECT_EQ(program.Clippings(), Texts{});
        CopyText("kept");
        EXPECT_EQ(program.Clippings(), Texts{u"kept"});
    }
}
