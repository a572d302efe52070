#pragma once
// The clip list's items in a list box: each call is one list box message.
#include "clips/ClipList.h"
#include "framework/CListBox.h"

class ListBoxItems final : public ClipListItems {
public:
    explicit ListBoxItems(const CListBox& list) : m_list(list) {}

    int Count() const override;
    std::u16string TextAt(int index) const override;
    bool InsertAt(int index, const char16_t* text) override;
    bool Append(const char16_t* text) override;
    bool DeleteAt(int index) override;
    void Clear() override;
    // Reserves the list box's storage and holds its redrawing while a batch is appended.
    void BeginBatch(int expectedItems) override;
    void EndBatch() override;

private:
    const CListBox& m_list;
};
