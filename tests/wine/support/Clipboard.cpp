#include "tests/wine/support/Clipboard.h"

#include <cstring>
#include <stdexcept>

#include "clips/ClipboardAccess.h"

namespace harness {

namespace {

std::runtime_error ClipboardError(const std::string& what) {
    return std::runtime_error(what + " (error " + std::to_string(GetLastError()) + ")");
}

// A global block holding exactly the bytes, ready to be handed to the clipboard.
OwnedGlobalBlock BlockWith(const std::string& bytes) {
    // A block of 0 bytes cannot be locked; the clipboard gets at least one zero byte.
    OwnedGlobalBlock block(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes.empty() ? 1 : bytes.size());
    if (!block) throw ClipboardError("GlobalAlloc failed");
    const GlobalLockScope lock(block.Get());
    if (lock.Data() == nullptr) throw ClipboardError("GlobalLock failed");
    std::memcpy(lock.Data(), bytes.data(), bytes.size());
    return block;
}

}  // namespace

OpenedClipboard::OpenedClipboard(HWND owner, Milliseconds timeout) {
    if (!WaitUntil([owner] { return OpenClipboard(owner) != FALSE; }, timeout, Milliseconds(5)))
        throw ClipboardError("the clipboard stayed held by another program");
}

OpenedClipboard::~OpenedClipboard() { CloseClipboard(); }

ClipboardData ClipboardData::Text(UINT format, const std::string& text) { return ClipboardData{format, text + '\0'}; }

ClipboardData ClipboardData::Registered(const char* name, const std::string& bytes) {
    const UINT format = RegisterClipboardFormatA(name);
    if (format == 0) throw ClipboardError(std::string("cannot register the clipboard format ") + name);
    return ClipboardData{format, bytes};
}

void SetClipboard(const std::vector<ClipboardData>& formats) {
    const OpenedClipboard clipboard;
    if (!EmptyClipboard()) throw ClipboardError("EmptyClipboard failed");
    for (const ClipboardData& data : formats) {
        OwnedGlobalBlock block = BlockWith(data.bytes);
        if (SetClipboardData(data.format, block.Get()) == nullptr)
            throw ClipboardError("SetClipboardData failed for format " + std::to_string(data.format));
        block.Release();
    }
}

void CopyText(const std::string& text) { SetClipboard({ClipboardData::Text(CF_TEXT, text)}); }

void CopyBitmap(int width, int height) {
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    ReleaseDC(nullptr, screen);
    if (bitmap == nullptr) throw ClipboardError("CreateCompatibleBitmap failed");
    const OpenedClipboard clipboard;
    EmptyClipboard();
    if (SetClipboardData(CF_BITMAP, bitmap) == nullptr) {
        DeleteObject(bitmap);
        throw ClipboardError("SetClipboardData failed for CF_BITMAP");
    }
}

void EmptyTheClipboard() {
    const OpenedClipboard clipboard;
    if (!EmptyClipboard()) throw ClipboardError("EmptyClipboard failed");
}

std::optional<std::string> ReadClipboardText(UINT format) {
    const OpenedClipboard clipboard;
    HANDLE data = GetClipboardData(format);
    if (data == nullptr) return std::nullopt;
    const GlobalLockScope lock(data);
    if (lock.Data() == nullptr) return std::nullopt;
    const char* text = static_cast<const char*>(lock.Data());
    return std::string(text, strnlen(text, lock.Size()));
}

std::vector<UINT> ClipboardFormats() {
    const OpenedClipboard clipboard;
    std::vector<UINT> formats;
    for (UINT format = EnumClipboardFormats(0); format != 0; format = EnumClipboardFormats(format))
        formats.push_back(format);
    return formats;
}

DWORD ClipboardSequence() { return GetClipboardSequenceNumber(); }

}  // namespace harness
