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

// The profile keeps the rectangle in 96-DPI units, the ones the program kept before it was DPI
// aware (Windows scaled them for it), so a stored place shows where it did at any display scale.
// Each edge is rounded to the nearest: a rectangle saved and loaded again moves one pixel at most,
// and then stays.
StoredRect ToPixels(const StoredRect& stored, int dpi);
StoredRect ToStored(const StoredRect& pixels, int dpi);

}  // namespace settings
