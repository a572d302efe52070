#pragma once
// A C++ object bound to a window handle: the one place where C++ meets the window procedure.
// Objects of derived classes get their messages through the class's message table; a plain
// CWnd attached to a control only holds the handle and forwards to SendMessage.
#include "framework/CCmdTarget.h"
#include "framework/CString.h"

class CWnd : public CCmdTarget {
public:
    CWnd() = default;
    explicit CWnd(HWND hWnd) : m_hWnd(hWnd) {}
    ~CWnd() override;

    HWND m_hWnd = nullptr;

    // The object bound to a window by the framework, or null.
    static CWnd* FromHandlePermanent(HWND hWnd);

    // Makes a control wrapper refer to a window it does not own.
    void Attach(HWND hWnd) { m_hWnd = hWnd; }

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    // Sends the message to each child and, when deep, to each descendant, a window before its children.
    void SendMessageToDescendants(UINT message, WPARAM wParam = 0, LPARAM lParam = 0, BOOL deep = TRUE) const;

    BOOL ShowWindow(int showCommand) const { return ::ShowWindow(m_hWnd, showCommand); }
    BOOL EnableWindow(BOOL enable = TRUE) const { return ::EnableWindow(m_hWnd, enable); }
    BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
    BOOL SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags) const;
    void GetWindowRect(RECT* rect) const { ::GetWindowRect(m_hWnd, rect); }
    void GetClientRect(RECT* rect) const { ::GetClientRect(m_hWnd, rect); }
    CString GetWindowText() const;
    void SetWindowText(const char16_t* text) const;
    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
    BOOL DestroyWindow();
    // A timer of the window's own, announced to it by WM_TIMER with the id.
    UINT_PTR SetTimer(UINT_PTR id, UINT elapseMs) const { return ::SetTimer(m_hWnd, id, elapseMs, nullptr); }
    BOOL KillTimer(UINT_PTR id) const { return ::KillTimer(m_hWnd, id); }

    // The insert-after values of SetWindowPos as window objects.
    static const CWnd wndTopMost;
    static const CWnd wndNoTopMost;

    // Gives the window a chance to act on a message before it is translated and dispatched.
    virtual BOOL PreTranslateMessage(MSG* msg);

    // The default answer to WM_VKEYTOITEM: the list performs its own action for the key.
    int OnVKeyToItem(UINT key, CWnd* list, UINT caretIndex);

    // Exchanges values between the controls and the members; binds controls on the first call.
    BOOL UpdateData(BOOL saveAndValidate = TRUE);

protected:
    // Runs a creation call with the first window it creates bound to this object from that
    // window's first message on; the window's children stay plain windows.
    template <typename Create>
    auto CreateBound(Create&& create) {
        BindScope scope(*this);
        return create();
    }

    virtual void DoDataExchange(class CDataExchange*) {}

    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // A command or a control notification (WM_COMMAND): routed through OnCmdMsg.
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    // The platform's processing of the message being handled.
    LRESULT Default();
    // Called after the window is gone and unbound.
    virtual void PostNcDestroy() {}

private:
    struct BindScope {
        explicit BindScope(CWnd& wnd);
        ~BindScope();
        BindScope(const BindScope&) = delete;
        BindScope& operator=(const BindScope&) = delete;
        HHOOK hook;
        CWnd* previous;
    };
    struct CurrentMessage {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };

    static LRESULT CALLBACK BindHook(int code, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK StaticWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    void Bind(HWND hWnd);
    void Unbind();

    WNDPROC m_superProc = nullptr;
    CurrentMessage m_current{};
};
