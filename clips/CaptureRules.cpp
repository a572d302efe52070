#include "clips/CaptureRules.h"

#include <cstdint>
#include <cstring>

namespace capture {

std::array<unsigned, 2> TextFormatsToTry(const StandardFormats& formats) {
    std::array<unsigned, 2> order{};
    std::size_t next = 0;
    if (formats.Has(kTextFormat)) order[next++] = kTextFormat;
    if (formats.Has(kOemTextFormat)) order[next++] = kOemTextFormat;
    return order;
}

bool HistoryConsentRefused(const void* data, std::size_t size) {
    if (!data || size < sizeof(std::uint32_t)) return false;
    std::uint32_t value = 0;
    std::memcpy(&value, data, sizeof value);
    return value == 0;
}

std::string TextFromBlock(const void* data, std::size_t size) {
    if (!data) return {};
    const char* bytes = static_cast<const char*>(data);
    const void* end = std::memchr(bytes, '\0', size);
    const std::size_t length = end ? static_cast<std::size_t>(static_cast<const char*>(end) - bytes) : size;
    return std::string(bytes, length);
}

std::u16string UnicodeTextFromBlock(const void* data, std::size_t size) {
    if (!data) return {};
    // Read through memcpy: nothing promises that the block is aligned for char16_t.
    const auto* bytes = static_cast<const unsigned char*>(data);
    const std::size_t units = size / sizeof(char16_t);
    std::size_t length = 0;
    for (char16_t unit = 0; length < units; ++length) {
        std::memcpy(&unit, bytes + length * sizeof unit, sizeof unit);
        if (unit == 0) break;
    }
    std::u16string text(length, u'\0');
    std::memcpy(text.data(), bytes, length * sizeof(char16_t));
    return text;
}

}  // namespace capture
