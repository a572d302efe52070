#pragma once

#include <string>

#include "framework/ProfileStore.h"
#include "framework/RegKey.h"

// The profile in HKEY_CURRENT_USER\Software\<company>\<application>\<section>, through the W
// functions.
//
// An operation reaches its section creating the key path when it is missing (a read too). The
// application's key and the key of the section last reached stay open, so that a record written at
// every change costs one call; either is opened anew should someone delete it meanwhile, and
// holding a section adds nothing to that. Integers are
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

    // Through the key kept open while it stands: one call for a record written at every change.
    bool WriteExisting(const char16_t* section, const char16_t* key, const char16_t* text) override;
    bool HasSection(const char16_t* section) override;
    // RegRenameKey (Windows Vista on): one step the registry never leaves half done.
    bool RenameSection(const char16_t* from, const char16_t* to) override;

private:
    // The application's key, opened once and kept: a record written at every change would
    // otherwise pay for opening the whole path each time.
    HKEY ApplicationKey();
    RegKey OpenSectionKey(const char16_t* section);
    // The section's key, kept open until another section is reached or this one is renamed or
    // deleted here.
    HKEY SectionKey(const char16_t* section);
    void ForgetSection();
    // operation(key) on the section's key, once more on a key opened anew should the kept one
    // have been deleted meanwhile; its result, or ERROR_INVALID_HANDLE when the key cannot be had.
    template <typename Operation>
    LONG OnSection(const char16_t* section, const Operation& operation);
    bool DeleteSection(const char16_t* section);

    std::u16string m_company;
    std::u16string m_application;
    std::u16string m_sectionName;
    RegKey m_section;
    RegKey m_applicationKey;
};
