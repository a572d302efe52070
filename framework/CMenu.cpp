#include "framework/CMenu.h"

#include <string>

CString CMenu::GetMenuString(UINT item, UINT flags) const {
    const int length = ::GetMenuStringA(m_hMenu, item, nullptr, 0, flags);
    if (length <= 0) return CString();
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const int copied = ::GetMenuStringA(m_hMenu, item, text.data(), length + 1, flags);
    text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
    return CString(std::move(text));
}
