#include "clips/CScrapvaultView.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "clips/ClipboardAccess.h"
#include "clips/ConfirmExitHolder.h"
#include "clips/SystemMenuEntries.h"
#include "framework/CDataExchange.h"
#include "framework/CDocument.h"
#include "framework/CMenu.h"
#include "framework/CWinApp.h"
#include "settings/CConfigureDlg.h"
#include "settings/ClipArchive.h"
#include "settings/StoredRect.h"
#include "ui/CEditTextDlg.h"
#include "ui/ClientSize.h"
#include "ui/ControlLayout.h"
#include "ui/resource.h"

namespace {
// How long a notification may wait for the next viewer before it is given up.
constexpr UINT kNextViewerTimeoutMs = 2000;
// The view's timer that tries a capture again while another program holds the clipboard.
constexpr UINT_PTR kCaptureRetryTimer = 1;
// The view's timer that rewrites the list in full a part at a time, and how much each tick does:
// some 10 to 30 ms of registry writes under Wine, so the window keeps answering.
constexpr UINT_PTR kCompactionTimer = 2;
constexpr UINT kCompactionTickMs = 10;
constexpr int kCompactionWritesPerTick = 500;
constexpr int kCompactionCopiesPerTick = 4000;

// One of the view's 0/1 flags, 1 for the object's lifetime: lowered again on every path out,
// an exception included, so a failed copy or capture never leaves capture switched off.
class RaisedFlag {
public:
    explicit RaisedFlag(int& flag) : m_flag(flag) { m_flag = 1; }
    ~RaisedFlag() { m_flag = 0; }
    RaisedFlag(const RaisedFlag&) = delete;
    RaisedFlag& operator=(const RaisedFlag&) = delete;

private:
    int& m_flag;
};

ProfileStore& Profile() { return AfxGetApp()->Profile(); }

// far - near without overflowing: a corrupted profile may hold any two numbers.
int Extent(std::int32_t from, std::int32_t to) {
    const long long extent = static_cast<long long>(to) - from;
    return static_cast<int>(std::clamp<long long>(extent, INT_MIN, INT_MAX));
}

// A scrolled form shows its controls shifted by the scroll position.
void Place(const CWnd& control, const ControlPlacement& at, POINT scrolled, UINT flags) {
    control.SetWindowPos(nullptr, at.x - scrolled.x, at.y - scrolled.y, at.width, at.height, flags);
}
}  // namespace

int CScrapvaultView::s_bCapturing = 0;

const MessageEntry CScrapvaultView::kMessages[] = {
    onMessage<&CScrapvaultView::OnDrawClipboard>(WM_DRAWCLIPBOARD),
    onMessage<&CScrapvaultView::OnClipboardUpdate>(WM_CLIPBOARDUPDATE),
    onChangeCbChain<&CScrapvaultView::OnChangeCbChain>(),
    onMessage<&CScrapvaultView::OnDestroy>(WM_DESTROY),
    onControl<&CScrapvaultView::OnCopy>(IDC_COPY, BN_CLICKED),
    onControl<&CScrapvaultView::OnDelete>(IDC_DELETE, BN_CLICKED),
    onControl<&CScrapvaultView::OnEdit>(IDC_EDIT, BN_CLICKED),
    onControl<&CScrapvaultView::OnClipListDblClk>(IDC_CLIP_LIST, LBN_DBLCLK),
    onControl<&CScrapvaultView::OnClipListSelChange>(IDC_CLIP_LIST, LBN_SELCHANGE),
    onVKeyToItem<&CScrapvaultView::OnVKeyToItem>(),
    onCommand<&CScrapvaultView::OnSaveAllClippings>(ID_FILE_SAVE_ALL_CLIPPINGS),
    onCommand<&CScrapvaultView::OnClearAllClippings>(ID_FILE_CLEAR_ALL_CLIPPINGS),
    onCommand<&CScrapvaultView::OnConfigure>(ID_FILE_CONFIGURE),
    onSize<&CScrapvaultView::OnSize>(),
    onInitMenu<&CScrapvaultView::OnInitMenu>(),
    onSysCommand<&CScrapvaultView::OnSysCommand>(),
    onTimer<&CScrapvaultView::OnTimer>(),
};
const MessageMap CScrapvaultView::kMessageMap{&CFormView::kMessageMap, kMessages};

