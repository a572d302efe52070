#pragma once
#include <windows.h>

#include <memory>

#include "tests/wine/support/Wait.h"

namespace harness {

// A clipboard viewer of the test, on a thread of its own: joins the viewer chain, counts
// WM_DRAWCLIPBOARD and passes each notification on, and follows WM_CHANGECBCHAIN.
//
// Created before the program under test starts, it sits behind the program in the chain
// (the program becomes the head and this viewer its next viewer), so "this viewer has seen
// notification N" means the program has finished handling notification N.
class TestViewer {
public:
    // Joins the chain; throws std::runtime_error if that does not happen within the timeout.
    // Joining brings one notification at once, so Notifications() starts at 1.
    explicit TestViewer(Milliseconds timeout = kDefaultTimeout);
    // Leaves the chain (resuming a hung viewer first).
    ~TestViewer();
    TestViewer(const TestViewer&) = delete;
    TestViewer& operator=(const TestViewer&) = delete;

    int Notifications() const;
    bool WaitForNotifications(int count, Milliseconds timeout = kDefaultTimeout) const;
    // WM_CHANGECBCHAIN messages received (whether handled here or passed on).
    int ChainChanges() const;
    HWND Window() const;
    // The window this viewer passes notifications to; null while it is the chain's end.
    HWND NextViewer() const;

    // Stops pumping messages, as a hung program would, until Resume() or destruction.
    // Anything sent to the viewer meanwhile waits (or times out at its sender).
    void Hang();
    void Resume();

    // Leaves the chain cleanly (ChangeClipboardChain) and ends the thread; idempotent.
    void Leave();

private:
    struct State;
    std::shared_ptr<State> m_state;
};

}  // namespace harness
