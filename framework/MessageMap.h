#pragma once
// Message tables: one constant table per class, chained to its base class's table. Each entry
// carries a small function, generated from a member-function pointer, that decodes wParam and
// lParam once and calls the handler with typed arguments; a handler of the wrong signature
// does not compile.
#include <windows.h>

#include <cstddef>

class CCmdTarget;

using MessageThunk = LRESULT (*)(CCmdTarget& target, WPARAM wParam, LPARAM lParam);

struct MessageEntry {
    UINT message;  // WM_COMMAND for commands and control notifications
    UINT id;       // the command or control id; 0 for other messages
    UINT code;     // the notification code; 0 for menu and accelerator commands
    MessageThunk thunk;
};

struct MessageMap {
    const MessageMap* base;
    const MessageEntry* first;
    const MessageEntry* last;

    template <std::size_t N>
    constexpr MessageMap(const MessageMap* baseMap, const MessageEntry (&entries)[N])
        : base(baseMap), first(entries), last(entries + N) {}
    constexpr explicit MessageMap(const MessageMap* baseMap) : base(baseMap), first(nullptr), last(nullptr) {}

    // The first entry for the message along the chain, most derived class first.
    const MessageEntry* Find(UINT message, UINT id, UINT code) const;
};

namespace message_detail {
template <typename T>
struct MemberOf;
template <typename C, typename R, typename... A>
struct MemberOf<R (C::*)(A...)> {
    using Class = C;
};
template <auto Handler>
using ClassOf = typename MemberOf<decltype(Handler)>::Class;
template <auto Handler>
ClassOf<Handler>& Target(CCmdTarget& target) {
    return static_cast<ClassOf<Handler>&>(target);
}
}  // namespace message_detail

// void Handler(): any message whose parameters the handler does not need; the result is 0.
template <auto Handler>
constexpr MessageEntry onMessage(UINT message) {
    return {message, 0, 0, [](CCmdTarget& t, WPARAM, LPARAM) -> LRESULT {
                (message_detail::Target<Handler>(t).*Handler)();
                return 0;
            }};
}

// LRESULT Handler(WPARAM, LPARAM): a private message with its raw parameters.
template <auto Handler>
constexpr MessageEntry onRawMessage(UINT message) {
    return {message, 0, 0, [](CCmdTarget& t, WPARAM w, LPARAM l) -> LRESULT {
                return (message_detail::Target<Handler>(t).*Handler)(w, l);
            }};
}

// void Handler(): a command from a menu item or an accelerator key.
template <auto Handler>
constexpr MessageEntry onCommand(UINT id) {
    return {WM_COMMAND, id, 0, [](CCmdTarget& t, WPARAM, LPARAM) -> LRESULT {
                (message_detail::Target<Handler>(t).*Handler)();
                return 0;
            }};
}

// void Handler(): a notification code from the control with the given id.
template <auto Handler>
constexpr MessageEntry onControl(UINT id, UINT code) {
    return {WM_COMMAND, id, code, [](CCmdTarget& t, WPARAM, LPARAM) -> LRESULT {
                (message_detail::Target<Handler>(t).*Handler)();
                return 0;
            }};
}

// int Handler(CREATESTRUCTW*): WM_CREATE; -1 fails the creation.
template <auto Handler>
constexpr MessageEntry onCreate() {
    return {WM_CREATE, 0, 0, [](CCmdTarget& t, WPARAM, LPARAM l) -> LRESULT {
                return (message_detail::Target<Handler>(t).*Handler)(reinterpret_cast<CREATESTRUCTW*>(l));
            }};
}

// void Handler(HWND hWndRemove, HWND hWndAfter): WM_CHANGECBCHAIN.
template <auto Handler>
constexpr MessageEntry onChangeCbChain() {
    return {WM_CHANGECBCHAIN, 0, 0, [](CCmdTarget& t, WPARAM w, LPARAM l) -> LRESULT {
                (message_detail::Target<Handler>(t).*Handler)(reinterpret_cast<HWND>(w), reinterpret_cast<HWND>(l));
                return 0;
            }};
}

// void Handler(UINT type, int cx, int cy): WM_SIZE.
template <auto Handler>
constexpr MessageEntry onSize() {
    return {WM_SIZE, 0, 0, [](CCmdTarget& t, WPARAM w, LPARAM l) -> LRESULT {
                (message_detail::Target<Handler>(t).*Handler)(static_cast<UINT>(w), static_cast<short>(LOWORD(l)),
                                                              static_cast<short>(HIWORD(l)));
                return 0;
            }};
}

// void Handler(UINT code, int thumbPosition, HWND scrollBar): WM_HSCROLL or WM_VSCROLL; the bar
// is null for the window's own scroll bar.
template <auto Handler>
constexpr MessageEntry onScroll(UINT message) {
    return {message, 0, 0, [](CCmdTarget& t, WPARAM w, LPARAM l) -> LRESULT {
                (message_detail::Target<Handler>(t).*Handler)(LOWORD(w), static_cast<short>(HIWORD(w)),
                                                              reinterpret_cast<HWND>(l));
                return 0;
            }};
}

// void Handler(UINT_PTR id): WM_TIMER for one of the window's own timers.
template <auto Handler>
constexpr MessageEntry onTimer() {
    return {WM_TIMER, 0, 0, [](CCmdTarget& t, WPARAM w, LPARAM) -> LRESULT {
                (message_detail::Target<Handler>(t).*Handler)(static_cast<UINT_PTR>(w));
                return 0;
            }};
}

// void Handler(UINT nID, LPARAM lParam): WM_SYSCOMMAND.
template <auto Handler>
constexpr MessageEntry onSysCommand() {
    return {WM_SYSCOMMAND, 0, 0, [](CCmdTarget& t, WPARAM w, LPARAM l) -> LRESULT {
                (message_detail::Target<Handler>(t).*Handler)(static_cast<UINT>(w), l);
                return 0;
            }};
}

// void Handler(HMENU popup, UINT index, BOOL isSystemMenu): WM_INITMENUPOPUP.
template <auto Handler>
constexpr MessageEntry onInitMenuPopup() {
    return {WM_INITMENUPOPUP, 0, 0, [](CCmdTarget& t, WPARAM w, LPARAM l) -> LRESULT {
                (message_detail::Target<Handler>(t).*Handler)(reinterpret_cast<HMENU>(w), LOWORD(l), HIWORD(l));
                return 0;
            }};
}

// void Handler(BOOL ending): WM_ENDSESSION.
template <auto Handler>
constexpr MessageEntry onEndSession() {
    return {WM_ENDSESSION, 0, 0, [](CCmdTarget& t, WPARAM w, LPARAM) -> LRESULT {
                (message_detail::Target<Handler>(t).*Handler)(static_cast<BOOL>(w));
                return 0;
            }};
}

// BOOL Handler(): WM_QUERYENDSESSION; TRUE lets the session end.
template <auto Handler>
constexpr MessageEntry onQueryEndSession() {
    return {WM_QUERYENDSESSION, 0, 0,
            [](CCmdTarget& t, WPARAM, LPARAM) -> LRESULT { return (message_detail::Target<Handler>(t).*Handler)(); }};
}
