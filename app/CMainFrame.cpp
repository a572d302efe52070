#include "app/CMainFrame.h"

#include "app/AppMessages.h"
#include "clips/CScrapvaultView.h"
#include "framework/CMenu.h"
#include "framework/CView.h"
#include "framework/CWinApp.h"
#include "ui/resource.h"

const MessageEntry CMainFrame::kMessages[] = {
    onRawMessage<&CMainFrame::OnRestoreInstance>(WM_RESTOREINSTANCE),
    onRawMessage<&CMainFrame::OnRestoreInstance>(WM_RESTOREINSTANCE_04FF),
    onCreate<&CMainFrame::OnCreate>(),
    onCommand<&CMainFrame::OnHelpTopics>(ID_HELP),
    onInitMenu<&CMainFrame::OnInitMenu>(),
    onSysCommand<&CMainFrame::OnSysCommand>(),
    onEndSession<&CMainFrame::OnEndSession>(),
};
const MessageMap CMainFrame::kMessageMap{&CFrameWnd::kMessageMap, kMessages};

BOOL CMainFrame::LoadFrame(UINT resourceId, DWORD style, CCreateContext* context) {
    return CFrameWnd::LoadFrame(resourceId, style & ~FWS_ADDTOTITLE, context);
}

LRESULT CMainFrame::OnRestoreInstance(WPARAM, LPARAM) {
    ShowWindow(SW_MINIMIZE);
    ShowWindow(SW_RESTORE);
    return 0;
}

int CMainFrame::OnCreate(CREATESTRUCTW* create) { return CFrameWnd::OnCreate(create) == -1 ? -1 : 0; }

void CMainFrame::OnHelpTopics() { AfxGetApp()->WinHelp(0, HELP_FINDER); }

void CMainFrame::OnInitMenu(CMenu* menu) {
    Default();
    SendMessageToDescendants(WM_INITMENU, reinterpret_cast<WPARAM>(menu ? menu->m_hMenu : nullptr), 0, TRUE);
    ::DrawMenuBar(m_hWnd);
}

void CMainFrame::OnSysCommand(UINT id, LPARAM lParam) {
    if (CView* view = GetActiveView()) view->SendMessage(WM_SYSCOMMAND, id, lParam);
    Default();
}

void CMainFrame::OnEndSession(BOOL bEnding) {
    CFrameWnd::OnEndSession(bEnding);
    if (bEnding) return;
    if (auto* view = GetActiveViewAs<CScrapvaultView>()) view->ResumeAfterSessionEnd();
}
