#include "settings/ClipArchive.h"

#include <algorithm>

#include "framework/ProfileStore.h"

namespace clip_archive {

const char16_t kLastClipsSection[] = u"LastClips";

std::u16string NumberedKey(std::u16string_view prefix, std::uint64_t number, std::size_t minDigits) {
    char16_t digits[20];  // the most a 64-bit number has
    std::size_t count = 0;
    do digits[count++] = static_cast<char16_t>(u'0' + number % 10);
    while ((number /= 10) != 0);
    std::u16string key;
    key.reserve(prefix.size() + std::max(count, minDigits));
    key.append(prefix).append(minDigits > count ? minDigits - count : 0, u'0');
    while (count > 0) key += digits[--count];
    return key;
}

std::u16string ClipKey(int number) { return NumberedKey(u"CLIP ", static_cast<std::uint64_t>(std::max(number, 0)), 2); }

void LoadClippings(ProfileStore& profile, std::int32_t numberToSave,
                   const std::function<void(const std::u16string& text)>& append) {
    const HeldSection held(profile, kLastClipsSection);
    for (std::int32_t number = 0; number < numberToSave; ++number) {
        const std::u16string text = profile.GetString(kLastClipsSection, ClipKey(number).c_str(), nullptr);
        if (text.empty()) return;
        append(text);
    }
}

void SaveClippings(ProfileStore& profile, const ClipListReader& list, bool removeDups) {
    // The list is read whole before the first write: under Wine, registry calls made back to back
    // run measurably faster than calls interleaved with list reads, and a save at the end of a
    // session has little time. Nothing can change the list in between; the save runs on its thread.
    std::vector<std::u16string> items;
    for (int index = 0; index < list.count(); ++index) items.push_back(list.textAt(index));
    const std::vector<int> saved = SavedIndices(items, removeDups);

    // Write results are ignored on purpose: a failed write leaves that entry as it was and the
    // save goes on with the next.
    const HeldSection held(profile, kLastClipsSection);
    int number = 0;
    for (const int index : saved)
        profile.WriteString(kLastClipsSection, ClipKey(number++).c_str(), items[index].c_str());
    profile.WriteString(kLastClipsSection, ClipKey(number).c_str(), u"");
}

}  // namespace clip_archive
