// hold_file.exe FILE READY: opens FILE for reading without delete sharing, writes the file
// READY once it holds it, and keeps it open until killed.
#include <windows.h>

int wmain(int argc, wchar_t** argv)
{
    if (argc < 3)
        return 2;
    HANDLE held = CreateFileW(argv[1], GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (held == INVALID_HANDLE_VALUE)
        return 1;
    HANDLE ready = CreateFileW(argv[2], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    CloseHandle(ready);
    Sleep(INFINITE);
    return 0;
}
