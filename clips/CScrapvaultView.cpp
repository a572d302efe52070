#include "clips/CScrapvaultView.h"

#include "app/CScrapvaultDoc.h"
#include "clips/CaptureRules.h"
#include "clips/ClipboardAccess.h"
#include "framework/CDataExchange.h"
#include "ui/resource.h"

namespace {
// How long a notification may wait for the next viewer before it is given up.
constexpr UINT kNextViewerTimeoutMs = 2000;

// What the enumeration found on the clipboard.
struct ClipboardSurvey {
    capture::StandardFormats formats;
    bool excluded = false;
};

ClipboardSurvey SurveyClipboard(HWND owner) {
    static const UINT excludeMarkers[] = {
        ::RegisterClipboardFormatA(capture::kExcludeMarkerFormats[0]),
        ::RegisterClipboardFormatA(capture::kExcludeMarkerFormats[1]),
    };
    static const UINT historyConsent = ::RegisterClipboardFormatA(capture::kHistoryConsentFormat);

    ClipboardSurvey survey;
    const OpenClipboardScope clipboard(owner);
    if (!clipboard.IsOpen()) return survey;
    for (UINT format = ::EnumClipboardFormats(0); format != 0; format = ::EnumClipboardFormats(format)) {
        survey.formats.Note(format);
        if (format == excludeMarkers[0] || format == excludeMarkers[1]) {
            survey.excluded = true;
        } else if (format == historyConsent) {
            const GlobalLockScope data(::GetClipboardData(format));
            if (capture::HistoryConsentRefused(data.Data(), data.Size())) survey.excluded = true;
        }
    }
    return survey;
}

// The text in one clipboard format; false when the format yields no readable block.
bool ReadClipboardText(HWND owner, unsigned format, std::string& text) {
    const OpenClipboardScope clipboard(owner);
    if (!clipboard.IsOpen()) return false;
    const GlobalLockScope data(::GetClipboardData(format));
    if (!data.Data()) return false;
    text = capture::TextFromBlock(data.Data(), data.Size());
    return true;
}
}  // namespace

int CScrapvaultView::s_bCapturing = 0;

const MessageEntry CScrapvaultView::kMessages[] = {
    onMessage<&CScrapvaultView::OnDrawClipboard>(WM_DRAWCLIPBOARD),
    onChangeCbChain<&CScrapvaultView::OnChangeCbChain>(),
    onMessage<&CScrapvaultView::OnDestroy>(WM_DESTROY),
    onSysCommand<&CScrapvaultView::OnSysCommand>(),
};
const MessageMap CScrapvaultView::kMessageMap{&CFormView::kMessageMap, kMessages};

CScrapvaultView::CScrapvaultView() : CFormView(IDD_CLIP_FORM) {}

CScrapvaultDoc* CScrapvaultView::GetDocument() const { return static_cast<CScrapvaultDoc*>(CView::GetDocument()); }

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
    GetDocument()->SetConfirmExit(m_settings.ConfirmExit);
    m_bReady = 1;
}

void CScrapvaultView::JoinViewerChain() {
    // A repeated initial update must not join again: the view would become its own next
    // viewer and pass every notification to itself.
    if (m_bReady) return;
    m_hNextViewer = ::SetClipboardViewer(m_hWnd);
    if (m_hNextViewer == m_hWnd) m_hNextViewer = nullptr;
}

void CScrapvaultView::OnDrawClipboard() {
    if (m_clipList.m_hWnd && ::IsWindow(m_clipList.m_hWnd) && m_bReady && !m_bCopying && !s_bCapturing)
        CaptureClipboard();
    PassToNextViewer(WM_DRAWCLIPBOARD, 0, 0);
}

void CScrapvaultView::CaptureClipboard() {
    const ClipboardSurvey survey = SurveyClipboard(m_hWnd);
    if (survey.formats.Empty() || survey.excluded) return;

    s_bCapturing = 1;
    for (const unsigned format : capture::TextFormatsToTry(survey.formats)) {
        std::string text;
        if (format != 0 && ReadClipboardText(m_hWnd, format, text)) {
            AddClipping(text.c_str());
            break;
        }
    }
    s_bCapturing = 0;
}

void CScrapvaultView::AddClipping(const char* text) {
    if (m_settings.RemoveDups) {
        const int duplicate = capture::FindNewestExactDuplicate(
            text, [this, text](int after) { return m_clipList.FindStringExact(after, text); },
            [this](int index) { return m_clipList.GetText(index); });
        if (duplicate >= 0) m_clipList.DeleteString(duplicate);
    }
    m_clipList.InsertString(0, text);
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
    ::SendMessageTimeoutA(m_hNextViewer, message, wParam, lParam, SMTO_ABORTIFHUNG, kNextViewerTimeoutMs, &ignored);
}

void CScrapvaultView::OnDestroy() {
    CView::OnDestroy();
    ::ChangeClipboardChain(m_hWnd, m_hNextViewer);
}

void CScrapvaultView::OnSysCommand(UINT, LPARAM) {
    // The frame carries out every standard system command itself; the view's default handling
    // would apply it to the view's own child window.
}
