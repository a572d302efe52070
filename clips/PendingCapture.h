#pragma once
// A capture that found the clipboard held by another program and waits to try again. Many
// programs open the clipboard once more right after their copy; the copy is still taken once
// they let go, as long as the clipboard still holds that copy and they let go soon enough.
#include <cstdint>

// How often and for how long the program tries again for a clipboard another program holds.
struct ClipboardPatience {
    std::uint32_t intervalMs;
    std::uint32_t limitMs;
    // Wrapping tick counts still give the right answer: the difference is taken unsigned.
    constexpr bool AllowsRetry(std::uint32_t startMs, std::uint32_t nowMs) const { return nowMs - startMs < limitMs; }
};

// A capture's look at the clipboard: one attempt, without waiting.
constexpr ClipboardPatience kOneAttempt{0, 0};
// A notification's capture: tried again on a timer while the program's message loop runs on.
constexpr ClipboardPatience kCapturePatience{25, 2000};
// The Copy command: the user waits for it, so it waits only a moment.
constexpr ClipboardPatience kCopyPatience{20, 500};

class PendingCapture {
public:
    enum class Tick {
        Retry,   // try the capture again now
        GiveUp,  // nothing is pending any more: stop the timer
    };

    bool IsPending() const { return m_pending; }
    std::uint32_t Sequence() const { return m_sequence; }

    // An attempt to capture the content announced under this clipboard sequence number found
    // the clipboard held. Another attempt for the same content keeps the wait's start; any
    // other content takes the place of what was pending: one capture waits at most.
    void Held(std::uint32_t sequence, std::uint32_t nowMs);
    // The capture is settled (read, empty, private or failed): nothing waits any more.
    void Settle() { m_pending = false; }
    // A timer tick: try again while the clipboard still holds the content that was announced
    // and the patience lasts. Content replaced meanwhile came with a notification of its own.
    Tick OnTick(std::uint32_t sequenceNow, std::uint32_t nowMs);

private:
    bool m_pending = false;
    std::uint32_t m_sequence = 0;
    std::uint32_t m_startMs = 0;
};
