// No exception crosses a window procedure: a capture that fails costs only itself.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <new>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "app/CMainFrame.h"
#include "app/CScrapvaultDoc.h"
#include "clips/CScrapvaultView.h"
#include "framework/CSingleDocTemplate.h"
#include "framework/CWinApp.h"
#include "tests/wine/support/Clipboard.h"
#include "tests/wine/support/ProfileRegistry.h"
#include "tests/wine/support/RemoteControls.h"
#include "tests/wine/support/TestViewer.h"
#include "ui/resource.h"

using namespace harness;

namespace {
// The program's view with a capture that fails once in the way the test chooses.
class FailingCaptureView : public CScrapvaultView {
public:
    void AddClipping(const char* text) override {
        if (const auto fail = std::exchange(s_failNext, nullptr)) fail();
        CScrapvaultView::AddClipping(text);
    }
    static inline void (*s_failNext)() = nullptr;
};

class FailingCaptureApp : public CWinApp {
public:
    BOOL InitInstance() override {
        AddDocTemplate(CSingleDocTemplate::For<CScrapvaultDoc, CMainFrame, FailingCaptureView>(IDR_MAINFRAME));
        SetRegistryKey("QUORVEX");
        OnFileNew();
        return TRUE;
    }
};
}  // namespace

TEST(ExceptionBoundary, AFailedCaptureIsDroppedAndTheNextOneIsTaken) {
    const struct {
        void (*fail)();
        bool passedOn;  // an allocation failure is the capture's own: the chain still hears of it
    } rows[] = {{[] { throw std::bad_alloc(); }, true}, {[] { throw std::runtime_error("failed"); }, false}};
    for (const auto& row : rows) {
        PrepareQuietStart();
        TestViewer viewer;  // joined first, so the program passes its notifications on to it
        {
            FailingCaptureApp app;
            app.InitFramework(GetModuleHandleA(nullptr), SW_SHOWNORMAL);
            app.InitInstance();
            const HWND list = GetDlgItem(GetDlgItem(app.m_pMainWnd->m_hWnd, AFX_IDW_PANE_FIRST), IDC_CLIP_LIST);
            const int notified = viewer.Notifications();
            FailingCaptureView::s_failNext = row.fail;
            CopyText("lost");
            EXPECT_EQ(WaitUntil([&] { return viewer.Notifications() > notified; }, Milliseconds(3000)), row.passedOn);
            EXPECT_EQ(ListItems(list), std::vector<std::string>{});
            CopyText("kept");
            EXPECT_TRUE(WaitUntil([&] { return ListItems(list) == std::vector<std::string>{"kept"}; }));
        }
        MSG quit;  // the frame's end posts WM_QUIT to this thread
        while (PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
    }
}