CScrapvaultView::CScrapvaultView() : CFormView(IDD_CLIP_FORM) {}

void CScrapvaultView::PassConfirmExitToDocument() const {
    if (auto* holder = dynamic_cast<ConfirmExitHolder*>(GetDocument())) holder->SetConfirmExit(m_settings.ConfirmExit);
}

void CScrapvaultView::DoDataExchange(CDataExchange* pDX) {
    DDX_Control(pDX, IDC_CLIP_LIST, m_clipList);
    DDX_Control(pDX, IDC_COPY, m_btnCopy);
    DDX_Control(pDX, IDC_DELETE, m_btnDelete);
    DDX_Control(pDX, IDC_EDIT, m_btnEdit);
}

void CScrapvaultView::OnInitialUpdate() {
    CFormView::OnInitialUpdate();
    JoinViewerChain();
    m_btnCopy.EnableWindow(FALSE);
    m_btnDelete.EnableWindow(FALSE);
    m_btnEdit.EnableWindow(FALSE);
    LoadSettings();
    LoadClippings();
    RestorePosition();
    LayoutControls();
    OnInitMenu(nullptr);
    m_capture.PassOverCurrent();
    m_bReady = 1;
}

// ---- Capture and the viewer chain ----

void CScrapvaultView::JoinViewerChain() {
    // Never twice: the view would become its own next viewer and pass every notification
    // to itself.
    if (m_bInViewerChain) return;
    m_hNextViewer = ::SetClipboardViewer(m_hWnd);
    if (m_hNextViewer == m_hWnd) m_hNextViewer = nullptr;
    m_clipboardListener.emplace(m_hWnd);
    m_bInViewerChain = true;
}

void CScrapvaultView::LeaveViewerChain() {
    if (!m_bInViewerChain) return;
    StopWaitingForClipboard();
    m_clipboardListener.reset();
    ::ChangeClipboardChain(m_hWnd, m_hNextViewer);
    m_hNextViewer = nullptr;
    m_bInViewerChain = false;
}

bool CScrapvaultView::MayCapture() const {
    return m_clipList.m_hWnd && ::IsWindow(m_clipList.m_hWnd) && m_bReady && !m_bCopying && !s_bCapturing;
}

void CScrapvaultView::OnDrawClipboard() {
    OnClipboardChange();
    PassToNextViewer(WM_DRAWCLIPBOARD, 0, 0);
}

// A listener's notification is the view's own: nothing to pass on.
void CScrapvaultView::OnClipboardUpdate() { OnClipboardChange(); }

void CScrapvaultView::OnClipboardChange() {
    if (!MayCapture()) return;
    {
        // From the first look at the clipboard on: a notification that the reading itself brings
        // about is no copy of the user's.
        const RaisedFlag capturing(s_bCapturing);
        m_capture.OnNotification(::GetTickCount());
    }
    FollowCaptureWait();
}

void CScrapvaultView::OnTimer(UINT_PTR id) {
    if (id == kCompactionTimer) return ContinueCompaction();
    if (id != kCaptureRetryTimer) return;
    if (MayCapture()) {  // else the next tick tries again
        const RaisedFlag capturing(s_bCapturing);
        m_capture.OnTick(::GetTickCount());
    }
    FollowCaptureWait();
}

void CScrapvaultView::FollowCaptureWait() {
    // The retry timer runs exactly while a capture waits: the common path makes no call for it.
    if (m_capture.WaitingForClipboard() == m_bRetryTimerRunning) return;
    m_bRetryTimerRunning = !m_bRetryTimerRunning;
    if (m_bRetryTimerRunning)
        SetTimer(kCaptureRetryTimer, kCapturePatience.intervalMs);
    else
        KillTimer(kCaptureRetryTimer);
}

