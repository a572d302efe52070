#include "framework/CListBox.h"

CString CListBox::GetText(int index) const {
    const int length = GetTextLen(index);
    if (length <= 0) return CString();
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const int copied = static_cast<int>(SendMessage(LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data())));
    text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
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
