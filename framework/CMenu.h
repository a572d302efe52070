#pragma once
// A menu handle wrapper; it never destroys the menu it refers to.
#include "framework/CWnd.h"
#include "framework/WideText.h"

class CMenu {
public:
    CMenu() = default;
    explicit CMenu(HMENU hMenu) : m_hMenu(hMenu) {}
    HMENU m_hMenu = nullptr;

    int GetMenuItemCount() const { return ::GetMenuItemCount(m_hMenu); }
    BOOL RemoveMenu(UINT item, UINT flags) const { return ::RemoveMenu(m_hMenu, item, flags); }
    BOOL AppendMenu(UINT flags, UINT_PTR id = 0, const char16_t* text = nullptr) const {
        return ::AppendMenuW(m_hMenu, flags, id, Wide(text));
    }
};

// void Handler(CMenu* menu): WM_INITMENU.
template <auto Handler>
constexpr MessageEntry onInitMenu() {
    return {WM_INITMENU, 0, 0, [](CCmdTarget& t, WPARAM w, LPARAM) -> LRESULT {
                CMenu menu(reinterpret_cast<HMENU>(w));
                (message_detail::Target<Handler>(t).*Handler)(&menu);
                return 0;
            }};
}
