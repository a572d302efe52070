#include "framework/RegistryProfile.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {

// KEY_READ | KEY_WRITE (0x2001F): every key of the path is opened for both.
constexpr REGSAM kAccess = KEY_READ | KEY_WRITE;

// Most texts fit in the first read; a longer one costs a second read at its reported size.
constexpr DWORD kFirstReadBytes = 256;

// A value rewritten by another program between our reads is read again at most this often.
constexpr int kReadAttempts = 4;

}  // namespace

RegistryProfile::RegistryProfile(std::string company, std::string application)
    : m_company(std::move(company)), m_application(std::move(application)) {}

RegKey RegistryProfile::OpenApplicationKey() const {
    const RegKey software = RegKey::Open(HKEY_CURRENT_USER, "Software", kAccess);
    const RegKey company = RegKey::Create(software.Get(), m_company.c_str(), kAccess);
    return RegKey::Create(company.Get(), m_application.c_str(), kAccess);
}

RegKey RegistryProfile::OpenSectionKey(const char* section) const {
    if (section == nullptr) return RegKey();
    const RegKey application = OpenApplicationKey();
    return RegKey::Create(application.Get(), section, kAccess);
}

HKEY RegistryProfile::SectionKey(const char* section, RegKey& opened) const {
    if (m_held && section != nullptr && m_heldName == section) return m_held.Get();
    opened = OpenSectionKey(section);
    return opened.Get();
}

void RegistryProfile::HoldSection(const char* section) {
    ReleaseSection();
    m_held = OpenSectionKey(section);
    if (m_held) m_heldName = section;
}

void RegistryProfile::ReleaseSection() {
    m_held.Close();
    m_heldName.clear();
}

int RegistryProfile::GetInt(const char* section, const char* key, int defaultValue) {
    RegKey opened;
    const HKEY sectionKey = SectionKey(section, opened);
    if (sectionKey == nullptr) return defaultValue;

    std::int32_t value = 0;
    DWORD size = sizeof value;
    // Any value of exactly four bytes is the integer, whatever type it was stored as.
    if (RegQueryValueExA(sectionKey, key, nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS ||
        size != sizeof value)
        return defaultValue;
    return value;
}

bool RegistryProfile::WriteInt(const char* section, const char* key, int value) {
    RegKey opened;
    const HKEY sectionKey = SectionKey(section, opened);
    if (sectionKey == nullptr) return false;
    const std::int32_t stored = value;
    return RegSetValueExA(sectionKey, key, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&stored), sizeof stored) ==
           ERROR_SUCCESS;
}

std::string RegistryProfile::GetString(const char* section, const char* key, const char* defaultValue) {
    std::string fallback = defaultValue != nullptr ? defaultValue : "";
    RegKey opened;
    const HKEY sectionKey = SectionKey(section, opened);
    if (sectionKey == nullptr) return fallback;

    // One read with a guessed size, then reads at the size the registry reports, so that a
    // short text costs one call and a long one is still read whole.
    std::string data(kFirstReadBytes, '\0');
    for (int attempt = 0; attempt < kReadAttempts; ++attempt) {
        DWORD size = static_cast<DWORD>(data.size());
        const LONG result =
            RegQueryValueExA(sectionKey, key, nullptr, nullptr, reinterpret_cast<BYTE*>(&data[0]), &size);
        if (result == ERROR_MORE_DATA) {
            data.assign(std::max<std::size_t>(size, data.size() * 2), '\0');
            continue;
        }
        if (result != ERROR_SUCCESS) return fallback;
        // A text of any stored type ends at its first zero byte, or with the stored bytes.
        const std::size_t stored = std::min<std::size_t>(size, data.size());
        data.resize(static_cast<std::size_t>(std::find(data.begin(), data.begin() + stored, '\0') - data.begin()));
        return data;
    }
    return fallback;
}

bool RegistryProfile::WriteString(const char* section, const char* key, const char* text) {
    if (key == nullptr) return DeleteSection(section);
    RegKey opened;
    const HKEY sectionKey = SectionKey(section, opened);
    if (sectionKey == nullptr) return false;
    if (text == nullptr) return RegDeleteValueA(sectionKey, key) == ERROR_SUCCESS;
    const DWORD bytes = static_cast<DWORD>(std::strlen(text) + 1);
    return RegSetValueExA(sectionKey, key, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), bytes) == ERROR_SUCCESS;
}

bool RegistryProfile::DeleteSection(const char* section) {
    if (section == nullptr) return false;
    if (m_held && m_heldName == section) ReleaseSection();
    const RegKey application = OpenApplicationKey();
    return application && RegDeleteKeyA(application.Get(), section) == ERROR_SUCCESS;
}
