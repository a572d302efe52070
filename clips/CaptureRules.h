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
class StandardFormats {
public:
    void Note(unsigned format) {
        if (format >= 1 && format <= 16) m_bits.set(format - 1);
    }
    bool Has(unsigned format) const { return format >= 1 && format <= 16 && m_bits.test(format - 1); }
    bool Empty() const { return m_bits.none(); }

private:
    std::bitset<16> m_bits;
};

// The code-page text formats to try, in order, stopping at the first that yields a text. A
// copy whose text the ANSI code page holds is taken from them, byte for byte; only one with
// characters beyond it is taken from CF_UNICODETEXT instead. CF_TEXT comes first: the platform synthesises CF_OEMTEXT
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
