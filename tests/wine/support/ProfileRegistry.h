#pragma once
// The program's profile in the registry, HKCU\Software\QUORVEX\Scrapvault\<section>, read
// and written directly, as a test prepares a start or checks what a run stored.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "framework/RegKey.h"

namespace harness {

constexpr char kProfileKeyPath[] = "Software\\QUORVEX\\Scrapvault";

// One value exactly as stored: its registry type and bytes.
struct RegistryValue {
    DWORD type;
    std::string bytes;
};

// One section key of the profile, created when missing, open while the object lives.
class ProfileSection {
public:
    // Throws std::runtime_error if the key cannot be created.
    explicit ProfileSection(const std::string& section);

    std::optional<RegistryValue> ReadValue(const std::string& name) const;
    // A REG_DWORD of 4 bytes as a signed integer; nothing for a missing or other value.
    std::optional<std::int32_t> ReadInt(const std::string& name) const;
    // A REG_SZ up to its first zero byte; nothing for a missing or other value.
    std::optional<std::string> ReadString(const std::string& name) const;
    // The value names, in the registry's enumeration order.
    std::vector<std::string> ValueNames() const;

    void WriteInt(const std::string& name, std::int32_t value) const;
    // Stored as the program stores texts: the bytes and one terminating zero.
    void WriteString(const std::string& name, const std::string& text) const;
    void WriteValue(const std::string& name, const RegistryValue& value) const;
    void DeleteValue(const std::string& name) const;

private:
    RegKey m_key;
};

// Removes the whole profile (all sections), as before a first run.
void DeleteProfile();
// Removes one section key with its values.
void DeleteProfileSection(const std::string& section);
// True if the section key exists.
bool ProfileSectionExists(const std::string& section);

// Prepares a start that opens no dialog and a close that asks nothing: removes the profile,
// then stores NumberToSave 10 (no first-run Configure dialog) and ConfirmExit 0.
void PrepareQuietStart();

}  // namespace harness
