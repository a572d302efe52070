#pragma once

#include <string>

#include "framework/ProfileStore.h"

// The profile in a private INI file, through the platform's private-profile functions.
//
// Integers are written as "%d" text and read back by the platform; texts are read through a
// 4,096-character buffer, so a longer text comes back cut to its first 4,095 characters.
class IniProfile final : public ProfileStore {
public:
    // fileName without a directory puts the file where the platform keeps private profiles
    // (the Windows directory).
    explicit IniProfile(std::string fileName);

    // The executable's file name with its extension replaced by ".INI", without a directory.
    static std::string FileNameForProgram();

    int GetInt(const char* section, const char* key, int defaultValue) override;
    bool WriteInt(const char* section, const char* key, int value) override;
    std::string GetString(const char* section, const char* key, const char* defaultValue) override;
    bool WriteString(const char* section, const char* key, const char* text) override;

    const std::string& FileName() const { return m_fileName; }

private:
    std::string m_fileName;
};
