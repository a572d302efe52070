#pragma once
// A modal dialog on a dialog template: data exchange on opening and on OK, centred over the
// main window (over the work area while that is hidden or minimised).
#include "framework/CWnd.h"

class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId, CWnd* parent = nullptr) : m_templateId(templateId), m_pParent(parent) {}

    // IDOK or IDCANCEL as the dialog was closed; -1 when it could not be created.
    virtual INT_PTR DoModal();

protected:
    // Fills the controls from the members; TRUE lets the platform focus the first control.
    virtual BOOL OnInitDialog();
    // Reads the controls into the members and closes with IDOK.
    virtual void OnOK();
    virtual void OnCancel();
    void EndDialog(int result) const { ::EndDialog(m_hWnd, result); }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    const MessageMap* GetMessageMap() const override { return &kMessageMap; }
    static const MessageEntry kMessages[];
    static const MessageMap kMessageMap;

private:
    void CenterOverOwner() const;

    UINT m_templateId;
    CWnd* m_pParent;
};
