#pragma once

#include <windows.h>

#include <iterator>
#include <utility>

// Owns one open registry key handle and closes it.
class RegKey {
public:
    RegKey() = default;
    explicit RegKey(HKEY key) : m_key(key) {}
    ~RegKey() { Close(); }

    RegKey(RegKey&& other) noexcept : m_key(std::exchange(other.m_key, nullptr)) {}
    RegKey& operator=(RegKey&& other) noexcept {
        if (this != &other) {
            Close();
            m_key = std::exchange(other.m_key, nullptr);
        }
        return *this;
    }
    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;

    // Opens an existing key; an empty RegKey when that fails.
    static RegKey Open(HKEY parent, const wchar_t* name, REGSAM access) {
        HKEY key = nullptr;
        if (parent == nullptr || RegOpenKeyExW(parent, name, 0, access, &key) != ERROR_SUCCESS) return RegKey();
        return RegKey(key);
    }

    // Opens a key, creating it (non-volatile, no class) when it is missing.
    static RegKey Create(HKEY parent, const wchar_t* name, REGSAM access) {
        HKEY key = nullptr;
        if (parent == nullptr || RegCreateKeyExW(parent, name, 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr,
                                                 &key, nullptr) != ERROR_SUCCESS)
            return RegKey();
        return RegKey(key);
    }

    // Removes a key with everything inside it (RegDeleteTree needs Vista; this runs on anything).
    static bool DeleteTree(HKEY parent, const wchar_t* name) {
        {
            const RegKey key = Open(parent, name, KEY_READ | KEY_WRITE);
            if (!key) return false;
            wchar_t child[256];
            for (;;) {
                DWORD length = static_cast<DWORD>(std::size(child));
                if (RegEnumKeyExW(key.Get(), 0, child, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
                    break;
                if (!DeleteTree(key.Get(), child)) return false;
            }
        }
        return RegDeleteKeyW(parent, name) == ERROR_SUCCESS;
    }

    HKEY Get() const { return m_key; }
    explicit operator bool() const { return m_key != nullptr; }

    void Close() {
        if (m_key != nullptr) RegCloseKey(std::exchange(m_key, nullptr));
    }

private:
    HKEY m_key = nullptr;
};
