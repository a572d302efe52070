#include "app/CScrapvaultApp.h"

#include <cwchar>
#include <iterator>

#include "app/AppMessages.h"
#include "app/CAboutDlg.h"
#include "app/CMainFrame.h"
#include "app/CScrapvaultDoc.h"
#include "clips/CScrapvaultView.h"
#include "framework/CSingleDocTemplate.h"
#include "settings/ClipSettings.h"
#include "ui/resource.h"

const MessageEntry CScrapvaultApp::kMessages[] = {
    onCommand<&CScrapvaultApp::OnAppAbout>(ID_APP_ABOUT),
};
const MessageMap CScrapvaultApp::kMessageMap{&CWinApp::kMessageMap, kMessages};

namespace {
// One per user session: another session's instance watches another clipboard.
constexpr wchar_t kOneInstanceMutexName[] = L"Local\\QUORVEX Scrapvault one instance";
// An earlier start may still be on its way to its window, or showing the first-run Configure dialog.
constexpr DWORD kWaitForEarlierInstanceMs = 10000;
constexpr DWORD kPollMs = 50;
}  // namespace

CScrapvaultApp::~CScrapvaultApp() { CloseAllDocuments(FALSE); }

BOOL CScrapvaultApp::InitInstance() {
    if (WakeEarlierInstance()) return FALSE;
    // The window search cannot see a start made a moment ago that has no window yet; the mutex
    // can. Should the system make no mutex, the window search alone decides.
    m_oneInstance = NamedMutex(kOneInstanceMutexName);
    if (m_oneInstance.HeldElsewhere() && !WaitForEarlierInstance()) return FALSE;
    Enable3dControls();
    LoadStdProfileSettings(4);
    AddDocTemplate(CSingleDocTemplate::For<CScrapvaultDoc, CMainFrame, CScrapvaultView>(IDR_MAINFRAME));
    m_nCmdShow = SW_SHOWMINIMIZED;
    SetRegistryKey(u"QUORVEX");
    OnFileNew();
    return TRUE;
}

int CScrapvaultApp::ExitInstance() { return 0; }

BOOL CScrapvaultApp::SaveAllModified() {
    // Read now, not from the view's copy: the stored value is the one the user last confirmed.
    if (settings::ReadConfirmOnWindowsExit(Profile()) && AfxMessageBox(u"Confirm Exit", MB_YESNO) == IDNO) return FALSE;
    // The view's save work runs directly rather than through WM_DESTROY, which would empty the
    // real list box before the session really ends.
    if (auto* frame = dynamic_cast<CFrameWnd*>(m_pMainWnd))
        if (auto* view = frame->GetActiveViewAs<CScrapvaultView>()) view->SaveForSessionEnd();
    return CWinApp::SaveAllModified();
}

bool CScrapvaultApp::WakeEarlierInstance() {
    const HWND earlier = FindEarlierInstance();
    if (earlier) ::SendMessageW(earlier, WM_RESTOREINSTANCE, 0, 0);
    return earlier != nullptr;
}

bool CScrapvaultApp::WaitForEarlierInstance() {
    for (const DWORD start = ::GetTickCount(); ::GetTickCount() - start < kWaitForEarlierInstanceMs;) {
        if (WakeEarlierInstance()) return false;
        // The holder lets go only after its window is gone and its list saved, or by ending.
        if (m_oneInstance.WaitToHold(kPollMs)) return true;
    }
    return false;
}

HWND CScrapvaultApp::FindEarlierInstance() {
    // One byte more than the caption, so a caption with anything added does not match.
    wchar_t caption[std::size(kMainWindowCaption) + 1];
    for (HWND window = ::GetWindow(::GetDesktopWindow(), GW_CHILD); window; window = ::GetWindow(window, GW_HWNDNEXT)) {
        caption[0] = L'\0';
        ::GetWindowTextW(window, caption, static_cast<int>(std::size(caption)));
        if (std::wcscmp(caption, kMainWindowCaption) == 0) return window;
    }
    return nullptr;
}

void CScrapvaultApp::OnAppAbout() {
    CAboutDlg about;
    about.DoModal();
}
