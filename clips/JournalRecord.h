#pragma once
// One record of the clip list's journal and its text in the profile, sealed with a checksum so that
// a damaged or cut-short value is recognised.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

struct JournalRecord {
    enum class Kind : char16_t {
        Header = u'H',   // numbers: the format, the base count k, the base's hash; first in a journal
        Insert = u'I',   // numbers: the index of the duplicate removed, or -1; text: the text put on top
        Delete = u'D',   // numbers: the indices deleted, one at least
        Clear = u'C',    // nothing
        Restore = u'R',  // numbers: the index; text: an item the last full save dropped, put back there
        Keep = u'K',     // numbers: the count kept and removeDups (0 or 1), as the start showed the list
    };
    Kind kind;
    std::vector<std::int64_t> numbers;
    std::u16string text;  // Insert and Restore only

    friend bool operator==(const JournalRecord& a, const JournalRecord& b) {
        return std::tie(a.kind, a.numbers, a.text) == std::tie(b.kind, b.numbers, b.text);
    }
};

// "<checksum><kind>[ <number>]...[:<text>]": the checksum is the hash of the rest in 16 lowercase
// hexadecimal digits, the numbers are decimal, and the text is all the rest, whatever it holds.
std::u16string EncodeRecord(const JournalRecord& record);
// The record, or nothing when the value is damaged, cut short, or not of the shape its kind has.
std::optional<JournalRecord> DecodeRecord(std::u16string_view value);

// FNV-1a over UTF-16 code units, continued from `hash`: the same on every platform and in every
// version, so that it may be stored.
constexpr std::uint64_t kHashStart = 14695981039346656037ull;
std::uint64_t ContinueHash(std::uint64_t hash, std::u16string_view text);
