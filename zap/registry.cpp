#include "zap/registry.h"

bool IsAbsent(LONG status)
{
    return status == ERROR_FILE_NOT_FOUND || status == ERROR_PATH_NOT_FOUND;
}

LONG OpenKey(HKEY hive, const std::wstring& path, View view, REGSAM access, UniqueHkey& key)
{
    return RegOpenKeyExW(hive, path.c_str(), 0, access | static_cast<REGSAM>(view), key.Put());
}

LONG SubKeyNames(HKEY hive, const std::wstring& path, View view,
                 std::vector<std::wstring>& names)
{
    names.clear();
    UniqueHkey key;
    LONG status = OpenKey(hive, path, view, KEY_ENUMERATE_SUB_KEYS, key);
    for (DWORD index = 0; status == ERROR_SUCCESS; ++index) {
        wchar_t name[256];  // the longest key name the registry allows, and its terminator
        DWORD length = 256;
        status = RegEnumKeyExW(key.Get(), index, name, &length, nullptr, nullptr, nullptr,
                               nullptr);
        if (status == ERROR_SUCCESS)
            names.emplace_back(name, length);
    }
    return status == ERROR_NO_MORE_ITEMS ? ERROR_SUCCESS : status;
}

std::wstring ReadText(HKEY hive, const std::wstring& path, const std::wstring& name, View view)
{
    UniqueHkey key;
    if (OpenKey(hive, path, view, KEY_QUERY_VALUE, key) != ERROR_SUCCESS)
        return L"";
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(key.Get(), name.c_str(), nullptr, &type, nullptr, &size) !=
            ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return L"";
    // One spare character: stored strings need not carry their terminator.
    std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
    if (RegQueryValueExW(key.Get(), name.c_str(), nullptr, nullptr,
                         reinterpret_cast<BYTE*>(text.data()), &size) != ERROR_SUCCESS)
        return L"";
    text.resize(wcslen(text.c_str()));
    if (type == REG_SZ)
        return text;
    wchar_t expanded[MAX_PATH];
    DWORD length = ExpandEnvironmentStringsW(text.c_str(), expanded, MAX_PATH);
    return (length == 0 || length > MAX_PATH) ? L"" : expanded;
}

bool IsKeyEmpty(HKEY hive, const std::wstring& path, View view)
{
    UniqueHkey key;
    if (OpenKey(hive, path, view, KEY_QUERY_VALUE, key) != ERROR_SUCCESS)
        return false;
    DWORD subKeys = 0;
    DWORD values = 0;
    return RegQueryInfoKeyW(key.Get(), nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr,
                            &values, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS &&
           subKeys == 0 && values == 0;
}

std::wstring KeyText(HKEY hive, const std::wstring& path, View view)
{
    const wchar_t* hiveName = hive == HKEY_LOCAL_MACHINE  ? L"HKLM"
                              : hive == HKEY_CURRENT_USER ? L"HKCU"
                              : hive == HKEY_USERS        ? L"HKU"
                                                          : L"?";
    const wchar_t* viewName = view == View::k64 ? L" (64-bit view)" : L" (32-bit view)";
    return std::wstring(hiveName) + L"\\" + path + viewName;
}
