#include "framework/CSingleDocTemplate.h"

#include "framework/CWinApp.h"

CSingleDocTemplate::~CSingleDocTemplate() {
    CloseAllDocuments();
    m_frame.reset();
    m_document.reset();
}

CDocument* CSingleDocTemplate::OpenNewDocument(int& showCommand) {
    if (m_document && m_frame) {
        if (!m_document->OnNewDocument()) return nullptr;
        if (CView* view = m_frame->GetActiveView()) view->OnInitialUpdate();
        return m_document.get();
    }

    m_document = m_createDocument();
    m_frame = m_createFrame();
    m_document->m_pFrame = m_frame.get();
    CCreateContext context{m_document.get(), m_createView};
    if (!m_frame->LoadFrame(m_resourceId, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, &context) ||
        !m_document->OnNewDocument()) {
        AfxMessageBox(u"Failed to create empty document.", MB_OK | MB_ICONEXCLAMATION);
        CloseAllDocuments();
        m_frame.reset();
        m_document.reset();
        return nullptr;
    }
    CWinApp* app = AfxGetApp();
    if (app && !app->m_pMainWnd) app->m_pMainWnd = m_frame.get();
    m_frame->InitialUpdateFrame(showCommand);
    showCommand = -1;
    return m_document.get();
}

void CSingleDocTemplate::CloseAllDocuments() {
    if (m_frame && m_frame->m_hWnd) m_frame->DestroyWindow();
}
