#include "settings/StoredRect.h"

#include "framework/ProfileStore.h"

namespace settings {

const char kLastPositionSection[] = "LastPosition";

bool operator==(const StoredRect& a, const StoredRect& b) {
    return a.Left == b.Left && a.Top == b.Top && a.Right == b.Right && a.Bottom == b.Bottom;
}

StoredRect ReadWindowRect(ProfileStore& profile) {
    const HeldSection held(profile, kLastPositionSection);
    const StoredRect missing;
    StoredRect rect;
    rect.Left = profile.GetInt(kLastPositionSection, "Left", missing.Left);
    rect.Top = profile.GetInt(kLastPositionSection, "Top", missing.Top);
    rect.Right = profile.GetInt(kLastPositionSection, "Right", missing.Right);
    rect.Bottom = profile.GetInt(kLastPositionSection, "Bottom", missing.Bottom);
    return rect;
}

void WriteWindowRect(ProfileStore& profile, const StoredRect& rect) {
    // Results ignored on purpose: a failed write keeps the rectangle of an earlier run.
    const HeldSection held(profile, kLastPositionSection);
    profile.WriteInt(kLastPositionSection, "Left", rect.Left);
    profile.WriteInt(kLastPositionSection, "Top", rect.Top);
    profile.WriteInt(kLastPositionSection, "Right", rect.Right);
    profile.WriteInt(kLastPositionSection, "Bottom", rect.Bottom);
}

}  // namespace settings
