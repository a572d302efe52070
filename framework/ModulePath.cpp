#include "framework/ModulePath.h"

#include <vector>

std::string ModulePathWithExtension(HMODULE module, const char* extension) {
    std::vector<char> path(MAX_PATH);
    for (;;) {
        const DWORD length = ::GetModuleFileNameA(module, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return std::string();
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);  // cut short: the path is longer than the buffer
    }
    std::string result(path.begin(), path.end());
    const std::size_t nameStart = result.find_last_of("\\/:");
    const std::size_t dot = result.rfind('.');
    if (dot != std::string::npos && (nameStart == std::string::npos || dot > nameStart)) result.resize(dot);
    return result + extension;
}
