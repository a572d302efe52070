// No exception crosses a window procedure: a capture that fails costs only itself.
#include <gtest/gtest.h>

#include <new>
#include <stdexcept>
#include <utility>

#include "app/CMainFrame.h"
#include "app/CScrapvaultApp.h"
#include "app/CScrapvaultDoc.h"
#include "clips/CScrapvaultView.h"
#include "framework/CSingleDocTemplate.h"
#include "tests/wine/support/Harness.h"
#include "ui/resource.h"

using namespace harness;

namespace {
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
        if (row.passedOn) {
            EXPECT_TRUE(WaitUntil([&] { return viewer.Notifications() > notified; }, 1000));
        }
        EXPECT_EQ(program.Clippings(), Texts{});
        CopyText("kept");
        EXPECT_EQ(program.Clippings(), Texts{u"kept"});
    }
}
