#include "clips/JournalRecord.h"

#include <cstddef>
#include <limits>

namespace {

using Kind = JournalRecord::Kind;

constexpr std::size_t kChecksumDigits = 16;

struct Shape {
    Kind kind;
    std::size_t fewestNumbers, mostNumbers;
    bool text;
};
constexpr Shape kShapes[] = {
    {Kind::Header, 3, 3, false},
    {Kind::Insert, 1, 1, true},
    {Kind::Delete, 1, std::numeric_limits<std::size_t>::max(), false},
    {Kind::Clear, 0, 0, false},
    {Kind::Restore, 1, 1, true},
    {Kind::Keep, 2, 2, false},
};

const Shape* ShapeOf(char16_t kind) {
    for (const Shape& shape : kShapes)
        if (static_cast<char16_t>(shape.kind) == kind) return &shape;
    return nullptr;
}

// Reads a decimal number at `at`, moving past it; false when there is none or it overflows.
bool ReadNumber(std::u16string_view body, std::size_t& at, std::int64_t& number) {
    const bool negative = at < body.size() && body[at] == u'-';
    if (negative) ++at;
    const std::uint64_t limit = negative ? 1ull << 63 : (1ull << 63) - 1;
    const std::size_t first = at;
    std::uint64_t magnitude = 0;
    for (; at < body.size() && body[at] >= u'0' && body[at] <= u'9'; ++at) {
        const unsigned digit = body[at] - u'0';
        if (magnitude > (limit - digit) / 10) return false;
        magnitude = magnitude * 10 + digit;
    }
    number = static_cast<std::int64_t>(negative ? 0 - magnitude : magnitude);
    return at > first;
}

}  // namespace

std::uint64_t ContinueHash(std::uint64_t hash, std::u16string_view text) {
    for (const char16_t unit : text) hash = (hash ^ unit) * 1099511628211ull;
    return hash;
}

std::u16string EncodeRecord(const JournalRecord& record) {
    std::u16string value(kChecksumDigits, u'0');
    value += static_cast<char16_t>(record.kind);
    for (const std::int64_t number : record.numbers) {
        const std::string digits = std::to_string(number);
        value += u' ';
        value.append(digits.begin(), digits.end());
    }
    const Shape* shape = ShapeOf(static_cast<char16_t>(record.kind));
    if (shape && shape->text) value.append(1, u':').append(record.text);
    std::uint64_t checksum = ContinueHash(kHashStart, std::u16string_view(value).substr(kChecksumDigits));
    for (std::size_t digit = kChecksumDigits; digit-- > 0; checksum >>= 4)
        value[digit] = u"0123456789abcdef"[checksum & 15];
    return value;
}

std::optional<JournalRecord> DecodeRecord(std::u16string_view value) {
    if (value.size() <= kChecksumDigits) return std::nullopt;
    std::uint64_t checksum = 0;
    for (std::size_t digit = 0; digit < kChecksumDigits; ++digit) {
        const char16_t c = value[digit];
        if (!(c >= u'0' && c <= u'9') && !(c >= u'a' && c <= u'f')) return std::nullopt;
        checksum = checksum << 4 | static_cast<unsigned>(c <= u'9' ? c - u'0' : c - u'a' + 10);
    }
    const std::u16string_view body = value.substr(kChecksumDigits);
    const Shape* shape = ShapeOf(body[0]);
    if (!shape || ContinueHash(kHashStart, body) != checksum) return std::nullopt;

    JournalRecord record{shape->kind, {}, {}};
    std::size_t at = 1;
    while (at < body.size() && body[at] == u' ') {
        std::int64_t number = 0;
        if (!ReadNumber(body, ++at, number)) return std::nullopt;
        record.numbers.push_back(number);
    }
    if (shape->text) {
        if (at == body.size() || body[at] != u':') return std::nullopt;
        record.text = body.substr(at + 1);
    } else if (at != body.size()) {
        return std::nullopt;
    }
    if (record.numbers.size() < shape->fewestNumbers || record.numbers.size() > shape->mostNumbers) return std::nullopt;
    return record;
}
