#pragma once
#include "registry/registry_key.h"

#include <string>

// The door through which shortcut cleanup changes a registry value: a REG_SZ value written
// with its terminator. Returns the status of RegSetValueExW.
LONG SetRegistryStringValue(RegistryKey& key, const std::wstring& name, const std::wstring& value);
