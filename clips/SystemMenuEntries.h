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

// The first 10 bytes of the text, every byte outside 32 to 126 shown as "|". An "&" stays as
// it is, so the menu takes it as the mnemonic marker.
std::string EntryLabel(std::string_view text);

}  // namespace system_menu
