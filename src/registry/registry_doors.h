#pragma once
#include "registry/registry_key.h"

#include <string>

// The only places where the program sets or deletes a registry value: every step that changes
// a value goes through these, so that the changes to the machine stay few and visible.

// Writes a REG_SZ value of (length + 1) * 2 bytes; returns the Windows status.
LONG SetRegistryString(RegistryKey& key, const std::wstring& valueName, const std::wstring& value);
// Deletes one value; returns the Windows status (ERROR_FILE_NOT_FOUND when there is none).
LONG DeleteRegistryValue(RegistryKey& key, const std::wstring& valueName);
// Leaves the value in place as an empty REG_SZ (one null unit), creating it when missing.
LONG BlankRegistryValue(RegistryKey& key, const std::wstring& valueName);
