#include "dialog/tido_dlg.h"

#include "discovery/protected_locations.h"
#include "platform/strings.h"
#include "product/product.h"
#include "registry/registry_key.h"

#include <shlwapi.h>

namespace {

const wchar_t kTag[] = L"TIDO: CleanAutoupdate";

// The update program's directory, or why the "Path" value gives none Tido may delete: only a
// path to the update program itself names its directory, and that directory must not be a
// protected location.
std::wstring UpdateDirectory(const std::wstring& programPath, System& system, std::wstring& refusal)
{
    size_t suffixLength = wcslen(kAutoUpdateProgram);
    if (programPath.size() <= suffixLength ||
        !EqualsNoCase(programPath.substr(programPath.size() - suffixLength), kAutoUpdateProgram)) {
        refusal = L"not the update program";
        return L"";
    }
    std::wstring directory = programPath.substr(0, programPath.size() - suffixLength);
    refusal = WhyProtectedLocation(directory, system);
    return refusal.empty() ? directory : L"";
}

}  // namespace

void CTidoDlg::CleanAutoupdate()
{
    WriteLog(kTag, L"Entering", L"");
    if (m_bCoexist) {
        WriteLog(kTag, L"WARNING: ", L"Cannot remove Autoupdate, Corla and Larkspan co-exists.");
        WriteLog(kTag, L"Exiting", L"");
        return;
    }
    for (const wchar_t* service : kAutoUpdateServices)
        StopService(service);
    GetSystem().Sleep(kAutoUpdatePauseMs);
    bool found = false;
    for (const AutoUpdateComponent& component : kAutoUpdateComponents)
        found |= RemoveAutoUpdateComponent(component.key, component.parent);
    if (!found)
        WriteLog(kTag, L"WARNING: ", L"Autoupdate path not found.");
    WriteLog(kTag, L"Exiting", L"");
}

bool CTidoDlg::RemoveAutoUpdateComponent(const wchar_t* keyPath, const wchar_t* parent)
{
    std::wstring programPath;
    {
        RegistryKey key;
        if (OpenRegistryKey(key, HKEY_LOCAL_MACHINE, keyPath, kRegistryRead | KEY_WOW64_32KEY) !=
            ERROR_SUCCESS)
            return false;
        programPath = ReadRegistryString(key, L"Path");
    }
    std::wstring refusal;
    std::wstring directory = UpdateDirectory(programPath, GetSystem(), refusal);
    if (directory.empty()) {
        if (!programPath.empty())
            WriteLog(kTag, L"WARNING: ",
                     Format(L"Autoupdate path not used (%s): %s", refusal.c_str(), programPath.c_str()));
        return false;
    }
    if (!PathFileExistsW(directory.c_str()))
        return false;
    WriteLog(kTag, L"Autoupdate path found : ", directory);
    DeleteDirectory(directory, false);
    DeleteRegistryRecurse(HKEY_LOCAL_MACHINE, parent, L"AutoUpdate", KEY_WOW64_32KEY);
    return true;
}