void CScrapvaultView::StopWaitingForClipboard() {
    m_capture.StopWaiting();
    FollowCaptureWait();
}

void CScrapvaultView::AddClipping(const char16_t* text) {
    m_clips.InsertAtTop(text, m_settings.RemoveDups != 0);
    CompactJournalWhenDue();
}

void CScrapvaultView::OnChangeCbChain(HWND hWndRemove, HWND hWndAfter) {
    if (hWndRemove == m_hNextViewer)
        m_hNextViewer = hWndAfter == m_hWnd ? nullptr : hWndAfter;
    else
        PassToNextViewer(WM_CHANGECBCHAIN, reinterpret_cast<WPARAM>(hWndRemove), reinterpret_cast<LPARAM>(hWndAfter));
}

void CScrapvaultView::PassToNextViewer(UINT message, WPARAM wParam, LPARAM lParam) const {
    if (!m_hNextViewer || m_hNextViewer == m_hWnd) return;
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutW(m_hNextViewer, message, wParam, lParam, SMTO_ABORTIFHUNG, kNextViewerTimeoutMs, &ignored);
}

void CScrapvaultView::OnDestroy() {
    SaveState();
    CView::OnDestroy();
    LeaveViewerChain();
}

void CScrapvaultView::SaveState() {
    SaveClippings();
    SaveWindowPosition();
    SaveSettings();
}

void CScrapvaultView::SaveForSessionEnd() {
    SaveState();
    LeaveViewerChain();
}

void CScrapvaultView::ResumeAfterSessionEnd() {
    // Joining brings a notification for the clipboard as it stands, which is no new copy: as
    // at the start, it is passed on without being captured.
    m_bReady = 0;
    JoinViewerChain();
    m_capture.PassOverCurrent();
    m_bReady = 1;
}

// ---- Commands on the clip list ----

CString CScrapvaultView::TakeSelectedText() {
    CString joined;
    for (const int index : m_clipList.GetSelItems()) {
        joined += m_clips.TextAt(index);
        m_clipList.SetSel(index, FALSE);
    }
    return joined;
}

void CScrapvaultView::EnableButtons(BOOL enable) const {
    if (enable) {
        m_btnCopy.EnableWindow(TRUE);
        m_btnEdit.EnableWindow(TRUE);
        m_btnDelete.EnableWindow(TRUE);
    } else {
        m_btnEdit.EnableWindow(FALSE);
        m_btnDelete.EnableWindow(FALSE);
        m_btnCopy.EnableWindow(FALSE);
    }
}

void CScrapvaultView::OnCopy() {
    if (m_clipList.GetSelCount() <= 0) return;
    {
        const RaisedFlag copying(m_bCopying);
        m_capture.Copy(TakeSelectedText().str());
    }
    FollowCaptureWait();
    EnableButtons(FALSE);
    if (m_settings.MinimizeOnCopy)
        if (const CWnd* mainWnd = AfxGetMainWnd()) mainWnd->ShowWindow(SW_MINIMIZE);
}

void CScrapvaultView::OnClipListDblClk() { OnCopy(); }

void CScrapvaultView::DeleteSelection() {
    std::vector<int> selected = m_clipList.GetSelItems();
    if (selected.empty()) return;
    m_clips.Delete(std::move(selected));
    CompactJournalWhenDue();
    EnableButtons(FALSE);
}

void CScrapvaultView::OnDelete() { DeleteSelection(); }

int CScrapvaultView::OnVKeyToItem(UINT nKey, CListBox* pListBox, UINT nIndex) {
    if (nKey == VK_DELETE) DeleteSelection();
    return CWnd::OnVKeyToItem(nKey, pListBox, nIndex);
}

void CScrapvaultView::OnClipListSelChange() { EnableButtons(m_clipList.GetSelCount() > 0); }

