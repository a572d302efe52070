#include "framework/CWnd.h"

#include <vector>

#include "framework/CDataExchange.h"
#include "framework/WideText.h"

namespace {
// The object whose window is being created on this thread, bound at the first window the
// creation makes (the window itself, before its children).
thread_local CWnd* t_windowBeingCreated = nullptr;
}  // namespace

const CWnd CWnd::wndTopMost{HWND_TOPMOST};
const CWnd CWnd::wndNoTopMost{HWND_NOTOPMOST};

CWnd::~CWnd() {
    // The owner should have destroyed the window while this object was whole. By now the
    // derived parts are gone and none of their handlers may run, so the window is let go of
    // before it is taken down: no window outlives its object, and none calls into a dead one.
    if (!m_superProc || !m_hWnd) return;
    const HWND window = m_hWnd;
    Unbind();
    if (::IsWindow(window)) ::DestroyWindow(window);
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd) {
    // The object sits in the window's user data, read in the process (a window property is a
    // round trip to Wine's server, paid on every message). Only a window that runs the
    // framework's procedure was put there by the framework.
    if (!hWnd || ::GetWindowLongPtrW(hWnd, GWLP_WNDPROC) != reinterpret_cast<LONG_PTR>(&CWnd::StaticWndProc))
        return nullptr;
    return reinterpret_cast<CWnd*>(::GetWindowLongPtrW(hWnd, GWLP_USERDATA));
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
    return ::SendMessageW(m_hWnd, message, wParam, lParam);
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL deep) const {
    // Collect first: a handler may create or destroy windows while we walk.
    std::vector<HWND> children;
    for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    for (HWND child : children) {
        if (!::IsWindow(child)) continue;
        ::SendMessageW(child, message, wParam, lParam);
        if (deep && ::IsWindow(child)) CWnd(child).SendMessageToDescendants(message, wParam, lParam, deep);
    }
}

BOOL CWnd::SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags) const {
    return ::SetWindowPos(m_hWnd, insertAfter ? insertAfter->m_hWnd : nullptr, x, y, cx, cy, flags);
}

CString CWnd::GetWindowText() const {
    const int length = ::GetWindowTextLengthW(m_hWnd);
    std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
    const int copied = ::GetWindowTextW(m_hWnd, Wide(text.data()), length + 1);
    text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
    return CString(std::move(text));
}

void CWnd::SetWindowText(const char16_t* text) const { ::SetWindowTextW(m_hWnd, Wide(text)); }

BOOL CWnd::DestroyWindow() { return m_hWnd ? ::DestroyWindow(m_hWnd) : FALSE; }

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

BOOL CWnd::UpdateData(BOOL saveAndValidate) {
    CDataExchange exchange(*this, saveAndValidate != FALSE);
    DoDataExchange(&exchange);
    return TRUE;
}

int CWnd::OnVKeyToItem(UINT, CWnd*, UINT) { return -1; }

CWnd::BindScope::BindScope(CWnd& wnd)
    : hook(::SetWindowsHookExW(WH_CBT, &CWnd::BindHook, nullptr, ::GetCurrentThreadId())),
      previous(t_windowBeingCreated) {
    t_windowBeingCreated = &wnd;
}

CWnd::BindScope::~BindScope() {
    t_windowBeingCreated = previous;
    if (hook) ::UnhookWindowsHookEx(hook);
}

LRESULT CALLBACK CWnd::BindHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND && t_windowBeingCreated) {
        CWnd* wnd = t_windowBeingCreated;
        t_windowBeingCreated = nullptr;
        try {
            wnd->Bind(reinterpret_cast<HWND>(wParam));
        } catch (...) {
            // No exception may unwind through the platform; the window stays a plain one.
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

void CWnd::Bind(HWND hWnd) {
    m_hWnd = hWnd;
    ::SetWindowLongPtrW(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    m_superProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::StaticWndProc)));
}

void CWnd::Unbind() {
    ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_superProc));
    ::SetWindowLongPtrW(m_hWnd, GWLP_USERDATA, 0);
    m_hWnd = nullptr;
    m_superProc = nullptr;
}

LRESULT CALLBACK CWnd::StaticWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* wnd = FromHandlePermanent(hWnd);
    if (!wnd) return ::DefWindowProcW(hWnd, message, wParam, lParam);

    const CurrentMessage outer = wnd->m_current;
    wnd->m_current = {message, wParam, lParam};
    LRESULT result = 0;
    try {
        result = wnd->WindowProc(message, wParam, lParam);
    } catch (...) {
        // No exception may unwind through the platform: the failed message is dropped and the
        // window goes on with the next one.
    }
    wnd->m_current = outer;

    if (message == WM_NCDESTROY) {
        wnd->Unbind();
        wnd->PostNcDestroy();
    }
    return result;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) return OnCommand(wParam, lParam) ? 0 : Default();
    if (const MessageEntry* entry = GetMessageMap()->Find(message, 0, 0)) return entry->thunk(*this, wParam, lParam);
    return Default();
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    // Accelerators report code 1; they run the same handler as the menu command.
    const UINT code = lParam ? HIWORD(wParam) : 0;
    return OnCmdMsg(LOWORD(wParam), code, true);
}

LRESULT CWnd::Default() {
    return ::CallWindowProcW(m_superProc, m_hWnd, m_current.message, m_current.wParam, m_current.lParam);
}
