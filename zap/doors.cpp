#include "zap/doors.h"

#include <vector>

LONG DeleteKeyTree(HKEY hive, const std::wstring& path, View view)
{
    // Sub-keys first, each by its full path and with the view named, so the walk never leaves
    // the view it was asked for.
    std::vector<std::wstring> names;
    LONG status = SubKeyNames(hive, path, view, names);
    if (status != ERROR_SUCCESS)
        return status;
    for (const std::wstring& name : names) {
        status = DeleteKeyTree(hive, path + L"\\" + name, view);
        if (status != ERROR_SUCCESS && !IsAbsent(status))
            return status;
    }
    return RegDeleteKeyExW(hive, path.c_str(), static_cast<REGSAM>(view), 0);
}

LONG DeleteValue(HKEY hive, const std::wstring& path, const std::wstring& name, View view)
{
    UniqueHkey key;
    LONG status = OpenKey(hive, path, view, KEY_SET_VALUE, key);
    if (status != ERROR_SUCCESS)
        return status;
    return RegDeleteValueW(key.Get(), name.c_str());
}

DWORD DeleteFileAt(const std::wstring& path)
{
    DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return GetLastError();
    if (attributes & FILE_ATTRIBUTE_READONLY)
        SetFileAttributesW(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    return DeleteFileW(path.c_str()) ? ERROR_SUCCESS : GetLastError();
}
