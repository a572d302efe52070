#include "clips/PendingCapture.h"

void PendingCapture::Held(std::uint32_t sequence, std::uint32_t nowMs) {
    if (m_pending && sequence == m_sequence) return;
    m_pending = true;
    m_sequence = sequence;
    m_startMs = nowMs;
}

PendingCapture::Tick PendingCapture::OnTick(std::uint32_t sequenceNow, std::uint32_t nowMs) {
    // A sequence number of 0 means the platform cannot tell: only the patience ends the wait.
    const bool replaced = m_sequence != 0 && sequenceNow != m_sequence;
    if (m_pending && !replaced && kCapturePatience.AllowsRetry(m_startMs, nowMs)) return Tick::Retry;
    m_pending = false;
    return Tick::GiveUp;
}
