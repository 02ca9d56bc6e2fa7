#pragma once
#include <windows.h>

#include <string>

// How the registry steps name a key in the log: "HKEY_LOCAL_MACHINE", "HKEY_CLASSES_ROOT" or
// "HKEY_CURRENT_USER"; any other root (HKEY_USERS among them) has an empty text.
std::wstring RegistryHiveText(HKEY hive);
// hive text \ path \ last, joined as they are: an empty path gives two backslashes.
std::wstring RegistryLogName(HKEY hive, const std::wstring& path, const std::wstring& last);
// The text holds one of the product's words ("Corla", "corla", "rcplauncher"), as stored:
// the test is case-sensitive.
bool ContainsProductWord(const std::wstring& text);
