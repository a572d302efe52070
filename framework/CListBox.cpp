#include "framework/CListBox.h"

#include <string>

CString CListBox::GetText(int index) const {
    // Read as UTF-16 and converted here: under Common Controls 6 the list box is a Unicode window,
    // and Wine converts an ANSI LB_GETTEXT through a fixed buffer of 512 characters.
    const LRESULT length = ::SendMessageW(m_hWnd, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length <= 0) return CString();
    std::wstring wide(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = static_cast<int>(
        ::SendMessageW(m_hWnd, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(wide.data())));
    if (copied <= 0) return CString();
    std::string text(
        static_cast<std::size_t>(::WideCharToMultiByte(CP_ACP, 0, wide.data(), copied, nullptr, 0, nullptr, nullptr)),
        '\0');
    ::WideCharToMultiByte(CP_ACP, 0, wide.data(), copied, text.data(), static_cast<int>(text.size()), nullptr, nullptr);
    return CString(std::move(text));
}

std::vector<int> CListBox::GetSelItems() const {
    const int count = GetSelCount();
    if (count <= 0) return {};
    std::vector<int> indices(static_cast<std::size_t>(count));
    const int filled = static_cast<int>(SendMessage(LB_GETSELITEMS, count, reinterpret_cast<LPARAM>(indices.data())));
    indices.resize(filled > 0 ? static_cast<std::size_t>(filled) : 0);
    return indices;
}
