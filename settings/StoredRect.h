#pragma once

#include <cstdint>

class ProfileStore;

namespace settings {

// The main window's outer rectangle in screen coordinates as kept in section "LastPosition".
// Nothing checks it: a rectangle with Right below Left is handed on as it is.
struct StoredRect {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Right = 100;
    std::int32_t Bottom = 100;
};

bool operator==(const StoredRect& a, const StoredRect& b);

extern const char16_t kLastPositionSection[];  // "LastPosition"

// Reads "Left", "Top", "Right", "Bottom" in that order; missing entries read 0, 0, 100, 100.
StoredRect ReadWindowRect(ProfileStore& profile);

// Writes "Left", "Top", "Right", "Bottom" in that order.
void WriteWindowRect(ProfileStore& profile, const StoredRect& rect);

}  // namespace settings
