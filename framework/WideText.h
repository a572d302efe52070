#pragma once
// Where the program's text meets the W functions. The program spells UTF-16 as char16_t, the
// platform as WCHAR: the same 16-bit units, so these only relabel a pointer, converting nothing.
#include <windows.h>

static_assert(sizeof(wchar_t) == sizeof(char16_t), "WCHAR is a UTF-16 unit on Windows");

inline const wchar_t* Wide(const char16_t* text) { return reinterpret_cast<const wchar_t*>(text); }
inline wchar_t* Wide(char16_t* text) { return reinterpret_cast<wchar_t*>(text); }
inline const char16_t* Utf16(const wchar_t* text) { return reinterpret_cast<const char16_t*>(text); }
