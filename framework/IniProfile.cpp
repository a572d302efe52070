#include "framework/IniProfile.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "framework/ModulePath.h"

namespace {

constexpr DWORD kTextBufferChars = 4096;

}  // namespace

IniProfile::IniProfile(std::string fileName) : m_fileName(std::move(fileName)) {}

std::string IniProfile::FileNameForProgram() {
    std::string name = ModulePathWithExtension(nullptr, ".INI");
    const std::size_t directoryEnd = name.find_last_of("\\/:");
    if (directoryEnd != std::string::npos) name.erase(0, directoryEnd + 1);
    return name;
}

int IniProfile::GetInt(const char* section, const char* key, int defaultValue) {
    return static_cast<int>(GetPrivateProfileIntA(section, key, defaultValue, m_fileName.c_str()));
}

bool IniProfile::WriteInt(const char* section, const char* key, int value) {
    char text[16];
    std::snprintf(text, sizeof text, "%d", value);
    return WritePrivateProfileStringA(section, key, text, m_fileName.c_str()) != FALSE;
}

std::string IniProfile::GetString(const char* section, const char* key, const char* defaultValue) {
    std::vector<char> text(kTextBufferChars);
    const DWORD length = GetPrivateProfileStringA(section, key, defaultValue != nullptr ? defaultValue : "",
                                                  text.data(), kTextBufferChars, m_fileName.c_str());
    return std::string(text.data(), std::min<DWORD>(length, kTextBufferChars - 1));
}

bool IniProfile::WriteString(const char* section, const char* key, const char* text) {
    return WritePrivateProfileStringA(section, key, text, m_fileName.c_str()) != FALSE;
}
