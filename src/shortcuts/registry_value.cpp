#include "shortcuts/registry_value.h"

LONG SetRegistryStringValue(RegistryKey& key, const std::wstring& name, const std::wstring& value)
{
    return RegSetValueExW(key.Handle(), name.c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}
