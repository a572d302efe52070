#pragma once
// The files that sit beside a program and are named after it (its help file, its INI file).
#include <windows.h>

#include <string>

// The full path of the module's file with its extension replaced by the given one (a name
// without an extension gets it added); empty when the path cannot be read.
std::wstring ModulePathWithExtension(HMODULE module, const wchar_t* extension);
