// The installer walks of CleanRegistrySpecial: feature registrations, component key paths and
// created folders that belong to the product, found by what they contain rather than by the
// product's codes, so installations whose codes Tido does not know are caught too.
#include "dialog/tido_dlg.h"

#include "platform/strings.h"
#include "registry/path_match.h"
#include "registry/registry_doors.h"
#include "registry/registry_key.h"
#include "registry/registry_ops.h"

#include <vector>

namespace {

const wchar_t kTag[] = L"TIDO: CleanRegistrySpecial";
const wchar_t kFeaturesKey[] = L"SOFTWARE\\Classes\\Installer\\Features";
const wchar_t kComponentsKey[] =
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Installer\\UserData\\S-1-5-18\\Components";
const wchar_t kFoldersKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Installer\\Folders";
const wchar_t kFeatureMark[] = L"CorlaClient";
// The key path a component keeps for no particular product.
const wchar_t kSharedComponentClient[] = L"00000000000000000000000000000000";

const DWORD kSubKeyNameUnits = 260;
// Value names may be 16383 characters long, plus the terminator.
const DWORD kValueNameUnits = 16384;

// The names of all sub-keys present now, so that deleting some while walking them neither
// skips nor repeats another.
std::vector<std::wstring> SubKeyNames(RegistryKey& parent)
{
    std::vector<std::wstring> names;
    wchar_t name[kSubKeyNameUnits];
    for (DWORD index = 0;; ++index) {
        DWORD length = kSubKeyNameUnits;
        if (RegEnumKeyExW(parent.Handle(), index, name, &length, nullptr, nullptr, nullptr,
                          nullptr) != ERROR_SUCCESS)
            return names;
        names.emplace_back(name, length);
    }
}

// A string value that can be read, an empty one included.
bool HasStringValue(RegistryKey& parent, const std::wstring& subKey, const wchar_t* valueName)
{
    RegistryKey entry;
    if (OpenRegistryKey(entry, parent.Handle(), subKey, kRegistryReadWrite | KEY_WOW64_64KEY) !=
        ERROR_SUCCESS)
        return false;
    std::wstring value;
    return QueryRegistryString(entry, valueName, value) == ERROR_SUCCESS;
}

// The part of a path from its first backslash on, so that the drive letter does not count.
std::wstring FromFirstBackslash(const std::wstring& path)
{
    size_t backslash = path.find(L'\\');
    return backslash == std::wstring::npos ? path : path.substr(backslash);
}

std::wstring KeyErrorText(const std::wstring& logName, LONG status)
{
    return Format(L"Key: %s; Error: %ld", logName.c_str(), static_cast<long>(status));
}

}  // namespace

void CTidoDlg::CleanInstallerFeatures()
{
    RegistryKey features;
    if (OpenRegistryKey(features, HKEY_LOCAL_MACHINE, kFeaturesKey,
                        kRegistryRead | KEY_WOW64_64KEY) != ERROR_SUCCESS)
        return;
    for (const std::wstring& subKey : SubKeyNames(features)) {
        if (!HasStringValue(features, subKey, kFeatureMark))
            continue;
        WriteLog(kTag, L"Corla features registry found, should remove: ",
                 std::wstring(kFeaturesKey) + L"\\" + subKey);
        DeleteRegistryRecurse(HKEY_LOCAL_MACHINE, kFeaturesKey, subKey, KEY_WOW64_64KEY);
    }
}

void CTidoDlg::CleanInstallerComponents()
{
    if (m_strProgramDir.empty())
        return;
    RegistryKey components;
    if (OpenRegistryKey(components, HKEY_LOCAL_MACHINE, kComponentsKey,
                        kRegistryReadWrite | KEY_WOW64_64KEY) != ERROR_SUCCESS)
        return;
    const std::wstring directoryTail = FromFirstBackslash(ToLower(m_strProgramDir));
    wchar_t name[kSubKeyNameUnits];
    for (DWORD index = 0;; ++index) {
        DWORD length = kSubKeyNameUnits;
        if (RegEnumKeyExW(components.Handle(), index, name, &length, nullptr, nullptr, nullptr,
                          nullptr) != ERROR_SUCCESS)
            return;
        RegistryKey component;
        std::wstring keyPath;
        if (OpenRegistryKey(component, components.Handle(), name,
                            kRegistryReadWrite | KEY_WOW64_64KEY) != ERROR_SUCCESS ||
            QueryRegistryString(component, kSharedComponentClient, keyPath) != ERROR_SUCCESS)
            continue;
        if (!ContainsDirectoryAtBoundary(FromFirstBackslash(ToLower(keyPath)), directoryTail))
            continue;
        std::wstring logName = std::wstring(kComponentsKey) + L"\\" + name + L"\\" +
                               kSharedComponentClient;
        LONG status = DeleteRegistryValue(component, kSharedComponentClient);
        if (status == ERROR_SUCCESS)
            WriteLog(kTag, L"Delete component registry value: ", logName);
        else
            WriteLog(kTag, L"ERROR: Failed to delete component registry value: ",
                     KeyErrorText(logName, status));
    }
}

void CTidoDlg::CleanInstallerFolders()
{
    RegistryKey folders;
    DWORD valueCount = 0;
    if (OpenRegistryKey(folders, HKEY_LOCAL_MACHINE, kFoldersKey,
                        kRegistryReadWrite | KEY_WOW64_64KEY) != ERROR_SUCCESS ||
        RegQueryInfoKeyW(folders.Handle(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                         &valueCount, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        return;
    std::vector<wchar_t> name(kValueNameUnits);
    // From the last index down: a deletion never moves a value still to be visited.
    for (DWORD index = valueCount; index-- > 0;) {
        DWORD length = kValueNameUnits;
        if (RegEnumValueW(folders.Handle(), index, name.data(), &length, nullptr, nullptr,
                          nullptr, nullptr) != ERROR_SUCCESS)
            continue;
        std::wstring folder(name.data(), length);
        if (!IsProductFolder(folder))
            continue;
        std::wstring logName = std::wstring(kFoldersKey) + L"\\" + folder;
        LONG status = DeleteRegistryValue(folders, folder);
        if (status == ERROR_SUCCESS)
            WriteLog(kTag, L"Delete registry value: ", logName);
        else
            WriteLog(kTag, L"ERROR: Failed to delete registry value: ",
                     KeyErrorText(logName, status));
    }
}

// A folder of the program, data or shared data directory (at a path boundary, in any letter
// case: the data directories are kept as they were read), or for Corla one that carries a
// product word.
bool CTidoDlg::IsProductFolder(const std::wstring& folder) const
{
    const std::wstring lowerFolder = ToLower(folder);
    for (const std::wstring* directory : {&m_strProgramDir, &m_strDataDir, &m_strSharedDataDir}) {
        if (ContainsDirectoryAtBoundary(lowerFolder, ToLower(*directory)))
            return true;
    }
    return !m_bLarkspan && ContainsProductWord(folder);
}
