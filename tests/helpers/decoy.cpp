// decoy.exe: leaves a mark next to itself when started; it must never be.
#include <windows.h>

int main()
{
    wchar_t path[MAX_PATH];
    DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    lstrcpyW(path + length, L".started");
    CloseHandle(CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    return 0;
}
