#pragma once
#include "platform/unique_handle.h"

#include <windows.h>

#include <string>
#include <vector>

// The registry view a key is read or changed in. This 32-bit program names it on every call,
// so nothing lands in the other view by accident.
enum class View : REGSAM { k64 = KEY_WOW64_64KEY, k32 = KEY_WOW64_32KEY };

// A status that only says "nothing there": the key, value or file does not exist.
bool IsAbsent(LONG status);

LONG OpenKey(HKEY hive, const std::wstring& path, View view, REGSAM access, UniqueHkey& key);
LONG SubKeyNames(HKEY hive, const std::wstring& path, View view,
                 std::vector<std::wstring>& names);
// A REG_SZ or REG_EXPAND_SZ value (the latter expanded); empty when missing or of another type.
std::wstring ReadText(HKEY hive, const std::wstring& path, const std::wstring& name, View view);
// True for an existing key with neither values nor sub-keys.
bool IsKeyEmpty(HKEY hive, const std::wstring& path, View view);

// "HKLM\path (64-bit view)", for the lines the tool prints.
std::wstring KeyText(HKEY hive, const std::wstring& path, View view);
