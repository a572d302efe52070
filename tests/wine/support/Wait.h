#pragma once
// Waiting without hanging: every wait of the Windows-side tests has a timeout and keeps
// the calling thread's windows responsive while it waits.
#include <chrono>
#include <functional>

namespace harness {

using Milliseconds = std::chrono::milliseconds;

// Long enough for a slow Wine start-up, short enough that a broken test fails in CI.
constexpr Milliseconds kDefaultTimeout{10000};

// Dispatches every message already waiting for this thread.
void PumpMessages();

// Polls the predicate, pumping messages in between, until it holds or the timeout has
// passed. Returns the predicate's last result.
bool WaitUntil(const std::function<bool()>& predicate, Milliseconds timeout = kDefaultTimeout,
               Milliseconds interval = Milliseconds(20));

// Pumps messages for the whole duration; for "nothing happens within ..." checks.
void PumpFor(Milliseconds duration);

}  // namespace harness
