#include "clips/ClipboardAccess.h"

#include <cstring>
#include <iterator>

#include "clips/CaptureRules.h"
#include "clips/PendingCapture.h"
#include "framework/CodePage.h"
#include "framework/SystemFunction.h"
#include "framework/WideText.h"

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
    static const auto listFormats = SystemFunction<ListFormats>(L"user32.dll", "GetUpdatedClipboardFormats");
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
        ::RegisterClipboardFormatW(Wide(capture::kExcludeMarkerFormats[0])),
        ::RegisterClipboardFormatW(Wide(capture::kExcludeMarkerFormats[1])),
    };
    static const UINT historyConsent = ::RegisterClipboardFormatW(Wide(capture::kHistoryConsentFormat));

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

bool SystemClipboard::Open(const ClipboardPatience& patience) {
    bool open = ::OpenClipboard(m_owner) != FALSE;
    for (const DWORD start = ::GetTickCount(); !open && patience.AllowsRetry(start, ::GetTickCount());) {
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, patience.intervalMs, QS_SENDMESSAGE);
        MSG sent;
        ::PeekMessageW(&sent, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        open = ::OpenClipboard(m_owner) != FALSE;
    }
    return open;
}

std::optional<std::u16string> SystemClipboard::ReadText() {
    const ClipboardSurvey survey = SurveyOpenClipboard();
    if (survey.formats.Empty() || survey.excluded) return std::nullopt;
    std::optional<std::u16string> unicode;
    if (survey.formats.Has(capture::kUnicodeTextFormat)) {
        const GlobalLockScope data(::GetClipboardData(CF_UNICODETEXT));
        if (data.Data()) unicode = capture::UnicodeTextFromBlock(data.Data(), data.Size());
        if (unicode && (survey.formats.UnicodeFirst() || !FitsCodePage(*unicode))) return unicode;
    }
    // A text put as 8-bit text that the code page holds is taken as its bytes, exactly as copied.
    for (const unsigned format : capture::TextFormatsToTry(survey.formats)) {
        if (format == 0) continue;
        const GlobalLockScope data(::GetClipboardData(format));
        if (data.Data()) return FromCodePage(capture::TextFromBlock(data.Data(), data.Size()));
    }
    return unicode;
}

namespace {
// A global block holding the bytes, ready for the clipboard; empty when memory ran out.
OwnedGlobalBlock BlockFor(const void* bytes, std::size_t size) {
    OwnedGlobalBlock block(GMEM_MOVEABLE | GMEM_DDESHARE, size);
    if (!block) return block;
    const GlobalLockScope locked(block.Get());
    if (!locked.Data()) return OwnedGlobalBlock();
    std::memcpy(locked.Data(), bytes, size);
    return block;
}
}  // namespace

bool SystemClipboard::WriteText(const std::u16string& text) {
    // Both forms are made before the content is touched.
    OwnedGlobalBlock unicode = BlockFor(text.c_str(), (text.size() + 1) * sizeof(char16_t));
    const std::string codePage = ToCodePage(text);
    OwnedGlobalBlock ansi = BlockFor(codePage.c_str(), codePage.size() + 1);
    if (!unicode || !ansi) return false;  // offered nothing: the blocks are freed with their owners
    ::EmptyClipboard();
    if (::SetClipboardData(CF_UNICODETEXT, unicode.Get())) unicode.Release();
    if (::SetClipboardData(CF_TEXT, ansi.Get())) ansi.Release();
    return true;
}

namespace {
using ListenerFunction = BOOL(WINAPI*)(HWND);
}  // namespace

ClipboardFormatListener::ClipboardFormatListener(HWND window) : m_window(nullptr) {
    static const auto addListener = SystemFunction<ListenerFunction>(L"user32.dll", "AddClipboardFormatListener");
    if (addListener && addListener(window)) m_window = window;
}

ClipboardFormatListener::~ClipboardFormatListener() {
    static const auto removeListener = SystemFunction<ListenerFunction>(L"user32.dll", "RemoveClipboardFormatListener");
    if (m_window && removeListener) removeListener(m_window);
}
