#include "framework/CodePage.h"

#include <algorithm>
#include <climits>

#include "framework/WideText.h"

namespace {
// The conversion functions count in ints; a longer text is converted in no case.
bool Countable(std::size_t units) { return units <= static_cast<std::size_t>(INT_MAX); }
}  // namespace

std::u16string FromCodePage(std::string_view bytes) {
    if (bytes.empty() || !Countable(bytes.size())) return {};
    const int size = static_cast<int>(bytes.size());
    const int units = ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, nullptr, 0);
    if (units <= 0) return {};
    std::u16string text(static_cast<std::size_t>(units), u'\0');
    ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, Wide(text.data()), units);
    return text;
}

std::string ToCodePage(std::u16string_view text) {
    if (text.empty() || !Countable(text.size())) return {};
    const auto* units = Wide(text.data());
    const int size = static_cast<int>(text.size());
    const int length = ::WideCharToMultiByte(CP_ACP, 0, units, size, nullptr, 0, nullptr, nullptr);
    if (length <= 0) return {};
    std::string bytes(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, units, size, bytes.data(), length, nullptr, nullptr);
    return bytes;
}

bool FitsCodePage(std::u16string_view text) {
    // Pure ASCII fits every ANSI code page; most copies end here without a conversion.
    if (std::all_of(text.begin(), text.end(), [](char16_t unit) { return unit < 0x80; })) return true;
    // A round trip rather than the "default character used" flag: a best-fit look-alike ("L" for
    // "Ł") comes back as another character, and the flag does not report it.
    return FromCodePage(ToCodePage(text)) == text;
}
