#pragma once
// The clipboard as another program uses it: writing texts and other formats for the
// program under test to capture, and reading back what it wrote.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/wine/support/Wait.h"

namespace harness {

// The clipboard, opened by this thread; retried while another program holds it.
class OpenedClipboard {
public:
    // Throws std::runtime_error if the clipboard stays held by someone else for the timeout.
    explicit OpenedClipboard(HWND owner = nullptr, Milliseconds timeout = kDefaultTimeout);
    ~OpenedClipboard();
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;
};

// One clipboard format with the exact bytes of its global memory block.
struct ClipboardData {
    UINT format;
    std::string bytes;

    // A text format holding the text and its terminating zero.
    static ClipboardData Text(UINT format, const std::string& text);
    // A registered format (e.g. "Clipboard Viewer Ignore") with the given bytes.
    static ClipboardData Registered(const char* name, const std::string& bytes = std::string(1, '\0'));
};

// Empties the clipboard and puts the given formats on it in one open/close, as one
// program's copy. Throws std::runtime_error on failure.
void SetClipboard(const std::vector<ClipboardData>& formats);

// Puts the text on the clipboard as CF_TEXT only, as most programs copy.
void CopyText(const std::string& text);

// Puts a bitmap of the given size on the clipboard, and nothing else.
void CopyBitmap(int width, int height);

// Empties the clipboard (a change with no format at all).
void EmptyTheClipboard();

// The text of the format up to its first zero byte; nothing if the format is absent.
std::optional<std::string> ReadClipboardText(UINT format = CF_TEXT);

// The formats on the clipboard, in the order EnumClipboardFormats reports them.
std::vector<UINT> ClipboardFormats();

// Counts every change of the clipboard, by any program.
DWORD ClipboardSequence();

}  // namespace harness