void CScrapvaultView::OnEdit() {
    if (m_clipList.GetSelCount() <= 0) {
        m_btnEdit.EnableWindow(FALSE);
        return;
    }
    const CString joined = TakeSelectedText();
    CEditTextDlg dialog(nullptr);
    dialog.SetText(joined);
    if (dialog.DoModal() == IDOK) {
        m_clips.InsertAtTop(dialog.GetText());
        CompactJournalWhenDue();
    }
    EnableButtons(FALSE);
}

void CScrapvaultView::OnClearAllClippings() {
    if (AfxMessageBox(u"Confirm deletion of ALL clippings!", MB_YESNO | MB_ICONEXCLAMATION) != IDYES) return;
    m_clips.Clear();
    CompactJournalWhenDue();
}

void CScrapvaultView::OnSaveAllClippings() { SaveClippings(); }

// ---- Settings, saved clippings and the window's place ----

void CScrapvaultView::LoadSettings() {
    m_settings = settings::LoadSettings(Profile());
    PassConfirmExitToDocument();
    if (settings::ApplyFirstRunRule(m_settings)) OnConfigure();
}

void CScrapvaultView::SaveSettings() const { settings::SaveSettings(Profile(), m_settings); }

void CScrapvaultView::OnConfigure() {
    CConfigureDlg dialog;
    m_settings.ConfirmOnWindowsExit = settings::ReadConfirmOnWindowsExit(Profile());
    dialog.SetSettings(m_settings);
    if (dialog.DoModal() != IDOK) return;
    m_settings = dialog.GetSettings();
    PassConfirmExitToDocument();
    SaveSettings();
    if (const CWnd* mainWnd = AfxGetMainWnd())
        mainWnd->SetWindowPos(m_settings.AlwaysOnTop ? &CWnd::wndTopMost : &CWnd::wndNoTopMost, 0, 0, 0, 0,
                              SWP_NOMOVE | SWP_NOSIZE);
}

void CScrapvaultView::LoadClippings() {
    // The journal made here stays for the view's life: the one writer of the list's profile.
    if (!m_journal) m_journal.emplace(Profile());
    const std::vector<std::u16string> texts = m_journal->Load(m_settings.NumberToSave);
    m_clips.AppendBatch(static_cast<int>(texts.size()), [&](const auto& append) {
        for (const std::u16string& text : texts) append(text);
    });
    m_clips.Observe(&*m_journal);
}

clip_archive::ClipListReader CScrapvaultView::ListReader() const {
    return {[this] { return m_clips.Count(); }, [this](int index) { return m_clips.TextAt(index); }};
}

void CScrapvaultView::SaveClippings() {
    if (!m_journal || !m_clipList.m_hWnd || !::IsWindow(m_clipList.m_hWnd)) return;
    m_compactionCopy.reset();  // the save below makes the one under way needless
    m_journal->SaveAll(ListReader(), m_settings.RemoveDups != 0);
}

void CScrapvaultView::CompactJournalWhenDue() {
    if (m_compactionCopy) return m_compactionCopy->clear();  // the list changed under the copy
    if (!m_journal || m_journal->SplitSaveUnderWay() || !m_journal->WantsCompaction(m_clips.Count())) return;
    m_compactionCopy.emplace();
    SetTimer(kCompactionTimer, kCompactionTickMs);
}

void CScrapvaultView::ContinueCompaction() {
    if (m_journal && m_journal->SplitSaveUnderWay()) {
        if (m_journal->ContinueSplitSave(kCompactionWritesPerTick)) KillTimer(kCompactionTimer);
        return;
    }
    if (!m_journal || !m_compactionCopy) {
        KillTimer(kCompactionTimer);
        return;
    }
    std::vector<std::u16string>& copy = *m_compactionCopy;
    for (int copied = 0; copied < kCompactionCopiesPerTick && static_cast<int>(copy.size()) < m_clips.Count(); ++copied)
        copy.push_back(m_clips.TextAt(static_cast<int>(copy.size())));
    if (static_cast<int>(copy.size()) < m_clips.Count()) return;
    m_journal->BeginSplitSave({[&] { return static_cast<int>(copy.size()); }, [&](int index) { return copy[index]; }},
                              m_settings.RemoveDups != 0);
    m_compactionCopy.reset();
}

