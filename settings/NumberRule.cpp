#include "settings/NumberRule.h"

namespace {

bool IsScanSpace(char16_t c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

bool IsDigit(char16_t c) { return c >= '0' && c <= '9'; }

// Two's-complement reduction modulo 65,536, done in unsigned arithmetic so nothing overflows.
std::int32_t ToInt16(std::uint32_t bits) {
    const std::uint32_t low = bits & 0xFFFFu;
    return low >= 0x8000u ? static_cast<std::int32_t>(low) - 0x10000 : static_cast<std::int32_t>(low);
}

}  // namespace

std::int32_t ScanNumberToSave(std::u16string_view boxText, std::int32_t currentValue) {
    const std::u16string_view text = boxText.substr(0, kNumberBoxChars);
    std::size_t pos = 0;
    while (pos < text.size() && IsScanSpace(text[pos])) ++pos;

    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }

    // Only the low 16 bits of the result matter, and unsigned arithmetic wraps modulo 2^32,
    // which keeps them exact however many digits there are.
    std::uint32_t magnitude = 0;
    bool anyDigit = false;
    for (; pos < text.size() && IsDigit(text[pos]); ++pos) {
        magnitude = magnitude * 10u + static_cast<std::uint32_t>(text[pos] - '0');
        anyDigit = true;
    }
    if (!anyDigit) return currentValue;
    return ToInt16(negative ? 0u - magnitude : magnitude);
}

std::u16string FormatNumberToSave(std::int32_t value) {
    const std::string digits = std::to_string(ToInt16(static_cast<std::uint32_t>(value)));
    return std::u16string(digits.begin(), digits.end());
}
