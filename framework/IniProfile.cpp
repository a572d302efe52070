#include "framework/IniProfile.h"

#include <windows.h>

#include <algorithm>
#include <cwchar>
#include <vector>

#include "framework/ModulePath.h"
#include "framework/WideText.h"

namespace {

constexpr DWORD kTextBufferChars = 4096;

}  // namespace

IniProfile::IniProfile(std::wstring fileName) : m_fileName(std::move(fileName)) {}

std::wstring IniProfile::FileNameForProgram() {
    std::wstring name = ModulePathWithExtension(nullptr, L".INI");
    const std::size_t directoryEnd = name.find_last_of(L"\\/:");
    if (directoryEnd != std::wstring::npos) name.erase(0, directoryEnd + 1);
    return name;
}

int IniProfile::GetInt(const char16_t* section, const char16_t* key, int defaultValue) {
    return static_cast<int>(GetPrivateProfileIntW(Wide(section), Wide(key), defaultValue, m_fileName.c_str()));
}

bool IniProfile::WriteInt(const char16_t* section, const char16_t* key, int value) {
    const std::wstring text = std::to_wstring(value);
    return WritePrivateProfileStringW(Wide(section), Wide(key), text.c_str(), m_fileName.c_str()) != FALSE;
}

std::u16string IniProfile::GetString(const char16_t* section, const char16_t* key, const char16_t* defaultValue) {
    std::vector<wchar_t> text(kTextBufferChars);
    const DWORD length =
        GetPrivateProfileStringW(Wide(section), Wide(key), Wide(defaultValue != nullptr ? defaultValue : u""),
                                 text.data(), kTextBufferChars, m_fileName.c_str());
    return std::u16string(Utf16(text.data()), std::min<DWORD>(length, kTextBufferChars - 1));
}

namespace {
// What a function that fills a buffer of double-zero-ended texts gives, read whole however long.
template <typename Fill>
std::vector<wchar_t> ReadWhole(Fill fill) {
    for (DWORD size = kTextBufferChars;; size *= 2) {
        std::vector<wchar_t> buffer(size);
        if (fill(buffer.data(), size) < size - 2) return buffer;
    }
}
}  // namespace

bool IniProfile::HasSection(const char16_t* section) {
    const std::vector<wchar_t> names = ReadWhole(
        [&](wchar_t* buffer, DWORD size) { return GetPrivateProfileSectionNamesW(buffer, size, m_fileName.c_str()); });
    for (const wchar_t* name = names.data(); *name; name += std::wcslen(name) + 1)
        if (_wcsicmp(name, Wide(section)) == 0) return true;
    return false;
}

bool IniProfile::RenameSection(const char16_t* from, const char16_t* to) {
    if (!HasSection(from) || HasSection(to)) return false;
    const std::vector<wchar_t> entries = ReadWhole([&](wchar_t* buffer, DWORD size) {
        return GetPrivateProfileSectionW(Wide(from), buffer, size, m_fileName.c_str());
    });
    return WritePrivateProfileSectionW(Wide(to), entries.data(), m_fileName.c_str()) &&
           WritePrivateProfileStringW(Wide(from), nullptr, nullptr, m_fileName.c_str());
}

bool IniProfile::WriteString(const char16_t* section, const char16_t* key, const char16_t* text) {
    return WritePrivateProfileStringW(Wide(section), Wide(key), Wide(text), m_fileName.c_str()) != FALSE;
}
