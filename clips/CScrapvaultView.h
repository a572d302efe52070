#pragma once
// The clip view: the form with the clip list and its buttons, the program's clipboard viewer,
// and the home of nearly all of the program's behaviour.
#include "framework/CButton.h"
#include "framework/CFormView.h"
#include "framework/CListBox.h"
#include "settings/ClipSettings.h"

class CScrapvaultDoc;

class CScrapvaultView : public CFormView {
public:
    CScrapvaultView();

    void OnInitialUpdate() override;
    // Puts one captured text at the top of the clip list, removing its newest exact
    // duplicate first when RemoveDups is on. The text stays the caller's.
    void AddClipping(const char* text);

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    const MessageMap* GetMessageMap() const override { return &kMessageMap; }
    static const MessageEntry kMessages[];
    static const MessageMap kMessageMap;

private:
    void OnDrawClipboard();
    void OnChangeCbChain(HWND hWndRemove, HWND hWndAfter);
    void OnDestroy();
    void OnSysCommand(UINT nID, LPARAM lParam);

    void JoinViewerChain();
    void CaptureClipboard();
    // Passes a chain notification on. A next viewer that has stopped responding is skipped
    // rather than allowed to hang the program.
    void PassToNextViewer(UINT message, WPARAM wParam, LPARAM lParam) const;
    CScrapvaultDoc* GetDocument() const;

    HWND m_hNextViewer = nullptr;
    int m_bReady = 0;
    int m_bCopying = 0;
    ClipSettings m_settings = ClipSettings::Defaults();
    CListBox m_clipList;
    CButton m_btnCopy;
    CButton m_btnDelete;
    CButton m_btnEdit;

    // 1 while a capture reads the clipboard, for the whole process.
    static int s_bCapturing;
};
