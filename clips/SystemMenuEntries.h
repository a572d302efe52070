#pragma once
// What the system menu offers of the clip list: which items get an entry and how each is labelled.
#include <string>
#include <string_view>

namespace system_menu {

// Entries stand for clip list items 1 to 20 (the newest, item 0, has none); the entry's
// command id is the item's index.
constexpr int kMaxEntries = 20;

// How many entries a list of the given length gets: ids 1 to the result.
int EntryCount(int listCount);

// The first 10 characters of the text, every character outside printable ASCII (32 to 126)
// shown as one "|". A character written as a surrogate pair counts as one and is never cut in
// two. An "&" stays as it is, so the menu takes it as the mnemonic marker.
std::u16string EntryLabel(std::u16string_view text);

}  // namespace system_menu
