#include "zap/removal.h"

#include "zap/doors.h"
#include "zap/product_code.h"
#include "zap/registry.h"

#include <cstdio>
#include <vector>

namespace {

// Which views a location is removed in, as Windows 7 and later redirect the registry for
// 32-bit programs ("Registry Keys Affected by WOW64"). Shared: both views show one key
// (HKLM\SOFTWARE\Classes outside the COM keys, HKCU\Software, HKU\<user>\Software), removed
// once through the 64-bit view. Redirected: each view has a key of its own (everything else
// under HKLM\SOFTWARE, the installer's keys included), removed in both.
enum class Views { Shared, Redirected };

enum class Target {
    CachedPackage,  // the file the key's "LocalPackage" value names, if in the installer cache
    KeyTree,        // the key and everything below it
    ProductValue,   // the value named by the packed code; the key goes too when left empty
};

struct Location {
    HKEY hive;
    const wchar_t* path;  // "*" stands for every sub-key; <packed> and <code> for the product
    Target target;
    Views views;
};

#define CLASSES_INSTALLER L"SOFTWARE\\Classes\\Installer\\"
#define MACHINE_INSTALLER L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Installer\\"
#define USER_INSTALLER L"Software\\Microsoft\\Installer\\"

// Every place the installer registers a product, in the order they are removed. The cached
// package comes first: its name is read from the UserData key removed after it.
const Location locations[] = {
    {HKEY_LOCAL_MACHINE, MACHINE_INSTALLER L"UserData\\*\\Products\\<packed>\\InstallProperties",
     Target::CachedPackage, Views::Redirected},
    // Per-machine registration
    {HKEY_LOCAL_MACHINE, CLASSES_INSTALLER L"Products\\<packed>", Target::KeyTree, Views::Shared},
    {HKEY_LOCAL_MACHINE, CLASSES_INSTALLER L"Features\\<packed>", Target::KeyTree, Views::Shared},
    {HKEY_LOCAL_MACHINE, CLASSES_INSTALLER L"UpgradeCodes\\*", Target::ProductValue,
     Views::Shared},
    {HKEY_LOCAL_MACHINE, MACHINE_INSTALLER L"UpgradeCodes\\*", Target::ProductValue,
     Views::Redirected},
    // Installation data of every user (S-1-5-18 for per-machine installations)
    {HKEY_LOCAL_MACHINE, MACHINE_INSTALLER L"UserData\\*\\Products\\<packed>", Target::KeyTree,
     Views::Redirected},
    {HKEY_LOCAL_MACHINE, MACHINE_INSTALLER L"UserData\\*\\Components\\*", Target::ProductValue,
     Views::Redirected},
    // Per-user installations: managed ones, then those in the current user's and in every
    // loaded user's own hive
    {HKEY_LOCAL_MACHINE, MACHINE_INSTALLER L"Managed\\*\\Installer\\Products\\<packed>",
     Target::KeyTree, Views::Redirected},
    {HKEY_LOCAL_MACHINE, MACHINE_INSTALLER L"Managed\\*\\Installer\\Features\\<packed>",
     Target::KeyTree, Views::Redirected},
    {HKEY_LOCAL_MACHINE, MACHINE_INSTALLER L"Managed\\*\\Installer\\UpgradeCodes\\*",
     Target::ProductValue, Views::Redirected},
    {HKEY_CURRENT_USER, USER_INSTALLER L"Products\\<packed>", Target::KeyTree, Views::Shared},
    {HKEY_CURRENT_USER, USER_INSTALLER L"Features\\<packed>", Target::KeyTree, Views::Shared},
    {HKEY_CURRENT_USER, USER_INSTALLER L"UpgradeCodes\\*", Target::ProductValue, Views::Shared},
    {HKEY_USERS, L"*\\" USER_INSTALLER L"Products\\<packed>", Target::KeyTree, Views::Shared},
    {HKEY_USERS, L"*\\" USER_INSTALLER L"Features\\<packed>", Target::KeyTree, Views::Shared},
    {HKEY_USERS, L"*\\" USER_INSTALLER L"UpgradeCodes\\*", Target::ProductValue, Views::Shared},
    // Programs and Features
    {HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\<code>",
     Target::KeyTree, Views::Redirected},
};

#undef CLASSES_INSTALLER
#undef MACHINE_INSTALLER
#undef USER_INSTALLER

bool StartsWithNoCase(const std::wstring& text, const std::wstring& prefix)
{
    return text.size() >= prefix.size() &&
           CompareStringOrdinal(text.c_str(), static_cast<int>(prefix.size()), prefix.c_str(),
                                static_cast<int>(prefix.size()), TRUE) == CSTR_EQUAL;
}

std::vector<std::wstring> Segments(const std::wstring& path)
{
    std::vector<std::wstring> segments;
    size_t start = 0;
    for (size_t slash; (slash = path.find(L'\\', start)) != std::wstring::npos; start = slash + 1)
        segments.push_back(path.substr(start, slash - start));
    segments.push_back(path.substr(start));
    return segments;
}

std::wstring Join(const std::wstring& path, const std::wstring& name)
{
    return path.empty() ? name : path + L"\\" + name;
}

std::wstring InstallerCacheFolder()
{
    wchar_t windows[MAX_PATH];
    UINT length = GetSystemWindowsDirectoryW(windows, MAX_PATH);
    return (length == 0 || length >= MAX_PATH) ? L"" : std::wstring(windows) + L"\\Installer";
}

// One run for one product: walks the locations, prints what it removes, keeps the first error.
class Removal {
public:
    explicit Removal(const std::wstring& productCode)
        : productCode_(productCode), packed_(PackedGuid(productCode)),
          cacheFolder_(InstallerCacheFolder())
    {
    }

