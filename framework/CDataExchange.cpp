#include "framework/CDataExchange.h"

void DDX_Control(CDataExchange* pDX, int id, CWnd& control) {
    if (!control.m_hWnd) control.Attach(pDX->Window().GetDlgItem(id));
}

void DDX_Text(CDataExchange* pDX, int id, CString& value) {
    CWnd edit(pDX->Window().GetDlgItem(id));
    if (pDX->m_bSaveAndValidate)
        value = edit.GetWindowText();
    else
        edit.SetWindowText(value);
}

void DDX_Check(CDataExchange* pDX, int id, int& value) {
    const HWND box = pDX->Window().GetDlgItem(id);
    if (pDX->m_bSaveAndValidate) {
        value = static_cast<int>(::SendMessageW(box, BM_GETCHECK, 0, 0));
    } else {
        if (value < 0 || value > 2) value = 0;
        ::SendMessageW(box, BM_SETCHECK, static_cast<WPARAM>(value), 0);
    }
}
