#pragma once

#include <string>

#include "framework/ProfileStore.h"

// The profile in a private INI file, through the platform's private-profile W functions.
//
// Integers are written as "%d" text and read back by the platform; texts are read through a
// 4,096-character buffer, so a longer text comes back cut to its first 4,095 characters. The
// platform keeps the file in the ANSI code page unless it starts as UTF-16.
class IniProfile final : public ProfileStore {
public:
    // fileName without a directory puts the file where the platform keeps private profiles
    // (the Windows directory).
    explicit IniProfile(std::wstring fileName);

    // The executable's file name with its extension replaced by ".INI", without a directory.
    static std::wstring FileNameForProgram();

    int GetInt(const char16_t* section, const char16_t* key, int defaultValue) override;
    bool WriteInt(const char16_t* section, const char16_t* key, int value) override;
    std::u16string GetString(const char16_t* section, const char16_t* key, const char16_t* defaultValue) override;
    bool WriteString(const char16_t* section, const char16_t* key, const char16_t* text) override;
    bool HasSection(const char16_t* section) override;
    // A copy of the section under the new name, then the old one removed: the file has no step
    // that cannot be half done, and the program keeps its clippings here only before it has a
    // registry profile.
    bool RenameSection(const char16_t* from, const char16_t* to) override;

    const std::wstring& FileName() const { return m_fileName; }

private:
    std::wstring m_fileName;
};
