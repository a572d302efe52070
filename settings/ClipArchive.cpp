#include "settings/ClipArchive.h"

#include <algorithm>
#include <cstdio>
#include <unordered_set>

#include "framework/ProfileStore.h"

const char kLastClipsSection[] = "LastClips";

std::string ClipKey(int number)
{
    char key[24];
    std::snprintf(key, sizeof key, "CLIP %02d", number);
    return key;
}

void LoadClippings(ProfileStore& profile, std::int32_t numberToSave,
                   const std::function<void(const std::string& text)>& append)
{
    const HeldSection held(profile, kLastClipsSection);
    for (std::int32_t number = 0; number < numberToSave; ++number) {
        const std::string text = profile.GetString(kLastClipsSection, ClipKey(number).c_str(), nullptr);
        if (text.empty())
            return;
        append(text);
    }
}

void SaveClippings(ProfileStore& profile, const ClipListReader& list, bool removeDups)
{
    // Write results are ignored on purpose: a failed write leaves that entry as it was and the
    // save goes on with the next.
    const HeldSection held(profile, kLastClipsSection);
    std::unordered_set<std::string> seen;
    if (removeDups)
        seen.reserve(static_cast<std::size_t>(std::max(list.count(), 0)));
    int number = 0;
    for (int index = 0; index < list.count(); ++index) {
        std::string text = list.textAt(index);
        const std::string* written = &text;
        if (removeDups) {
            const auto [entry, isNew] = seen.insert(std::move(text));
            if (!isNew)
                continue;
            written = &*entry;
        }
        if (written->empty())
            continue;
        profile.WriteString(kLastClipsSection, ClipKey(number).c_str(), written->c_str());
        ++number;
    }
    profile.WriteString(kLastClipsSection, ClipKey(number).c_str(), "");
}
