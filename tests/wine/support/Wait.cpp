#include "tests/wine/support/Wait.h"

#include <windows.h>

#include <algorithm>

namespace harness {

void PumpMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

namespace {

// Sleeps until the interval ends or a message arrives for this thread.
void WaitForMessageOrInterval(Milliseconds interval) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(interval.count()), QS_ALLINPUT);
}

}  // namespace

bool WaitUntil(const std::function<bool()>& predicate, Milliseconds timeout, Milliseconds interval) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (predicate()) return true;
        const auto now = std::chrono::steady_clock::now();
        if (now >= deadline) return false;
        WaitForMessageOrInterval(
            std::min(interval, std::chrono::duration_cast<Milliseconds>(deadline - now) + Milliseconds(1)));
        PumpMessages();
    }
}

void PumpFor(Milliseconds duration) {
    WaitUntil([] { return false; }, duration);
}

}  // namespace harness
