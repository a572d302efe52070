#pragma once
// The system's clipboard as the capture and Copy use it, the move-only owners of the global memory
// it hands over, so every lock is released and every block freed on every path, and the owner of a
// window's place among the clipboard's listeners.
#include <windows.h>

#include <optional>
#include <string>
#include <utility>

#include "clips/ClipboardCapture.h"

// The clipboard, opened for the view's window.
class SystemClipboard final : public ClipboardPort {
public:
    // The handle is the window's own member: the clipboard follows the window it names.
    explicit SystemClipboard(const HWND& owner) : m_owner(owner) {}

    std::uint32_t SequenceNumber() const noexcept override { return ::GetClipboardSequenceNumber(); }
    // Messages other threads send are answered while it waits: the holder may be waiting for this
    // thread, the clipboard's last owner, to let its content go.
    bool Open(const ClipboardPatience& patience) override;
    // Whole from CF_UNICODETEXT when the program put it as Unicode first or when it holds characters
    // beyond the ANSI code page; else from CF_TEXT, else CF_OEMTEXT, byte for byte as the code page
    // maps them. None when no format yields one or when the content is marked to be left alone.
    std::optional<std::u16string> ReadText() override;
    // Exact as CF_UNICODETEXT, and as the ANSI code page gives it as CF_TEXT. Without memory for
    // either, the clipboard keeps what it has.
    bool WriteText(const std::u16string& text) override;
    void Close() noexcept override { ::CloseClipboard(); }
    // Emptying makes the emptying program's window the owner.
    bool HoldsOwnText() const noexcept override { return m_owner && ::GetClipboardOwner() == m_owner; }

private:
    const HWND& m_owner;
};

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
