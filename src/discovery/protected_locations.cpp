#include "discovery/protected_locations.h"

#include "platform/strings.h"

#include <shlobj.h>

#include <vector>

namespace {

struct ProtectedFolder {
    int csidl;
    const wchar_t* name;
};

// Shell folders that are protected themselves (and, through them, their ancestors).
const ProtectedFolder protectedShellFolders[] = {
    {CSIDL_DESKTOPDIRECTORY, L"the user's Desktop"},
    {CSIDL_PERSONAL, L"the user's Documents"},
    {CSIDL_LOCAL_APPDATA, L"the user's local AppData"},
    {CSIDL_APPDATA, L"the user's roaming AppData"},
    {CSIDL_STARTMENU, L"the user's Start menu"},
    {CSIDL_PROGRAMS, L"the user's Start menu programs"},
    {CSIDL_PROGRAM_FILES, L"a Program Files directory"},
    {CSIDL_PROGRAM_FILESX86, L"a Program Files directory"},
    {CSIDL_PROGRAM_FILES_COMMON, L"a Common Files directory"},
    {CSIDL_PROGRAM_FILES_COMMONX86, L"a Common Files directory"},
    {CSIDL_COMMON_APPDATA, L"the common application data folder"},
    {CSIDL_PROFILE, L"a user profile"},
};

// The 64-bit Program Files directories, which a 32-bit process learns from the environment.
const ProtectedFolder protectedEnvironmentFolders[] = {
    {0, L"ProgramW6432"},
    {0, L"CommonProgramW6432"},
};

struct ProtectedPath {
    std::wstring path;  // canonical
    std::wstring name;
};

std::wstring Environment(const wchar_t* name)
{
    DWORD size = GetEnvironmentVariableW(name, nullptr, 0);
    if (size == 0)
        return L"";
    std::vector<wchar_t> buffer(size);
    GetEnvironmentVariableW(name, buffer.data(), size);
    return buffer.data();
}

std::wstring ParentOf(const std::wstring& canonical)
{
    size_t slash = canonical.rfind(L'\\');
    return slash == std::wstring::npos ? L"" : canonical.substr(0, slash);
}

std::vector<ProtectedPath> ProtectedPaths(System& system)
{
    std::vector<ProtectedPath> paths;
    auto add = [&paths](const std::wstring& path, const std::wstring& name) {
        if (!path.empty())
            paths.push_back({CanonicalPathForComparison(path), name});
    };
    for (const ProtectedFolder& folder : protectedShellFolders) {
        std::wstring path;
        if (system.SpecialFolderPath(folder.csidl, path))
            add(path, folder.name);
    }
    for (const ProtectedFolder& folder : protectedEnvironmentFolders)
        add(Environment(folder.name), L"a Program Files or Common Files directory");
    wchar_t temp[MAX_PATH + 1] = {};
    if (GetTempPathW(MAX_PATH + 1, temp))
        add(temp, L"the temporary directory");
    return paths;
}

std::wstring WindowsDirectory()
{
    wchar_t buffer[MAX_PATH] = {};
    GetWindowsDirectoryW(buffer, MAX_PATH);
    return CanonicalPathForComparison(buffer);
}

std::wstring UsersRoot(System& system)
{
    std::wstring profile;
    if (!system.SpecialFolderPath(CSIDL_PROFILE, profile))
        return L"";
    return ParentOf(CanonicalPathForComparison(profile));
}

bool IsAbsolute(const std::wstring& path)
{
    bool drivePath = path.size() >= 3 && iswalpha(path[0]) && path[1] == L':' &&
                     (path[2] == L'\\' || path[2] == L'/');
    bool sharePath = path.size() >= 3 && path[0] == L'\\' && path[1] == L'\\';
    return drivePath || sharePath;
}

// "c:" for a drive root; "\\server\share" (two parts after the leading backslashes) for a share.
bool IsRoot(const std::wstring& canonical)
{
    if (canonical.size() == 2 && canonical[1] == L':')
        return true;
    if (canonical.rfind(L"\\\\", 0) != 0)
        return false;
    size_t separators = 0;
    for (size_t i = 2; i < canonical.size(); ++i)
        separators += canonical[i] == L'\\';
    return separators <= 1;
}

// True when candidate is ancestor itself or lies below it.
bool IsAtOrBelow(const std::wstring& candidate, const std::wstring& ancestor)
{
    return candidate == ancestor ||
           (candidate.size() > ancestor.size() && StartsWith(candidate, ancestor) &&
            candidate[ancestor.size()] == L'\\');
}

}  // namespace

std::wstring CanonicalPathForComparison(const std::wstring& path)
{
    wchar_t full[4096] = {};
    DWORD length = GetFullPathNameW(path.c_str(), 4096, full, nullptr);
    std::wstring result = (length > 0 && length < 4096) ? full : path;
    wchar_t longForm[4096] = {};
    length = GetLongPathNameW(result.c_str(), longForm, 4096);
    if (length > 0 && length < 4096)
        result = longForm;
    while (!result.empty() && result.back() == L'\\')
        result.pop_back();
    return ToLower(result);
}

std::wstring WhyProtectedLocation(const std::wstring& path, System& system)
{
    if (path.empty())
        return L"an empty path";
    if (!IsAbsolute(path))
        return L"a relative path";
    std::wstring canonical = CanonicalPathForComparison(path);
    if (IsRoot(canonical))
        return L"a drive or share root";
    std::wstring windows = WindowsDirectory();
    if (!windows.empty() && IsAtOrBelow(canonical, windows))
        return L"the Windows directory";
    std::wstring usersRoot = UsersRoot(system);
    if (!usersRoot.empty() && (canonical == usersRoot || ParentOf(canonical) == usersRoot))
        return L"the users directory or a user profile";
    for (const ProtectedPath& entry : ProtectedPaths(system)) {
        if (IsAtOrBelow(entry.path, canonical))  // the folder itself or an ancestor of it
            return entry.name;
    }
    if (!usersRoot.empty() && IsAtOrBelow(usersRoot, canonical))
        return L"an ancestor of the users directory";
    return L"";
}
