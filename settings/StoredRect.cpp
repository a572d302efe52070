#include "settings/StoredRect.h"

#include "framework/ProfileStore.h"
#include "ui/DpiScale.h"

namespace settings {

const char16_t kLastPositionSection[] = u"LastPosition";

bool operator==(const StoredRect& a, const StoredRect& b) {
    return a.Left == b.Left && a.Top == b.Top && a.Right == b.Right && a.Bottom == b.Bottom;
}

StoredRect ReadWindowRect(ProfileStore& profile) {
    const HeldSection held(profile, kLastPositionSection);
    const StoredRect missing;
    StoredRect rect;
    rect.Left = profile.GetInt(kLastPositionSection, u"Left", missing.Left);
    rect.Top = profile.GetInt(kLastPositionSection, u"Top", missing.Top);
    rect.Right = profile.GetInt(kLastPositionSection, u"Right", missing.Right);
    rect.Bottom = profile.GetInt(kLastPositionSection, u"Bottom", missing.Bottom);
    return rect;
}

void WriteWindowRect(ProfileStore& profile, const StoredRect& rect) {
    // Results ignored on purpose: a failed write keeps the rectangle of an earlier run.
    const HeldSection held(profile, kLastPositionSection);
    profile.WriteInt(kLastPositionSection, u"Left", rect.Left);
    profile.WriteInt(kLastPositionSection, u"Top", rect.Top);
    profile.WriteInt(kLastPositionSection, u"Right", rect.Right);
    profile.WriteInt(kLastPositionSection, u"Bottom", rect.Bottom);
}

StoredRect ToPixels(const StoredRect& stored, int dpi) {
    return StoredRect{ScaleToDpi(stored.Left, dpi), ScaleToDpi(stored.Top, dpi), ScaleToDpi(stored.Right, dpi),
                      ScaleToDpi(stored.Bottom, dpi)};
}

StoredRect ToStored(const StoredRect& pixels, int dpi) {
    return StoredRect{ScaleFromDpi(pixels.Left, dpi), ScaleFromDpi(pixels.Top, dpi), ScaleFromDpi(pixels.Right, dpi),
                      ScaleFromDpi(pixels.Bottom, dpi)};
}

}  // namespace settings
