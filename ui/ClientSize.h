#pragma once
// The size of a window's client area, as the layout arithmetic takes it.
#include <windows.h>

#include "ui/ControlLayout.h"

inline PixelSize ClientSize(HWND window) {
    RECT rect{};
    ::GetClientRect(window, &rect);
    return {rect.right - rect.left, rect.bottom - rect.top};
}
