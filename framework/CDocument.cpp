#include "framework/CDocument.h"

#include "framework/CFrameWnd.h"

BOOL CDocument::OnNewDocument() {
    m_strTitle.Empty();
    return TRUE;
}

BOOL CDocument::CanCloseFrame(CFrameWnd*) { return SaveModified(); }

void CDocument::SetTitle(const char16_t* title) {
    m_strTitle = title;
    if (m_pFrame) m_pFrame->OnUpdateFrameTitle();
}
