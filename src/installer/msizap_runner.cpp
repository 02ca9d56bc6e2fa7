#define _CRT_RAND_S  // rand_s: random numbers from the system
#include "installer/msizap_runner.h"

#include "dialog/tido_dlg.h"
#include "discovery/product_keys.h"
#include "platform/strings.h"
#include "platform/unique_handle.h"
#include "product/product.h"

#include <sddl.h>

#include <stdlib.h>
#include <string>
#include <vector>

namespace {

const wchar_t kExtractTag[] = L"TIDO: ExtractMSIZap";
const wchar_t kRunTag[] = L"TIDO: RunMSIZap";
const wchar_t kTempTag[] = L"CTidoDlg/GetTempVariable";
const UINT kMsiZapResourceId = 131;

// Only administrators and the system may write in the tool's directory: under the system
// account the temporary directory is writable by ordinary users, who must not be able to
// plant or swap the program that runs with full rights.
const wchar_t kToolDirectoryAccess[] = L"D:P(A;OICI;GA;;;BA)(A;OICI;GA;;;SY)(A;OICI;GRGX;;;BU)";

std::wstring RandomDirectoryName()
{
    unsigned int parts[2] = {};
    for (unsigned int& part : parts) {
        if (rand_s(&part) != 0)
            part = GetTickCount() ^ GetCurrentProcessId();
    }
    return Format(L"Tido-%08x%08x", parts[0], parts[1]);
}

bool CreateProtectedDirectory(const std::wstring& path)
{
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(kToolDirectoryAccess, SDDL_REVISION_1,
                                                              &descriptor, nullptr))
        return false;
    SECURITY_ATTRIBUTES attributes = {sizeof(attributes), descriptor, FALSE};
    BOOL created = CreateDirectoryW(path.c_str(), &attributes);  // fails if it exists
    LocalFree(descriptor);
    return created != FALSE;
}

bool WriteWholeFile(const std::wstring& path, const void* data, DWORD size)
{
    UniqueFileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    return file && WriteFile(file.Get(), data, size, &written, nullptr) && written == size;
}

// Opens the written tool so that nobody can change or delete it until the runs are over,
// and checks that it still holds exactly the bytes written.
UniqueFileHandle LockToolFile(const std::wstring& path, const void* data, DWORD size)
{
    UniqueFileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file || GetFileSize(file.Get(), nullptr) != size)
        return UniqueFileHandle();
    std::vector<char> content(size);
    DWORD read = 0;
    if (!ReadFile(file.Get(), content.data(), size, &read, nullptr) || read != size ||
        memcmp(content.data(), data, size) != 0)
        return UniqueFileHandle();
    return file;
}

}  // namespace

std::wstring ProductCodeOf(const std::wstring& uninstallString)
{
    size_t brace = uninstallString.rfind(L'{');
    return brace == std::wstring::npos ? uninstallString : uninstallString.substr(brace);
}

std::wstring MsiZapCommandLine(const std::wstring& toolPath, const std::wstring& uninstallString)
{
    return L"\"" + toolPath + L"\" TW " + ProductCodeOf(uninstallString);
}

bool CTidoDlg::GetTempVariable(std::wstring& temp)
{
    wchar_t buffer[260] = {};
    DWORD length = ExpandEnvironmentStringsW(L"%temp%", buffer, 260);
    if (length == 0 || length > 260) {
        WriteLog(kTempTag, L"Environment variable temp does not exist.", L"");
        return false;
    }
    temp = buffer;
    WriteLog(kTempTag, L"Get environment variable TEMP: ", temp);
    return true;
}

bool CTidoDlg::ExtractMSIZap(MsiZapCopy& copy)
{
    WriteLog(kExtractTag, L"Entering", L"");
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(kMsiZapResourceId), L"MSIZAP");
    if (!resource) {
        WriteLog(kExtractTag, L"ERROR: ", L"NOT Found MSIZap Resource");
        return false;
    }
    WriteLog(kExtractTag, L"Found MSIZap Resource", L"");
    const void* data = LockResource(LoadResource(module, resource));
    DWORD size = SizeofResource(module, resource);
    std::wstring temp;
    if (!GetTempVariable(temp)) {
        WriteLog(kExtractTag, L"ERROR: ", L"NOT Found %temp% variable");
        return false;
    }
    copy.directory = WithTrailingBackslash(temp) + RandomDirectoryName();
    copy.path = copy.directory + L"\\msizap.exe";
    if (!data || !CreateProtectedDirectory(copy.directory)) {
        WriteLog(kExtractTag, L"ERROR: Create MSIZap.exe file failed - ", copy.path);
        copy.directory.clear();
        return false;
    }
    if (WriteWholeFile(copy.path, data, size))
        copy.lock = LockToolFile(copy.path, data, size);
    if (!copy.lock) {
        WriteLog(kExtractTag, L"ERROR: Create MSIZap.exe file failed - ", copy.path);
        return false;
    }
    WriteLog(kExtractTag, L"Create MSIZap.exe File: ", copy.path);
    WriteLog(kExtractTag, L"Exiting", L"");
    return true;
}

