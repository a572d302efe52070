#pragma once
// What the layout arithmetic reads from the platform: a window's client size and the DPI.
#include <windows.h>

#include <memory>
#include <type_traits>

#include "ui/ControlLayout.h"
#include "ui/DpiScale.h"

inline PixelSize ClientSize(HWND window) {
    RECT rect{};
    ::GetClientRect(window, &rect);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

// The system's DPI, which the program draws at (it is DPI aware, not per monitor).
inline int SystemDpi() {
    const auto release = [](HDC screen) { ::ReleaseDC(nullptr, screen); };
    const std::unique_ptr<std::remove_pointer_t<HDC>, decltype(release)> screen(::GetDC(nullptr), release);
    return screen ? ::GetDeviceCaps(screen.get(), LOGPIXELSY) : kDesignDpi;
}
