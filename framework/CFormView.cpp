#include "framework/CFormView.h"

#include "framework/CFrameWnd.h"
#include "framework/CWinApp.h"

namespace {
INT_PTR CALLBACK FormDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

scrolling::Request RequestOf(UINT code) {
    switch (code) {
        case SB_LINEUP:
            return scrolling::Request::LineBack;
        case SB_LINEDOWN:
            return scrolling::Request::LineForward;
        case SB_PAGEUP:
            return scrolling::Request::PageBack;
        case SB_PAGEDOWN:
            return scrolling::Request::PageForward;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION:
            return scrolling::Request::ToThumb;
        case SB_TOP:
            return scrolling::Request::ToStart;
        case SB_BOTTOM:
            return scrolling::Request::ToEnd;
        default:
            return scrolling::Request::None;
    }
}
}  // namespace

const MessageEntry CFormView::kMessages[] = {
    onSize<&CFormView::OnSize>(),
    onScroll<&CFormView::OnHScroll>(WM_HSCROLL),
    onScroll<&CFormView::OnVScroll>(WM_VSCROLL),
};
const MessageMap CFormView::kMessageMap{&CView::kMessageMap, kMessages};

BOOL CFormView::Create(CFrameWnd& frame, UINT id) {
    const HWND hWnd = CreateBound([&] {
        return ::CreateDialogParamW(AfxGetInstanceHandle(), MAKEINTRESOURCEW(m_templateId), frame.m_hWnd,
                                    &FormDialogProc, 0);
    });
    if (!hWnd) return FALSE;
    ::SetWindowLongPtrW(hWnd, GWLP_ID, static_cast<LONG_PTR>(id));
    RECT rect{};
    ::GetWindowRect(hWnd, &rect);
    m_templateSize = {rect.right - rect.left, rect.bottom - rect.top};
    ShowWindow(SW_SHOW);
    return TRUE;
}

void CFormView::OnInitialUpdate() { UpdateData(FALSE); }

BOOL CFormView::PreTranslateMessage(MSG* msg) {
    if (CFrameWnd* frame = GetParentFrame(); frame && frame->PreTranslateMessage(msg)) return TRUE;
    return ::IsDialogMessageW(m_hWnd, msg);
}

void CFormView::OnSize(UINT, int, int) {
    // A bar that appears or goes changes the client area and brings a WM_SIZE of its own, so
    // each bar reads the client area afresh instead of trusting this message's size.
    for (const int bar : {SB_HORZ, SB_VERT}) {
        const scrolling::Axis axis = AxisOf(bar);
        SCROLLINFO info{sizeof info, SIF_RANGE | SIF_PAGE, 0, axis.extent - 1, static_cast<UINT>(axis.page), 0, 0};
        ::SetScrollInfo(m_hWnd, bar, &info, TRUE);
        const int current = bar == SB_HORZ ? m_scrollPosition.x : m_scrollPosition.y;
        ScrollTo(bar, scrolling::ClampPosition(current, AxisOf(bar)));
    }
}

void CFormView::OnHScroll(UINT code, int thumbPosition, HWND scrollBar) {
    if (scrollBar) return;
    OnScroll(SB_HORZ, code, thumbPosition);
}

void CFormView::OnVScroll(UINT code, int thumbPosition, HWND scrollBar) {
    if (scrollBar) return;
    OnScroll(SB_VERT, code, thumbPosition);
}

void CFormView::OnScroll(int bar, UINT code, int thumbPosition) {
    const int current = bar == SB_HORZ ? m_scrollPosition.x : m_scrollPosition.y;
    ScrollTo(bar, scrolling::NextPosition(current, RequestOf(code), thumbPosition, AxisOf(bar)));
}

void CFormView::ScrollTo(int bar, int position) {
    LONG& current = bar == SB_HORZ ? m_scrollPosition.x : m_scrollPosition.y;
    const int moveBy = static_cast<int>(current) - position;
    current = position;
    ::SetScrollPos(m_hWnd, bar, position, TRUE);
    if (moveBy == 0) return;
    ::ScrollWindowEx(m_hWnd, bar == SB_HORZ ? moveBy : 0, bar == SB_VERT ? moveBy : 0, nullptr, nullptr, nullptr,
                     nullptr, SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
}

scrolling::Axis CFormView::AxisOf(int bar) const {
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    return bar == SB_HORZ ? scrolling::Axis{m_templateSize.cx, client.right}
                          : scrolling::Axis{m_templateSize.cy, client.bottom};
}
