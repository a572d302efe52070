#pragma once
// What a clipboard change turns into: which formats are read, in which order, whether the
// content is to be left alone, and how a text is cut out of a clipboard block.
#include <array>
#include <bitset>
#include <cstddef>
#include <cstdint>
#include <string>

namespace capture {

// The standard clipboard format numbers the capture cares about.
constexpr unsigned kTextFormat = 1;          // CF_TEXT
constexpr unsigned kOemTextFormat = 7;       // CF_OEMTEXT
constexpr unsigned kUnicodeTextFormat = 13;  // CF_UNICODETEXT

// The set of standard formats (1 to 16) found on the clipboard; higher numbers are passed over.
// Noted in the order the platform lists them: the formats the copying program put, in the order
// it put them, then those the platform makes of them.
class StandardFormats {
public:
    void Note(unsigned format) {
        if (format < 1 || format > 16) return;
        m_bits.set(format - 1);
        if (m_firstText == 0 && (format == kTextFormat || format == kOemTextFormat || format == kUnicodeTextFormat))
            m_firstText = format;
    }
    bool Has(unsigned format) const { return format >= 1 && format <= 16 && m_bits.test(format - 1); }
    bool Empty() const { return m_bits.none(); }
    // Whether the program put its text as Unicode before any 8-bit text. Its CF_TEXT, if it put
    // one at all, then says nothing the Unicode text does not: the Unicode text is the copy.
    bool UnicodeFirst() const { return m_firstText == kUnicodeTextFormat; }

private:
    std::bitset<16> m_bits;
    unsigned m_firstText = 0;
};

// The code-page text formats to try, in order, stopping at the first that yields a text. A copy
// the program put as 8-bit text first is taken from them, byte for byte, unless its Unicode
// text holds characters beyond the code page; one put as Unicode first is taken from
// CF_UNICODETEXT, which for a text the code page holds gives the same characters. CF_TEXT comes
// first: the platform synthesises CF_OEMTEXT
// from it through the OEM code page, which would turn "café" into "caf‚" and lose "€". Unused slots hold 0.
std::array<unsigned, 2> TextFormatsToTry(const StandardFormats& formats);

// Registered formats by which a program asks clipboard monitors to leave its content alone
// (password managers mark secrets this way).
constexpr std::array<const char16_t*, 2> kExcludeMarkerFormats = {
    u"ExcludeClipboardContentFromMonitorProcessing",
    u"Clipboard Viewer Ignore",
};
// A registered format whose DWORD value 0 says the same.
constexpr const char16_t* kHistoryConsentFormat = u"CanIncludeInClipboardHistory";

// Whether the consent format's data forbids keeping the content: a DWORD of 0. Data too short
// to hold a DWORD forbids nothing.
bool HistoryConsentRefused(const void* data, std::size_t size);

// The text in a clipboard block: the bytes up to the first zero, never past the block's end
// (another program may hand over a block without a terminating zero).
std::string TextFromBlock(const void* data, std::size_t size);
// The same for a block of UTF-16 text: the characters up to the first zero, never past the
// last whole character of the block.
std::u16string UnicodeTextFromBlock(const void* data, std::size_t size);

// Whether a clipboard notification may bring a copy not yet captured. A viewer passes on
// notifications that carry no change (the one it receives when joining the chain, and Wine
// announces one X11 copy twice); the clipboard's sequence number tells them apart from a
// real copy. 0 means the platform could not tell, so it never holds a capture back.
constexpr bool ClipboardChangedSince(std::uint32_t sequence, std::uint32_t lastExamined) {
    return sequence == 0 || sequence != lastExamined;
}

}  // namespace capture
