#include "test_products.h"

#include "support/machine.h"
#include "support/paths.h"
#include "support/process.h"

#include <windows.h>
#include <shlobj.h>

#include <cwctype>

namespace zaptest {

const TestProduct productA = {
    L"{8F3C2A10-5B7D-4E21-9A6C-0D1E2F3A4B5C}", L"01A2C3F8D7B512E4A9C6D0E1F2A3B4C5",
    L"D4C3B2A1F6E5B1A4C8D2E3F4A5B6C7D8", L"E5D4C3B2A7F6C1B4D9E2F4A5B6C7D8E9",
    L"tests\\zap\\package_a.msi"};
const TestProduct productB = {
    L"{5C6D7E8F-9A0B-4C1D-8E2F-3A4B5C6D7E8F}", L"F8E7D6C5B0A9D1C4E8F2A3B4C5D6E7F8",
    L"E9D8C7B6A1F0C2B4D9E3F4A5B6C7D8E9", L"F6E5D4C3B8A7D2C4E8F3A5B6C7D8E9F0",
    L"tests\\zap\\package_b.msi"};

namespace {

const wchar_t machineInstaller[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Installer\\";
const wchar_t userInstaller[] = L"Software\\Microsoft\\Installer\\";
const wchar_t testUserSid[] = L"S-1-5-21-1111-2222-3333-1001";  // the seeded data's user

std::wstring Upper(std::wstring text)
{
    for (wchar_t& c : text)
        c = static_cast<wchar_t>(towupper(c));
    return text;
}

void CollectMentions(HKEY hive, const std::wstring& path, test::View view,
                     const std::wstring& upperText, std::vector<std::wstring>& mentions)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(hive, path.c_str(), 0, KEY_READ | static_cast<REGSAM>(view), &key) !=
        ERROR_SUCCESS)
        return;
    const std::wstring where = (view == test::View::k64 ? L"[64] " : L"[32] ") + path;
    if (Upper(path).find(upperText) != std::wstring::npos)
        mentions.push_back(where);
    wchar_t name[16384];
    for (DWORD index = 0;; ++index) {
        DWORD length = 16384;
        if (RegEnumValueW(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        if (Upper(name).find(upperText) != std::wstring::npos)
            mentions.push_back(where + L" : " + name);
    }
    std::vector<std::wstring> subKeys;
    for (DWORD index = 0;; ++index) {
        DWORD length = 256;
        if (RegEnumKeyExW(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        subKeys.push_back(name);
    }
    RegCloseKey(key);
    for (const std::wstring& subKey : subKeys)
        CollectMentions(hive, path.empty() ? subKey : path + L"\\" + subKey, view, upperText,
                        mentions);
}

void DeleteInBothViews(HKEY hive, const std::wstring& path)
{
    test::Machine::DeleteKeyTree(hive, path, test::View::k64);
    test::Machine::DeleteKeyTree(hive, path, test::View::k32);
}

void DeleteCachedPackage(const TestProduct& product)
{
    std::wstring localPackage = test::Machine::ReadString(
        HKEY_LOCAL_MACHINE,
        std::wstring(machineInstaller) + L"UserData\\S-1-5-18\\Products\\" + product.packed +
            L"\\InstallProperties",
        L"LocalPackage");
    if (!localPackage.empty() && localPackage.find(L"\\Installer\\") != std::wstring::npos)
        test::Machine::DeletePath(localPackage);
}

void ForgetUserRegistration(HKEY hive, const std::wstring& base, const TestProduct& product)
{
    DeleteInBothViews(hive, base + L"Products\\" + product.packed);
    DeleteInBothViews(hive, base + L"Features\\" + product.packed);
    DeleteInBothViews(hive, base + L"UpgradeCodes\\" + product.upgradePacked);
}

}  // namespace

ToolRun RunTool(const std::wstring& arguments)
{
    ToolRun run;
    std::wstring outputPath = test::TempDirectory() + L"\\tidozap_output.txt";
    SECURITY_ATTRIBUTES inheritable = {sizeof(inheritable), nullptr, TRUE};
    HANDLE output = CreateFileW(outputPath.c_str(), GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, &inheritable, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (output == INVALID_HANDLE_VALUE)
        return {0xFFFFFFFF, "cannot create the output file"};
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = output;
    startup.hStdError = output;
    std::wstring commandLine =
        test::QuoteArgument(test::BuildPath(L"zap\\msizap.exe")) + L" " + arguments;
    PROCESS_INFORMATION info = {};
    run.exitCode = 0xFFFFFFFF;
    if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                       nullptr, nullptr, &startup, &info)) {
        if (WaitForSingleObject(info.hProcess, 30000) != WAIT_OBJECT_0)
            TerminateProcess(info.hProcess, 0xFFFFFFFF);
        GetExitCodeProcess(info.hProcess, &run.exitCode);
        CloseHandle(info.hThread);
        CloseHandle(info.hProcess);
    }
    CloseHandle(output);
    run.output = test::Machine::ReadFile(outputPath);
    DeleteFileW(outputPath.c_str());
    return run;
}

unsigned long Msiexec(const std::wstring& arguments)
{
    test::ProcessResult result = test::RunProcess(L"msiexec.exe " + arguments, 60000);
    return result.started && !result.timedOut ? result.exitCode : 0xFFFFFFFF;
}

std::vector<std::wstring> RegistryMentions(const std::wstring& text)
{
    // The installer's own areas in each view; a walk of all of HKLM\SOFTWARE takes seconds.
    const struct {
        HKEY hive;
        const wchar_t* path;
    } roots[] = {
        {HKEY_LOCAL_MACHINE, L"SOFTWARE\\Classes\\Installer"},
        {HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Installer"},
        {HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall"},
        {HKEY_USERS, L""},
    };
    std::vector<std::wstring> mentions;
    for (const auto& root : roots) {
        for (test::View view : {test::View::k64, test::View::k32})
            CollectMentions(root.hive, root.path, view, Upper(text), mentions);
    }
    return mentions;
}

void ForgetTestProducts()
{
    const std::wstring installer = machineInstaller;
    for (const TestProduct* product : {&productA, &productB}) {
        DeleteCachedPackage(*product);
        ForgetUserRegistration(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Classes\\Installer\\", *product);
        DeleteInBothViews(HKEY_LOCAL_MACHINE,
                          installer + L"UpgradeCodes\\" + product->upgradePacked);
        DeleteInBothViews(HKEY_LOCAL_MACHINE,
                          installer + L"UserData\\S-1-5-18\\Products\\" + product->packed);
        DeleteInBothViews(HKEY_LOCAL_MACHINE, installer + L"UserData\\S-1-5-18\\Components\\" +
                                                  product->componentPacked);
        DeleteInBothViews(HKEY_LOCAL_MACHINE,
                          L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" +
                              std::wstring(product->code));
        ForgetUserRegistration(HKEY_CURRENT_USER, userInstaller, *product);
        ForgetUserRegistration(HKEY_USERS, L".DEFAULT\\" + std::wstring(userInstaller), *product);
    }
    DeleteInBothViews(HKEY_LOCAL_MACHINE, installer + L"UserData\\" + testUserSid);
    DeleteInBothViews(HKEY_LOCAL_MACHINE, installer + L"Managed\\" + testUserSid);
    std::wstring programFiles = test::ShellFolder(CSIDL_PROGRAM_FILES);
    if (!programFiles.empty())
        test::Machine::DeletePath(programFiles + L"\\TidoZapTest");
}

}  // namespace zaptest
