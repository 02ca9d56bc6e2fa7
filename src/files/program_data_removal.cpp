// Removal of the program files, the data files and the shared data of an installation.
#include "dialog/tido_dlg.h"

#include "app/tido_app.h"
#include "discovery/product_keys.h"
#include "discovery/protected_locations.h"
#include "files/file_operations.h"
#include "platform/strings.h"
#include "product/product.h"
#include "registry/registry_key.h"

#include <shlwapi.h>

namespace {

const wchar_t kProgramTag[] = L"TIDO: RemoveProgramFile";
const wchar_t kDataTag[] = L"TIDO: RemoveDataFile";
const wchar_t kSharedDataTag[] = L"TIDO: RemoveShareData";
// The product keys live in the 32-bit view.
constexpr REGSAM kProductKeyAccess = kRegistryRead | KEY_WOW64_32KEY;

void RemoveTrailingBackslash(std::wstring& path)
{
    if (EndsWith(path, L"\\"))
        path.pop_back();
}

bool PathExists(const std::wstring& path)
{
    return PathFileExistsW(path.c_str()) != FALSE;
}

}  // namespace

void CTidoDlg::RemoveProgramFile()
{
    WriteLog(kProgramTag, L"Entering", L"");
    std::wstring path;
    {
        RegistryKey productKey;
        const wchar_t* productKeyPath = ProductKeyPath(m_bLarkspan != 0, kProductKeyAccess);
        if (OpenRegistryKey(productKey, HKEY_LOCAL_MACHINE, productKeyPath, kRegistryRead) !=
            ERROR_SUCCESS) {
            LogUnknownLocation(kProgramTag,
                               L"rp option is ignored as program location cannot be determined.");
            return;
        }
        path = ReadRegistryString(productKey, L"Path");
        if (path.empty() && m_pApp->m_bWipe) {
            LogUnknownLocation(kProgramTag,
                               L"rp option is ignored as program location cannot be determined.");
            return;
        }
        WriteLog(kProgramTag, L"Get Corla install path: ", path);
    }
    // The key's "Path" may be damaged or hostile: a refused directory is not touched at all.
    std::wstring reason = path.empty() ? L"" : WhyProtectedLocation(path, GetSystem());
    if (!reason.empty()) {
        WriteLog(kProgramTag, L"ERROR: ",
                 Format(L"Program directory refused (%s): %s", reason.c_str(), path.c_str()));
        m_bFilesLeft = 1;
        return;
    }
    RemoveTrailingBackslash(path);
    if (!PathExists(path)) {
        WriteLog(kProgramTag, L"Corla program directory did not exist: ", path);
        WriteLog(kProgramTag, L"Exiting", L"");
        return;
    }
    for (const wchar_t* name : kProgramSubDirectories) {
        std::wstring subDirectory = path + L"\\" + name;
        DeleteDirectory(subDirectory, false);
        WriteLog(kProgramTag, L"Deleted directory: ", subDirectory);
    }
    DeleteProgramDirectoryFiles(path);
    WriteLog(kProgramTag, L"Finished deleting Corla program files: ", path);
    WriteLog(kProgramTag, L"Exiting", L"");
}

// The files directly in the program directory, all but the ini file; its other
// sub-directories stay.
void CTidoDlg::DeleteProgramDirectoryFiles(const std::wstring& path)
{
    for (const DirectoryEntry& entry : ListDirectory(path)) {
        if (entry.attributes & FILE_ATTRIBUTE_DIRECTORY)
            continue;
        std::wstring full = path + L"\\" + entry.name;
        if (EqualsNoCase(entry.name, kIniFileName))
            WriteLog(kProgramTag, L"Found corla.ini, skipping: ", full);
        else if (!ForceDeleteFile(kProgramTag, full))
            m_bFilesLeft = 1;
    }
}

// Without the product key the step cannot know where the files are: in wipe mode that is
// expected, otherwise an error.
void CTidoDlg::LogUnknownLocation(const wchar_t* tag, const wchar_t* wipeWarning)
{
    if (m_pApp->m_bWipe)
        WriteLog(tag, L"WARNING: ", wipeWarning);
    else
        WriteLog(tag, L"ERROR: ", L"Get Corla install path failed");
}

