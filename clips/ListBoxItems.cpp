#include "clips/ListBoxItems.h"

#include <algorithm>

namespace {
// Bytes reserved per expected item: about half a line of UTF-16 text.
constexpr int kReservedBytesPerItem = 64;
// Reserve no more items than a list box holds on the oldest platforms.
constexpr int kMostReservedItems = 32767;
}  // namespace

int ListBoxItems::Count() const { return m_list.GetCount(); }

std::u16string ListBoxItems::TextAt(int index) const { return m_list.GetText(index).str(); }

bool ListBoxItems::InsertAt(int index, const char16_t* text) { return m_list.InsertString(index, text) >= 0; }

bool ListBoxItems::Append(const char16_t* text) { return m_list.AddString(text) >= 0; }

bool ListBoxItems::DeleteAt(int index) { return m_list.DeleteString(index) != LB_ERR; }

void ListBoxItems::Clear() { m_list.ResetContent(); }

void ListBoxItems::BeginBatch(int expectedItems) {
    const int items = std::clamp(expectedItems, 0, kMostReservedItems);
    m_list.SendMessage(LB_INITSTORAGE, static_cast<WPARAM>(items), static_cast<LPARAM>(items) * kReservedBytesPerItem);
    m_list.SendMessage(WM_SETREDRAW, FALSE);
}

void ListBoxItems::EndBatch() {
    m_list.SendMessage(WM_SETREDRAW, TRUE);
    ::InvalidateRect(m_list.m_hWnd, nullptr, TRUE);
}
