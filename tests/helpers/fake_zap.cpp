// fake_zap.exe: stands in for the installer-data tool. Appends its command line to the file
// named by FAKE_ZAP_LOG and ends with the exit code given in FAKE_ZAP_EXIT (default 0).
#include <windows.h>

#include <cstdlib>
#include <string>

int wmain()
{
    wchar_t logPath[MAX_PATH] = {};
    if (GetEnvironmentVariableW(L"FAKE_ZAP_LOG", logPath, MAX_PATH)) {
        HANDLE log = CreateFileW(logPath, FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                                 OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (log != INVALID_HANDLE_VALUE) {
            std::wstring line = std::wstring(GetCommandLineW()) + L"\n";
            std::string bytes(line.begin(), line.end());
            DWORD written = 0;
            WriteFile(log, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
            CloseHandle(log);
        }
    }
    wchar_t code[32] = {};
    if (GetEnvironmentVariableW(L"FAKE_ZAP_EXIT", code, 32))
        return static_cast<int>(wcstoul(code, nullptr, 10));
    return 0;
}
