#include "framework/runtime.h"

#include <process.h>

UniqueHandle StartWorker(WorkerProc fn, void* argument)
{
    uintptr_t thread = _beginthreadex(nullptr, 0, fn, argument, 0, nullptr);
    return UniqueHandle(reinterpret_cast<HANDLE>(thread));
}

std::wstring LoadResString(UINT id, HINSTANCE module)
{
    if (!module)
        module = GetModuleHandleW(nullptr);
    const wchar_t* text = nullptr;
    // With a zero buffer size LoadStringW hands out a pointer to the resource itself.
    int length = LoadStringW(module, id, reinterpret_cast<LPWSTR>(&text), 0);
    return (length > 0 && text) ? std::wstring(text, length) : std::wstring();
}
