// Times the installation scan over 5,000 installer registrations beside the time that
// "reg query /s" takes to list the same key, in one run on one machine.
#include "app/tido_app.h"
#include "dialog/tido_dlg.h"
#include "registry/registry_key.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

const wchar_t kProducts[] =
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Installer\\UserData\\S-1-5-18\\Products";
// The test mark lets the test machine remove what a killed run left behind.
const wchar_t kMark[] = L"TIDOTESTBENCH";
constexpr int kRegistrations = 5000;
constexpr int kRounds = 3;
constexpr REGSAM kView = KEY_WOW64_64KEY;

void SetText(HKEY key, const wchar_t* name, const std::wstring& value)
{
    RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

void SetNumber(HKEY key, const wchar_t* name, DWORD value)
{
    RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
}

std::wstring ProductCode(int index)
{
    wchar_t code[32];
    swprintf(code, 32, L"%ls%05d", kMark, index);
    return code;
}

// One registration in ten is the product; the rest are other software, as on a real machine.
bool SeedRegistration(int index)
{
    std::wstring path = std::wstring(kProducts) + L"\\" + ProductCode(index) + L"\\InstallProperties";
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | kView,
                        nullptr, &key, nullptr) != ERROR_SUCCESS)
        return false;
    std::wstring number = std::to_wstring(index);
    SetText(key, L"DisplayName",
            (index % 10 == 0 ? L"Tav Corla 12 build " : L"Other Product ") + number);
    SetText(key, L"DisplayVersion", L"12.0." + number);
    SetText(key, L"LocalPackage", L"C:\\Windows\\Installer\\" + number + L".msi");
    SetText(key, L"InstallDate", L"20240305");
    SetText(key, L"InstallLocation", L"C:\\Program Files\\Vendor " + number + L"\\");
    SetText(key, L"InstallSource", L"D:\\Setup\\");
    SetText(key, L"UninstallString", L"MsiExec.exe /X{" + ProductCode(index) + L"}");
    SetNumber(key, L"EstimatedSize", 123456);
    SetNumber(key, L"VersionMajor", 12);
    SetNumber(key, L"VersionMinor", 0);
    RegCloseKey(key);
    return true;
}

// Removes every registration this benchmark seeded, also those of an earlier, killed run.
void RemoveSeeded()
{
    RegistryKey products;
    if (OpenRegistryKey(products, HKEY_LOCAL_MACHINE, kProducts, kRegistryReadWrite | kView) !=
        ERROR_SUCCESS)
        return;
    std::vector<std::wstring> seeded;
    wchar_t name[256];
    DWORD length = 256;
    for (DWORD index = 0; RegEnumKeyExW(products.Handle(), index, name, &length, nullptr,
                                        nullptr, nullptr, nullptr) == ERROR_SUCCESS;
         ++index, length = 256) {
        if (wcsncmp(name, kMark, wcslen(kMark)) == 0)
            seeded.push_back(name);
    }
    for (const std::wstring& code : seeded)
        DeleteRegistryTree(products, code);
}

double Seconds(LARGE_INTEGER start, LARGE_INTEGER end)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart);
}

double TimeScan(size_t& records)
{
    Win32System system;
    CTidoApp app(system);
    app.m_bQuiet = 1;
    CTidoDlg dialog(102, &app);
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    dialog.ScanInstallations();
    QueryPerformanceCounter(&end);
    records = dialog.m_mapInstances.GetCount();
    return Seconds(start, end);
}

// "reg query <key> /s" as a child process, its output thrown away; -1 when it cannot start.
double TimeRegQuery()
{
    SECURITY_ATTRIBUTES inherit = {sizeof(inherit), nullptr, TRUE};
    HANDLE nul = CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                             OPEN_EXISTING, 0, nullptr);
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = nul;
    startup.hStdError = nul;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    std::wstring command = std::wstring(L"reg.exe query \"HKLM\\") + kProducts + L"\" /s /reg:64";
    PROCESS_INFORMATION process = {};
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    BOOL started = CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE,
                                  CREATE_NO_WINDOW, nullptr, nullptr, &startup, &process);
    if (started) {
        WaitForSingleObject(process.hProcess, INFINITE);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    QueryPerformanceCounter(&end);
    CloseHandle(nul);
    return started ? Seconds(start, end) : -1;
}

}  // namespace

int wmain()
{
    RemoveSeeded();
    std::printf("seeding %d installer registrations...\n", kRegistrations);
    for (int index = 0; index < kRegistrations; ++index) {
        if (!SeedRegistration(index)) {
            std::printf("cannot seed registration %d\n", index);
            RemoveSeeded();
            return 1;
        }
    }
    double bestScan = 1e9, bestQuery = 1e9;
    size_t records = 0;
    for (int round = 0; round < kRounds; ++round) {
        bestScan = std::min(bestScan, TimeScan(records));
        bestQuery = std::min(bestQuery, TimeRegQuery());
    }
    RemoveSeeded();
    if (bestQuery < 0) {
        std::printf("reg.exe could not be started\n");
        return 1;
    }
    std::printf("best of %d rounds over %d registrations (%zu recognised):\n", kRounds,
                kRegistrations, records);
    std::printf("  ScanInstallations (-qn): %8.1f ms\n", bestScan * 1000);
    std::printf("  reg query /s:            %8.1f ms\n", bestQuery * 1000);
    std::printf("  ratio scan / reg query:  %8.2f\n", bestScan / bestQuery);
    return 0;
}
