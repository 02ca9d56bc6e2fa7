#pragma once
#include <windows.h>

#include <string>

// Removes every Windows Installer registration of the product (braced code) for all users and
// its cached package, printing one line per removed item. Answers ERROR_SUCCESS, also when
// nothing was registered, or the first failure's Windows error after trying every item.
DWORD RemoveInstallerData(const std::wstring& productCode);

// The full path of the package a "LocalPackage" value names when that file lies directly in
// the installer cache folder; empty otherwise, for a package elsewhere is not the installer's
// copy and never ours to delete.
std::wstring CachedPackagePath(const std::wstring& localPackage, const std::wstring& cacheFolder);
