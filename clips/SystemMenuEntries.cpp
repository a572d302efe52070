#include "clips/SystemMenuEntries.h"

#include <algorithm>

namespace system_menu {

namespace {
constexpr std::size_t kLabelCharacters = 10;

bool IsLeadSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsTrailSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }
}  // namespace

int EntryCount(int listCount) { return std::clamp(listCount - 1, 0, kMaxEntries); }

std::u16string EntryLabel(std::u16string_view text) {
    std::u16string label;
    for (std::size_t at = 0; at < text.size() && label.size() < kLabelCharacters; ++at) {
        const char16_t unit = text[at];
        // The pair's trail unit belongs to the character already shown.
        if (IsLeadSurrogate(unit) && at + 1 < text.size() && IsTrailSurrogate(text[at + 1])) ++at;
        label += unit >= 32 && unit <= 126 ? unit : u'|';
    }
    return label;
}

}  // namespace system_menu
