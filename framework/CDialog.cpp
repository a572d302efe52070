#include "framework/CDialog.h"

#include "framework/CWinApp.h"

namespace {
// Every message goes to the dialog object first; this only tells the dialog manager "not handled".
INT_PTR CALLBACK ModalDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }
}  // namespace

const MessageEntry CDialog::kMessages[] = {
    onCommand<&CDialog::OnOK>(IDOK),
    onCommand<&CDialog::OnCancel>(IDCANCEL),
};
const MessageMap CDialog::kMessageMap{&CWnd::kMessageMap, kMessages};

INT_PTR CDialog::DoModal() {
    CWnd* owner = m_pParent ? m_pParent : AfxGetMainWnd();
    const HWND ownerWindow = owner ? owner->m_hWnd : nullptr;
    return CreateBound([&] {
        return ::DialogBoxParamW(AfxGetInstanceHandle(), MAKEINTRESOURCEW(m_templateId), ownerWindow, &ModalDialogProc,
                                 0);
    });
}

LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_INITDIALOG) return CWnd::WindowProc(message, wParam, lParam);
    const BOOL setFocus = OnInitDialog();
    CenterOverOwner();
    return setFocus;
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    UpdateData(TRUE);
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::CenterOverOwner() const {
    RECT area{};
    const HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
    if (owner && ::IsWindowVisible(owner) && !::IsIconic(owner))
        ::GetWindowRect(owner, &area);
    else
        ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    RECT dialog{};
    GetWindowRect(&dialog);
    const int width = dialog.right - dialog.left;
    const int height = dialog.bottom - dialog.top;
    const int x = area.left + ((area.right - area.left) - width) / 2;
    const int y = area.top + ((area.bottom - area.top) - height) / 2;
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
