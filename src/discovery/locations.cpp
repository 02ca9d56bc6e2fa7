#include "dialog/tido_dlg.h"

#include "app/tido_app.h"
#include "discovery/product_keys.h"
#include "discovery/protected_locations.h"
#include "platform/strings.h"
#include "platform/unique_handle.h"
#include "product/product.h"
#include "registry/registry_key.h"

#include <shlobj.h>
#include <shlwapi.h>

namespace {

const wchar_t kUserModeTag[] = L"TIDO: GetUserMode";
const wchar_t kLocationsTag[] = L"TIDO: GenerateDataDirectory";

bool KeyOpens(HKEY hive, const wchar_t* path, REGSAM access)
{
    RegistryKey key;
    return OpenRegistryKey(key, hive, path, access) == ERROR_SUCCESS;
}

const BrandGeneration& GenerationFor(DWORD versionMajor)
{
    for (const BrandGeneration& generation : kBrandGenerations) {
        if (versionMajor >= generation.firstMajorVersion)
            return generation;
    }
    return kBrandGenerations[std::size(kBrandGenerations) - 1];
}

std::wstring IniCandidate(const std::wstring& directory)
{
    return directory + (EndsWith(directory, L"\\") ? L"" : L"\\") + kIniFileName;
}

// The workspace of an "rcp.data=" entry in properties syntax: "C\\:/Users/me/ws" gives
// "C:\\Users\\me\\ws" (the first backslash escapes the drive colon).
std::wstring WorkspaceFromEntryValue(std::wstring value)
{
    size_t backslash = value.find(L'\\');
    if (backslash != std::wstring::npos)
        value.erase(backslash, 1);
    for (wchar_t& c : value) {
        if (c == L'/')
            c = L'\\';
    }
    return value;
}

std::wstring AnsiToWide(const std::string& bytes)
{
    int length = MultiByteToWideChar(CP_THREAD_ACP, 0, bytes.data(),
                                     static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring text(length, L'\0');
    MultiByteToWideChar(CP_THREAD_ACP, 0, bytes.data(), static_cast<int>(bytes.size()),
                        text.data(), length);
    return text;
}

std::wstring IniDirectoryEntry(const std::wstring& iniPath)
{
    wchar_t buffer[260] = {};
    GetPrivateProfileStringW(L"Corla", L"Directory", nullptr, buffer, 260, iniPath.c_str());
    return buffer;
}

}  // namespace

void CTidoDlg::GetUserMode()
{
    m_bMultiUser = 0;
    m_bProductKeyFound = 0;
    m_bCoexist = 0;
    const REGSAM access = kRegistryRead | KEY_WOW64_32KEY;
    RegistryKey productKey;
    if (OpenRegistryKey(productKey, HKEY_LOCAL_MACHINE, kCorlaProductKey, access) ==
        ERROR_SUCCESS) {
        if (KeyOpens(HKEY_LOCAL_MACHINE, kTlkaProductKey, access) ||
            KeyOpens(HKEY_LOCAL_MACHINE, kOlkaProductKey, access))
            m_bCoexist = 1;
    } else {
        OpenRegistryKey(productKey, HKEY_LOCAL_MACHINE, ProductKeyPath(true, access), access);
    }
    if (productKey.IsOpen()) {
        m_bProductKeyFound = 1;
        m_bMultiUser = ReadRegistryDwordText(productKey, L"MultiUser") == L"1";
    }
    WriteLog(kUserModeTag,
             m_bMultiUser ? L"Multi user mode. Data directory could NOT be removed."
                          : L"NOT Multi user mode. Data directory could be removed.",
             L"");
}

void CTidoDlg::GenerateDataDirectory()
{
    WriteLog(kLocationsTag, L"Entering", L"");
    m_strProgramDir.clear();
    m_strDataDir.clear();
    m_strSharedDataDir.clear();
    m_strCommonDataDir.clear();
    m_strWorkspaceDir.clear();
    m_strIniPath.clear();
    m_bFilesLeft = 0;

    RegistryKey productKey;
    const wchar_t* productKeyPath = ProductKeyPath(m_bLarkspan != 0, kRegistryRead);
    if (OpenRegistryKey(productKey, HKEY_LOCAL_MACHINE, productKeyPath, kRegistryRead) ==
        ERROR_SUCCESS) {
        m_strProgramDir = ReadRegistryString(productKey, L"Path");
        WriteLog(kLocationsTag, L"Get Corla program directory path: ", m_strProgramDir);
        m_strProgramDir = ToLower(m_strProgramDir);
        if (ReadRegistryDwordText(productKey, L"MultiUser") == L"0")
            ResolveSingleUserLocations(productKey);
        else
            ResolveMultiUserLocations(productKey);
        if (!m_bLarkspan)
            ResolveWorkspace();
        RefuseProtectedLocations();
    }
    WriteLog(kLocationsTag, L"Exiting", L"");
}

void CTidoDlg::ResolveSingleUserLocations(RegistryKey& productKey)
{
    WriteLog(kLocationsTag, L"Single User", L"");
    std::wstring dataPath = ReadRegistryString(productKey, L"DataPath");
    m_strSharedDataDir = dataPath;
    if (dataPath.empty()) {
        RegistryKey installerKey;
        const BrandGeneration& generation = GenerationFor(m_nVersionMajor);
        if (OpenRegistryKey(installerKey, HKEY_CURRENT_USER, generation.installerKey,
                            kRegistryRead | KEY_WOW64_64KEY) == ERROR_SUCCESS) {
            dataPath = ReadRegistryString(installerKey, L"DATADIR");
            WriteLog(kLocationsTag, L"Get Corla data directory path: ", dataPath);
        }
    } else {
        WriteLog(kLocationsTag, L"Get Corla data directory path: ", dataPath);
    }
    if (!TryIniFile(IniCandidate(dataPath),
                    L"Get Corla data directory path from DATADIR\\corla.ini: ") &&
        !TryIniFile(IniCandidate(m_strProgramDir),
                    L"Get Corla data directory path from PROGDIR\\corla.ini: "))
        WriteLog(kLocationsTag, L"ERROR: ", L"Failed to Get Corla DATADIR value");
}

bool CTidoDlg::TryIniFile(const std::wstring& candidate, const wchar_t* dataDirectoryText)
{
    if (!PathFileExistsW(candidate.c_str()))
        return false;
    m_strIniPath = candidate;
    WriteLog(kLocationsTag, L"Get corla.ini path: ", m_strIniPath);
    if (!m_bLarkspan) {
        m_strDataDir = IniDirectoryEntry(m_strIniPath);
        WriteLog(kLocationsTag, dataDirectoryText, m_strDataDir);
    }
    return true;
}

void CTidoDlg::ResolveMultiUserLocations(RegistryKey& productKey)
{
    WriteLog(kLocationsTag, L"Multi User", L"");
    if (!m_pApp->m_bRemoveSharedData)
        return;
    std::wstring commonData = ReadRegistryString(productKey, L"CommonDataPath");
    if (!commonData.empty())
        WriteLog(kLocationsTag, L"Get common data directory path: ", commonData);
    else if (!GetSystem().SpecialFolderPath(CSIDL_COMMON_APPDATA, commonData))
        commonData.clear();
    if (commonData.empty()) {
        WriteLog(kLocationsTag, L"ERROR: ", L"The common data location could not be determined");
        return;
    }
    m_strCommonDataDir = WithTrailingBackslash(commonData);
    const wchar_t* subPath = GenerationFor(m_nVersionMajor).sharedDataSubPath;
    if (m_bLarkspan)
        subPath = ProductKeyPath(true, kRegistryRead) == kTlkaProductKey
                      ? kTlkaSharedDataSubPath
                      : kOlkaSharedDataSubPath;
    m_strSharedDataDir = ToLower(m_strCommonDataDir + subPath);
    WriteLog(kLocationsTag, L"Get Corla shared data directory path: ", m_strSharedDataDir);
}

// Every location that a later step deletes must pass the protected-location test; a refused
// one is emptied so that no step uses it.
void CTidoDlg::RefuseProtectedLocations()
{
    struct Location {
        std::wstring* value;
        const wchar_t* name;
    } locations[] = {
        {&m_strProgramDir, L"Program directory"},
        {&m_strDataDir, L"Data directory"},
        {&m_strSharedDataDir, L"Shared data directory"},
        {&m_strWorkspaceDir, L"Workspace directory"},
    };
    for (const Location& location : locations) {
        if (location.value->empty())
            continue;
        std::wstring reason = WhyProtectedLocation(*location.value, GetSystem());
        if (reason.empty())
            continue;
        WriteLog(kLocationsTag, L"ERROR: ",
                 Format(L"%s refused (%s): %s", location.name, reason.c_str(),
                        location.value->c_str()));
        location.value->clear();
    }
}

void CTidoDlg::ResolveWorkspace()
{
    std::wstring path = m_strProgramDir + L"\\" + kLauncherProperties;
    UniqueFileHandle file(CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        WriteLog(kLocationsTag, L"RCP file is not exist: ", path);
        return;
    }
    WriteLog(kLocationsTag, L"RCP file existed: ", path);
    DWORD size = GetFileSize(file.Get(), nullptr);
    if (size == 0 || size == INVALID_FILE_SIZE)
        return;
    std::string bytes(size, '\0');
    DWORD read = 0;
    if (!ReadFile(file.Get(), bytes.data(), size, &read, nullptr))
        WriteLog(kLocationsTag, L"Read RCP file failed: ", path);
    std::wstring text = AnsiToWide(bytes);
    const std::wstring key = L"rcp.data=";
    size_t start = text.find(key);
    if (start == std::wstring::npos) {
        WriteLog(kLocationsTag, L"rcp.data NOT found: ", path);
        return;
    }
    // The entry ends at the line end, whichever kind, or with the text.
    size_t end = text.find_first_of(L"\r\n", start);
    std::wstring entry = text.substr(start, end == std::wstring::npos ? end : end - start);
    entry = entry.substr(0, entry.find(L'\0'));
    WriteLog(kLocationsTag, L"rcp.data got: ", entry);
    m_strWorkspaceDir = WorkspaceFromEntryValue(entry.substr(key.size()));
    WriteLog(kLocationsTag, L"rcp workspace path: ", m_strWorkspaceDir);
}
