#include "settings/ClipSettings.h"

#include "framework/ProfileStore.h"

namespace settings {

const char16_t kConfigureSection[] = u"Configure";
const char16_t kConfirmOnWindowsExitKey[] = u"ConfirmOnWindowsExit";

namespace {
const char16_t kNumberToSaveKey[] = u"NumberToSave";
const char16_t kRemoveDupsKey[] = u"RemoveDups";
const char16_t kAlwaysOnTopKey[] = u"AlwaysOnTop";
const char16_t kMinimizeOnCopyKey[] = u"MinimizeOnCopy";
const char16_t kConfirmExitKey[] = u"ConfirmExit";
const char16_t kSystemMenuClippingsKey[] = u"SystemMenuClippings";
}  // namespace

ClipSettings ClipSettings::Defaults() {
    ClipSettings settings;
    settings.NumberToSave = kFirstRunNumberToSave;
    settings.MinimizeOnCopy = 1;
    settings.ConfirmExit = 1;
    return settings;
}

bool operator==(const ClipSettings& a, const ClipSettings& b) {
    return a.RemoveDups == b.RemoveDups && a.NumberToSave == b.NumberToSave && a.AlwaysOnTop == b.AlwaysOnTop &&
           a.MinimizeOnCopy == b.MinimizeOnCopy && a.ConfirmExit == b.ConfirmExit &&
           a.ConfirmOnWindowsExit == b.ConfirmOnWindowsExit && a.SystemMenuClippings == b.SystemMenuClippings;
}

bool operator!=(const ClipSettings& a, const ClipSettings& b) { return !(a == b); }

ClipSettings LoadSettings(ProfileStore& profile) {
    const HeldSection held(profile, kConfigureSection);
    ClipSettings settings;
    settings.NumberToSave = profile.GetInt(kConfigureSection, kNumberToSaveKey, 0);
    settings.RemoveDups = profile.GetInt(kConfigureSection, kRemoveDupsKey, 0);
    settings.AlwaysOnTop = profile.GetInt(kConfigureSection, kAlwaysOnTopKey, 0);
    settings.MinimizeOnCopy = profile.GetInt(kConfigureSection, kMinimizeOnCopyKey, 1);
    settings.ConfirmExit = profile.GetInt(kConfigureSection, kConfirmExitKey, 1);
    settings.ConfirmOnWindowsExit = profile.GetInt(kConfigureSection, kConfirmOnWindowsExitKey, 0);
    settings.SystemMenuClippings = profile.GetInt(kConfigureSection, kSystemMenuClippingsKey, 0);
    return settings;
}

bool ApplyFirstRunRule(ClipSettings& settings) {
    if (settings.NumberToSave != 0) return false;
    settings.NumberToSave = kFirstRunNumberToSave;
    return true;
}

void SaveSettings(ProfileStore& profile, const ClipSettings& settings) {
    // Results are ignored on purpose: a failed write leaves the stored value as it was.
    const HeldSection held(profile, kConfigureSection);
    profile.WriteInt(kConfigureSection, kNumberToSaveKey, settings.NumberToSave);
    profile.WriteInt(kConfigureSection, kRemoveDupsKey, settings.RemoveDups);
    profile.WriteInt(kConfigureSection, kMinimizeOnCopyKey, settings.MinimizeOnCopy);
    profile.WriteInt(kConfigureSection, kAlwaysOnTopKey, settings.AlwaysOnTop);
    profile.WriteInt(kConfigureSection, kConfirmExitKey, settings.ConfirmExit);
    profile.WriteInt(kConfigureSection, kConfirmOnWindowsExitKey, settings.ConfirmOnWindowsExit);
    profile.WriteInt(kConfigureSection, kSystemMenuClippingsKey, settings.SystemMenuClippings);
}

std::int32_t ReadConfirmOnWindowsExit(ProfileStore& profile) {
    return profile.GetInt(kConfigureSection, kConfirmOnWindowsExitKey, 0);
}

}  // namespace settings
