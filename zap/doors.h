#pragma once
#include "zap/registry.h"

#include <windows.h>

#include <string>

// The only changes this tool makes to a machine, one function for each kind. Each answers
// ERROR_SUCCESS when it removed something, an absent status (see IsAbsent) when there was
// nothing to remove, or the Windows error that stopped it.

// The key and everything below it, in the given view only.
LONG DeleteKeyTree(HKEY hive, const std::wstring& path, View view);
LONG DeleteValue(HKEY hive, const std::wstring& path, const std::wstring& name, View view);
// A file, read-only or not.
DWORD DeleteFileAt(const std::wstring& path);
