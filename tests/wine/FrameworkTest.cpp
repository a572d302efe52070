// The framework's contract, in-process: message tables chained to their base, typed decoding,
// command routing view, document, frame, application, commands without a handler disabled
// (greyed in the menu, their keys swallowed), dialog keys in a form view, and binding.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/CDocument.h"
#include "framework/CFormView.h"
#include "framework/CFrameWnd.h"
#include "framework/CSingleDocTemplate.h"
#include "framework/CWinApp.h"

namespace {
constexpr UINT kFrameResource = 500;
constexpr UINT kViewCommand = 601, kDocumentCommand = 602, kFrameCommand = 603, kAppCommand = 604,
               kUnhandledCommand = 605;
constexpr int kEdit = 701, kPressButton = 702;

std::vector<std::string> g_log;

class TestDoc : public CDocument {
protected:
    const MessageMap* GetMessageMap() const override { return &kMessageMap; }
    static const MessageEntry kMessages[];
    static const MessageMap kMessageMap;

private:
    void OnDocumentCommand() { g_log.push_back("document"); }
    void OnViewCommandToo() { g_log.push_back("document took the view's command"); }
};
const MessageEntry TestDoc::kMessages[] = {
    onCommand<&TestDoc::OnDocumentCommand>(kDocumentCommand),
    onCommand<&TestDoc::OnViewCommandToo>(kViewCommand),
};
const MessageMap TestDoc::kMessageMap{&CDocument::kMessageMap, kMessages};

class TestView : public CFormView {
public:
    TestView() : CFormView(700) {}
    UINT lastSizeType = 99;
    int lastWidth = -1, lastHeight = -1;

protected:
    const MessageMap* GetMessageMap() const override { return &kMessageMap; }
    static const MessageEntry kMessages[];
    static const MessageMap kMessageMap;

private:
    void OnViewCommand() { g_log.push_back("view"); }
    void OnPress() { g_log.push_back("pressed"); }
    void OnSize(UINT type, int cx, int cy) {
        lastSizeType = type;
        lastWidth = cx;
        lastHeight = cy;
    }
};
const MessageEntry TestView::kMessages[] = {
    onCommand<&TestView::OnViewCommand>(kViewCommand),
    onControl<&TestView::OnPress>(kPressButton, BN_CLICKED),
    onSize<&TestView::OnSize>(),
};
const MessageMap TestView::kMessageMap{&CFormView::kMessageMap, kMessages};

class TestFrame : public CFrameWnd {
protected:
    const MessageMap* GetMessageMap() const override { return &kMessageMap; }
    static const MessageEntry kMessages[];
    static const MessageMap kMessageMap;

private:
    void OnFrameCommand() { g_log.push_back("frame"); }
    void OnDocumentCommandToo() { g_log.push_back("frame took the document's command"); }
};
const MessageEntry TestFrame::kMessages[] = {
    onCommand<&TestFrame::OnFrameCommand>(kFrameCommand),
    onCommand<&TestFrame::OnDocumentCommandToo>(kDocumentCommand),
};
const MessageMap TestFrame::kMessageMap{&CFrameWnd::kMessageMap, kMessages};

class TestApp : public CWinApp {
protected:
    const MessageMap* GetMessageMap() const override { return &kMessageMap; }
    static const MessageEntry kMessages[];
    static const MessageMap kMessageMap;

private:
    void OnAppCommand() { g_log.push_back("application"); }
    void OnFrameCommandToo() { g_log.push_back("application took the frame's command"); }
};
const MessageEntry TestApp::kMessages[] = {
    onCommand<&TestApp::OnAppCommand>(kAppCommand),
    onCommand<&TestApp::OnFrameCommandToo>(kFrameCommand),
};
const MessageMap TestApp::kMessageMap{&CWinApp::kMessageMap, kMessages};

void DiscardQuit() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

// Holds a key down in this thread's keyboard state, as TranslateAccelerator reads it.
class HeldKey {
public:
    explicit HeldKey(BYTE key) : m_key(key) { Set(0x80); }
    ~HeldKey() { Set(0); }
    HeldKey(const HeldKey&) = delete;
    HeldKey& operator=(const HeldKey&) = delete;

private:
    void Set(BYTE state) const {
        BYTE keys[256];
        GetKeyboardState(keys);
        keys[m_key] = state;
        SetKeyboardState(keys);
    }
    BYTE m_key;
};
}  // namespace

class Framework : public ::testing::Test {
protected:
    void SetUp() override {
        g_log.clear();
        m_app = std::make_unique<TestApp>();
        m_app->m_nCmdShow = SW_SHOWNORMAL;
        m_app->AddDocTemplate(CSingleDocTemplate::For<TestDoc, TestFrame, TestView>(kFrameResource));
        m_app->OnFileNew();
        ASSERT_NE(Frame(), nullptr);
        ASSERT_NE(View(), nullptr);
    }
    void TearDown() override {
        m_app->CloseAllDocuments(FALSE);
        m_app.reset();
        DiscardQuit();
    }

    CFrameWnd* Frame() const { return static_cast<CFrameWnd*>(m_app->m_pMainWnd); }
    TestView* View() const { return static_cast<TestView*>(Frame()->GetActiveView()); }
    HWND ViewControl(int id) const { return GetDlgItem(View()->m_hWnd, id); }

