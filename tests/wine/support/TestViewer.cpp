#include "tests/wine/support/TestViewer.h"

#include <atomic>
#include <stdexcept>
#include <string>
#include <thread>

#include "tests/wine/support/UniqueHandle.h"

namespace harness {

namespace {

constexpr char kViewerClass[] = "ScrapvaultTestViewer";
constexpr UINT kHangMessage = WM_APP + 1;
constexpr UINT kLeaveMessage = WM_APP + 2;
// Notifications are passed on with a timeout so that a hung viewer further down the chain
// cannot hang the test's own viewer thread, and with it the test.
constexpr UINT kForwardTimeoutMs = 5000;
// The longest a viewer stays hung when nobody resumes it.
constexpr DWORD kLongestHangMs = 120000;
constexpr Milliseconds kThreadEndTimeout{5000};

UniqueHandle MakeEvent(bool manualReset, bool signalled) {
    return UniqueHandle(CreateEventA(nullptr, manualReset, signalled, nullptr));
}

}  // namespace

struct TestViewer::State {
    std::atomic<int> notifications{0};
    std::atomic<int> chainChanges{0};
    std::atomic<HWND> window{nullptr};
    std::atomic<HWND> next{nullptr};
    UniqueHandle joined = MakeEvent(true, false);
    UniqueHandle hung = MakeEvent(true, false);
    UniqueHandle resume = MakeEvent(true, true);
    UniqueHandle finished = MakeEvent(true, false);
    std::thread thread;

    void Run();
    LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};

LRESULT CALLBACK TestViewer::State::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* state = reinterpret_cast<State*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    return state ? state->Handle(window, message, wParam, lParam) : DefWindowProcA(window, message, wParam, lParam);
}

LRESULT TestViewer::State::Handle(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_DRAWCLIPBOARD:
            ++notifications;
            if (HWND following = next.load())
                SendMessageTimeoutA(following, message, wParam, lParam, SMTO_NORMAL, kForwardTimeoutMs, nullptr);
            return 0;
        case WM_CHANGECBCHAIN:
            ++chainChanges;
            if (reinterpret_cast<HWND>(wParam) == next.load())
                next = reinterpret_cast<HWND>(lParam);
            else if (HWND following = next.load())
                SendMessageTimeoutA(following, message, wParam, lParam, SMTO_NORMAL, kForwardTimeoutMs, nullptr);
            return 0;
        case kHangMessage:
            SetEvent(hung.Get());
            WaitForSingleObject(resume.Get(), kLongestHangMs);
            ResetEvent(hung.Get());
            return 0;
        case kLeaveMessage:
            ChangeClipboardChain(hwnd, next.load());
            DestroyWindow(hwnd);
            return 0;
        case WM_DESTROY:
            window = nullptr;
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

void TestViewer::State::Run() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &State::WindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kViewerClass;
    RegisterClassA(&windowClass);  // fails harmlessly when an earlier viewer registered it

    // A message-only window: it takes part in the chain but never appears on the desktop.
    HWND hwnd =
        CreateWindowExA(0, kViewerClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleA(nullptr), this);
    if (hwnd != nullptr) {
        window = hwnd;
        next = SetClipboardViewer(hwnd);
        SetEvent(joined.Get());
        MSG message;
        while (GetMessageA(&message, nullptr, 0, 0) > 0) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    SetEvent(finished.Get());
}

TestViewer::TestViewer(Milliseconds timeout) : m_state(std::make_shared<State>()) {
    std::shared_ptr<State> state = m_state;
    m_state->thread = std::thread([state] { state->Run(); });
    const HANDLE waitFor[] = {m_state->joined.Get(), m_state->finished.Get()};
    const DWORD result = WaitForMultipleObjects(2, waitFor, FALSE, static_cast<DWORD>(timeout.count()));
    if (result != WAIT_OBJECT_0) {
        Leave();
        throw std::runtime_error("the test viewer could not join the clipboard viewer chain");
    }
}

TestViewer::~TestViewer() { Leave(); }

int TestViewer::Notifications() const { return m_state->notifications.load(); }

bool TestViewer::WaitForNotifications(int count, Milliseconds timeout) const {
    return WaitUntil([this, count] { return Notifications() >= count; }, timeout, Milliseconds(5));
}

int TestViewer::ChainChanges() const { return m_state->chainChanges.load(); }

HWND TestViewer::Window() const { return m_state->window.load(); }

HWND TestViewer::NextViewer() const { return m_state->next.load(); }

void TestViewer::Hang() {
    ResetEvent(m_state->resume.Get());
    PostMessageA(Window(), kHangMessage, 0, 0);
    const HANDLE waitFor[] = {m_state->hung.Get(), m_state->finished.Get()};
    WaitForMultipleObjects(2, waitFor, FALSE, static_cast<DWORD>(kThreadEndTimeout.count()));
}

void TestViewer::Resume() { SetEvent(m_state->resume.Get()); }

void TestViewer::Leave() {
    if (!m_state->thread.joinable()) return;
    Resume();
    // Without a window the thread is already on its way out.
    if (HWND hwnd = Window()) PostMessageA(hwnd, kLeaveMessage, 0, 0);
    // A thread stuck in a send to a hung window is let go rather than waited for: the
    // shared state it uses stays alive with it.
    if (WaitForSingleObject(m_state->finished.Get(), static_cast<DWORD>(kThreadEndTimeout.count())) == WAIT_OBJECT_0)
        m_state->thread.join();
    else
        m_state->thread.detach();
}

}  // namespace harness