    void Remove(const Location& location, View view)
    {
        for (const std::wstring& path : Expand(location.hive, location.path, view)) {
            switch (location.target) {
            case Target::CachedPackage:
                RemoveCachedPackage(location.hive, path, view);
                break;
            case Target::KeyTree:
                Report(DeleteKeyTree(location.hive, path, view),
                       L"key " + KeyText(location.hive, path, view));
                break;
            case Target::ProductValue:
                RemoveProductValue(location.hive, path, view);
                break;
            }
        }
    }

    DWORD FirstError() const { return firstError_; }

private:
    // The concrete keys a location's path names, "*" expanded to the sub-keys present.
    std::vector<std::wstring> Expand(HKEY hive, const std::wstring& pattern, View view)
    {
        std::vector<std::wstring> paths = {L""};
        for (const std::wstring& segment : Segments(pattern)) {
            std::vector<std::wstring> next;
            for (const std::wstring& path : paths) {
                if (segment != L"*") {
                    next.push_back(Join(path, Substitute(segment)));
                    continue;
                }
                std::vector<std::wstring> names;
                LONG status = SubKeyNames(hive, path, view, names);
                if (status != ERROR_SUCCESS && !IsAbsent(status))
                    Fail(status, L"list " + KeyText(hive, path, view));
                for (const std::wstring& name : names)
                    next.push_back(Join(path, name));
            }
            paths = std::move(next);
        }
        return paths;
    }

    std::wstring Substitute(const std::wstring& segment) const
    {
        if (segment == L"<packed>")
            return packed_;
        if (segment == L"<code>")
            return productCode_;
        return segment;
    }

    void RemoveCachedPackage(HKEY hive, const std::wstring& path, View view)
    {
        std::wstring localPackage = ReadText(hive, path, L"LocalPackage", view);
        if (localPackage.empty())
            return;
        std::wstring package = CachedPackagePath(localPackage, cacheFolder_);
        if (package.empty()) {
            fwprintf(stderr, L"Kept %ls: not in the installer cache\n", localPackage.c_str());
            return;
        }
        Report(DeleteFileAt(package), L"file " + package);
    }

    void RemoveProductValue(HKEY hive, const std::wstring& path, View view)
    {
        LONG status = DeleteValue(hive, path, packed_, view);
        Report(status, L"value " + packed_ + L" of " + KeyText(hive, path, view));
        // Only a key this run emptied goes; an empty key it found is none of its business.
        if (status == ERROR_SUCCESS && IsKeyEmpty(hive, path, view))
            Report(DeleteKeyTree(hive, path, view), L"empty key " + KeyText(hive, path, view));
    }

    void Report(DWORD status, const std::wstring& what)
    {
        if (status == ERROR_SUCCESS)
            fwprintf(stdout, L"Removed %ls\n", what.c_str());
        else if (!IsAbsent(static_cast<LONG>(status)))
            Fail(status, L"remove " + what);
    }

    void Fail(DWORD status, const std::wstring& what)
    {
        fwprintf(stderr, L"Could not %ls: error %lu\n", what.c_str(), status);
        if (firstError_ == ERROR_SUCCESS)
            firstError_ = status;
    }

    std::wstring productCode_;
    std::wstring packed_;
    std::wstring cacheFolder_;
    DWORD firstError_ = ERROR_SUCCESS;
};

}  // namespace

DWORD RemoveInstallerData(const std::wstring& productCode)
{
    Removal removal(productCode);
    for (const Location& location : locations) {
        removal.Remove(location, View::k64);
        if (location.views == Views::Redirected)
            removal.Remove(location, View::k32);
    }
    return removal.FirstError();
}

std::wstring CachedPackagePath(const std::wstring& localPackage, const std::wstring& cacheFolder)
{
    // Only an absolute path: a relative one would be resolved against whatever folder this
    // program happens to run in.
    bool absolute = localPackage.size() > 3 && localPackage[1] == L':' &&
                    (localPackage[2] == L'\\' || localPackage[2] == L'/');
    if (!absolute || cacheFolder.empty())
        return L"";
    wchar_t full[MAX_PATH];
    DWORD length = GetFullPathNameW(localPackage.c_str(), MAX_PATH, full, nullptr);
    if (length == 0 || length >= MAX_PATH)
        return L"";
    // Compared after ".." and "." are resolved, so no path can climb out of the folder.
    std::wstring path(full, length);
    std::wstring folder = cacheFolder + L"\\";
    if (!StartsWithNoCase(path, folder))
        return L"";
    std::wstring name = path.substr(folder.size());
    return (name.empty() || name.find(L'\\') != std::wstring::npos) ? L"" : path;
}
