#pragma once
// The clip view: the form with the clip list and its buttons, the program's clipboard viewer.
// It turns messages into calls on the clip list, the clipboard and the settings.
#include <optional>

#include "clips/ClipJournal.h"
#include "clips/ClipList.h"
#include "clips/ClipboardAccess.h"
#include "clips/ClipboardCapture.h"
#include "clips/ListBoxItems.h"
#include "framework/CButton.h"
#include "framework/CFormView.h"
#include "framework/CListBox.h"
#include "settings/ClipSettings.h"

class CMenu;

class CScrapvaultView : public CFormView {
public:
    CScrapvaultView();

    void OnInitialUpdate() override;
    // Puts one captured text at the top of the clip list, removing its newest exact
    // duplicate first when RemoveDups is on. The text stays the caller's. Virtual so that a
    // test can make a capture fail here.
    virtual void AddClipping(const char16_t* text);
    // Copies the whole current selection to the clipboard, joined from the top down.
    void OnCopy();

    // The end of the session: what the view's destruction would save, saved now, and the view
    // out of the viewer chain so the list stays as saved. ResumeAfterSessionEnd undoes the
    // leaving when the session end is cancelled after all.
    void SaveForSessionEnd();
    void ResumeAfterSessionEnd();

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    const MessageMap* GetMessageMap() const override { return &kMessageMap; }
    static const MessageEntry kMessages[];
    static const MessageMap kMessageMap;

private:
    // Capture, the viewer chain and the clipboard's listeners.
    void OnDrawClipboard();
    void OnClipboardUpdate();
    void OnChangeCbChain(HWND hWndRemove, HWND hWndAfter);
    void OnDestroy();
    void JoinViewerChain();
    void LeaveViewerChain();
    bool MayCapture() const;
    // Either notification: the capture decides whether it brings a copy.
    void OnClipboardChange();
    void OnTimer(UINT_PTR id);
    // Starts or stops the retry timer as the capture starts or stops waiting for the clipboard.
    void FollowCaptureWait();
    void StopWaitingForClipboard();
    // Passes a chain notification on. A next viewer that has stopped responding is skipped
    // rather than allowed to hang the program.
    void PassToNextViewer(UINT message, WPARAM wParam, LPARAM lParam) const;

    // Commands on the clip list.
    void OnClipListDblClk();
    void OnDelete();
    int OnVKeyToItem(UINT nKey, CListBox* pListBox, UINT nIndex);
    void OnClipListSelChange();
    void OnEdit();
    void OnClearAllClippings();
    void OnSaveAllClippings();
    void DeleteSelection();
    // The selected texts from the top down, joined with nothing between them; deselects them.
    CString TakeSelectedText();
    void EnableButtons(BOOL enable) const;

    // Settings, saved clippings and the window's place.
    void OnConfigure();
    void LoadSettings();
    void SaveSettings() const;
    void LoadClippings();
    void SaveClippings();
    void RestorePosition() const;
    void SaveWindowPosition() const;
    void SaveState();
    // Starts rewriting the list in full, a part at each tick of a timer, once the journal has
    // grown about as long as the list: first a copy of the list, then the writes.
    void CompactJournalWhenDue();
    void ContinueCompaction();
    clip_archive::ClipListReader ListReader() const;

    // Layout and the system menu.
    void OnSize(UINT nType, int cx, int cy);
    void LayoutControls();
    void OnInitMenu(CMenu* pMenu);
    void BuildSystemMenu();
    void OnSysCommand(UINT nID, LPARAM lParam);

    // Tells the document the ConfirmExit setting, when the document keeps it.
    void PassConfirmExitToDocument() const;

    HWND m_hNextViewer = nullptr;
    int m_bReady = 0;
    int m_bCopying = 0;
    settings::ClipSettings m_settings = settings::ClipSettings::Defaults();
    CListBox m_clipList;
    CButton m_btnCopy;
    CButton m_btnDelete;
    CButton m_btnEdit;
    // The list box's items, owned with everything derived from them by m_clips: every change
    // of the items goes through m_clips.
    ListBoxItems m_clipListItems{m_clipList};
    // Records each change of the items in the profile as m_clips reports it; made with the load.
    std::optional<ClipJournal> m_journal;
    // The copy of the list a self-started full save starts from, taken a part at each tick (all
    // of it at once would keep the window from answering); begun anew when the list changes.
    std::optional<std::vector<std::u16string>> m_compactionCopy;
    ClipList m_clips{m_clipListItems};
    // Whether the view is in the viewer chain: it joins once, and leaves early at a session end.
    bool m_bInViewerChain = false;
    // While the view is in the chain it is also a clipboard listener, so that a viewer ahead of it
    // that keeps the chain's notifications, or died holding them, costs no copy.
    std::optional<ClipboardFormatListener> m_clipboardListener;
    // The number of items the system menu had before the program added any; -1 until known.
    int m_nStandardSysMenuItems = -1;

    SystemClipboard m_clipboard{m_hWnd};
    // Which copies become clippings: what the notifications, the retry timer and Copy leave to it.
    ClipboardCapture m_capture{m_clipboard, [this](const std::u16string& text) { AddClipping(text.c_str()); }};
    bool m_bRetryTimerRunning = false;

    // 1 while a capture reads the clipboard, for the whole process.
    static int s_bCapturing;
};
