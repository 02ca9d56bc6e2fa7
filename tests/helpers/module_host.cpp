// module_host.exe PARENT_PID READY_EVENT [DLL]: loads the DLL when one is named, sets the
// named event, and waits until the parent process ends. Copies of it under other names
// stand in for the product's programs. Following the parent means a test that dies leaves
// no host behind to confuse the next one.
#include <windows.h>

#include <cwchar>

int wmain(int argc, wchar_t** argv)
{
    if (argc < 3)
        return 2;
    HANDLE parent = OpenProcess(SYNCHRONIZE, FALSE, std::wcstoul(argv[1], nullptr, 10));
    if (argc > 3 && !LoadLibraryW(argv[3]))
        return 3;
    HANDLE ready = OpenEventW(EVENT_MODIFY_STATE, FALSE, argv[2]);
    if (!ready || !SetEvent(ready))
        return 4;
    CloseHandle(ready);
    if (parent)
        WaitForSingleObject(parent, INFINITE);
    return 0;
}