    bool TranslateKey(HWND target, UINT key) const {
        MSG msg{target, WM_KEYDOWN, key, 1, GetTickCount(), {}};
        return m_app->PreTranslateMessage(&msg) != FALSE;
    }

    std::unique_ptr<TestApp> m_app;
};

TEST_F(Framework, CommandsGoToTheViewThenTheDocumentThenTheFrameThenTheApplication) {
    for (UINT command : {kViewCommand, kDocumentCommand, kFrameCommand, kAppCommand, kUnhandledCommand})
        SendMessageA(Frame()->m_hWnd, WM_COMMAND, command, 0);
    EXPECT_EQ(g_log, (std::vector<std::string>{"view", "document", "frame", "application"}));
}

TEST_F(Framework, AMenuItemIsGreyedExactlyWhenNothingOnTheRouteHandlesIt) {
    const HMENU popup = GetSubMenu(GetMenu(Frame()->m_hWnd), 0);
    ASSERT_NE(popup, nullptr);
    EnableMenuItem(popup, kViewCommand, MF_BYCOMMAND | MF_GRAYED);  // stale state must be corrected
    SendMessageA(Frame()->m_hWnd, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), MAKELPARAM(0, FALSE));
    for (UINT command : {kViewCommand, kDocumentCommand, kFrameCommand, kAppCommand})
        EXPECT_EQ(GetMenuState(popup, command, MF_BYCOMMAND) & MF_GRAYED, 0u) << command;
    EXPECT_NE(GetMenuState(popup, kUnhandledCommand, MF_BYCOMMAND) & MF_GRAYED, 0u);
}

TEST_F(Framework, AcceleratorsComeBeforeTheFocusedControlAndKeysWithoutAHandlerAreSwallowed) {
    const HWND edit = ViewControl(kEdit);
    const HeldKey control(VK_CONTROL);
    EXPECT_TRUE(TranslateKey(edit, 'W'));
    EXPECT_TRUE(TranslateKey(edit, 'Q'));
    EXPECT_EQ(g_log, std::vector<std::string>{"view"});
}

TEST_F(Framework, EnterInTheFormPressesTheDefaultButtonOnlyWhileItIsEnabled) {
    const HWND edit = ViewControl(kEdit);
    EXPECT_TRUE(TranslateKey(edit, VK_RETURN));
    EXPECT_EQ(g_log, std::vector<std::string>{"pressed"});

    EnableWindow(ViewControl(kPressButton), FALSE);
    g_log.clear();
    TranslateKey(edit, VK_RETURN);
    EXPECT_TRUE(g_log.empty());
}

TEST_F(Framework, TheViewFillsTheFrameAndGetsItsSizeDecoded) {
    SetWindowPos(Frame()->m_hWnd, nullptr, 10, 10, 400, 300, SWP_NOZORDER);
    RECT client{};
    GetClientRect(Frame()->m_hWnd, &client);
    EXPECT_EQ(View()->lastSizeType, static_cast<UINT>(SIZE_RESTORED));
    EXPECT_EQ(View()->lastWidth, client.right);
    EXPECT_EQ(View()->lastHeight, client.bottom);
}

TEST_F(Framework, MessagesTheClassDoesNotListReachItsBaseClassesAndThenThePlatform) {
    // No WM_DESTROY entry of its own: the view base's handler stops it being the active view.
    // No WM_GETTEXTLENGTH entry anywhere: the platform's own handling answers.
    SetWindowTextA(View()->m_hWnd, "form");
    EXPECT_EQ(SendMessageA(View()->m_hWnd, WM_GETTEXTLENGTH, 0, 0), 4);
    const HWND viewWindow = View()->m_hWnd;
    CView* view = View();
    DestroyWindow(viewWindow);
    EXPECT_EQ(Frame()->GetActiveView(), nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(viewWindow), nullptr);
    EXPECT_EQ(view->m_hWnd, nullptr);
}

TEST_F(Framework, SendMessageToDescendantsReachesGrandchildrenOnlyWhenDeep) {
    const char shallow[] = "shallow";
    Frame()->SendMessageToDescendants(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(shallow), FALSE);
    char text[32] = {};
    GetWindowTextA(View()->m_hWnd, text, sizeof text);
    EXPECT_STREQ(text, "shallow");
    GetWindowTextA(ViewControl(kEdit), text, sizeof text);
    EXPECT_STRNE(text, "shallow");

    const char deep[] = "deep";
    Frame()->SendMessageToDescendants(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(deep), TRUE);
    GetWindowTextA(ViewControl(kEdit), text, sizeof text);
    EXPECT_STREQ(text, "deep");
    GetWindowTextA(ViewControl(kPressButton), text, sizeof text);
    EXPECT_STREQ(text, "deep");
}

TEST_F(Framework, TheFrameCaptionIsTheFirstFieldOfItsStringWithTheDocumentTitleAdded) {
    // The default frame style adds the document's title; a program clears the style to keep
    // its caption exact.
    char caption[64] = {};
    GetWindowTextA(Frame()->m_hWnd, caption, sizeof caption);
    EXPECT_STREQ(caption, "Untitled - Framework Test Frame");
}
