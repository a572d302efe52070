#pragma once
// The clip list: the one owner of the list control's items and of the index derived from them.
// Every change of the items goes through it, so the index can never fall out of step.
#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

// What the clip list needs of the control that shows its items, item 0 at the top. The
// program's control is a list box (ListBoxItems); the unit tests use a vector.
class ClipListItems {
public:
    virtual int Count() const = 0;
    virtual std::u16string TextAt(int index) const = 0;
    // False when the control refused the item (it is then not in the list).
    virtual bool InsertAt(int index, const char16_t* text) = 0;
    virtual bool Append(const char16_t* text) = 0;
    virtual bool DeleteAt(int index) = 0;
    virtual void Clear() = 0;
    // Bracket a batch of appends: room for about this many items, and no redrawing until the end.
    virtual void BeginBatch(int /*expectedItems*/) {}
    virtual void EndBatch() {}

protected:
    ~ClipListItems() = default;
};

// Told of each change the clip list made to its items, once it is made: only what really changed
// (a refused insert that removed its duplicate is told as that removal). A batch load is no change.
class ClipListObserver {
public:
    // The text went to the top; removedDuplicate is the index (before the change) of the item
    // removed for it, or -1 when none was.
    virtual void Inserted(std::u16string_view text, int removedDuplicate) = 0;
    // The items at these indices (before the change, highest first) were removed.
    virtual void Deleted(const std::vector<int>& indices) = 0;
    virtual void Cleared() = 0;

protected:
    ~ClipListObserver() = default;
};

class ClipList {
public:
    explicit ClipList(ClipListItems& items) : m_items(items) {}
    ClipList(const ClipList&) = delete;
    ClipList& operator=(const ClipList&) = delete;

    // The one observer told of every change from now on; null for none.
    void Observe(ClipListObserver* observer) { m_observer = observer; }

    int Count() const { return m_items.Count(); }
    std::u16string TextAt(int index) const { return m_items.TextAt(index); }

    // Puts the text at the top. With removeDuplicate, the newest item equal to it character for
    // character is removed first (at most one).
    void InsertAtTop(std::u16string_view text, bool removeDuplicate = false);
    // Removes the items at these indices; indices with no item are passed over.
    void Delete(std::vector<int> indices);
    void Clear();

    // Appends texts below the items already there, as one batch: produce(append) calls
    // append(text) for each text in order.
    template <typename Produce>
    void AppendBatch(int expectedItems, Produce produce) {
        const Batch batch(m_items, expectedItems);
        produce([this](const std::u16string& text) { Append(text); });
    }

private:
    // Ends the control's batch on every path out of AppendBatch.
    class Batch {
    public:
        Batch(ClipListItems& items, int expectedItems) : m_items(items) { m_items.BeginBatch(expectedItems); }
        ~Batch() { m_items.EndBatch(); }
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

    private:
        ClipListItems& m_items;
    };

    static std::size_t Hash(std::u16string_view text) { return std::hash<std::u16string_view>{}(text); }
    void Append(const std::u16string& text);
    int NewestExactDuplicate(std::u16string_view text, std::size_t hash) const;

    ClipListItems& m_items;
    // The hash of every item's text, in list order: a capture compares hashes and reads back
    // only the items whose hash matches, instead of searching the control.
    std::deque<std::size_t> m_hashes;
    // How many of those hashes fall in each bucket (by their low bits): a text whose bucket is
    // empty has no twin, so a capture of a new text searches nothing. Made with the list, so that
    // keeping it in step never allocates.
    static constexpr std::size_t kBuckets = std::size_t{1} << 16;
    static std::size_t BucketOf(std::size_t hash) { return hash & (kBuckets - 1); }
    std::vector<std::uint32_t> m_inBucket = std::vector<std::uint32_t>(kBuckets);
    ClipListObserver* m_observer = nullptr;
};
