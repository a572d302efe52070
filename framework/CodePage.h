#pragma once
// Text in the ANSI code page, as the clipboard's 8-bit formats and 8-bit programs hold it. The
// conversions both ways keep every byte the code page maps (all of 1 to 255 in Windows-1252), so
// a code-page text that comes in goes out again byte for byte.
#include <string>
#include <string_view>

std::u16string FromCodePage(std::string_view bytes);
// Characters the code page lacks come out as the code page's own stand-in, as 8-bit programs
// have always received them.
std::string ToCodePage(std::u16string_view text);
// Whether the code page holds every character of the text: a round trip gives it back whole.
bool FitsCodePage(std::u16string_view text);
