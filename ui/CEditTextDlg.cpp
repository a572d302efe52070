#include "ui/CEditTextDlg.h"

#include "framework/CDataExchange.h"
#include "ui/ClientSize.h"
#include "ui/ControlLayout.h"
#include "ui/resource.h"

const MessageEntry CEditTextDlg::kMessages[] = {
    onSize<&CEditTextDlg::OnSize>(),
};
const MessageMap CEditTextDlg::kMessageMap{&CDialog::kMessageMap, kMessages};

CEditTextDlg::CEditTextDlg(CWnd* pParent) : CDialog(IDD_EDIT_TEXT, pParent) {}

void CEditTextDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Control(pDX, IDOK, m_btnOK);
    DDX_Control(pDX, IDCANCEL, m_btnCancel);
    DDX_Control(pDX, IDC_TEXT, m_editText);
    DDX_Text(pDX, IDC_TEXT, m_strText);
}

BOOL CEditTextDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    LayoutControls();
    return TRUE;
}

void CEditTextDlg::OnSize(UINT, int, int) {
    Default();
    LayoutControls();
}

void CEditTextDlg::LayoutControls() {
    // Before the data exchange has bound the edit (sizes sent while the window is created).
    if (!m_editText.m_hWnd) return;
    const EditTextLayout layout = LayoutEditText(ClientSize(m_hWnd), ClientSize(m_btnOK.m_hWnd), SystemDpi());
    const UINT showAt = SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW;
    m_btnOK.ShowWindow(SW_HIDE);
    m_btnOK.SetWindowPos(nullptr, layout.okButton.x, layout.okButton.y, 0, 0, showAt);
    m_btnCancel.ShowWindow(SW_HIDE);
    m_btnCancel.SetWindowPos(nullptr, layout.cancelButton.x, layout.cancelButton.y, 0, 0, showAt);
    m_editText.SetWindowPos(nullptr, layout.textEdit.x, layout.textEdit.y, layout.textEdit.width,
                            layout.textEdit.height, SWP_NOZORDER);
}
