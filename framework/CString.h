#pragma once
// An 8-bit text value: the string type the framework's classes hand around.
#include <string>
#include <string_view>

class CString {
public:
    CString() = default;
    CString(const char* text) : m_text(text ? text : "") {}  // NOLINT: implicit like a string literal
    CString(std::string text) : m_text(std::move(text)) {}   // NOLINT

    bool IsEmpty() const { return m_text.empty(); }
    void Empty() { m_text.clear(); }
    const char* GetString() const { return m_text.c_str(); }
    operator const char*() const { return m_text.c_str(); }  // NOLINT: the framework's calling convention
    const std::string& str() const { return m_text; }

    CString& operator+=(const CString& other) {
        m_text += other.m_text;
        return *this;
    }
    friend bool operator==(const CString& a, const CString& b) { return a.m_text == b.m_text; }
    friend bool operator!=(const CString& a, const CString& b) { return !(a == b); }
    friend bool operator==(const CString& a, const char* b) { return a.m_text == (b ? b : ""); }

private:
    std::string m_text;
};
