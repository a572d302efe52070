#pragma once
// A text value: UTF-16, the string type the framework's classes hand around. Portable code
// spells its characters char16_t (a wchar_t is 32 bits outside Windows); on Windows they are
// the platform's WCHARs, relabelled at the call (framework/WideText.h).
#include <string>
#include <string_view>

class CString {
public:
    CString() = default;
    CString(const char16_t* text) : m_text(text ? text : u"") {}  // NOLINT: implicit like a string literal
    CString(std::u16string text) : m_text(std::move(text)) {}     // NOLINT
    CString(std::u16string_view text) : m_text(text) {}           // NOLINT

    bool IsEmpty() const { return m_text.empty(); }
    void Empty() { m_text.clear(); }
    const char16_t* GetString() const { return m_text.c_str(); }
    operator const char16_t*() const { return m_text.c_str(); }  // NOLINT: the framework's calling convention
    const std::u16string& str() const { return m_text; }

    CString& operator+=(const CString& other) {
        m_text += other.m_text;
        return *this;
    }
    friend bool operator==(const CString& a, const CString& b) { return a.m_text == b.m_text; }
    friend bool operator!=(const CString& a, const CString& b) { return !(a == b); }
    friend bool operator==(const CString& a, const char16_t* b) { return a.m_text == (b ? b : u""); }

private:
    std::u16string m_text;
};
