#include "clips/SystemMenuEntries.h"

#include <algorithm>

namespace system_menu {

int EntryCount(int listCount) { return std::clamp(listCount - 1, 0, kMaxEntries); }

std::string EntryLabel(std::string_view text) {
    std::string label(text.substr(0, 10));
    for (char& c : label) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (byte < 32 || byte > 126) c = '|';
    }
    return label;
}

}  // namespace system_menu
