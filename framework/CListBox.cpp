#include "framework/CListBox.h"

#include <string>

#include "framework/WideText.h"

CString CListBox::GetText(int index) const {
    const LRESULT length = SendMessage(LB_GETTEXTLEN, static_cast<WPARAM>(index));
    if (length <= 0) return CString();
    std::u16string text(static_cast<std::size_t>(length), u'\0');
    // The list writes the text's terminating zero too: into the string's own, past its size.
    const LRESULT copied = SendMessage(LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    if (copied <= 0) return CString();
    text.resize(std::min(text.size(), static_cast<std::size_t>(copied)));
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
