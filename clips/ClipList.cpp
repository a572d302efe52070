#include "clips/ClipList.h"

#include <algorithm>
#include <functional>

void ClipList::InsertAtTop(std::u16string_view text, bool removeDuplicate) {
    const std::u16string item(text);
    const std::size_t hash = Hash(text);
    const int duplicate = removeDuplicate ? NewestExactDuplicate(text, hash) : -1;
    // Everything that may fail to allocate happens before the first change, so an allocation
    // failure leaves the list and its index as they were.
    m_hashes.push_front(hash);
    if (duplicate >= 0 && m_items.DeleteAt(duplicate)) m_hashes.erase(m_hashes.begin() + duplicate + 1);
    if (!m_items.InsertAt(0, item.c_str())) m_hashes.pop_front();
}

int ClipList::NewestExactDuplicate(std::u16string_view text, std::size_t hash) const {
    // std::find walks the deque block by block; indexing it looks up the block of every item.
    const auto end = m_hashes.end();
    for (auto match = std::find(m_hashes.begin(), end, hash); match != end; match = std::find(match + 1, end, hash)) {
        const int index = static_cast<int>(match - m_hashes.begin());
        if (m_items.TextAt(index) == text) return index;
    }
    return -1;
}

void ClipList::Delete(std::vector<int> indices) {
    // From the highest index up, so the indices still to delete stay valid.
    std::sort(indices.begin(), indices.end(), std::greater<>());
    indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
    for (const int index : indices) {
        if (index < 0 || index >= static_cast<int>(m_hashes.size())) continue;
        if (m_items.DeleteAt(index)) m_hashes.erase(m_hashes.begin() + index);
    }
}

void ClipList::Clear() {
    m_items.Clear();
    m_hashes.clear();
}

void ClipList::Append(const std::u16string& text) {
    m_hashes.push_back(Hash(text));
    if (!m_items.Append(text.c_str())) m_hashes.pop_back();
}
