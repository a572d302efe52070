#pragma once
// A function that a system DLL has only from some version of Windows on, looked up by name, so that
// the program still starts on a system without it.
#include <windows.h>

// The function of the loaded module, or null where the system has none. FunctionPointer is the
// function's own pointer type.
template <typename FunctionPointer>
FunctionPointer SystemFunction(const wchar_t* module, const char* name) {
    return reinterpret_cast<FunctionPointer>(
        reinterpret_cast<void (*)()>(::GetProcAddress(::GetModuleHandleW(module), name)));
}
