#pragma once

#include <cstdint>

class ProfileStore;

namespace settings {

// The seven settings that steer the program, kept in section "Configure" of the profile.
// A default-constructed record is all zeros (the Configure dialog's starting state); the six
// flags count as on for any value other than 0.
struct ClipSettings {
    std::int32_t RemoveDups = 0;
    std::int32_t NumberToSave = 0;
    std::int32_t AlwaysOnTop = 0;
    std::int32_t MinimizeOnCopy = 0;
    std::int32_t ConfirmExit = 0;
    std::int32_t ConfirmOnWindowsExit = 0;
    std::int32_t SystemMenuClippings = 0;

    // What a run uses when nothing is stored: 0, 10, 0, 1, 1, 0, 0 (NumberToSave as the
    // first-run rule leaves it).
    static ClipSettings Defaults();
};

bool operator==(const ClipSettings& a, const ClipSettings& b);
bool operator!=(const ClipSettings& a, const ClipSettings& b);

extern const char16_t kConfigureSection[];         // "Configure"
extern const char16_t kConfirmOnWindowsExitKey[];  // "ConfirmOnWindowsExit"

// NumberToSave a first run starts with.
constexpr std::int32_t kFirstRunNumberToSave = 10;

// Reads the seven settings with their defaults. The first-run rule is not applied here, so that
// the caller can act on ConfirmExit before the Configure dialog may open.
ClipSettings LoadSettings(ProfileStore& profile);

// The first-run rule: when NumberToSave is exactly 0 (missing or stored as 0) sets it to 10 and
// returns true; the caller then runs the Configure dialog. A negative value is left alone.
bool ApplyFirstRunRule(ClipSettings& settings);

// Writes all seven settings: NumberToSave, RemoveDups, MinimizeOnCopy, AlwaysOnTop, ConfirmExit,
// ConfirmOnWindowsExit, SystemMenuClippings (MinimizeOnCopy before AlwaysOnTop, not record order).
void SaveSettings(ProfileStore& profile, const ClipSettings& settings);

// The stored ConfirmOnWindowsExit (default 0), read afresh from the profile.
std::int32_t ReadConfirmOnWindowsExit(ProfileStore& profile);

}  // namespace settings
