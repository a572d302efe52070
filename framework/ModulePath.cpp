#include "framework/ModulePath.h"

#include <vector>

std::wstring ModulePathWithExtension(HMODULE module, const wchar_t* extension) {
    std::vector<wchar_t> path(MAX_PATH);
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return std::wstring();
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);  // cut short: the path is longer than the buffer
    }
    std::wstring result(path.begin(), path.end());
    const std::size_t nameStart = result.find_last_of(L"\\/:");
    const std::size_t dot = result.rfind(L'.');
    if (dot != std::wstring::npos && (nameStart == std::wstring::npos || dot > nameStart)) result.resize(dot);
    return result + extension;
}