void CTidoDlg::RemoveDataFile()
{
    WriteLog(kDataTag, L"Entering", L"");
    const wchar_t* productKeyPath = ProductKeyPath(m_bLarkspan != 0, kProductKeyAccess);
    RemoveWorkspaceAndDataDirectory();
    RegistryKey productKey;
    if (OpenRegistryKey(productKey, HKEY_LOCAL_MACHINE, productKeyPath, kRegistryRead) !=
        ERROR_SUCCESS) {
        LogUnknownLocation(kDataTag, L"rd option is ignored as data location cannot be determined.");
        return;
    }
    if (ReadRegistryDwordText(productKey, L"MultiUser") != L"0") {
        WriteLog(kDataTag, L"Multi User", L"");
        return;
    }
    WriteLog(kDataTag, L"Single User", L"");
    RemoveSingleUserSharedData();
    DeleteIniFile();
}

// Both are known from the locations step, so they go even when the product key is gone.
void CTidoDlg::RemoveWorkspaceAndDataDirectory()
{
    if (!m_strWorkspaceDir.empty()) {
        if (DeleteDirectory(m_strWorkspaceDir, false))
            WriteLog(kDataTag, L"Directory deleted: ", m_strWorkspaceDir);
        else
            WriteLog(kDataTag, L"Failed to delete directory : ",
                     FileErrorText(m_strWorkspaceDir, GetLastError()));
    }
    if (m_strDataDir.empty()) {
        WriteLog(kDataTag, L"NOT found Corla data directory path.", L"");
        return;
    }
    RemoveTrailingBackslash(m_strDataDir);
    if (PathExists(m_strDataDir)) {
        DeleteDirectory(m_strDataDir, false);
        WriteLog(kDataTag, L"Finished delete Corla data directory and files: ", m_strDataDir);
    } else {
        WriteLog(kDataTag, L"NOT found Corla data directory path: ", m_strDataDir);
    }
}

// A single-user installation keeps its "shared" data in the directory of "DataPath".
void CTidoDlg::RemoveSingleUserSharedData()
{
    RemoveTrailingBackslash(m_strSharedDataDir);
    if (PathExists(m_strSharedDataDir)) {
        DeleteDirectory(m_strSharedDataDir, false);
        WriteLog(kDataTag, L"Finished delete Corla simulated mode shared data directory and files: ",
                 m_strSharedDataDir);
    } else {
        WriteLog(kDataTag, L"NOT found Corla simulated mode data directory path: ",
                 m_strSharedDataDir);
    }
}

void CTidoDlg::DeleteIniFile()
{
    if (!PathExists(m_strIniPath)) {
        WriteLog(kDataTag, L"NOT found corla.ini path: ", m_strIniPath);
        return;
    }
    if (!SetNormalFileAttributes(m_strIniPath))
        WriteLog(kDataTag, L"Failed to set file attribute to normal: ",
                 FileErrorText(m_strIniPath, GetLastError()));
    if (DeleteOneFile(m_strIniPath)) {
        WriteLog(kDataTag, L"File deleted: ", m_strIniPath);
        return;
    }
    m_bFilesLeft = 1;
    WriteLog(kDataTag, L"Failed to delete file : ", FileErrorText(m_strIniPath, GetLastError()));
}

void CTidoDlg::RemoveShareData()
{
    WriteLog(kSharedDataTag, L"Entering", L"");
    RemoveTrailingBackslash(m_strSharedDataDir);
    if (PathExists(m_strSharedDataDir)) {
        DeleteDirectory(m_strSharedDataDir, false);
        WriteLog(kSharedDataTag, L"Finished delete Corla shared data directory and files: ",
                 m_strSharedDataDir);
    } else {
        WriteLog(kSharedDataTag, L"NOT found share data directory path: ", m_strSharedDataDir);
    }
    // Without a common data root the maker folders would be looked for relative to the
    // current directory.
    if (m_strCommonDataDir.empty())
        return;
    auto removeIfEmpty = [this](const wchar_t* parent) {
        std::wstring folder = m_strCommonDataDir + parent;
        if (!PathExists(folder))
            return;
        if (RemoveOneDirectory(folder))  // fails, as intended, while anything is inside
            WriteLog(kSharedDataTag, L"Deleted the empty directory: ", folder);
        else
            WriteLog(kSharedDataTag, L"Failed to delete the directory: ", folder);
    };
    if (m_bLarkspan) {
        for (const wchar_t* parent : kLarkspanSharedDataParents)
            removeIfEmpty(parent);
    } else {
        for (const wchar_t* parent : kCorlaSharedDataParents)
            removeIfEmpty(parent);
    }
}
