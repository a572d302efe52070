#include "tests/wine/support/ProfileRegistry.h"

#include <stdexcept>

namespace harness {

namespace {

constexpr REGSAM kAccess = KEY_READ | KEY_WRITE;

std::string SectionPath(const std::string& section) { return std::string(kProfileKeyPath) + "\\" + section; }

// RegDeleteTree is not in the Windows versions the program targets; the profile is two
// levels deep, so a plain recursion does.
void DeleteKeyTree(HKEY parent, const std::string& name) {
    {
        const RegKey key = RegKey::Open(parent, name.c_str(), kAccess);
        if (!key) return;
        char child[256];
        for (;;) {
            DWORD length = sizeof child;
            if (RegEnumKeyExA(key.Get(), 0, child, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
            const std::string childName(child, length);
            DeleteKeyTree(key.Get(), childName);
            if (RegKey::Open(key.Get(), childName.c_str(), kAccess))
                break;  // could not delete it: stop rather than loop forever
        }
    }
    RegDeleteKeyA(parent, name.c_str());
}

}  // namespace

ProfileSection::ProfileSection(const std::string& section)
    : m_key(RegKey::Create(HKEY_CURRENT_USER, SectionPath(section).c_str(), kAccess)) {
    if (!m_key) throw std::runtime_error("cannot open the profile section " + section);
}

std::optional<RegistryValue> ProfileSection::ReadValue(const std::string& name) const {
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(m_key.Get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return std::nullopt;
    std::string bytes(size, '\0');
    if (RegQueryValueExA(m_key.Get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(bytes.data()), &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    bytes.resize(size);
    return RegistryValue{type, bytes};
}

std::optional<std::int32_t> ProfileSection::ReadInt(const std::string& name) const {
    const std::optional<RegistryValue> value = ReadValue(name);
    if (!value || value->type != REG_DWORD || value->bytes.size() != sizeof(std::int32_t)) return std::nullopt;
    std::int32_t number = 0;
    value->bytes.copy(reinterpret_cast<char*>(&number), sizeof number);
    return number;
}

std::optional<std::string> ProfileSection::ReadString(const std::string& name) const {
    const std::optional<RegistryValue> value = ReadValue(name);
    if (!value || value->type != REG_SZ) return std::nullopt;
    return value->bytes.substr(0, value->bytes.find('\0'));
}

std::vector<std::string> ProfileSection::ValueNames() const {
    std::vector<std::string> names;
    char name[16384];
    for (DWORD index = 0;; ++index) {
        DWORD length = sizeof name;
        if (RegEnumValueA(m_key.Get(), index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        names.emplace_back(name, length);
    }
    return names;
}

void ProfileSection::WriteInt(const std::string& name, std::int32_t value) const {
    WriteValue(name, RegistryValue{REG_DWORD, std::string(reinterpret_cast<const char*>(&value), sizeof value)});
}

void ProfileSection::WriteString(const std::string& name, const std::string& text) const {
    WriteValue(name, RegistryValue{REG_SZ, text + '\0'});
}

void ProfileSection::WriteValue(const std::string& name, const RegistryValue& value) const {
    if (RegSetValueExA(m_key.Get(), name.c_str(), 0, value.type, reinterpret_cast<const BYTE*>(value.bytes.data()),
                       static_cast<DWORD>(value.bytes.size())) != ERROR_SUCCESS)
        throw std::runtime_error("cannot write the profile value " + name);
}

void ProfileSection::DeleteValue(const std::string& name) const { RegDeleteValueA(m_key.Get(), name.c_str()); }

void DeleteProfile() { DeleteKeyTree(HKEY_CURRENT_USER, kProfileKeyPath); }

void DeleteProfileSection(const std::string& section) { DeleteKeyTree(HKEY_CURRENT_USER, SectionPath(section)); }

bool ProfileSectionExists(const std::string& section) {
    return static_cast<bool>(RegKey::Open(HKEY_CURRENT_USER, SectionPath(section).c_str(), KEY_READ));
}

void PrepareQuietStart() {
    DeleteProfile();
    const ProfileSection configure("Configure");
    configure.WriteInt("NumberToSave", 10);
    configure.WriteInt("ConfirmExit", 0);
}

}  // namespace harness
