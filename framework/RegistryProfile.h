#pragma once

#include <string>

#include "framework/ProfileStore.h"
#include "framework/RegKey.h"

// The profile in HKEY_CURRENT_USER\Software\<company>\<application>\<section>, through the W
// functions.
//
// Every operation reaches its section anew, creating the key path when it is missing (a read
// too), unless that section is held: then the one open section key is used. The application's key
// stays open, and is opened anew should someone delete it meanwhile. Integers are
// REG_DWORD values, texts REG_SZ values in UTF-16 with their terminating zero (the empty text is
// a REG_SZ of one zero character). The registry keeps every REG_SZ in UTF-16 whichever function
// wrote it, so a text an 8-bit program stored reads back exactly as that program would read it.
//
// Values the program did not write read safely:
// - an integer read gives the default unless the value is exactly 4 bytes, of any type;
// - a text read takes a value of any type: a string type (REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ)
//   as UTF-16, anything else as bytes in the ANSI code page, as the 8-bit functions hand it out;
//   either ends at its first zero or at the end of the stored data, and is read whole however
//   long;
// - a value that grows between two reads of one operation is read again at its new size; one
//   that is still changing after a few attempts gives the default.
class RegistryProfile final : public ProfileStore {
public:
    RegistryProfile(std::u16string company, std::u16string application);

    int GetInt(const char16_t* section, const char16_t* key, int defaultValue) override;
    bool WriteInt(const char16_t* section, const char16_t* key, int value) override;
    std::u16string GetString(const char16_t* section, const char16_t* key, const char16_t* defaultValue) override;
    bool WriteString(const char16_t* section, const char16_t* key, const char16_t* text) override;

    void HoldSection(const char16_t* section) override;
    void ReleaseSection() override;

    bool HasSection(const char16_t* section) override;
    // RegRenameKey (Windows Vista on): one step the registry never leaves half done.
    bool RenameSection(const char16_t* from, const char16_t* to) override;

private:
    // The application's key, opened once and kept: a record written at every change would
    // otherwise pay for opening the whole path each time.
    HKEY ApplicationKey();
    RegKey OpenSectionKey(const char16_t* section);
    // The held key when section is the held one, else a freshly opened key kept in opened.
    HKEY SectionKey(const char16_t* section, RegKey& opened);
    bool DeleteSection(const char16_t* section);

    std::u16string m_company;
    std::u16string m_application;
    std::u16string m_heldName;
    RegKey m_held;
    RegKey m_applicationKey;
};
