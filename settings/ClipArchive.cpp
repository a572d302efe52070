#include "settings/ClipArchive.h"

#include <algorithm>

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

}  // namespace clip_archive