namespace {

// The one place that starts the installer-data tool. Returns false when it cannot start;
// otherwise waits for its end (without a limit: the tool decides) and gives its exit code,
// or false in exitCodeRead when the code cannot be read.
bool StartInstallerTool(const std::wstring& toolPath, const std::wstring& commandLine,
                        DWORD creationFlags, DWORD& exitCode, bool& exitCodeRead)
{
    std::vector<wchar_t> line(commandLine.begin(), commandLine.end());
    line.push_back(L'\0');
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info = {};
    if (!CreateProcessW(toolPath.c_str(), line.data(), nullptr, nullptr, FALSE, creationFlags,
                        nullptr, nullptr, &startup, &info))
        return false;
    UniqueHandle process(info.hProcess), thread(info.hThread);
    WaitForSingleObject(process.Get(), INFINITE);
    exitCodeRead = GetExitCodeProcess(process.Get(), &exitCode) != FALSE;
    return true;
}

}  // namespace

bool CTidoDlg::RunMsiZapOnce(const std::wstring& toolPath, const std::wstring& uninstallString,
                             DWORD creationFlags)
{
    std::wstring commandLine = MsiZapCommandLine(toolPath, uninstallString);
    WriteLog(kRunTag, L"Uninstall command: ", commandLine);
    DWORD exitCode = 0;
    bool exitCodeRead = false;
    if (!StartInstallerTool(toolPath, commandLine, creationFlags, exitCode, exitCodeRead))
        return false;
    if (!exitCodeRead || exitCode != 0)
        WriteLog(kRunTag, L"ERROR: ",
                 Format(L"MSIZap failed to run with error code %d", static_cast<int>(exitCode)));
    else
        WriteLog(kRunTag, L"MSIZap run successful.", L"");
    return true;
}

// The other registration of the selected product, for the second run: the first other record
// (scan order) of the same product with another uninstall string. Never the selected one and
// never the other product's.
std::wstring CTidoDlg::SecondRegistrationUninstallString() const
{
    if (m_strSecondUninstallString.empty())
        return L"";
    for (const auto& [key, record] : m_mapInstances) {
        if (!record->m_strUninstallString.empty() &&
            record->m_strUninstallString != m_strUninstallString &&
            BelongsToProduct(record->m_strDisplayName, m_bLarkspan != 0))
            return record->m_strUninstallString;
    }
    return L"";
}

void CTidoDlg::RunMSIZap()
{
    WriteLog(kRunTag, L"Entering", L"");
    MsiZapCopy copy;
    if (!ExtractMSIZap(copy)) {
        WriteLog(kRunTag, L"ERROR: ", L"Extract msizap.exe ERROR!");
        RemoveMsiZapDirectory(copy);
        return;
    }
    std::wstring temp;
    if (!GetTempVariable(temp)) {
        WriteLog(kRunTag, L"ERROR: ", L"NOT Found %temp% variable");
        RemoveMsiZapDirectory(copy);
        return;
    }
    WriteLog(kRunTag, L"MSIZap.exe path: ", copy.path);
    if (GetFileAttributesW(copy.path.c_str()) == INVALID_FILE_ATTRIBUTES) {
        WriteLog(kRunTag, L"MSIZap.exe NOT found: ", copy.path);
        return;
    }
    if (!RunMsiZapOnce(copy.path, m_strUninstallString, CREATE_NO_WINDOW))
        return;
    std::wstring second = SecondRegistrationUninstallString();
    if (!second.empty()) {
        WriteLog(kRunTag, L"Edge scenario, two Corla are founded in ARP entries.", L"");
        if (!RunMsiZapOnce(copy.path, second, CREATE_NEW_CONSOLE))
            return;
    }
    copy.lock.Reset();
    if (DeleteFileW(copy.path.c_str()))
        WriteLog(kRunTag, L"msizap.exe deleted: ", copy.path);
    else
        WriteLog(kRunTag, L"ERROR: Delete msizap.exe failed: ", copy.path);
    RemoveMsiZapDirectory(copy);
    WriteLog(kRunTag, L"Exiting", L"");
}

void CTidoDlg::RemoveMsiZapDirectory(MsiZapCopy& copy)
{
    copy.lock.Reset();
    if (!copy.directory.empty() && GetFileAttributesW(copy.path.c_str()) == INVALID_FILE_ATTRIBUTES)
        RemoveDirectoryW(copy.directory.c_str());
}
