#pragma once
// The Edit Text dialog: shows one text in a sizable multi-line edit and gives it back on OK.
#include "framework/CButton.h"
#include "framework/CDialog.h"
#include "framework/CEdit.h"

class CEditTextDlg : public CDialog {
public:
    explicit CEditTextDlg(CWnd* pParent = nullptr);

    // A null text gives the empty text.
    void SetText(const char16_t* text) { m_strText = text; }
    // The dialog's own text: as set, or as edited once the dialog closed with OK.
    const char16_t* GetText() const { return m_strText.GetString(); }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    const MessageMap* GetMessageMap() const override { return &kMessageMap; }
    static const MessageEntry kMessages[];
    static const MessageMap kMessageMap;

private:
    void OnSize(UINT nType, int cx, int cy);
    void LayoutControls();

    CButton m_btnOK;
    CButton m_btnCancel;
    CEdit m_editText;
    CString m_strText;
};
