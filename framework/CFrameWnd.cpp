#include "framework/CFrameWnd.h"

#include "framework/CDocument.h"
#include "framework/CView.h"
#include "framework/CWinApp.h"
#include "framework/FrameworkIds.h"
#include "framework/WideText.h"

namespace {
const wchar_t kFrameClass[] = L"FrameworkFrame";

CString LoadResourceString(UINT id) {
    wchar_t buffer[1024] = {};
    ::LoadStringW(AfxGetInstanceHandle(), id, buffer, static_cast<int>(std::size(buffer)));
    return CString(Utf16(buffer));
}

void RegisterFrameClass(UINT resourceId) {
    WNDCLASSW windowClass{};
    if (::GetClassInfoW(AfxGetInstanceHandle(), kFrameClass, &windowClass)) return;
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = ::DefWindowProcW;
    windowClass.hInstance = AfxGetInstanceHandle();
    windowClass.hIcon = ::LoadIconW(AfxGetInstanceHandle(), MAKEINTRESOURCEW(resourceId));
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kFrameClass;
    ::RegisterClassW(&windowClass);
}
}  // namespace

const MessageEntry CFrameWnd::kMessages[] = {
    onCreate<&CFrameWnd::OnCreate>(),
    onSize<&CFrameWnd::OnSize>(),
    onMessage<&CFrameWnd::OnSetFocus>(WM_SETFOCUS),
    onMessage<&CFrameWnd::OnClose>(WM_CLOSE),
    onQueryEndSession<&CFrameWnd::OnQueryEndSession>(),
    onEndSession<&CFrameWnd::OnEndSession>(),
    onInitMenuPopup<&CFrameWnd::OnInitMenuPopup>(),
};
const MessageMap CFrameWnd::kMessageMap{&CWnd::kMessageMap, kMessages};

CFrameWnd::~CFrameWnd() {
    // Taken down here, while the view the frame owns is still whole, so that the view's own
    // WM_DESTROY handling runs.
    if (m_hWnd && ::IsWindow(m_hWnd)) ::DestroyWindow(m_hWnd);
}

BOOL CFrameWnd::LoadFrame(UINT resourceId, DWORD style, CCreateContext* context) {
    m_style = style;
    m_pDocument = context ? context->document : nullptr;
    const CString documentString = LoadResourceString(resourceId);
    const std::u16string& fields = documentString.str();
    m_strTitle = CString(fields.substr(0, fields.find(u'\n')));

    RegisterFrameClass(resourceId);
    const HMENU menu = ::LoadMenuW(AfxGetInstanceHandle(), MAKEINTRESOURCEW(resourceId));
    const HWND hWnd = CreateBound([&] {
        return ::CreateWindowExW(0, kFrameClass, Wide(m_strTitle), style & ~FWS_ADDTOTITLE, CW_USEDEFAULT,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, menu, AfxGetInstanceHandle(),
                                 context);
    });
    if (!hWnd) {
        if (menu) ::DestroyMenu(menu);
        return FALSE;
    }
    m_hAccelTable = ::LoadAcceleratorsW(AfxGetInstanceHandle(), MAKEINTRESOURCEW(resourceId));
    return TRUE;
}

CDocument* CFrameWnd::GetActiveDocument() const { return m_pActiveView ? m_pActiveView->GetDocument() : nullptr; }

void CFrameWnd::InitialUpdateFrame(int showCommand) {
    if (m_view) {
        SetActiveView(m_view.get());
        m_view->OnInitialUpdate();
    }
    OnUpdateFrameTitle();
    ShowWindow(showCommand);
    ::UpdateWindow(m_hWnd);
}

void CFrameWnd::OnUpdateFrameTitle() {
    if (!(m_style & FWS_ADDTOTITLE) || !m_hWnd) return;
    const CString& documentTitle = m_pDocument ? m_pDocument->GetTitle() : CString();
    CString caption = documentTitle.IsEmpty() ? CString(u"Untitled") : documentTitle;
    caption += u" - ";
    caption += m_strTitle;
    SetWindowText(caption);
}

bool CFrameWnd::OnCmdMsg(UINT id, UINT code, bool execute) {
    if (m_pActiveView && m_pActiveView->OnCmdMsg(id, code, execute)) return true;
    if (CWnd::OnCmdMsg(id, code, execute)) return true;
    CWinApp* app = AfxGetApp();
    return app && app->OnCmdMsg(id, code, execute);
}

BOOL CFrameWnd::PreTranslateMessage(MSG* msg) {
    if (msg->message < WM_KEYFIRST || msg->message > WM_KEYLAST || !m_hAccelTable) return FALSE;
    return ::TranslateAcceleratorW(m_hWnd, m_hAccelTable, msg);
}

int CFrameWnd::OnCreate(CREATESTRUCTW* create) {
    const auto* context = static_cast<const CCreateContext*>(create->lpCreateParams);
    if (!context || !context->createView) return 0;
    m_view = context->createView();
    m_view->m_pDocument = context->document;
    m_view->m_pFrame = this;
    if (!m_view->Create(*this, AFX_IDW_PANE_FIRST)) {
        m_view.reset();
        return -1;
    }
    return 0;
}

void CFrameWnd::OnSize(UINT type, int, int) {
    if (type != SIZE_MINIMIZED) RecalcLayout();
}

void CFrameWnd::RecalcLayout() const {
    if (!m_view || !m_view->m_hWnd) return;
    RECT client{};
    GetClientRect(&client);
    m_view->SetWindowPos(nullptr, 0, 0, client.right, client.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
}

void CFrameWnd::OnSetFocus() {
    if (m_pActiveView && m_pActiveView->m_hWnd)
        ::SetFocus(m_pActiveView->m_hWnd);
    else
        Default();
}

void CFrameWnd::OnClose() {
    CWinApp* app = AfxGetApp();
    CDocument* document = GetActiveDocument();
    if (document && !document->CanCloseFrame(this)) return;
    if (app && app->m_pMainWnd == this) {
        if (!document && !app->SaveAllModified()) return;
        app->HideApplication();
        app->CloseAllDocuments(FALSE);
        return;
    }
    DestroyWindow();
}

BOOL CFrameWnd::OnQueryEndSession() {
    CWinApp* app = AfxGetApp();
    if (app && app->m_pMainWnd == this) return app->SaveAllModified();
    return TRUE;
}

void CFrameWnd::OnEndSession(BOOL ending) {
    CWinApp* app = AfxGetApp();
    if (!ending || !app || app->m_pMainWnd != this) return;
    app->CloseAllDocuments(TRUE);
    app->ExitInstance();
}

void CFrameWnd::OnInitMenuPopup(HMENU popup, UINT, BOOL isSystemMenu) {
    if (isSystemMenu) return;
    // An item is enabled exactly when something on the command route handles it.
    const int count = ::GetMenuItemCount(popup);
    for (int position = 0; position < count; ++position) {
        const UINT id = ::GetMenuItemID(popup, position);
        if (id == 0 || id == static_cast<UINT>(-1)) continue;  // separators and sub-menus
        const bool handled = OnCmdMsg(id, 0, false);
        ::EnableMenuItem(popup, static_cast<UINT>(position), MF_BYPOSITION | (handled ? MF_ENABLED : MF_GRAYED));
    }
}

void CFrameWnd::PostNcDestroy() {
    m_pActiveView = nullptr;
    CWinApp* app = AfxGetApp();
    if (app && app->m_pMainWnd == this) {
        app->m_pMainWnd = nullptr;
        ::PostQuitMessage(0);
    }
}
