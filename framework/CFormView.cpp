#include "framework/CFormView.h"

#include "framework/CFrameWnd.h"
#include "framework/CWinApp.h"

namespace {
INT_PTR CALLBACK FormDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }
}  // namespace

const MessageEntry CFormView::kMessages[] = {
    onSize<&CFormView::OnSize>(),
};
const MessageMap CFormView::kMessageMap{&CView::kMessageMap, kMessages};

BOOL CFormView::Create(CFrameWnd& frame, UINT id) {
    const HWND hWnd = CreateBound([&] {
        return ::CreateDialogParamA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(m_templateId), frame.m_hWnd,
                                    &FormDialogProc, 0);
    });
    if (!hWnd) return FALSE;
    ::SetWindowLongPtrA(hWnd, GWLP_ID, static_cast<LONG_PTR>(id));
    RECT rect{};
    ::GetWindowRect(hWnd, &rect);
    m_templateSize = {rect.right - rect.left, rect.bottom - rect.top};
    ShowWindow(SW_SHOW);
    return TRUE;
}

void CFormView::OnInitialUpdate() { UpdateData(FALSE); }

BOOL CFormView::PreTranslateMessage(MSG* msg) {
    if (CFrameWnd* frame = GetParentFrame(); frame && frame->PreTranslateMessage(msg)) return TRUE;
    return ::IsDialogMessageA(m_hWnd, msg);
}

void CFormView::OnSize(UINT, int cx, int cy) {
    SCROLLINFO info{sizeof info, SIF_RANGE | SIF_PAGE, 0, 0, 0, 0, 0};
    info.nMax = m_templateSize.cx - 1;
    info.nPage = static_cast<UINT>(cx > 0 ? cx : 0);
    ::SetScrollInfo(m_hWnd, SB_HORZ, &info, TRUE);
    info.nMax = m_templateSize.cy - 1;
    info.nPage = static_cast<UINT>(cy > 0 ? cy : 0);
    ::SetScrollInfo(m_hWnd, SB_VERT, &info, TRUE);
}
