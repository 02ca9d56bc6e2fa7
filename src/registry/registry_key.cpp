#include "registry/registry_key.h"

#include "platform/strings.h"

RegistryKey::~RegistryKey()
{
    CloseRegistryKey(*this);
}

LONG OpenRegistryKey(RegistryKey& key, HKEY parent, const std::wstring& path, REGSAM access)
{
    HKEY opened = nullptr;
    LONG status = RegOpenKeyExW(parent, path.c_str(), 0, access, &opened);
    if (status != ERROR_SUCCESS)
        return status;
    LONG closeStatus = key.handle_ ? RegCloseKey(key.handle_) : ERROR_SUCCESS;
    key.handle_ = opened;
    key.view_ = access & kRegistryViewMask;
    return closeStatus;
}

LONG CloseRegistryKey(RegistryKey& key)
{
    LONG status = key.handle_ ? RegCloseKey(key.handle_) : ERROR_SUCCESS;
    key.handle_ = nullptr;
    key.view_ = 0;
    return status;
}

namespace {

using RegDeleteKeyExWProc = LONG(WINAPI*)(HKEY, LPCWSTR, REGSAM, DWORD);

// Looked up once: systems without it (32-bit Windows XP) fall back to RegDeleteKeyW.
RegDeleteKeyExWProc DeleteKeyExFunction()
{
    static const RegDeleteKeyExWProc function = [] {
        HMODULE advapi = GetModuleHandleW(L"Advapi32.dll");
        return advapi ? reinterpret_cast<RegDeleteKeyExWProc>(
                            reinterpret_cast<void*>(GetProcAddress(advapi, "RegDeleteKeyExW")))
                      : nullptr;
    }();
    return function;
}

}  // namespace

LONG DeleteRegistrySubKey(RegistryKey& key, const std::wstring& name)
{
    if (RegDeleteKeyExWProc deleteKeyEx = DeleteKeyExFunction())
        return deleteKeyEx(key.Handle(), name.c_str(), key.View(), 0);
    return RegDeleteKeyW(key.Handle(), name.c_str());
}

LONG DeleteRegistryTree(RegistryKey& key, const std::wstring& name)
{
    RegistryKey subKey;
    LONG status = OpenRegistryKey(subKey, key.Handle(), name, kRegistryReadWrite | key.View());
    if (status != ERROR_SUCCESS)
        return status;
    wchar_t child[256];
    DWORD length = 256;
    // Always index 0: the child found before is gone by the next round.
    while (RegEnumKeyExW(subKey.Handle(), 0, child, &length, nullptr, nullptr, nullptr,
                         nullptr) == ERROR_SUCCESS) {
        status = DeleteRegistryTree(subKey, child);
        if (status != ERROR_SUCCESS)
            return status;
        length = 256;
    }
    CloseRegistryKey(subKey);
    return DeleteRegistrySubKey(key, name);
}

LONG QueryRegistryString(RegistryKey& key, const std::wstring& valueName, std::wstring& value)
{
    value.clear();
    wchar_t buffer[259];
    DWORD type = 0;
    DWORD size = sizeof(buffer);  // 518 bytes
    LONG status = RegQueryValueExW(key.Handle(), valueName.c_str(), nullptr, &type,
                                   reinterpret_cast<BYTE*>(buffer), &size);
    if (status != ERROR_SUCCESS)
        return status;
    if (type != REG_SZ && type != REG_EXPAND_SZ)
        return ERROR_UNSUPPORTED_TYPE;
    if (size == 0)
        return ERROR_SUCCESS;
    if (size % 2 != 0 || buffer[size / 2 - 1] != L'\0')
        return ERROR_INVALID_DATA;  // no terminator
    value = buffer;
    return ERROR_SUCCESS;
}

std::wstring ReadRegistryString(RegistryKey& key, const std::wstring& valueName)
{
    std::wstring value;
    QueryRegistryString(key, valueName, value);
    return value;
}

DWORD ReadRegistryDword(RegistryKey& key, const std::wstring& valueName)
{
    DWORD value = 0;
    DWORD size = sizeof(value);
    // A value longer than four bytes leaves the buffer undefined: it counts as missing.
    if (RegQueryValueExW(key.Handle(), valueName.c_str(), nullptr, nullptr,
                         reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS)
        return 0;
    return value;
}

std::wstring ReadRegistryDwordText(RegistryKey& key, const std::wstring& valueName)
{
    return Format(L"%ld", static_cast<long>(ReadRegistryDword(key, valueName)));
}
