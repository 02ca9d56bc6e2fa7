#include "registry/registry_doors.h"

LONG SetRegistryString(RegistryKey& key, const std::wstring& valueName, const std::wstring& value)
{
    return RegSetValueExW(key.Handle(), valueName.c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

LONG DeleteRegistryValue(RegistryKey& key, const std::wstring& valueName)
{
    return RegDeleteValueW(key.Handle(), valueName.c_str());
}

LONG BlankRegistryValue(RegistryKey& key, const std::wstring& valueName)
{
    const wchar_t empty[1] = {L'\0'};
    return RegSetValueExW(key.Handle(), valueName.c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(empty), sizeof(empty));
}
