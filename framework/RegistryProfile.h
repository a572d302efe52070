#pragma once

#include <string>

#include "framework/ProfileStore.h"
#include "framework/RegKey.h"

// The profile in HKEY_CURRENT_USER\Software\<company>\<application>\<section>.
//
// Every operation reaches its section anew, creating the key path when it is missing (a read
// too), unless that section is held: then the one open section key is used. Integers are
// REG_DWORD values, texts REG_SZ values with their terminating zero (the empty text is a REG_SZ
// of one zero byte).
//
// Values the program did not write read safely:
// - an integer read gives the default unless the value is a REG_DWORD of exactly 4 bytes
//   (so a text, a REG_BINARY or a value of any other size gives the default);
// - a text read gives the default unless the value is a REG_SZ; its text ends at the first zero
//   byte or at the end of the stored bytes when there is none, and is read whole however long;
// - a value that grows between two reads of one operation is read again at its new size; one
//   that is still changing after a few attempts gives the default.
class RegistryProfile final : public ProfileStore {
public:
    RegistryProfile(std::string company, std::string application);

    int GetInt(const char* section, const char* key, int defaultValue) override;
    bool WriteInt(const char* section, const char* key, int value) override;
    std::string GetString(const char* section, const char* key, const char* defaultValue) override;
    bool WriteString(const char* section, const char* key, const char* text) override;

    void HoldSection(const char* section) override;
    void ReleaseSection() override;

private:
    RegKey OpenApplicationKey() const;
    RegKey OpenSectionKey(const char* section) const;
    // The held key when section is the held one, else a freshly opened key kept in opened.
    HKEY SectionKey(const char* section, RegKey& opened) const;
    bool DeleteSection(const char* section);

    std::string m_company;
    std::string m_application;
    std::string m_heldName;
    RegKey m_held;
};
