#include "settings/CConfigureDlg.h"

#include <iterator>

#include "framework/CDataExchange.h"
#include "framework/WideText.h"
#include "settings/NumberRule.h"
#include "ui/resource.h"

const MessageEntry CConfigureDlg::kMessages[] = {
    onControl<&CConfigureDlg::OnChangeNumberToSave>(IDC_NUMBER_TO_SAVE, EN_CHANGE),
};
const MessageMap CConfigureDlg::kMessageMap{&CDialog::kMessageMap, kMessages};

CConfigureDlg::CConfigureDlg() : CDialog(IDD_CONFIGURE) {}

void CConfigureDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Control(pDX, IDOK, m_btnOK);
    DDX_Check(pDX, IDC_NO_DUPLICATES, m_settings.RemoveDups);
    DDX_Check(pDX, IDC_ALWAYS_ON_TOP, m_settings.AlwaysOnTop);
    DDX_Check(pDX, IDC_MINIMIZE_ON_COPY, m_settings.MinimizeOnCopy);
    DDX_Check(pDX, IDC_CONFIRM_EXIT, m_settings.ConfirmExit);
    DDX_Check(pDX, IDC_CONFIRM_ON_WINDOWS_EXIT, m_settings.ConfirmOnWindowsExit);
    DDX_Check(pDX, IDC_SYSTEM_MENU_CLIPPINGS, m_settings.SystemMenuClippings);
    if (pDX->m_bSaveAndValidate)
        ReadNumberBox();
    else
        ::SetDlgItemTextW(m_hWnd, IDC_NUMBER_TO_SAVE, Wide(FormatNumberToSave(m_settings.NumberToSave).c_str()));
}

BOOL CConfigureDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    EnableOkByNumber();
    return TRUE;
}

void CConfigureDlg::OnChangeNumberToSave() {
    ReadNumberBox();
    EnableOkByNumber();
}

void CConfigureDlg::ReadNumberBox() {
    // A 9-character buffer: what lies beyond the eighth character is not read.
    wchar_t text[kNumberBoxChars + 1] = {};
    ::GetDlgItemTextW(m_hWnd, IDC_NUMBER_TO_SAVE, text, static_cast<int>(std::size(text)));
    m_settings.NumberToSave = ScanNumberToSave(Utf16(text), m_settings.NumberToSave);
}

void CConfigureDlg::EnableOkByNumber() const { m_btnOK.EnableWindow(m_settings.NumberToSave > 0); }
