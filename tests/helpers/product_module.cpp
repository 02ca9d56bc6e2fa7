// A DLL that does nothing: the build copies it under the product's module names for
// module_host.exe to load.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID)
{
    return TRUE;
}
