#include "framework/RegistryProfile.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "framework/CodePage.h"
#include "framework/WideText.h"

namespace {

// KEY_READ | KEY_WRITE (0x2001F): every key of the path is opened for both.
constexpr REGSAM kAccess = KEY_READ | KEY_WRITE;

// Most texts fit in the first read; a longer one costs a second read at its reported size.
constexpr DWORD kFirstReadBytes = 512;

// A value rewritten by another program between our reads is read again at most this often.
constexpr int kReadAttempts = 4;

bool IsStringType(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ; }

// The text in a value's data: UTF-16 for the string types, code-page bytes for the others.
std::u16string TextOfValue(DWORD type, const std::string& data, std::size_t size) {
    if (!IsStringType(type))
        return FromCodePage(std::string_view(data.data(), std::min(size, std::strlen(data.data()))));
    std::u16string text(size / sizeof(char16_t), u'\0');
    std::memcpy(text.data(), data.data(), text.size() * sizeof(char16_t));
    text.resize(static_cast<std::size_t>(std::find(text.begin(), text.end(), u'\0') - text.begin()));
    return text;
}

}  // namespace

RegistryProfile::RegistryProfile(std::u16string company, std::u16string application)
    : m_company(std::move(company)), m_application(std::move(application)) {}

HKEY RegistryProfile::ApplicationKey() {
    if (!m_applicationKey) {
        const RegKey software = RegKey::Open(HKEY_CURRENT_USER, L"Software", kAccess);
        const RegKey company = RegKey::Create(software.Get(), Wide(m_company.c_str()), kAccess);
        m_applicationKey = RegKey::Create(company.Get(), Wide(m_application.c_str()), kAccess);
    }
    return m_applicationKey.Get();
}

RegKey RegistryProfile::OpenSectionKey(const char16_t* section) {
    if (section == nullptr) return RegKey();
    RegKey key = RegKey::Create(ApplicationKey(), Wide(section), kAccess);
    if (!key) {  // the application's key may have been deleted since it was opened
        m_applicationKey.Close();
        key = RegKey::Create(ApplicationKey(), Wide(section), kAccess);
    }
    return key;
}

HKEY RegistryProfile::SectionKey(const char16_t* section, RegKey& opened) {
    if (m_held && section != nullptr && m_heldName == section) return m_held.Get();
    opened = OpenSectionKey(section);
    return opened.Get();
}

void RegistryProfile::HoldSection(const char16_t* section) {
    ReleaseSection();
    m_held = OpenSectionKey(section);
    if (m_held) m_heldName = section;
}

void RegistryProfile::ReleaseSection() {
    m_held.Close();
    m_heldName.clear();
}

int RegistryProfile::GetInt(const char16_t* section, const char16_t* key, int defaultValue) {
    RegKey opened;
    const HKEY sectionKey = SectionKey(section, opened);
    if (sectionKey == nullptr) return defaultValue;

    std::int32_t value = 0;
    DWORD size = sizeof value;
    // Any value of exactly four bytes is the integer, whatever type it was stored as.
    if (RegQueryValueExW(sectionKey, Wide(key), nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size) !=
            ERROR_SUCCESS ||
        size != sizeof value)
        return defaultValue;
    return value;
}

bool RegistryProfile::WriteInt(const char16_t* section, const char16_t* key, int value) {
    RegKey opened;
    const HKEY sectionKey = SectionKey(section, opened);
    if (sectionKey == nullptr) return false;
    const std::int32_t stored = value;
    return RegSetValueExW(sectionKey, Wide(key), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&stored), sizeof stored) ==
           ERROR_SUCCESS;
}

std::u16string RegistryProfile::GetString(const char16_t* section, const char16_t* key, const char16_t* defaultValue) {
    std::u16string fallback = defaultValue != nullptr ? defaultValue : u"";
    RegKey opened;
    const HKEY sectionKey = SectionKey(section, opened);
    if (sectionKey == nullptr) return fallback;

    // One read with a guessed size, then reads at the size the registry reports, so that a
    // short text costs one call and a long one is still read whole. A zero stays past the data,
    // so code-page bytes without one of their own still end.
    std::string data(kFirstReadBytes + 1, '\0');
    for (int attempt = 0; attempt < kReadAttempts; ++attempt) {
        DWORD type = REG_NONE;
        DWORD size = static_cast<DWORD>(data.size() - 1);
        const LONG result =
            RegQueryValueExW(sectionKey, Wide(key), nullptr, &type, reinterpret_cast<BYTE*>(&data[0]), &size);
        if (result == ERROR_MORE_DATA) {
            data.assign(std::max<std::size_t>(size, data.size() * 2) + 1, '\0');
            continue;
        }
        if (result != ERROR_SUCCESS) return fallback;
        const std::size_t stored = std::min<std::size_t>(size, data.size() - 1);
        data[stored] = '\0';
        return TextOfValue(type, data, stored);
    }
    return fallback;
}

bool RegistryProfile::WriteString(const char16_t* section, const char16_t* key, const char16_t* text) {
    if (key == nullptr) return DeleteSection(section);
    RegKey opened;
    const HKEY sectionKey = SectionKey(section, opened);
    if (sectionKey == nullptr) return false;
    if (text == nullptr) return RegDeleteValueW(sectionKey, Wide(key)) == ERROR_SUCCESS;
    const DWORD bytes = static_cast<DWORD>((std::char_traits<char16_t>::length(text) + 1) * sizeof(char16_t));
    return RegSetValueExW(sectionKey, Wide(key), 0, REG_SZ, reinterpret_cast<const BYTE*>(text), bytes) ==
           ERROR_SUCCESS;
}

bool RegistryProfile::HasSection(const char16_t* section) {
    if (section == nullptr) return false;
    return RegKey::Open(ApplicationKey(), Wide(section), KEY_READ) ? true : false;
}

bool RegistryProfile::RenameSection(const char16_t* from, const char16_t* to) {
    using RenameKey = LSTATUS(WINAPI*)(HKEY, LPCWSTR, LPCWSTR);
    static const auto renameKey = reinterpret_cast<RenameKey>(
        reinterpret_cast<void (*)()>(::GetProcAddress(::GetModuleHandleW(L"advapi32.dll"), "RegRenameKey")));
    if (renameKey == nullptr || from == nullptr || to == nullptr || HasSection(to)) return false;
    if (m_held && (m_heldName == from || m_heldName == to)) ReleaseSection();
    const HKEY application = ApplicationKey();
    return application && renameKey(application, Wide(from), Wide(to)) == ERROR_SUCCESS;
}

bool RegistryProfile::DeleteSection(const char16_t* section) {
    if (section == nullptr) return false;
    if (m_held && m_heldName == section) ReleaseSection();
    const HKEY application = ApplicationKey();
    return application && RegDeleteKeyW(application, Wide(section)) == ERROR_SUCCESS;
}
