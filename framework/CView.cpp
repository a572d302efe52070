#include "framework/CView.h"

#include "framework/CDocument.h"
#include "framework/CFrameWnd.h"

const MessageEntry CView::kMessages[] = {
    onMessage<&CView::OnDestroy>(WM_DESTROY),
};
const MessageMap CView::kMessageMap{&CWnd::kMessageMap, kMessages};

bool CView::OnCmdMsg(UINT id, UINT code, bool execute) {
    if (CWnd::OnCmdMsg(id, code, execute)) return true;
    return m_pDocument && m_pDocument->OnCmdMsg(id, code, execute);
}

void CView::OnDestroy() {
    if (m_pFrame && m_pFrame->GetActiveView() == this) m_pFrame->SetActiveView(nullptr);
    Default();
}
