#pragma once
// The program's reads and writes of the clipboard, and the move-only owners of the clipboard
// and global memory they use, so every open is closed and every lock released on every path; and
// the owner of a window's place among the clipboard's listeners.
#include <windows.h>

#include <optional>
#include <string>
#include <utility>

struct ClipboardPatience;

// What a capture found on the clipboard.
struct ClipboardReading {
    bool held = false;  // another program had the clipboard open: nothing could be read
    std::optional<std::u16string> text;
};

// The text a capture takes from the clipboard as it stands: whole from CF_UNICODETEXT when the
// program put it as Unicode first or when it holds characters beyond the ANSI code page; else
// from CF_TEXT, else CF_OEMTEXT, byte for byte as the code page maps them. No text when no format yields one or when
// the content is marked to be left alone. The clipboard is opened once, for the look at its formats and the read
// together.
ClipboardReading ReadTextToCapture(HWND owner);

// Replaces the clipboard's content with the text, exact as CF_UNICODETEXT and as the ANSI code
// page gives it as CF_TEXT, waiting a moment for a clipboard another program holds; without
// memory for the text, or with the clipboard still held, the clipboard is left as it was (false).
bool PutTextOnClipboard(HWND owner, const std::u16string& text);

// The window among the clipboard's format listeners for the lifetime of the object: every change
// of the clipboard posts it WM_CLIPBOARDUPDATE, whatever the viewer chain does. Without the
// function (before Windows Vista) or when it fails, the window hears nothing more than before.
class ClipboardFormatListener {
public:
    explicit ClipboardFormatListener(HWND window);
    ~ClipboardFormatListener();
    ClipboardFormatListener(const ClipboardFormatListener&) = delete;
    ClipboardFormatListener& operator=(const ClipboardFormatListener&) = delete;

private:
    HWND m_window;  // null when the window is not listening
};

// The clipboard, open for the lifetime of the object (when opening succeeded).
class OpenClipboardScope {
public:
    explicit OpenClipboardScope(HWND owner) : m_open(::OpenClipboard(owner) != FALSE) {}
    // Tries again while another program holds the clipboard, as long as the patience lasts.
    OpenClipboardScope(HWND owner, const ClipboardPatience& patience);
    ~OpenClipboardScope() {
        if (m_open) ::CloseClipboard();
    }
    OpenClipboardScope(const OpenClipboardScope&) = delete;
    OpenClipboardScope& operator=(const OpenClipboardScope&) = delete;
    bool IsOpen() const { return m_open; }

private:
    bool m_open;
};

// A global memory block, locked for the lifetime of the object.
class GlobalLockScope {
public:
    explicit GlobalLockScope(HGLOBAL block) : m_block(block), m_data(block ? ::GlobalLock(block) : nullptr) {}
    ~GlobalLockScope() {
        if (m_data) ::GlobalUnlock(m_block);
    }
    GlobalLockScope(const GlobalLockScope&) = delete;
    GlobalLockScope& operator=(const GlobalLockScope&) = delete;
    void* Data() const { return m_data; }
    std::size_t Size() const { return m_data ? ::GlobalSize(m_block) : 0; }

private:
    HGLOBAL m_block;
    void* m_data;
};

// A global block the program allocated and still owns: freed unless handed to the clipboard.
class OwnedGlobalBlock {
public:
    OwnedGlobalBlock() = default;
    OwnedGlobalBlock(UINT flags, std::size_t size) : m_block(::GlobalAlloc(flags, size)) {}
    ~OwnedGlobalBlock() {
        if (m_block) ::GlobalFree(m_block);
    }
    OwnedGlobalBlock(OwnedGlobalBlock&& other) noexcept : m_block(std::exchange(other.m_block, nullptr)) {}
    OwnedGlobalBlock& operator=(OwnedGlobalBlock&&) = delete;
    OwnedGlobalBlock(const OwnedGlobalBlock&) = delete;
    OwnedGlobalBlock& operator=(const OwnedGlobalBlock&) = delete;

    HGLOBAL Get() const { return m_block; }
    explicit operator bool() const { return m_block != nullptr; }
    // The clipboard has taken the block: it is no longer ours to free.
    HGLOBAL Release() { return std::exchange(m_block, nullptr); }

private:
    HGLOBAL m_block = nullptr;
};
