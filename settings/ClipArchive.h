#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace clip_archive {

// The saved clippings live in section "LastClips" under the keys "CLIP 00", "CLIP 01", ...:
// dense numbers from the newest clipping down, then one empty entry that ends them. Entries past
// the ending one are left from earlier, longer saves and are never read; a load reads up to
// NumberToSave of them and stops at the first empty or missing one. (ClipJournal writes and reads
// them so, with its journal beside them.)

extern const char16_t kLastClipsSection[];  // "LastClips"

// The key for clipping number n (n >= 0): "CLIP %02d".
std::u16string ClipKey(int number);

// The prefix and then the number in decimal, with leading zeros to at least minDigits digits:
// what "%0*u" prints, without the cost of a formatted print for every value of a save or a load.
std::u16string NumberedKey(std::u16string_view prefix, std::uint64_t number, std::size_t minDigits);

// The clip list as the save sees it: its item count and a copy of one item's text, item 0 the
// newest. The save reads every item once, asking the count again after each, before it writes.
struct ClipListReader {
    std::function<int()> count;
    std::function<std::u16string(int index)> textAt;
};

// The indices, from the top, of the items a save writes: every non-empty text, except that with
// removeDups a text that equals (character for character, case-sensitive) one above it is passed
// over, so of every group of equal texts only the one nearest the top is written; the texts seen
// are kept in a hash set rather than compared pair by pair. NumberToSave does not limit the save.
template <typename Texts>  // a random-access container of std::u16string
std::vector<int> SavedIndices(const Texts& texts, bool removeDups) {
    std::vector<int> saved;
    saved.reserve(texts.size());
    std::unordered_set<std::u16string_view> seen;
    if (removeDups) seen.reserve(texts.size());
    for (std::size_t index = 0; index < texts.size(); ++index) {
        if (removeDups && !seen.insert(texts[index]).second) continue;
        if (!texts[index].empty()) saved.push_back(static_cast<int>(index));
    }
    return saved;
}

}  // namespace clip_archive
