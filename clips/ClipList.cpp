#include "clips/ClipList.h"

#include <algorithm>
#include <functional>

void ClipList::InsertAtTop(std::u16string_view text, bool removeDuplicate) {
    const std::u16string item(text);
    const std::size_t hash = Hash(text);
    int duplicate = removeDuplicate ? NewestExactDuplicate(text, hash) : -1;
    // Told when the insert is refused but its duplicate went.
    const std::vector<int> removed(m_observer && duplicate >= 0 ? 1 : 0, duplicate);
    // Everything that may fail to allocate happens before the first change, so an allocation
    // failure leaves the list and its index as they were.
    m_hashes.push_front(hash);
    ++m_inBucket[BucketOf(hash)];
    if (duplicate >= 0 && m_items.DeleteAt(duplicate)) {
        m_hashes.erase(m_hashes.begin() + duplicate + 1);
        --m_inBucket[BucketOf(hash)];
    } else {
        duplicate = -1;
    }
    const bool inserted = m_items.InsertAt(0, item.c_str());
    if (!inserted) m_hashes.pop_front(), --m_inBucket[BucketOf(hash)];
    if (!m_observer) return;
    if (inserted)
        m_observer->Inserted(text, duplicate);
    else if (duplicate >= 0)
        m_observer->Deleted(removed);
}

int ClipList::NewestExactDuplicate(std::u16string_view text, std::size_t hash) const {
    if (m_inBucket[BucketOf(hash)] == 0) return -1;
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
    // The indices really deleted are moved to the front: nothing is allocated once items go.
    std::size_t deleted = 0;
    for (const int index : indices) {
        if (index < 0 || index >= static_cast<int>(m_hashes.size()) || !m_items.DeleteAt(index)) continue;
        --m_inBucket[BucketOf(m_hashes[index])];
        m_hashes.erase(m_hashes.begin() + index);
        indices[deleted++] = index;
    }
    indices.resize(deleted);
    if (m_observer && deleted > 0) m_observer->Deleted(indices);
}

void ClipList::Clear() {
    const bool hadItems = !m_hashes.empty();
    m_items.Clear();
    m_hashes.clear();
    std::fill(m_inBucket.begin(), m_inBucket.end(), 0);
    if (m_observer && hadItems) m_observer->Cleared();
}

void ClipList::Append(const std::u16string& text) {
    const std::size_t hash = Hash(text);
    m_hashes.push_back(hash);
    if (m_items.Append(text.c_str()))
        ++m_inBucket[BucketOf(hash)];
    else
        m_hashes.pop_back();
}
