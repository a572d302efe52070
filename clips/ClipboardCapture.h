#pragma once
// Which clipboard content becomes a clipping, and when: the bookkeeping of the clipboard's sequence
// numbers behind the notifications of a copy, the wait for a clipboard another program holds, and
// the number the program's own Copy leaves. Portable: the clipboard is the interface below.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "clips/PendingCapture.h"

// The clipboard as the capture sees it. ReadText and WriteText are called only while it is open.
class ClipboardPort {
public:
    // The clipboard's sequence number: it rises with every change (an empty, each format written).
    virtual std::uint32_t SequenceNumber() const noexcept = 0;
    // Opens the clipboard for the program, trying again for as long as the patience lasts while
    // another program holds it; false when it stayed held.
    virtual bool Open(const ClipboardPatience& patience) = 0;
    // The text to take from the open clipboard; none when it holds no text or asks to be left alone.
    virtual std::optional<std::u16string> ReadText() = 0;
    // Replaces the open clipboard's content with the text; false when nothing was written.
    virtual bool WriteText(const std::u16string& text) = 0;
    virtual void Close() noexcept = 0;
    // Whether the content is still the one the program last wrote: nobody emptied the clipboard since.
    virtual bool HoldsOwnText() const noexcept = 0;

protected:
    ~ClipboardPort() = default;
};

class ClipboardCapture {
public:
    // Every text the capture takes goes to take, once, in the order the copies were made.
    ClipboardCapture(ClipboardPort& clipboard, std::function<void(const std::u16string&)> take);

    // The content on the clipboard now is no copy of the user's (the start, a rejoined chain).
    void PassOverCurrent();
    // A notification of a change: the viewer chain's or a listener's, in either order, once, twice
    // or late. Only content not yet examined is read.
    void OnNotification(std::uint32_t nowMs);
    // While WaitingForClipboard(), the view's retry timer ticks here.
    void OnTick(std::uint32_t nowMs);
    bool WaitingForClipboard() const { return m_pending.IsPending(); }
    void StopWaiting() { m_pending.Settle(); }
    // The program's own Copy: the text replaces the clipboard's content, and the copy is never taken.
    // A copy another program closed and nobody read yet is taken before it is replaced. False when
    // nothing was written.
    bool Copy(const std::u16string& text);

private:
    // Reads the content announced under this number, or waits for a clipboard another program holds.
    void Capture(std::uint32_t announced, std::uint32_t nowMs);
    // The text of the open clipboard, the content counting as examined however the read ends.
    std::optional<std::u16string> ReadOpenClipboard();
    // Hands a text read on; a failure for want of memory costs only this text.
    void Take(const std::optional<std::u16string>& text);

    ClipboardPort& m_clipboard;
    std::function<void(const std::u16string&)> m_take;
    // The number of the content last read or settled, always taken while the program held the
    // clipboard open: no other program's content can stand under it.
    std::uint32_t m_examined = 0;
    PendingCapture m_pending;
};
