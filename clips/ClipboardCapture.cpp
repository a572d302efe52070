#include "clips/ClipboardCapture.h"

#include <new>
#include <utility>

#include "clips/CaptureRules.h"

namespace {
// The clipboard open for the lifetime of the object, when opening succeeded.
class OpenPort {
public:
    OpenPort(ClipboardPort& clipboard, const ClipboardPatience& patience)
        : m_clipboard(clipboard), m_open(clipboard.Open(patience)) {}
    ~OpenPort() {
        if (m_open) m_clipboard.Close();
    }
    OpenPort(const OpenPort&) = delete;
    OpenPort& operator=(const OpenPort&) = delete;
    bool IsOpen() const { return m_open; }

private:
    ClipboardPort& m_clipboard;
    bool m_open;
};

// Takes the clipboard's number as examined when the object goes, on every path out of a read.
class NoteExamined {
public:
    NoteExamined(const ClipboardPort& clipboard, std::uint32_t& examined)
        : m_clipboard(clipboard), m_examined(examined) {}
    ~NoteExamined() { m_examined = m_clipboard.SequenceNumber(); }
    NoteExamined(const NoteExamined&) = delete;
    NoteExamined& operator=(const NoteExamined&) = delete;

private:
    const ClipboardPort& m_clipboard;
    std::uint32_t& m_examined;
};
}  // namespace

ClipboardCapture::ClipboardCapture(ClipboardPort& clipboard, std::function<void(const std::u16string&)> take)
    : m_clipboard(clipboard), m_take(std::move(take)) {}

void ClipboardCapture::PassOverCurrent() {
    m_pending.Settle();
    m_examined = m_clipboard.SequenceNumber();
}

void ClipboardCapture::OnNotification(std::uint32_t nowMs) {
    // The notifications of one copy carry one number: the first reads the content, the others find
    // it examined. One handled while the next copy is being written finds that copy's number, not yet
    // examined, and the clipboard held.
    const std::uint32_t sequence = m_clipboard.SequenceNumber();
    if (capture::ClipboardChangedSince(sequence, m_examined)) Capture(sequence, nowMs);
}

void ClipboardCapture::OnTick(std::uint32_t nowMs) {
    if (m_pending.OnTick(m_clipboard.SequenceNumber(), nowMs) == PendingCapture::Tick::Retry)
        Capture(m_pending.Sequence(), nowMs);
}

void ClipboardCapture::Capture(std::uint32_t announced, std::uint32_t nowMs) {
    std::optional<std::u16string> text;
    {
        const OpenPort open(m_clipboard, kOneAttempt);
        // Held: whatever it holds was not seen, so nothing counts as examined. Content replaced
        // meanwhile comes with a notification of its own.
        if (!open.IsOpen()) return m_pending.Held(announced, nowMs);
        text = ReadOpenClipboard();
    }
    // Taken once the clipboard is closed again: other programs need not wait for the profile.
    Take(text);
}

std::optional<std::u16string> ClipboardCapture::ReadOpenClipboard() {
    m_pending.Settle();
    // Noted after the read, with the clipboard still open: reading an X11 program's copy makes Wine
    // put it anew, under a new number, which announces nothing the user copied.
    const NoteExamined examined(m_clipboard, m_examined);
    try {
        return m_clipboard.ReadText();
    } catch (const std::bad_alloc&) {
        return std::nullopt;  // no memory for this text: this one capture is dropped
    }
}

void ClipboardCapture::Take(const std::optional<std::u16string>& text) {
    try {
        if (text) m_take(*text);
    } catch (const std::bad_alloc&) {
        // No room for it in the list: this one capture is dropped, and the list stays as it was.
    }
}

bool ClipboardCapture::Copy(const std::u16string& text) {
    std::optional<std::u16string> unread;
    bool written = false;
    {
        const OpenPort open(m_clipboard, kCopyPatience);
        if (!open.IsOpen()) return false;
        const std::uint32_t sequence = m_clipboard.SequenceNumber();
        if (sequence != 0 && sequence != m_examined) unread = ReadOpenClipboard();
        written = m_clipboard.WriteText(text);
    }
    // The number is final only once the clipboard is closed (Wine adds the formats it makes of the
    // text then). It is the program's own only while its text still stands, so it is read before
    // that is checked: a copy another program makes right after this one is no copy of its own.
    if (written) {
        const std::uint32_t closed = m_clipboard.SequenceNumber();
        if (m_clipboard.HoldsOwnText()) m_examined = closed;
    }
    Take(unread);
    return written;
}
