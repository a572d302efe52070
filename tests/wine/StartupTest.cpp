// Start-up as a user meets it: one instance per desktop, the first showing, the caption, the
// exit code, and the clipboard's content at start-up left alone.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "tests/wine/support/ChildProcess.h"
#include "tests/wine/support/Clipboard.h"
#include "tests/wine/support/ProfileRegistry.h"
#include "tests/wine/support/ProgramUnderTest.h"
#include "tests/wine/support/RemoteControls.h"
#include "tests/wine/support/Wait.h"

using namespace harness;

namespace {
constexpr UINT kRestoreInstance = WM_USER + 0x3FF;

// A top-level window of the test with a caption of its choice, counting the restore requests
// it is sent.
class CaptionedWindow {
public:
    explicit CaptionedWindow(const char* caption) {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = &CaptionedWindow::Proc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "StartupTestWindow";
        RegisterClassA(&windowClass);  // a second registration fails harmlessly
        m_window = CreateWindowExA(0, "StartupTestWindow", caption, WS_OVERLAPPED, 0, 0, 200, 120, nullptr, nullptr,
                                   GetModuleHandleA(nullptr), nullptr);
        SetWindowLongPtrA(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~CaptionedWindow() { DestroyWindow(m_window); }
    CaptionedWindow(const CaptionedWindow&) = delete;
    CaptionedWindow& operator=(const CaptionedWindow&) = delete;
    int RestoreRequests() const { return m_restoreRequests; }

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == kRestoreInstance) {
            if (auto* self = reinterpret_cast<CaptionedWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA)))
                ++self->m_restoreRequests;
            return 0;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }
    HWND m_window = nullptr;
    int m_restoreRequests = 0;
};

int CountMainWindows() {
    int count = 0;
    for (HWND window = GetWindow(GetDesktopWindow(), GW_CHILD); window; window = GetWindow(window, GW_HWNDNEXT))
        if (WindowText(window) == "Scrapvault") ++count;
    return count;
}
}  // namespace

class Startup : public ::testing::Test {
protected:
    void SetUp() override {
        ProgramUnderTest::EndStrayInstances();
        PrepareQuietStart();
    }
};

TEST_F(Startup, ShowsItsWindowMinimisedCaptionedScrapvaultWithoutTheClipboardsContent) {
    // Captions that differ in case or by one character are not an earlier instance.
    const CaptionedWindow lowerCase("scrapvault");
    const CaptionedWindow longer("Scrapvault ");
    CopyText("on the clipboard before the start");

    ProgramUnderTest program = ProgramUnderTest::Start();

    EXPECT_TRUE(IsIconic(program.MainWindow()));
    EXPECT_EQ(WindowText(program.MainWindow()), "Scrapvault");
    EXPECT_TRUE(program.Clippings().empty());
    EXPECT_EQ(lowerCase.RestoreRequests(), 0);
    EXPECT_EQ(longer.RestoreRequests(), 0);

    // A second start wakes the first and ends with exit code 0, showing nothing of its own.
    const ChildProcess second = ChildProcess::Start(ProgramUnderTest::ExecutablePath(), "ignored --arguments");
    EXPECT_EQ(second.WaitForExit(kStartTimeout), std::optional<DWORD>(0));
    EXPECT_TRUE(WaitUntil([&] { return !IsIconic(program.MainWindow()); }));
    EXPECT_EQ(CountMainWindows(), 1);
    EXPECT_EQ(WindowText(program.MainWindow()), "Scrapvault");

    EXPECT_EQ(program.Close(), std::optional<DWORD>(0));
}

TEST_F(Startup, AForeignWindowCaptionedExactlyScrapvaultCountsAsAnEarlierInstance) {
    const CaptionedWindow foreign("Scrapvault");
    ChildProcess start = ChildProcess::Start(ProgramUnderTest::ExecutablePath());
    // The start waits for the window's answer, so this thread keeps pumping while it waits.
    std::optional<DWORD> exitCode;
    WaitUntil([&] { return (exitCode = start.WaitForExit(Milliseconds(0))).has_value(); }, kStartTimeout);
    EXPECT_EQ(exitCode, std::optional<DWORD>(0));
    EXPECT_EQ(foreign.RestoreRequests(), 1);
    EXPECT_EQ(CountMainWindows(), 1);  // only the foreign window
}
