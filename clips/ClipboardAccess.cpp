#include "clips/ClipboardAccess.h"

#include <cstring>
#include <iterator>

#include "clips/CaptureRules.h"
#include "clips/PendingCapture.h"

namespace {
// What the enumeration found on the clipboard.
struct ClipboardSurvey {
    capture::StandardFormats formats;
    bool excluded = false;
};

// Calls visit(format) for each format on the clipboard this thread has open. Enumerating them
// costs a round trip to Wine's server per format; GetUpdatedClipboardFormats (from Windows Vista
// on) lists them in one call, the synthesised ones included. Enumeration remains for older
// systems and for a clipboard with more formats than the list has room for.
template <typename Visit>
void ForEachClipboardFormat(Visit visit) {
    using ListFormats = BOOL(WINAPI*)(UINT*, UINT, UINT*);
    static const auto listFormats = reinterpret_cast<ListFormats>(
        reinterpret_cast<void (*)()>(::GetProcAddress(::GetModuleHandleA("user32.dll"), "GetUpdatedClipboardFormats")));
    UINT listed[64];
    UINT count = 0;
    if (listFormats && listFormats(listed, static_cast<UINT>(std::size(listed)), &count)) {
        for (UINT i = 0; i < count; ++i) visit(listed[i]);
        return;
    }
    for (UINT format = ::EnumClipboardFormats(0); format != 0; format = ::EnumClipboardFormats(format)) visit(format);
}

// Looks at the formats of the clipboard this thread has open.
ClipboardSurvey SurveyOpenClipboard() {
    static const UINT excludeMarkers[] = {
        ::RegisterClipboardFormatA(capture::kExcludeMarkerFormats[0]),
        ::RegisterClipboardFormatA(capture::kExcludeMarkerFormats[1]),
    };
    static const UINT historyConsent = ::RegisterClipboardFormatA(capture::kHistoryConsentFormat);

    ClipboardSurvey survey;
    ForEachClipboardFormat([&](UINT format) {
        survey.formats.Note(format);
        if (format == excludeMarkers[0] || format == excludeMarkers[1]) {
            survey.excluded = true;
        } else if (format == historyConsent) {
            const GlobalLockScope data(::GetClipboardData(format));
            if (capture::HistoryConsentRefused(data.Data(), data.Size())) survey.excluded = true;
        }
    });
    return survey;
}
}  // namespace

OpenClipboardScope::OpenClipboardScope(HWND owner, const ClipboardPatience& patience)
    : m_open(::OpenClipboard(owner) != FALSE) {
    for (const DWORD start = ::GetTickCount(); !m_open && patience.AllowsRetry(start, ::GetTickCount());) {
        // Messages other threads send are answered meanwhile: the holder may be waiting for
        // this thread, the clipboard's last owner, to let its content go.
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, patience.intervalMs, QS_SENDMESSAGE);
        MSG sent;
        ::PeekMessageA(&sent, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        m_open = ::OpenClipboard(owner) != FALSE;
    }
}

ClipboardReading ReadTextToCapture(HWND owner) {
    const OpenClipboardScope clipboard(owner);
    if (!clipboard.IsOpen()) return {true, std::nullopt};
    const ClipboardSurvey survey = SurveyOpenClipboard();
    if (survey.formats.Empty() || survey.excluded) return {};
    for (const unsigned format : capture::TextFormatsToTry(survey.formats)) {
        if (format == 0) continue;
        const GlobalLockScope data(::GetClipboardData(format));
        if (data.Data()) return {false, capture::TextFromBlock(data.Data(), data.Size())};
    }
    return {};
}

void PutTextOnClipboard(HWND owner, const std::string& text) {
    const std::size_t size = text.size() + 1;
    OwnedGlobalBlock block(GMEM_MOVEABLE | GMEM_DDESHARE, size);
    if (!block) return;
    const GlobalLockScope locked(block.Get());
    if (!locked.Data()) return;  // offered nothing: the block is freed with its owner
    std::memcpy(locked.Data(), text.c_str(), size);
    // The lock is released after the clipboard is closed.
    const OpenClipboardScope clipboard(owner, kCopyPatience);
    if (clipboard.IsOpen()) {
        ::EmptyClipboard();
        if (::SetClipboardData(CF_TEXT, block.Get())) block.Release();
    }
}