void CScrapvaultView::RestorePosition() const {
    const settings::StoredRect rect = settings::ToPixels(settings::ReadWindowRect(Profile()), SystemDpi());
    const CWnd* mainWnd = AfxGetMainWnd();
    if (!mainWnd) return;
    // Passed on as stored: the platform decides what a negative width or an off-screen place means.
    mainWnd->SetWindowPos(m_settings.AlwaysOnTop ? &CWnd::wndTopMost : &CWnd::wndNoTopMost, rect.Left, rect.Top,
                          Extent(rect.Left, rect.Right), Extent(rect.Top, rect.Bottom), SWP_HIDEWINDOW);
}

void CScrapvaultView::SaveWindowPosition() const {
    const CWnd* mainWnd = AfxGetMainWnd();
    if (!mainWnd || !mainWnd->m_hWnd || mainWnd->IsIconic()) return;
    RECT rect{};
    mainWnd->GetWindowRect(&rect);
    const settings::StoredRect pixels{rect.left, rect.top, rect.right, rect.bottom};
    settings::WriteWindowRect(Profile(), settings::ToStored(pixels, SystemDpi()));
}

// ---- Layout and the system menu ----

void CScrapvaultView::OnSize(UINT nType, int cx, int cy) {
    CFormView::OnSize(nType, cx, cy);
    LayoutControls();
}

void CScrapvaultView::LayoutControls() {
    if (!m_clipList.m_hWnd) return;
    const ClipViewLayout layout = LayoutClipView(ClientSize(m_hWnd), ClientSize(m_btnCopy.m_hWnd), SystemDpi());
    const POINT scrolled = GetScrollPosition();
    Place(m_btnCopy, layout.copyButton, scrolled, SWP_NOSIZE | SWP_NOZORDER);
    Place(m_btnDelete, layout.deleteButton, scrolled, SWP_NOSIZE | SWP_NOZORDER);
    Place(m_btnEdit, layout.editButton, scrolled, SWP_NOSIZE | SWP_NOZORDER);
    Place(m_clipList, layout.clipList, scrolled, SWP_NOZORDER);
}

void CScrapvaultView::OnInitMenu(CMenu* pMenu) {
    if (pMenu) Default();
    BuildSystemMenu();
}

void CScrapvaultView::BuildSystemMenu() {
    CWnd* mainWnd = AfxGetMainWnd();
    if (!mainWnd || !mainWnd->m_hWnd) return;
    const CMenu systemMenu(::GetSystemMenu(mainWnd->m_hWnd, FALSE));
    if (!systemMenu.m_hMenu) return;
    // The platform's own items are counted once, before the program adds any, since their
    // number differs between platforms.
    if (m_nStandardSysMenuItems < 0) m_nStandardSysMenuItems = systemMenu.GetMenuItemCount();

    // Everything after the standard items is the program's: removed, then built anew, so no
    // entry outlives the clipping it stood for. Switched off, the next build only removes.
    for (int count = systemMenu.GetMenuItemCount(); count > m_nStandardSysMenuItems; --count)
        systemMenu.RemoveMenu(static_cast<UINT>(count - 1), MF_BYPOSITION);
    if (!m_settings.SystemMenuClippings) return;

    systemMenu.AppendMenu(MF_SEPARATOR);
    const int entries = system_menu::EntryCount(m_clips.Count());
    for (int id = 1; id <= entries; ++id) {
        const std::u16string label = system_menu::EntryLabel(m_clips.TextAt(id));
        systemMenu.AppendMenu(MF_STRING, static_cast<UINT_PTR>(id), label.c_str());
    }
}

void CScrapvaultView::OnSysCommand(UINT nID, LPARAM) {
    // Every standard system command is the frame's to carry out; the view's default handling
    // would apply it to the view's own child window.
    if (nID > static_cast<UINT>(system_menu::kMaxEntries)) return;
    m_clipList.SetSel(static_cast<int>(nID), TRUE);
    OnCopy();
}
