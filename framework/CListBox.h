#pragma once
// A list box control: holds the handle, forwards to the LB_ messages. Indices and counts are
// full-width ints, so lists longer than 32,767 items work.
#include <vector>

#include "framework/CWnd.h"

class CListBox : public CWnd {
public:
    int GetCount() const { return static_cast<int>(SendMessage(LB_GETCOUNT)); }
    // The item's text; empty for an index with no item.
    CString GetText(int index) const;
    int InsertString(int index, const char16_t* text) const {
        return static_cast<int>(SendMessage(LB_INSERTSTRING, index, reinterpret_cast<LPARAM>(text)));
    }
    int AddString(const char16_t* text) const {
        return static_cast<int>(SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)));
    }
    int DeleteString(int index) const { return static_cast<int>(SendMessage(LB_DELETESTRING, index)); }
    void ResetContent() const { SendMessage(LB_RESETCONTENT); }
    int GetSelCount() const { return static_cast<int>(SendMessage(LB_GETSELCOUNT)); }
    // The selected indices in ascending order.
    std::vector<int> GetSelItems() const;
    int SetSel(int index, BOOL select = TRUE) const { return static_cast<int>(SendMessage(LB_SETSEL, select, index)); }
};

// int Handler(UINT key, CListBox* list, UINT caretIndex): WM_VKEYTOITEM; the result goes back to the list.
template <auto Handler>
constexpr MessageEntry onVKeyToItem() {
    return {WM_VKEYTOITEM, 0, 0, [](CCmdTarget& t, WPARAM w, LPARAM l) -> LRESULT {
                CListBox list;
                list.Attach(reinterpret_cast<HWND>(l));
                return (message_detail::Target<Handler>(t).*Handler)(LOWORD(w), &list, HIWORD(w));
            }};
}
