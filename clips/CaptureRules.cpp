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

}  // namespace capture
