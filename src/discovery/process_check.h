#pragma once
#include <windows.h>

// Sizes of the name buffers the searches fill, in characters of their own text kind.
constexpr DWORD kProcessNameLength = 259;

// Looks through every running process for a loaded module whose file name ends with
// moduleName (8-bit text, compared byte for byte). On a hit the base name of that process
// goes to processName (at most processNameSize bytes) and its id to processId.
bool FindProcessWithModule(const char* moduleName, char* processName, DWORD processNameSize,
                           DWORD* processId);

// Looks for a running process whose executable is exeName, folding only the letters A to Z.
// On a hit processName holds the name as the system reports it (at most processNameSize
// characters) and processId its id.
bool FindProcessByName(const wchar_t* exeName, wchar_t* processName, DWORD processNameSize,
                       DWORD* processId);
