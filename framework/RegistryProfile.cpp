#include "framework/RegistryProfile.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "framework/CodePage.h"
#include "framework/SystemFunction.h"
#include "framework/WideText.h"

namespace {

// KEY_READ | KEY_WRITE (0x2001F): every key of the path is opened for both.
constexpr REGSAM kAccess = KEY_READ | KEY_WRITE;

// Most texts fit in the first read; a longer one costs a second read at its reported size.
constexpr DWORD kFirstReadBytes = 512;

// A value rewritten by another program between our reads is read again at most this often.
constexpr int kReadAttempts = 4;

bool IsStringType(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ; }

// The text as a REG_SZ value: its UTF-16 and the terminating zero.
LONG SetText(HKEY key, const char16_t* name, const char16_t* text) {
    const DWORD bytes = static_cast<DWORD>((std::char_traits<char16_t>::length(text) + 1) * sizeof(char16_t));
    return RegSetValueExW(key, Wide(name), 0, REG_SZ, reinterpret_cast<const BYTE*>(text), bytes);
}

// The text in a value's data, `size` bytes with a zero byte after them: UTF-16 for the string
// types, code-page bytes for the others.
std::u16string TextOfValue(DWORD type, const char* data, std::size_t size) {
    if (!IsStringType(type)) return FromCodePage(std::string_view(data, std::min(size, std::strlen(data))));
    std::u16string text(size / sizeof(char16_t), u'\0');
    std::memcpy(text.data(), data, text.size() * sizeof(char16_t));
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

HKEY RegistryProfile::SectionKey(const char16_t* section) {
    if (section == nullptr) return nullptr;
    if (!m_section || m_sectionName != section) {
        ForgetSection();
        m_section = OpenSectionKey(section);
        if (m_section) m_sectionName = section;
    }
    return m_section.Get();
}

void RegistryProfile::ForgetSection() {
    m_section.Close();
    m_sectionName.clear();
}

template <typename Operation>
LONG RegistryProfile::OnSection(const char16_t* section, const Operation& operation) {
    for (int attempt = 0;; ++attempt) {
        const HKEY key = SectionKey(section);
        if (key == nullptr) return ERROR_INVALID_HANDLE;
        const LONG result = operation(key);
        if (result != ERROR_KEY_DELETED || attempt > 0) return result;
        ForgetSection();  // deleted by someone else since it was opened: reached, and created, anew
    }
}

int RegistryProfile::GetInt(const char16_t* section, const char16_t* key, int defaultValue) {
    std::int32_t value = 0;
    DWORD size = 0;
    // Any value of exactly four bytes is the integer, whatever type it was stored as.
    const LONG result = OnSection(section, [&](HKEY sectionKey) {
        size = sizeof value;
        return RegQueryValueExW(sectionKey, Wide(key), nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size);
    });
    return result == ERROR_SUCCESS && size == sizeof value ? value : defaultValue;
}

bool RegistryProfile::WriteInt(const char16_t* section, const char16_t* key, int value) {
    const std::int32_t stored = value;
    return OnSection(section, [&](HKEY sectionKey) {
               return RegSetValueExW(sectionKey, Wide(key), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&stored),
                                     sizeof stored);
           }) == ERROR_SUCCESS;
}

std::u16string RegistryProfile::GetString(const char16_t* section, const char16_t* key, const char16_t* defaultValue) {
    std::u16string fallback = defaultValue != nullptr ? defaultValue : u"";
    // One read into a buffer on the stack, then reads at the size the registry reports, so that a
    // short text costs one call and no allocation but its own, and a long one is still read whole.
    // A zero stays past the data, so code-page bytes without one of their own still end.
    alignas(char16_t) char first[kFirstReadBytes + 1];
    std::string more;
    char* data = first;
    std::size_t capacity = kFirstReadBytes;
    for (int attempt = 0; attempt < kReadAttempts; ++attempt) {
        DWORD type = REG_NONE;
        DWORD size = 0;
        const LONG result = OnSection(section, [&](HKEY sectionKey) {
            size = static_cast<DWORD>(capacity);
            return RegQueryValueExW(sectionKey, Wide(key), nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
        });
        if (result == ERROR_MORE_DATA) {
            capacity = std::max<std::size_t>(size, capacity * 2);
            more.assign(capacity + 1, '\0');
            data = more.data();
            continue;
        }
        if (result != ERROR_SUCCESS) return fallback;
        const std::size_t stored = std::min<std::size_t>(size, capacity);
        data[stored] = '\0';
        return TextOfValue(type, data, stored);
    }
    return fallback;
}

bool RegistryProfile::WriteString(const char16_t* section, const char16_t* key, const char16_t* text) {
    if (key == nullptr) return DeleteSection(section);
    return OnSection(section, [&](HKEY sectionKey) {
               return text ? SetText(sectionKey, key, text) : RegDeleteValueW(sectionKey, Wide(key));
           }) == ERROR_SUCCESS;
}

bool RegistryProfile::WriteExisting(const char16_t* section, const char16_t* key, const char16_t* text) {
    if (section == nullptr || text == nullptr) return false;
    if (m_section && m_sectionName == section) {
        const LONG result = SetText(m_section.Get(), key, text);
        if (result != ERROR_KEY_DELETED) return result == ERROR_SUCCESS;
        ForgetSection();  // the section is gone: the check below refuses the write
    }
    return HasSection(section) && WriteString(section, key, text);
}

bool RegistryProfile::HasSection(const char16_t* section) {
    if (section == nullptr) return false;
    return RegKey::Open(ApplicationKey(), Wide(section), KEY_READ) ? true : false;
}

bool RegistryProfile::RenameSection(const char16_t* from, const char16_t* to) {
    using RenameKey = LSTATUS(WINAPI*)(HKEY, LPCWSTR, LPCWSTR);
    static const auto renameKey = SystemFunction<RenameKey>(L"advapi32.dll", "RegRenameKey");
    if (renameKey == nullptr || from == nullptr || to == nullptr || HasSection(to)) return false;
    ForgetSection();  // its handle would follow the key to its new name
    const HKEY application = ApplicationKey();
    return application && renameKey(application, Wide(from), Wide(to)) == ERROR_SUCCESS;
}

bool RegistryProfile::DeleteSection(const char16_t* section) {
    if (section == nullptr) return false;
    ForgetSection();
    const HKEY application = ApplicationKey();
    return application && RegDeleteKeyW(application, Wide(section)) == ERROR_SUCCESS;
}
