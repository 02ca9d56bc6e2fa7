#pragma once
#include <windows.h>

// The only places where the program stops or deletes a service. Each returns 0 on success,
// else the Windows error.
DWORD RequestServiceStop(SC_HANDLE service);
DWORD DeleteServiceEntry(SC_HANDLE service);
