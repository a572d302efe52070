#include "app/CScrapvaultDoc.h"

#include "framework/CWinApp.h"

BOOL CScrapvaultDoc::OnNewDocument() {
    if (!CDocument::OnNewDocument()) return FALSE;
    SetTitle(u"");
    return TRUE;
}

BOOL CScrapvaultDoc::CanCloseFrame(CFrameWnd* frame) {
    if (m_bConfirmExit && AfxMessageBox(u"Confirm Exit", MB_YESNO) == IDNO) return FALSE;
    return CDocument::CanCloseFrame(frame);
}
